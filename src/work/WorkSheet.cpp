#include "work/WorkSheet.h"

#include "platform/Twips.h"
#include "reports/Printer.h"
#include "work/Form6.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>
#include <array>
#include <cmath>

namespace arb {

namespace {
QRectF twipsOf(const QWidget *w)
{
    const QRect r = w->geometry();
    return QRectF(r.x() * kTwipsPerPixel, r.y() * kTwipsPerPixel, r.width() * kTwipsPerPixel,
                  r.height() * kTwipsPerPixel);
}

QRectF lowered(QRectF box, double by)
{
    box.translate(0, by);
    return box;
}

struct Column
{
    const QPlainTextEdit *box;
    QRectF place;        // on every page: from below the heading to the bottom edge
    QStringList jobs;    // one line per job
    QStringList onPage;  // the lines of this page
};
} // namespace

void printWorkSheet(Form6 *sheet, const QString &jobName)
{
    Printer printer(jobName);
    const double bottom = sheet->height() * kTwipsPerPixel;

    // The whole address, however many lines; what stands below it moves
    // down as far as the address needs.
    const QRectF addressBox = twipsOf(sheet->Text6);
    const QStringList address = printer.boxLines(sheet->Text6->toPlainText(), sheet->Text6->font(),
                                                 addressBox.width(), true);
    const double addressEnd = addressBox.top() + address.size() * printer.lineHeight(sheet->Text6->font());
    const double shift = std::max(0.0, addressEnd - twipsOf(sheet->Label3).top());
    const QRectF addressPlace(addressBox.left(), addressBox.top(), addressBox.width(),
                              std::max(addressBox.height(), addressEnd - addressBox.top()));

    std::array<Column, 3> columns{Column{sheet->Text1, {}, {}, {}}, Column{sheet->Text2, {}, {}, {}},
                                  Column{sheet->Text3, {}, {}, {}}};
    qsizetype jobs = 0;
    for (Column &c : columns) {
        const QRectF box = lowered(twipsOf(c.box), shift);
        c.place = QRectF(box.left(), box.top(), box.width(), bottom - box.top());
        c.jobs = printer.boxLines(c.box->toPlainText(), c.box->font(), box.width(), false);
        jobs = std::max(jobs, c.jobs.size());
    }
    // Empty lines at the end are no jobs.
    while (jobs > 0 && std::all_of(columns.begin(), columns.end(), [&](const Column &c) {
               return c.jobs.value(jobs - 1).trimmed().isEmpty();
           }))
        --jobs;

    const double step = printer.lineHeight(sheet->Text2->font());
    const int perPage = std::max(1, int(std::floor((columns[0].place.height() + 0.5) / step)));
    int onPage = 0;
    bool first = true;
    const auto page = [&] {
        if (!first)
            printer.newPage();
        first = false;
        printer.printInBox(twipsOf(sheet->Label1), sheet->Label1->text(), sheet->Label1->font(), true);
        printer.printInBox(twipsOf(sheet->Text4), sheet->Text4->text(), sheet->Text4->font(), false);
        printer.printInBox(twipsOf(sheet->Label2), sheet->Label2->text(), sheet->Label2->font(), true);
        printer.printInBox(twipsOf(sheet->Text5), sheet->Text5->text(), sheet->Text5->font(), false);
        printer.printInBox(twipsOf(sheet->Label4), sheet->Label4->text(), sheet->Label4->font(), true);
        printer.printInBox(addressPlace, address.join(QLatin1Char('\n')), sheet->Text6->font(), false);
        printer.printInBox(lowered(twipsOf(sheet->Label3), shift), sheet->Label3->text(), sheet->Label3->font(), true);
        printer.printInBox(lowered(twipsOf(sheet->Text7), shift), sheet->Text7->text(), sheet->Text7->font(), false);
        for (Column &c : columns) {
            printer.printInBox(c.place, c.onPage.join(QLatin1Char('\n')), c.box->font(), false);
            c.onPage.clear();
        }
        onPage = 0;
    };

    for (qsizetype j = 0; j < jobs; ++j) {
        // The job's date, description and value each wrap in their column,
        // all from the job's first line.
        std::array<QStringList, 3> cells;
        qsizetype rows = 1;
        for (size_t k = 0; k < columns.size(); ++k) {
            cells[k] = printer.boxLines(columns[k].jobs.value(j), columns[k].box->font(), columns[k].place.width(), true);
            rows = std::max(rows, cells[k].size());
        }
        // A job goes whole onto the next page unless it is longer than a page.
        if (onPage > 0 && onPage + rows > perPage)
            page();
        for (qsizetype r = 0; r < rows; ++r) {
            if (onPage == perPage)
                page();
            for (size_t k = 0; k < columns.size(); ++k)
                columns[k].onPage << cells[k].value(r);
            ++onPage;
        }
    }
    if (first || onPage > 0)
        page();
    printer.endDoc();
}

} // namespace arb
