#pragma once

#include <QString>
#include <functional>

namespace arb {

class Printer;
class Snapshot;

// The one page loop of the ruled lists: rows from the snapshot's current
// position, at most `count` of them (-1: to the end), `rowsPerPage` to a
// page at row bases 1500, 1500 + rowHeight, ... The skeleton is drawn
// before the first row and after every page break, and a page is broken
// only when another row follows, so no empty page trails a full one and an
// empty list is one page with the empty skeleton.
void printListPages(Printer &printer, Snapshot &rows, int count, int rowsPerPage, double rowHeight,
                    const std::function<void()> &skeleton, const std::function<void(double y)> &printRow);

// A field of the current row as one line at (x, y); a field with no value
// prints nothing.
void printField(Printer &printer, Snapshot &rows, const QString &field, double x, double y);

// A text at (x, y).
void printAt(Printer &printer, double x, double y, const QString &text);

} // namespace arb
