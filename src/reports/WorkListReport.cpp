#include "reports/WorkListReport.h"

#include "data/Snapshot.h"
#include "reports/Form2.h"
#include "reports/ListLines.h"
#include "reports/MonthCount.h"
#include "reports/Printer.h"

namespace arb {

namespace {

void putField(Printer &printer, Snapshot &rows, const QString &field, double x, double y)
{
    const QVariant v = rows.value(field);
    if (v.isNull())
        return; // a field with no value prints nothing
    printer.setCurrentX(x);
    printer.setCurrentY(y);
    printer.print(asOneLine(v.toString()));
}

void printRow(Printer &printer, Snapshot &rows, short y)
{
    printer.setFontName(QStringLiteral("Verdana"));
    printer.setFontSize(10);
    printer.setFontBold(false);
    putField(printer, rows, QStringLiteral("NoDaftar"), 1100, y);
    putField(printer, rows, QStringLiteral("NamaSyarikat"), 2800, y);

    printer.setFontSize(8);
    putField(printer, rows, QStringLiteral("AlamatPendaftaranSyarikat"), 2800, y + 220);

    printer.setFontSize(9);
    putField(printer, rows, QStringLiteral("NoTelPej"), 8690, y);
    putField(printer, rows, QStringLiteral("NoTelHp"), 8690, y + 205);
    putField(printer, rows, QStringLiteral("NoFaks"), 8690, y + 410);

    const QVariant dates = rows.value(QStringLiteral("Tarikh_dapat_kerja"));
    const std::array<int, 12> counts = countMonths(dates.isNull() ? QString() : dates.toString());
    for (int m = 1; m <= 12; ++m) {
        if (counts[size_t(m - 1)] > 0) {
            printer.setCurrentX(10690 + 400 * (m - 1));
            printer.setCurrentY(y + 205);
            printer.print(double(counts[size_t(m - 1)]));
        }
    }
}

} // namespace

void printWorkList(Printer &printer, Snapshot &rows)
{
    printer.setOrientation(2);
    short y = 1500;
    int rowOnPage = 1;
    short c = 1;
    Form2::table1(printer, c);
    for (; !rows.eof(); rows.moveNext()) {
        if (rowOnPage > kWorkRowsPerPage) {
            y = 1500;
            printer.newPage();
            Form2::table1(printer, c);
            rowOnPage = 1;
        }
        printRow(printer, rows, y);
        y += 650;
        ++rowOnPage;
    }
}

} // namespace arb
