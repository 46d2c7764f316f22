#include "reports/WorkListReport.h"

#include "data/Snapshot.h"
#include "reports/ListLines.h"
#include "reports/ListPages.h"
#include "reports/MonthCount.h"
#include "reports/Printer.h"

namespace arb {

namespace {

void printRow(Printer &printer, Snapshot &rows, double y)
{
    printer.setFontName(QStringLiteral("Verdana"));
    printer.setFontSize(10);
    printer.setFontBold(false);
    printField(printer, rows, QStringLiteral("NoDaftar"), 1100, y);
    printField(printer, rows, QStringLiteral("NamaSyarikat"), 2800, y);

    printer.setFontSize(8);
    printField(printer, rows, QStringLiteral("AlamatPendaftaranSyarikat"), 2800, y + 220);

    printer.setFontSize(9);
    printField(printer, rows, QStringLiteral("NoTelPej"), 8690, y);
    printField(printer, rows, QStringLiteral("NoTelHp"), 8690, y + 205);
    printField(printer, rows, QStringLiteral("NoFaks"), 8690, y + 410);

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

const QStringList &workListFields()
{
    static const QStringList fields{QStringLiteral("NoDaftar"),  QStringLiteral("NamaSyarikat"),
                                    QStringLiteral("AlamatPendaftaranSyarikat"), QStringLiteral("NoTelPej"),
                                    QStringLiteral("NoTelHp"),   QStringLiteral("NoFaks"),
                                    QStringLiteral("Tarikh_dapat_kerja")};
    return fields;
}

void printWorkList(Printer &printer, Snapshot &rows)
{
    printListPages(printer, rows, -1, {kWorkRowsPerPage, 650, 990, 15390, 10590}, [&] { workListSkeleton(printer); },
                   [&](double y) { printRow(printer, rows, y); });
}

} // namespace arb
