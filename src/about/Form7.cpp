#include "about/Form7.h"

#include "data/Fields.h"
#include "data/Locations.h"
#include "data/Snapshot.h"
#include "platform/BusyPointer.h"
#include "platform/Guard.h"
#include "platform/Look.h"
#include "platform/Twips.h"
#include "reports/MonthCount.h"
#include "reports/Printer.h"

#include <QFontMetricsF>
#include <algorithm>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

namespace arb {

namespace {

QLabel *label(QWidget *parent, const QString &caption, int left, int top, int width, bool heading = false)
{
    auto *l = new QLabel(caption, parent);
    place(l, left, top, width, 255);
    l->setFont(heading ? uiFont(QStringLiteral("MS Sans Serif"), 8.25, true) : defaultFont());
    // The substitute font runs wider than the original: a caption that does
    // not fit its box gets a wider one about the same centre, inside the window.
    const int needed = l->sizeHint().width();
    if (needed > l->width()) {
        QRect box = l->geometry();
        const int centre = box.center().x();
        box.setWidth(std::min(needed, parent->width()));
        box.moveLeft(std::clamp(centre - box.width() / 2, 0, parent->width() - box.width()));
        l->setGeometry(box);
    }
    return l;
}

} // namespace

Form7::Form7(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Tentang Kami"));
    setClientSize(this, 5280, 2835);
    setFont(defaultFont());

    Label7 = label(this, QStringLiteral("Aplikasi Rekod Bina (ARB) Versi 1.0"), 960, 120, 3495);
    Label1 = label(this, QStringLiteral("Rekabentuk "), 2040, 600, 1455, true);
    Label2 = label(this, QStringLiteral("Unit Teknologi Maklumat"), 1440, 840, 2295);
    Label3 = label(this, QStringLiteral("Pembantu"), 2040, 1200, 975, true);
    Label4 = label(this, QStringLiteral("Unit Akaun"), 1800, 1440, 1335);
    Label5 = label(this, QStringLiteral("Untuk"), 2160, 1800, 615, true);
    Label6 = label(this, QStringLiteral("Bahagian Kewangan, Majlis Daerah Lembah Serindit"), 840, 2040, 3495);

    Command3 = new QPushButton(QStringLiteral("Ok"), this);
    place(Command3, 2040, 2400, 855, 375);

    // Outside the client area: never seen in normal use. The data control of
    // the design names no database and never opens, so Text1 keeps its text.
    Text1 = new QPlainTextEdit(QStringLiteral("Text1"), this);
    place(Text1, 5640, 120, 1215, 1695);
    Command2 = new QPushButton(QStringLiteral("Command2"), this);
    place(Command2, 2520, 3120, 1695, 375);
    Command1 = new QPushButton(QStringLiteral("Command1"), this);
    place(Command1, 2520, 3600, 1695, 375);

    connect(Command3, &QPushButton::clicked, this, [this] { close(); });
    connect(Command1, &QPushButton::clicked, this, [this] { guard(this, [this] { command1Click(); }); });
    connect(Command2, &QPushButton::clicked, this, [this] { guard(this, [this] { command2Click(); }); });
}

QStringList Form7::printedLines() const
{
    QStringList lines;
    for (const Printed &p : m_printed)
        lines << p.text;
    return lines;
}

void Form7::printLine(const QString &text)
{
    m_printed.append(Printed{m_currentX, m_currentY, text});
    m_currentX = 0;
    m_currentY += QFontMetricsF(font()).height() * kTwipsPerPixel;
    update();
}

void Form7::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setFont(font());
    const double ascent = QFontMetricsF(font()).ascent();
    for (const Printed &p : m_printed)
        painter.drawText(QPointF(p.x / kTwipsPerPixel, p.y / kTwipsPerPixel + ascent), p.text);
}

// The text box's text, or "kosong" when it is empty.
void Form7::command1Click()
{
    m_currentX = 1000;
    const QString text = Text1->toPlainText();
    printLine(text.size() >= 1 ? text : QStringLiteral("kosong"));
}

// Month counts of every date text in table test of the file beside the program.
void Form7::command2Click()
{
    BusyPointer busy;
    Snapshot rows(Locations::programFolderPath(), kTestTable);
    while (!rows.eof()) {
        const QVariant dates = rows.value(QStringLiteral("Tarikh_dapat_kerja"));
        const std::array<int, 12> counts = countMonths(dates.isNull() ? QString() : dates.toString());
        QString line;
        for (int n : counts)
            line += QString::number(n);
        printLine(line);
        rows.moveNext();
        printLine(QStringLiteral("-----------------"));
    }
    Printer printer(QStringLiteral("Tentang Kami"));
    printer.endDoc(); // nothing of this was sent to the printer
}

} // namespace arb
