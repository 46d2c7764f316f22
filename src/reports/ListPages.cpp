#include "reports/ListPages.h"

#include "data/Snapshot.h"
#include "reports/ListLines.h"
#include "reports/Printer.h"

namespace arb {

void printListPages(Printer &printer, Snapshot &rows, int count, int rowsPerPage, double rowHeight,
                    const std::function<void()> &skeleton, const std::function<void(double y)> &printRow)
{
    printer.setOrientation(2);
    skeleton();
    int rowOnPage = 0;
    for (int printed = 0; !rows.eof() && (count < 0 || printed < count); ++printed) {
        if (rowOnPage == rowsPerPage) {
            printer.newPage();
            skeleton();
            rowOnPage = 0;
        }
        printRow(1500 + rowHeight * rowOnPage);
        ++rowOnPage;
        rows.moveNext();
    }
}

void printAt(Printer &printer, double x, double y, const QString &text)
{
    printer.setCurrentX(x);
    printer.setCurrentY(y);
    printer.print(text);
}

void printField(Printer &printer, Snapshot &rows, const QString &field, double x, double y)
{
    const QVariant v = rows.value(field);
    if (!v.isNull())
        printAt(printer, x, y, asOneLine(v.toString()));
}

} // namespace arb
