#include "register/DetailSheet.h"

#include "reports/Printer.h"

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

    p.setCurrentY(1900);
    p.setCurrentX(1500);
    setFont(p, QStringLiteral("Verdana"), 11, false);
    p.print(QStringLiteral("Nombor Pendaftaran :"));
    text(p, 1500, 2150, QStringLiteral("Nama Syarikat/Perniagaan :"));
    text(p, 1500, 2400, QStringLiteral("Alamat Syarikat/Perniagaan :"));
    text(p, 1500, 2650, QStringLiteral("Nama Pengarah :"));
    text(p, 1500, 2900, QStringLiteral("No Kad Pengenalan :"));
    text(p, 1500, 3150, QStringLiteral("No Tel "));
    text(p, 2600, 3150, QStringLiteral("Bimbit"));
    text(p, 2600, 3400, QStringLiteral("Pejabat"));
    text(p, 2600, 3650, QStringLiteral("Faks"));
    text(p, 1500, 3900, QStringLiteral("Bidang :"));
    text(p, 1500, 4150, QStringLiteral("Kelas :"));

    text(p, 5000, 1900, s.noDaftar);
    text(p, 5000, 2150, s.namaSyarikat);
    text(p, 5000, 2400, s.alamat);
    text(p, 5000, 2650, s.namaPengarah);
    text(p, 5000, 2900, s.noKadPengenalan);
    text(p, 5000, 3150, s.noTelHp);
    text(p, 5000, 3400, s.noTelPej);
    text(p, 5000, 3650, s.noFaks);
    text(p, 5000, 3900, s.bidang);
    text(p, 5000, 4150, s.kelas);

    text(p, 1700, 4500, registrationBlock(QStringLiteral("PKK "), s.ndPkk, s.ktPkk));
    text(p, 1700, 5250, registrationBlock(QStringLiteral("CIDB "), s.ndCidb, s.ktCidb));
    text(p, 1700, 6000, registrationBlock(QStringLiteral("K/KEW "), s.ndKkew, s.ktKkew));

    // Registration frame.
    p.line(1500, 4450, 0, 2350);
    p.line(11500, 4450, 0, 2350);
    p.line(1500, 4450, 10000, 0);
    p.line(1500, 6800, 10000, 0);

    p.setCurrentY(7000);
    p.setCurrentX(1500);
    setFont(p, QStringLiteral("Verdana"), 9, false);
    p.print(QStringLiteral("Tarikh Daftar : ") + s.tarikhDaftar + QStringLiteral("     No Resit : ") + s.noResit
            + QStringLiteral("     Kerja : ") + workStatus(s.tarikhKerja));

    p.endDoc();
}

} // namespace arb
