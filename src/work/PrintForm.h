#pragma once

#include <QString>

class QWidget;

namespace arb {

// Prints a window's client area as one page, from the top-left corner of the
// printable area at its size on screen: every shown label and text box draws
// its caption or text at its place, clipped to its box and to the window's
// edges. One print job; printer failures throw Failure.
void printForm(QWidget *window, const QString &jobName);

} // namespace arb
