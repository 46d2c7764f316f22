#include "reports/Form2.h"

#include "about/Form7.h"
#include "data/Convert.h"
#include "data/DataControl.h"
#include "data/Fields.h"
#include "data/Locations.h"
#include "data/Snapshot.h"
#include "platform/BusyPointer.h"
#include "platform/Controls.h"
#include "platform/Guard.h"
#include "platform/Look.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "platform/Windows.h"
#include "reports/ContractorListReport.h"
#include "reports/ListPages.h"
#include "reports/Printer.h"
#include "reports/WorkListReport.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <climits>
#include <cmath>

namespace arb {

namespace {

const QString kTitle = QStringLiteral("Mesej");
const QColor kDisabledText(128, 128, 128);

// A range box as a record position: rounded to a whole number (halves to
// even), none when the text is not a number.
std::optional<qint64> position(const QLineEdit *box)
{
    const std::optional<double> v = textToNumber(box->text());
    if (!v)
        return std::nullopt;
    const double r = std::nearbyint(*v);
    return qint64(std::clamp(r, -1e12, 1e12));
}

} // namespace

Form2::Form2(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Majlis Daerah Lembah Serindit"));
    setClientSize(this, 4545, 2970);
    setBackground(this, kTeal);
    setFont(defaultFont());

    Frame1 = frame(this, QStringLiteral("Cetak Senarai Kontraktor"), kTeal, kPaleYellow, 120, 120, 4335, 1455);
    Option1 = placed(new QRadioButton(QStringLiteral("Pilihan"), Frame1), 240, 360, 855, 255);
    Label1 = placed(new QLabel(QStringLiteral("Dari"), Frame1), 1320, 360, 375, 255);
    Text19 = placed(new QLineEdit(QStringLiteral("0"), Frame1), 1680, 360, 495, 285);
    Label2 = placed(new QLabel(QStringLiteral("ke"), Frame1), 2280, 360, 255, 255);
    // The range labels are drawn greyed while the range is off, as disabled text is.
    for (QLabel *label : {Label1, Label2}) {
        QPalette p = label->palette();
        p.setColor(QPalette::Disabled, QPalette::WindowText, kDisabledText);
        label->setPalette(p);
    }
    Text20 = placed(new QLineEdit(QStringLiteral("0"), Frame1), 2640, 360, 495, 285);
    Command1 = placed(new QPushButton(QStringLiteral("Cetak"), Frame1), 3240, 360, 855, 375);
    Option2 = placed(new QRadioButton(QStringLiteral("Semua"), Frame1), 240, 840, 1335, 255);
    Command2 = placed(new QPushButton(QStringLiteral("Cetak Semua"), Frame1), 1320, 840, 1335, 375);

    Frame2 = frame(this, QStringLiteral("Cetak Senarai Kerja"), kTeal, kPaleYellow, 120, 1680, 2175, 735);
    Command3 = placed(new QPushButton(QStringLiteral("Cetak"), Frame2), 120, 240, 1695, 375);

    Frame3 = frame(this, QStringLiteral("Printer"), kTeal, kPaleYellow, 2400, 1680, 2055, 735);
    Command4 = placed(new QPushButton(QStringLiteral("Properties"), Frame3), 240, 240, 1695, 375);

    Command5 = placed(new QPushButton(QStringLiteral("Ok"), this), 1560, 2520, 615, 375);
    Command6 = placed(new QPushButton(QStringLiteral("Pilihan"), this), 2280, 2520, 735, 375);

    // Declared with the window and opened at load; no action of the window uses it.
    kontraktor = new DataControl(Locations::kLocalPath, kContractorTable, DataControl::Kind::Dynaset, this);
    kontraktor->open();

    setTabOrder(Option1, Text19);
    setTabOrder(Text19, Text20);
    setTabOrder(Text20, Command1);
    setTabOrder(Command1, Option2);
    setTabOrder(Option2, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command4);
    setTabOrder(Command4, Command5);
    setTabOrder(Command5, Command6);

    connect(Option1, &QRadioButton::clicked, this, [this] { option1Click(); });
    connect(Option2, &QRadioButton::clicked, this, [this] { option2Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { guard(this, [this] { command1Click(); }); });
    connect(Command2, &QPushButton::clicked, this, [this] { guard(this, [this] { command2Click(); }); });
    connect(Command3, &QPushButton::clicked, this, [this] { guard(this, [this] { command3Click(); }); });
    connect(Command4, &QPushButton::clicked, this, [this] { guard(this, [this] { command4Click(); }); });
    connect(Command5, &QPushButton::clicked, this, [this] { close(); });
    connect(Command6, &QPushButton::clicked, this, [this] { guard(this, [] { showWindow<Form7>(); }); });
}

Form2::~Form2() = default;

void Form2::table(Printer &printer, short &)
{
    contractorListSkeleton(printer);
}

void Form2::table1(Printer &printer, short &)
{
    workListSkeleton(printer);
}

void Form2::setRangeEnabled(bool on)
{
    for (QWidget *w : std::initializer_list<QWidget *>{Text19, Text20, Label1, Label2, Command1})
        w->setEnabled(on);
    Command2->setEnabled(!on);
}

void Form2::option1Click()
{
    setRangeEnabled(true);
}

void Form2::option2Click()
{
    setRangeEnabled(false);
}

// Range print: the records from "Dari" to "ke", both included, counted from 1.
void Form2::command1Click()
{
    const std::optional<qint64> from = position(Text19);
    const std::optional<qint64> to = position(Text20);
    if (!from || !to || *from < 1 || *to < *from) {
        MessageBox::tell(this, QStringLiteral("Sila masukkan pilihan"), kTitle, MessageBox::Question);
        return;
    }
    BusyPointer busy;
    Snapshot rows(Locations::kSharedPath, kContractorTable, contractorListFields());
    if (*from > rows.recordCount()) {
        MessageBox::tell(this, QStringLiteral("Tiada data"), kTitle, MessageBox::Critical);
        return;
    }
    Printer printer(QStringLiteral("Senarai Kontraktor"));
    printContractorList(printer, rows, int(*from), int(std::min<qint64>(*to, INT_MAX)));
    printer.endDoc();
    MessageBox::tell(this, Printer::closingMessage(QStringLiteral("Data telah dicetak")), kTitle, MessageBox::Information);
}

void Form2::command2Click()
{
    BusyPointer busy;
    Snapshot rows(Locations::kSharedPath, kContractorTable, contractorListFields());
    Printer printer(QStringLiteral("Senarai Kontraktor"));
    printContractorList(printer, rows, 1, INT_MAX);
    printer.endDoc();
    MessageBox::tell(this, Printer::closingMessage(QStringLiteral("Data telah dicetak")), kTitle, MessageBox::Information);
}

void Form2::command3Click()
{
    BusyPointer busy;
    Snapshot rows(Locations::kSharedPath, kContractorTable, workListFields());
    Printer printer(QStringLiteral("Senarai Kerja"));
    printWorkList(printer, rows);
    printer.endDoc();
    MessageBox::tell(this, Printer::closingMessage(QStringLiteral("Data telah dicetak")), kTitle, MessageBox::Information);
}

// What is chosen here (printer or file, paper, orientation, copies, duplex,
// colour) is what every later report of the session prints with; the dialog
// opens on the last choice.
void Form2::command4Click()
{
    QPrinter printer(QPrinter::HighResolution);
    if (const std::optional<PrintSetup> last = Printer::choice()) {
        if (!last->outputFile.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(last->outputFile);
        } else if (!last->printerName.isEmpty()) {
            printer.setPrinterName(last->printerName);
        }
        last->applyTo(printer);
    }
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Printer::setChoice(PrintSetup::of(printer));
}

} // namespace arb
