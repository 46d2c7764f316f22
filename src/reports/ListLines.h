#pragma once

#include <QString>
#include <QStringList>

namespace arb {

// How the contractor list fits a name into two lines and an address into
// four of its narrow columns.

// Name line 1 and name line 2: a name of up to 29 characters stays whole (a
// blank for line 2); a longer one is cut after the first blank from
// character 20 on, or after character 19 when there is none. Line 2 is not
// shortened further.
QStringList nameLines(const QString &name);

// Address lines 1 to 4, cut after the first blank from character 15 on;
// a remainder without such a blank is one line; text past line four is
// dropped.
QStringList addressLines(const QString &address);

// Line breaks of a stored text as blanks: the list columns hold one line of
// text each, and a break inside Print would start at the page's left edge.
QString asOneLine(const QString &text);

} // namespace arb
