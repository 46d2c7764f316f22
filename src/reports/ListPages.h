#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace arb {

class Printer;
class Snapshot;

// The frame of a ruled list and its row slots.
struct ListFrame
{
    int rowsPerPage;
    double rowHeight;
    double left, right, bottom; // the frame's sides and bottom rule
};

// The one page loop of the ruled lists: rows from the snapshot's current
// position, at most `count` of them (-1: to the end), `rowsPerPage` to a
// page at row bases 1500, 1500 + rowHeight, ... The skeleton is drawn
// before the first row and after every page break, and a page is broken
// only when another row follows, so no empty page trails a full one and an
// empty list is one page with the empty skeleton. Under the frame of every
// page: when the list was printed, and "Muka surat N daripada M".
void printListPages(Printer &printer, Snapshot &rows, int count, const ListFrame &frame,
                    const std::function<void()> &skeleton, const std::function<void(double y)> &printRow);

// The page skeletons of the two lists, rules and column headings, on the
// printer's current page. Neither starts nor ends a page.
void contractorListSkeleton(Printer &printer);
void workListSkeleton(Printer &printer);

// A field of the current row as one line at (x, y); a field with no value
// prints nothing.
void printField(Printer &printer, Snapshot &rows, const QString &field, double x, double y);

// A text at (x, y).
void printAt(Printer &printer, double x, double y, const QString &text);

// Lines that fit a column `width` twips wide in the printer's current font,
// at most maxLines of them: a line that fits stays as it is; a longer one
// wraps after a blank or a "/", a word wider than the column breaks with a
// hyphen, and text past the last line ends that line with "…".
QStringList fitColumn(Printer &printer, const QStringList &lines, double width, int maxLines);

} // namespace arb
