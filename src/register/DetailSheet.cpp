#include "register/DetailSheet.h"

#include "reports/Printer.h"

#include <QRegularExpression>

namespace arb {

namespace {
void text(Printer &p, double x, double y, const QString &s)
{
    p.setCurrentY(y);
    p.setCurrentX(x);
    p.print(s);
}

// Heading, then the number and the class on two lines from the left edge,
// pushed in by three tab stops.
QString registrationBlock(const QString &heading, const QString &number, const QString &klass)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString tabs = QStringLiteral("\t\t\t");
    return heading + crlf + tabs + QStringLiteral("No Daftar : ") + number + crlf + tabs + QStringLiteral("Kelas/Tajuk : ")
        + klass;
}
} // namespace

QString workStatus(const QString &tarikhKerja)
{
    return tarikhKerja.size() > 2 ? QStringLiteral("Ada Maklumat kerja") : QStringLiteral("Tiada Maklumat kerja");
}

namespace {
void setFont(Printer &p, const QString &name, double size, bool bold)
{
    p.setFontName(name);
    p.setFontSize(size);
    p.setFontBold(bold);
}

constexpr double kRow = 250;        // from one particular to the next
constexpr int kAddressLines = 12;   // so that the closing line stays on the page

// The address as the lines it prints on, trailing empty lines dropped; more
// than the page takes end the last one with "…".
QStringList addressLines(const QString &address)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = address.split(breaks);
    while (lines.size() > 1 && lines.last().trimmed().isEmpty())
        lines.removeLast();
    if (lines.size() > kAddressLines) {
        lines = lines.mid(0, kAddressLines);
        lines.last() += QStringLiteral(" \u2026");
    }
    return lines;
}
} // namespace

void printContractorSheet(const ContractorSheet &s)
{
    Printer p(QStringLiteral("Maklumat Kontraktor"));
    p.setOrientation(2);

    // Title frame.
    p.line(990, 990, 0, 600);
    p.line(15490, 990, 0, 600);
    p.line(990, 990, 14500, 0);
    p.line(990, 1590, 14500, 0);
    p.setCurrentY(1100);
    p.setCurrentX(6000);
    setFont(p, QStringLiteral("Arial"), 14, true);
    p.print(QStringLiteral("Maklumat Kontraktor Berdaftar"));

    // The address's second and later lines go under its first, in the value
    // column; every row below moves down by as many rows.
    const QStringList address = addressLines(s.alamat);
    const double down = kRow * double(address.size() - 1);

    p.setCurrentY(1900);
    p.setCurrentX(1500);
    setFont(p, QStringLiteral("Verdana"), 11, false);
    p.print(QStringLiteral("Nombor Pendaftaran :"));
    text(p, 1500, 2150, QStringLiteral("Nama Syarikat/Perniagaan :"));
    text(p, 1500, 2400, QStringLiteral("Alamat Syarikat/Perniagaan :"));
    text(p, 1500, 2650 + down, QStringLiteral("Nama Pengarah :"));
    text(p, 1500, 2900 + down, QStringLiteral("No Kad Pengenalan :"));
    text(p, 1500, 3150 + down, QStringLiteral("No Tel "));
    text(p, 2600, 3150 + down, QStringLiteral("Bimbit"));
    text(p, 2600, 3400 + down, QStringLiteral("Pejabat"));
    text(p, 2600, 3650 + down, QStringLiteral("Faks"));
    text(p, 1500, 3900 + down, QStringLiteral("Bidang :"));
    text(p, 1500, 4150 + down, QStringLiteral("Kelas :"));

    text(p, 5000, 1900, s.noDaftar);
    text(p, 5000, 2150, s.namaSyarikat);
    for (qsizetype i = 0; i < address.size(); ++i)
        text(p, 5000, 2400 + kRow * double(i), address.at(i));
    text(p, 5000, 2650 + down, s.namaPengarah);
    text(p, 5000, 2900 + down, s.noKadPengenalan);
    text(p, 5000, 3150 + down, s.noTelHp);
    text(p, 5000, 3400 + down, s.noTelPej);
    text(p, 5000, 3650 + down, s.noFaks);
    text(p, 5000, 3900 + down, s.bidang);
    text(p, 5000, 4150 + down, s.kelas);

    text(p, 1700, 4500 + down, registrationBlock(QStringLiteral("PKK "), s.ndPkk, s.ktPkk));
    text(p, 1700, 5250 + down, registrationBlock(QStringLiteral("CIDB "), s.ndCidb, s.ktCidb));
    text(p, 1700, 6000 + down, registrationBlock(QStringLiteral("K/KEW "), s.ndKkew, s.ktKkew));

    // Registration frame.
    p.line(1500, 4450 + down, 0, 2350);
    p.line(11500, 4450 + down, 0, 2350);
    p.line(1500, 4450 + down, 10000, 0);
    p.line(1500, 6800 + down, 10000, 0);

    p.setCurrentY(7000 + down);
    p.setCurrentX(1500);
    setFont(p, QStringLiteral("Verdana"), 9, false);
    p.print(QStringLiteral("Tarikh Daftar : ") + s.tarikhDaftar + QStringLiteral("     No Resit : ") + s.noResit
            + QStringLiteral("     Kerja : ") + workStatus(s.tarikhKerja));

    p.endDoc();
}

} // namespace arb
