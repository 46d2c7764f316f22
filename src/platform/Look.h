#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

namespace arb {

// Maps the fonts the windows and reports are specified with onto fonts a
// Debian desktop has (Liberation for the Windows faces, DejaVu for Verdana).
void installFontSubstitutes();

// A font by its Windows name, size in points.
QFont uiFont(const QString &family, double points, bool bold = false, bool italic = false);
// The windows' default font: MS Sans Serif 8.25 pt.
QFont defaultFont();

void setBackground(QWidget *w, const QColor &color);
void setForeground(QWidget *w, const QColor &color);

} // namespace arb
