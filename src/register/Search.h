#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace arb {

class DataControl;

// Entries of the search mode list, by index; -1 (typed text) compares nothing.
inline constexpr int kSearchByNumber = 0;
inline constexpr int kSearchByName = 1;

// The contractor search of the record windows. Walks a snapshot of table
// kontraktor from its first row and stands the window's data control on the
// same record at every step (by row id, so a record registered since the
// window opened is found and shown), and asks "Teruskan?" at each match. It
// ends on the match answered No, or on the last row after "Tiada data".
// Message boxes go to window.
void searchContractors(QWidget *window, const QString &word, int mode, DataControl &position,
                       const std::function<void()> &refresh = {});

} // namespace arb
