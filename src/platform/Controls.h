#pragma once

#include <QColor>
#include <QString>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace arb {

class Cursor;

// The windows' controls, placed in twips as the windows are specified, in
// the windows' default font (not the bold caption font of a frame around
// them). Each window sets what is its own afterwards.

// Places w and gives it the default font.
template<class W>
W *placed(W *w, int left, int top, int width, int height);

// A caption in colour, top-left in its box and wrapped within it; width 0:
// one line as wide as the text.
QLabel *label(QWidget *parent, const QString &text, int left, int top, int width, int height, const QColor &colour);
// A one-line text box that takes a text of any length the store holds, not
// the 32,767 characters a line box takes by default.
QLineEdit *lineBox(QWidget *parent, int left, int top, int width, int height);
// A list that takes typing of any length; what is typed is not added to it.
QComboBox *comboBox(QWidget *parent, int left, int top, int width, int height);
// A several-line text box without scroll bars, wrapping at its width.
QPlainTextEdit *columnBox(QWidget *parent, int left, int top, int width, int height);
// A command button: Enter presses it only while it has the focus.
QPushButton *button(QWidget *parent, const QString &text, int left, int top, int width, int height);
// A frame with a bold caption.
QGroupBox *frame(QWidget *parent, const QString &text, const QColor &back, const QColor &captionColour, int left,
                 int top, int width, int height);
// A line one pixel wide from (x1, y1) to (x2, y2).
QWidget *line(QWidget *parent, int x1, int y1, int x2, int y2, const QColor &colour);

// The arrow buttons ">" and "<": one row on (back), staying on the last
// (first) row rather than passing the end. False at the end already.
bool stepNext(Cursor &rows);
bool stepPrevious(Cursor &rows);

// "Cetak Maklumat" of the record windows: asks first (a No is answered
// "Rekod tak dicetak"), prints, then says where the print went.
void printAfterAsking(QWidget *parent, const std::function<void()> &print);

} // namespace arb

#include "platform/Look.h"
#include "platform/Twips.h"

template<class W>
W *arb::placed(W *w, int left, int top, int width, int height)
{
    place(w, left, top, width, height);
    w->setFont(defaultFont());
    return w;
}
