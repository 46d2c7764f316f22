#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

namespace arb {

// The colours the windows are drawn in.
inline const QColor kDarkBlue(0, 0, 192);
inline const QColor kTeal(0, 64, 64);
inline const QColor kGreen(0, 128, 0);
inline const QColor kYellow(255, 255, 0);
inline const QColor kLightYellow(255, 255, 128);
inline const QColor kPaleYellow(255, 255, 192);
inline const QColor kPink(255, 192, 192);

// Everything the windows need of the application, once, before the first
// window: the fonts, the Malay catalogue, the keyboard.
void installUi();

// Maps the fonts the windows and reports are specified with onto fonts a
// Debian desktop has (Liberation for the Windows faces, DejaVu for Verdana).
void installFontSubstitutes();

// A font by its Windows name, size in points.
QFont uiFont(const QString &family, double points, bool bold = false, bool italic = false);
// The windows' default font: MS Sans Serif 8.25 pt.
QFont defaultFont();

void setBackground(QWidget *w, const QColor &color);
void setForeground(QWidget *w, const QColor &color);

// A text box (line, several lines or a list that takes typing) that shows
// its text but takes none: full contrast on the desktop's read-only
// background, no caret, left out of the Tab order; clicking still selects.
void setReadOnlyBox(QWidget *box, bool readOnly);
bool isReadOnlyBox(const QWidget *box);

// Contrast ratio of two colours (1 to 21), as accessibility guidelines
// measure it from their relative luminance.
double contrast(const QColor &a, const QColor &b);

} // namespace arb
