#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace arb {

class Cursor;

// Entries of the search mode list, by index; -1 (typed text) compares nothing.
inline constexpr int kSearchByNumber = 0;
inline constexpr int kSearchByName = 1;

// The contractor search of the record windows. Walks a snapshot of table
// kontraktor from its first row and moves the window's position in step,
// calling refresh after every move, and asks "Teruskan?" at each match. It
// ends on the match answered No, or on the last row after "Tiada data".
// Message boxes go to window.
void searchContractors(QWidget *window, const QString &word, int mode, Cursor &position,
                       const std::function<void()> &refresh = {});

} // namespace arb
