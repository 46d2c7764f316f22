#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace arb {

class DataControl;

// Entries of the search mode list, by index; -1 (typed text) compares nothing.
inline constexpr int kSearchByNumber = 0;
inline constexpr int kSearchByName = 1;

// The contractor search of the record windows. Compares the rows of table
// kontraktor as they were when it started, from the first in stored order,
// and asks "Teruskan?" at each match with the window's data control on that
// record (by row id, so a record registered since the window opened is found
// and shown). It ends on the match answered No, or on the last row after
// "Tiada data". Message boxes go to window.
void searchContractors(QWidget *window, const QString &word, int mode, DataControl &position,
                       const std::function<void()> &refresh = {});

} // namespace arb
