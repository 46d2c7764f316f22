#include "reports/ContractorListReport.h"

#include "data/Snapshot.h"
#include "reports/Form2.h"
#include "reports/ListLines.h"
#include "reports/ListPages.h"
#include "reports/Printer.h"

namespace arb {

namespace {

void printRow(Printer &printer, Snapshot &rows, double y)
{
    printer.setFontName(QStringLiteral("Verdana"));
    printer.setFontSize(10);
    printer.setFontBold(false);

    printField(printer, rows, QStringLiteral("NoDaftar"), 1100, y);
    printField(printer, rows, QStringLiteral("TarikhDaftar"), 2800, y);

    const QVariant name = rows.value(QStringLiteral("NamaSyarikat"));
    if (!name.isNull()) {
        const QStringList lines = nameLines(asOneLine(name.toString()));
        printAt(printer, 4400, y, lines.at(0));
        printAt(printer, 4400, y + 220, lines.at(1));
    }
    const QVariant address = rows.value(QStringLiteral("AlamatPendaftaranSyarikat"));
    if (!address.isNull()) {
        const QStringList lines = addressLines(asOneLine(address.toString()));
        for (int i = 0; i < 4; ++i)
            printAt(printer, 8100, y + 220 * i, lines.at(i));
    }
    printField(printer, rows, QStringLiteral("NoTelHp"), 10800, y);
    printField(printer, rows, QStringLiteral("NoTelPej"), 10800, y + 220);
    printField(printer, rows, QStringLiteral("NoFaks"), 10800, y + 440);
    printField(printer, rows, QStringLiteral("kelas"), 12400, y);
    printField(printer, rows, QStringLiteral("Bidang"), 14100, y);
}

} // namespace

void printContractorList(Printer &printer, Snapshot &rows, int first, int last)
{
    for (int position = 1; position < first && !rows.eof(); ++position)
        rows.moveNext();
    short c = 1;
    printListPages(printer, rows, qMax(0, last - first + 1), kContractorRowsPerPage, 1000,
                   [&] { Form2::table(printer, c); }, [&](double y) { printRow(printer, rows, y); });
}

} // namespace arb
