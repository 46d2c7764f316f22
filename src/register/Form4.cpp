#include "register/Form4.h"

#include "data/Convert.h"
#include "data/DataControl.h"
#include "data/Fields.h"
#include "data/History.h"
#include "data/Locations.h"
#include "data/Numbering.h"
#include "platform/AddressBox.h"
#include "platform/Artwork.h"
#include "platform/BusyPointer.h"
#include "platform/Controls.h"
#include "platform/Guard.h"
#include "platform/Look.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "platform/WriteConflict.h"
#include "register/HistoryWindow.h"
#include "register/Search.h"
#include "register/SearchPanel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>

namespace arb {

namespace {

const QColor kCountText(162, 162, 162);

QLabel *fieldLabel(QWidget *parent, const QString &text, int left, int top)
{
    return label(parent, text, left, top, 0, 255, kPaleYellow);
}

// A several-line box the height of one line, as the window has it: whole
// lines only, no scroll bars, tab moves on to the next field.
QPlainTextEdit *multiLineBox(QWidget *parent, int left, int top, int width, int height)
{
    return placed(new AddressBox(parent), left, top, width, height);
}

} // namespace

Form4::Form4(QWidget *parent)
    : QWidget(parent)
{
    build();
    makeFields();

    // The data control opens with the window and stands on the first row.
    kontraktor = new DataControl(Locations::kLocalPath, kContractorTable, DataControl::Kind::Table, this);
    kontraktor->open();
    m_conflict = new WriteConflict(this, *kontraktor);

    connectButtons();

    // Load.
    Frame2->loadModes(kSearchByNumber);
    Combo2->addItem(QStringLiteral("Pembinaan"));
    Combo2->addItem(QStringLiteral("Pembekalan/Perkhidmatan"));
    satu(false);
    butang(true);
}

Form4::~Form4() = default;

void Form4::build()
{
    setWindowTitle(QStringLiteral("Majlis Daerah Lembah Serindit"));
    setClientSize(this, 7305, 7245);
    setBackground(this, kTeal);
    setFont(defaultFont());

    Image1 = new QLabel(this);
    place(Image1, 240, 0, 615, 615);
    Image1->setPixmap(emblem(200));
    Image1->setScaledContents(true);

    Label17 = new QLabel(QStringLiteral("MAKLUMAT KONTRAKTOR BERDAFTAR"), this);
    place(Label17, 600, 120, 6615, 495);
    Label17->setFont(uiFont(QStringLiteral("MS Sans Serif"), 12, true));
    Label17->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setForeground(Label17, kYellow);

    Label1 = fieldLabel(this, QStringLiteral("No Daftar"), 120, 720);
    Text1 = lineBox(this, 120, 960, 2415, 375);
    Text1->setFont(uiFont(QStringLiteral("MS Sans Serif"), 12, true));

    // The record count during a registration: borderless, on the window.
    Text18 = multiLineBox(this, 2640, 960, 1935, 405);
    Text18->setFrameShape(QFrame::NoFrame);
    Text18->setFont(uiFont(QStringLiteral("MS Sans Serif"), 8.25, false, true));
    {
        // Black on teal is barely 1.8:1; the nearest grey that reads at 4.5:1.
        QPalette p = Text18->palette();
        p.setColor(QPalette::Base, kTeal);
        p.setColor(QPalette::Text, kCountText);
        Text18->setPalette(p);
    }
    Text18->hide();

    Label18 = fieldLabel(this, QStringLiteral("Tarikh Daftar"), 4680, 720);
    Text17 = lineBox(this, 5760, 720, 1455, 285);
    Label21 = fieldLabel(this, QStringLiteral("No Resit :"), 4680, 1080);
    Text19 = lineBox(this, 5760, 1080, 1455, 285);

    Label2 = fieldLabel(this, QStringLiteral("Nama Syarikat/Perniagaan"), 120, 1440);
    Text2 = lineBox(this, 120, 1680, 3495, 285);
    Label4 = fieldLabel(this, QStringLiteral("No Pendaftaran Syarikat/Perniagaan"), 3840, 1440);
    Text4 = lineBox(this, 3840, 1680, 3375, 285);

    Label3 = fieldLabel(this, QStringLiteral("Alamat Pendaftaran Syarikat/Perniagaan"), 120, 2040);
    Text3 = multiLineBox(this, 120, 2280, 7095, 285);

    Label12 = fieldLabel(this, QStringLiteral("Nama Pengarah Urusan"), 120, 2640);
    Text13 = lineBox(this, 120, 2880, 3495, 285);
    Label11 = fieldLabel(this, QStringLiteral("No Kad Pengenalan"), 3840, 2640);
    Text12 = lineBox(this, 3840, 2880, 3375, 285);

    Label5 = fieldLabel(this, QStringLiteral("No Telefon :"), 120, 3240);
    Label15 = fieldLabel(this, QStringLiteral("H/p"), 1320, 3240);
    Text5 = lineBox(this, 1680, 3240, 1335, 285);
    Label14 = fieldLabel(this, QStringLiteral("Pejabat"), 3120, 3240);
    Text14 = lineBox(this, 3840, 3240, 1335, 285);
    Label16 = fieldLabel(this, QStringLiteral("Faks"), 5400, 3240);
    for (QLabel *l : {Label15, Label14, Label16}) {
        QFont f = l->font();
        f.setUnderline(true);
        l->setFont(f);
    }
    Text15 = lineBox(this, 5880, 3240, 1335, 285);

    Frame1 = frame(this, QStringLiteral("No Pendaftaran PKK, CIDB dan Kem. Kewangan"), kTeal, kLightYellow, 120, 3600,
                   7095, 1575);
    Label6 = fieldLabel(Frame1, QStringLiteral("No Daftar"), 1560, 240);
    Label7 = fieldLabel(Frame1, QStringLiteral("Kelas/Tajuk"), 4560, 240);
    Label8 = fieldLabel(Frame1, QStringLiteral("PKK"), 120, 480);
    Label9 = fieldLabel(Frame1, QStringLiteral("CIDB"), 120, 840);
    Label10 = fieldLabel(Frame1, QStringLiteral("K/KEW"), 120, 1200);
    Text6 = lineBox(Frame1, 960, 480, 2175, 285);
    Text7 = lineBox(Frame1, 960, 840, 2175, 285);
    Text8 = lineBox(Frame1, 960, 1200, 2175, 285);
    Text9 = lineBox(Frame1, 3240, 480, 3735, 285);
    Text10 = lineBox(Frame1, 3240, 840, 3735, 285);
    Text11 = lineBox(Frame1, 3240, 1200, 3735, 285);

    Label22 = fieldLabel(this, QStringLiteral("Bidang : "), 120, 5280);
    Combo2 = comboBox(this, 840, 5280, 2535, 315);
    Label23 = fieldLabel(this, QStringLiteral("Kelas :"), 3600, 5280);
    Text20 = lineBox(this, 4560, 5280, 2655, 285);

    // Below the client area: holds the work date for the copy, never seen.
    Text21 = lineBox(this, 2520, 7320, 1335, 375);

    Line1 = line(this, 120, 5760, 7200, 5760, Qt::black);
    Command2 = button(this, QStringLiteral("&Baru"), 120, 5880, 735, 375);
    Command3 = button(this, QStringLiteral("&Padam"), 960, 5880, 735, 375);
    Command4 = button(this, QStringLiteral("Ke&maskini"), 1800, 5880, 1095, 375);
    Command9 = button(this, QStringLiteral("<<"), 3000, 5880, 375, 375);
    Command7 = button(this, QStringLiteral("<"), 3480, 5880, 375, 375);
    Command6 = button(this, QStringLiteral(">"), 3960, 5880, 375, 375);
    Command10 = button(this, QStringLiteral(">>"), 4440, 5880, 375, 375);
    Command1 = button(this, QStringLiteral("Cetak Maklumat"), 4920, 5880, 1335, 375);
    Command5 = button(this, QStringLiteral("&Keluar"), 6360, 5880, 855, 375);
    Line2 = line(this, 120, 6360, 7200, 6360, Qt::black);
    // In the free band between the title and Text18, right of "No Daftar"
    // and clear of "Tarikh Daftar": no fixed control moves.
    Command11 = button(this, QStringLiteral("Sejarah"), 3720, 645, 855, 285);

    Frame2 = new SearchPanel(this, kYellow, kPaleYellow, 0, 6480, 7215);
    Label19 = Frame2->Label19;
    Text16 = Frame2->Text16;
    Combo1 = Frame2->Combo1;
    Command8 = Frame2->Command8;

    const QList<QWidget *> order{Text21, Text17, Text19, Text2, Text4, Text3, Text13, Text12, Text5, Text14, Text15,
                                 Text6, Text9, Text7, Text10, Text8, Text11, Combo2, Text20, Command2, Command3,
                                 Command4, Command9, Command7, Command6, Command10, Command1, Text16, Combo1,
                                 Command8, Command5, Text18, Text1};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
    // Text21 lies below the window: typing into it unseen would change the
    // work dates at the next "Ok", so it keeps its place but takes no focus.
    Text21->setFocusPolicy(Qt::NoFocus);
    setTabOrder(Command1, Command11);
}

void Form4::connectButtons()
{
    auto on = [this](QPushButton *b, void (Form4::*action)()) {
        connect(b, &QPushButton::clicked, this, [this, action] { guard(this, [this, action] { (this->*action)(); }); });
    };
    on(Command9, &Form4::firstRow);
    on(Command10, &Form4::lastRow);
    on(Command6, &Form4::nextRow);
    on(Command7, &Form4::previousRow);
    on(Command2, &Form4::baru);
    on(Command4, &Form4::kemaskini);
    on(Command3, &Form4::padam);
    on(Command8, &Form4::cari);
    on(Command1, &Form4::cetak);
    on(Command11, &Form4::sejarah);
    connect(Command5, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            [this] { guard(this, [this] { batal(); }); });
}

bool Form4::registerEmpty() const
{
    return kontraktor->eof() && kontraktor->bof();
}

void Form4::makeFields()
{
    // Values typed into the record keep tabs and line breaks, not the
    // spaces around them.
    const auto field = [this](QWidget *box, const char *name, QString ContractorSheet::*sheet, bool hidden = false) {
        m_fields.push_back({BoundBox(box, QString::fromLatin1(name), BoundBox::Spaces::Trimmed), sheet, hidden});
    };
    field(Text1, "NoDaftar", &ContractorSheet::noDaftar);
    field(Text17, "TarikhDaftar", &ContractorSheet::tarikhDaftar);
    field(Text19, "NoResit", &ContractorSheet::noResit);
    field(Text2, "NamaSyarikat", &ContractorSheet::namaSyarikat);
    field(Text4, "NoPendaftaranSyarikat", nullptr);
    field(Text3, "AlamatPendaftaranSyarikat", &ContractorSheet::alamat);
    field(Text13, "NamaPengarahUrusan", &ContractorSheet::namaPengarah);
    field(Text12, "NoKadPengenalan", &ContractorSheet::noKadPengenalan);
    field(Text5, "NoTelHp", &ContractorSheet::noTelHp);
    field(Text14, "NoTelPej", &ContractorSheet::noTelPej);
    field(Text15, "NoFaks", &ContractorSheet::noFaks);
    field(Text6, "NDPKK", &ContractorSheet::ndPkk);
    field(Text9, "KTPKK", &ContractorSheet::ktPkk);
    field(Text7, "NDCIDB", &ContractorSheet::ndCidb);
    field(Text10, "KTCIDB", &ContractorSheet::ktCidb);
    field(Text8, "NDKKEW", &ContractorSheet::ndKkew);
    field(Text11, "KTKKEW", &ContractorSheet::ktKkew);
    field(Combo2, "Bidang", &ContractorSheet::bidang);
    field(Text20, "kelas", &ContractorSheet::kelas);
    field(Text21, "Tarikh_dapat_kerja", &ContractorSheet::tarikhKerja, true);
    for (Field &f : m_fields)
        m_values << &f.value;
}

void Form4::gerak(int)
{
    // An empty register shows empty fields; a null shows as an empty field.
    kontraktor->showRow(m_values);
}

void Form4::satu(bool c)
{
    // Read-only rather than disabled: the clerk reads every field at full
    // contrast while browsing.
    for (const Field &f : m_fields)
        if (!f.hidden)
            setReadOnlyBox(f.value.box(), !c);
    Text18->setEnabled(c);
}

void Form4::butang(bool a)
{
    const QList<QWidget *> browse{Command2, Command4, Command9, Command7, Command6, Command10,
                                  Command5, Command1, Command8, Text16,   Combo1};
    for (QWidget *w : browse)
        w->setEnabled(a);
    Command11->setEnabled(a);
    Command3->setEnabled(!a);
}

bool Form4::editing() const
{
    return Command2->text() == QLatin1String("Ok") || Command4->text() == QLatin1String("Ok");
}

int Form4::searchMode() const
{
    return Frame2->searchMode();
}

void Form4::firstRow()
{
    BusyPointer busy;
    if (kontraktor->recordCount() == 0)
        return;
    kontraktor->moveFirst();
    gerak(1);
}

void Form4::lastRow()
{
    BusyPointer busy;
    if (kontraktor->recordCount() == 0)
        return;
    kontraktor->moveLast();
    gerak(1);
}

void Form4::nextRow()
{
    BusyPointer busy;
    if (stepNext(*kontraktor))
        gerak(1);
}

void Form4::previousRow()
{
    BusyPointer busy;
    if (stepPrevious(*kontraktor))
        gerak(1);
}

void Form4::semak(const QString &c)
{
    // A field the clerk left alone stays unchanged, so an update does not
    // write the c shown in it.
    for (Field &f : m_fields)
        f.value.fillEmpty(c);
}

void Form4::salin(int a)
{
    // A proposed number another desktop took before "Ok" gives way to the
    // next free one, decided in the transaction that stores the row.
    QString typed, given;
    if (a == 1)
        kontraktor->addNew([this, &typed, &given](Connection &c) {
            typed = kontraktor->pendingValue(QStringLiteral("NoDaftar")).toString();
            given = freeRegistrationNumber(c, typed);
            if (given != typed)
                kontraktor->setValue(QStringLiteral("NoDaftar"), given);
        });
    else
        kontraktor->edit();
    // A registration stores all 20 fields; an update only those the clerk
    // changed, so an untouched field (the hidden work dates among them) is
    // never written over what another window stored.
    kontraktor->assign(m_values);
    kontraktor->update();
    if (a == 1 && given != typed) {
        Text1->setText(given);
        MessageBox::tell(this,
                         QStringLiteral("No Daftar %1 telah digunakan. Rekod disimpan dengan No Daftar %2.").arg(typed, given),
                         QStringLiteral("Mesej"), MessageBox::Information);
    }
}

void Form4::baru()
{
    if (Command2->text() == QLatin1String("Ok")) {
        BusyPointer busy;
        semak(QStringLiteral("-"));
        salin(1);
        satu(false);
        Text18->hide();
        butang(true);
        Command2->setText(QStringLiteral("&Baru"));
        // The new row, not merely the last one (another desktop may have
        // added one since), shown as stored.
        kontraktor->moveToId(kontraktor->lastAddedId());
        gerak(1);
        return;
    }
    Text18->show();
    const int n = kontraktor->recordCount();
    Text18->setPlainText(QStringLiteral("Jumlah Rekod Semasa : ") + QString::number(n));
    butang(false);
    Command2->setText(QStringLiteral("Ok"));
    Command2->setEnabled(true);
    satu(true);
    const QString proposed = proposedRegistrationNumber(kontraktor->connection());
    for (Field &f : m_fields)
        f.value.showValue(f.value.box() == Text1 ? proposed : f.hidden ? QStringLiteral(" ") : QString());
    Command3->setEnabled(false);
}

void Form4::kemaskini()
{
    if (Command4->text() == QLatin1String("Ok")) {
        butang(true);
        satu(false);
        semak(QStringLiteral("-"));
        BusyPointer busy;
        try {
            // A row changed or removed elsewhere meanwhile: the clerk
            // chooses what becomes of the typing (WriteConflict).
            salin(0);
        } catch (...) {
            // Nothing stored (the store was busy, say): the edits stay on
            // screen for another "Ok".
            butang(false);
            satu(true);
            Command4->setEnabled(true);
            throw;
        }
        Command4->setText(QStringLiteral("Ke&maskini"));
        // The row as now stored: the clerk's values and other desktops'.
        if (const qint64 id = m_conflict->takeRegistered(); id >= 0)
            kontraktor->moveToId(id);
        showAfterStale();
        return;
    }
    butang(false);
    Command4->setText(QStringLiteral("Ok"));
    satu(true);
    Command4->setEnabled(true);
}

void Form4::padam()
{
    if (!MessageBox::ask(this, QStringLiteral("Anda pasti untuk padam rekod ini?"), QStringLiteral("Padam..."))) {
        MessageBox::tell(this, QStringLiteral("Rekod Tidak Dipadam!"), QStringLiteral("Mesej"), MessageBox::Information);
        return;
    }
    BusyPointer busy;
    try {
        kontraktor->remove();
    } catch (const StaleRow &) {
        satu(false);
        butang(true);
        Command4->setText(QStringLiteral("Ke&maskini"));
        showAfterStale();
        throw;
    }
    kontraktor->moveNext();
    // With the only row gone there is no row before to go back to.
    if (kontraktor->eof() && !kontraktor->bof())
        kontraktor->movePrevious();
    gerak(1);
    MessageBox::tell(this, QStringLiteral("Rekod Dipadam"), QStringLiteral("Mesej"), MessageBox::Exclamation);
    butang(true);
    Command4->setText(QStringLiteral("Ke&maskini"));
}

void Form4::showAfterStale()
{
    // A row another desktop removed: on to the next, as after "Padam".
    if (kontraktor->currentIndex() < 0 && !registerEmpty()) {
        kontraktor->moveNext();
        if (kontraktor->eof() && !kontraktor->bof())
            kontraktor->movePrevious();
    }
    gerak(1);
}

void Form4::batal()
{
    if (!editing())
        return;
    const bool typed = std::any_of(m_fields.cbegin(), m_fields.cend(), [](const Field &f) { return f.value.valueChanged(); });
    if (typed && !MessageBox::ask(this, QStringLiteral("Batalkan perubahan?"), QStringLiteral("Batal...")))
        return;
    // Nothing stored, and a proposed number was never taken.
    kontraktor->cancelUpdate();
    Text18->hide();
    Command2->setText(QStringLiteral("&Baru"));
    Command4->setText(QStringLiteral("Ke&maskini"));
    satu(false);
    butang(true);
    reload();
}

void Form4::reload()
{
    // What the store holds now, another desktop's changes included.
    BusyPointer busy;
    kontraktor->requery();
    gerak(1);
}

void Form4::cari()
{
    searchContractors(this, Text16->text(), searchMode(), *kontraktor, [this] { gerak(1); });
}

void Form4::cetak()
{
    printAfterAsking(this, [this] {
        // What the window shows, unsaved edits included.
        ContractorSheet sheet;
        for (const Field &f : m_fields)
            if (f.sheet)
                sheet.*f.sheet = boxText(f.value.box());
        printContractorSheet(sheet);
    });
}

void Form4::sejarah()
{
    QString key;
    if (kontraktor->currentIndex() >= 0)
        key = valueToTextOrEmpty(kontraktor->value(History::kKey));
    auto *window = new HistoryWindow(key, boxText(Text1) + QStringLiteral("  ") + boxText(Text2), this);
    // A restored field or contractor is shown here at once.
    connect(window, &HistoryWindow::restored, this, [this](qint64 id) {
        guard(this, [this, id] {
            kontraktor->moveToId(id);
            gerak(1);
        });
    });
    window->show();
}

void Form4::closeEvent(QCloseEvent *event)
{
    // Nothing of a registration or update in progress is stored.
    guard(this, [this] {
        kontraktor->cancelUpdate();
        kontraktor->close();
    });
    event->accept();
}

} // namespace arb
