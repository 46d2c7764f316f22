#include "reports/ContractorListReport.h"

#include "data/Snapshot.h"
#include "reports/ListLines.h"
#include "reports/ListPages.h"
#include "reports/Printer.h"

namespace arb {

namespace {

constexpr double kLine = 220;    // from one line of a slot to the next
constexpr int kSlotLines = 4;
constexpr double kRuleGap = 60;  // kept clear before the rule that ends a column

// Lines of a column from its text x to the rule that ends it: wrapped inside
// the column, or shortened with "…", never across the rule.
void printCell(Printer &printer, double x, double rule, double y, const QStringList &lines, int maxLines = kSlotLines)
{
    const QStringList fitted = fitColumn(printer, lines, rule - kRuleGap - x, maxLines);
    for (qsizetype i = 0; i < fitted.size(); ++i)
        printAt(printer, x, y + kLine * double(i), fitted.at(i));
}

// A field of the current row as its cell; a field with no value prints nothing.
void printFieldCell(Printer &printer, Snapshot &rows, const QString &field, double x, double rule, double y,
                    int maxLines = kSlotLines)
{
    const QVariant v = rows.value(field);
    if (!v.isNull())
        printCell(printer, x, rule, y, {asOneLine(v.toString())}, maxLines);
}

void printRow(Printer &printer, Snapshot &rows, double y)
{
    printer.setFontName(QStringLiteral("Verdana"));
    printer.setFontSize(10);
    printer.setFontBold(false);

    printFieldCell(printer, rows, QStringLiteral("NoDaftar"), 1100, 2700, y);
    printFieldCell(printer, rows, QStringLiteral("TarikhDaftar"), 2800, 4300, y);

    const QVariant name = rows.value(QStringLiteral("NamaSyarikat"));
    if (!name.isNull())
        printCell(printer, 4400, 8000, y, nameLines(asOneLine(name.toString())));
    const QVariant address = rows.value(QStringLiteral("AlamatPendaftaranSyarikat"));
    if (!address.isNull())
        printCell(printer, 8100, 10700, y, addressLines(asOneLine(address.toString())));
    printFieldCell(printer, rows, QStringLiteral("NoTelHp"), 10800, 12300, y, 1);
    printFieldCell(printer, rows, QStringLiteral("NoTelPej"), 10800, 12300, y + kLine, 1);
    printFieldCell(printer, rows, QStringLiteral("NoFaks"), 10800, 12300, y + 2 * kLine, 1);
    printFieldCell(printer, rows, QStringLiteral("kelas"), 12400, 14000, y);
    printFieldCell(printer, rows, QStringLiteral("Bidang"), 14100, 15490, y);
}

} // namespace

const QStringList &contractorListFields()
{
    static const QStringList fields{
        QStringLiteral("NoDaftar"), QStringLiteral("TarikhDaftar"), QStringLiteral("NamaSyarikat"),
        QStringLiteral("AlamatPendaftaranSyarikat"), QStringLiteral("NoTelHp"), QStringLiteral("NoTelPej"),
        QStringLiteral("NoFaks"), QStringLiteral("kelas"), QStringLiteral("Bidang")};
    return fields;
}

void printContractorList(Printer &printer, Snapshot &rows, int first, int last)
{
    for (int position = 1; position < first && !rows.eof(); ++position)
        rows.moveNext();
    printListPages(printer, rows, qMax(0, last - first + 1), {kContractorRowsPerPage, 1000, 990, 15490, 10490},
                   [&] { contractorListSkeleton(printer); }, [&](double y) { printRow(printer, rows, y); });
}

} // namespace arb
