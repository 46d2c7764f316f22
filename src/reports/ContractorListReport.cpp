#include "reports/ContractorListReport.h"

#include "data/Snapshot.h"
#include "reports/Form2.h"
#include "reports/ListLines.h"
#include "reports/Printer.h"

namespace arb {

namespace {

void put(Printer &printer, double x, double y, const QString &text)
{
    printer.setCurrentX(x);
    printer.setCurrentY(y);
    printer.print(text);
}

// A field with no value prints nothing.
void putField(Printer &printer, Snapshot &rows, const QString &field, double x, double y)
{
    const QVariant v = rows.value(field);
    if (!v.isNull())
        put(printer, x, y, asOneLine(v.toString()));
}

void printRow(Printer &printer, Snapshot &rows, short y)
{
    printer.setFontName(QStringLiteral("Verdana"));
    printer.setFontSize(10);
    printer.setFontBold(false);

    putField(printer, rows, QStringLiteral("NoDaftar"), 1100, y);
    putField(printer, rows, QStringLiteral("TarikhDaftar"), 2800, y);

    const QVariant name = rows.value(QStringLiteral("NamaSyarikat"));
    if (!name.isNull()) {
        const QStringList lines = nameLines(asOneLine(name.toString()));
        put(printer, 4400, y, lines.at(0));
        put(printer, 4400, y + 220, lines.at(1));
    }
    const QVariant address = rows.value(QStringLiteral("AlamatPendaftaranSyarikat"));
    if (!address.isNull()) {
        const QStringList lines = addressLines(asOneLine(address.toString()));
        for (int i = 0; i < 4; ++i)
            put(printer, 8100, y + 220 * i, lines.at(i));
    }
    putField(printer, rows, QStringLiteral("NoTelHp"), 10800, y);
    putField(printer, rows, QStringLiteral("NoTelPej"), 10800, y + 220);
    putField(printer, rows, QStringLiteral("NoFaks"), 10800, y + 440);
    putField(printer, rows, QStringLiteral("kelas"), 12400, y);
    putField(printer, rows, QStringLiteral("Bidang"), 14100, y);
}

} // namespace

void printContractorList(Printer &printer, Snapshot &rows, int first, int last)
{
    printer.setOrientation(2);
    short c = 1;
    Form2::table(printer, c);
    int position = 1;
    for (; position < first && !rows.eof(); ++position)
        rows.moveNext();

    short y = 1500;
    int rowOnPage = 1;
    for (; !rows.eof() && position <= last; ++position) {
        if (rowOnPage > kContractorRowsPerPage) {
            y = 1500;
            printer.newPage();
            Form2::table(printer, c);
            rowOnPage = 1;
        }
        printRow(printer, rows, y);
        y += 1000;
        ++rowOnPage;
        rows.moveNext();
    }
}

} // namespace arb
