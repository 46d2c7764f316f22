#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace arb {

class Connection;

// Damage (SQLite integrity) and the tables and fields the program needs;
// empty when sound.
QStringList storeProblems(Connection &c);

// A consistent copy of a SQLite store, taken while others go on working:
// one read transaction writes it under a temporary name beside dest, the
// copy is checked, then put in place. Never overwrites dest. Throws Failure.
void backupStore(const QString &store, const QString &dest, const QString &command = QStringLiteral("backup"));

// The folder of daily copies beside a store, and the number kept.
QString dailyCopyFolder(const QString &store);
inline constexpr int kDailyCopiesKept = 7;

// The first time a SQLite store is opened on a day: the copy of that day,
// kontraktor-YYYY-MM-DD.mdb in the folder, and only the last seven kept.
// Returns the copy made, or an empty string when the day already has one
// (or the store is on a server). Throws Failure.
QString makeDailyCopy(const QString &store, const QDate &today);

// Puts a copy back in place of a store, after checking the copy. Refuses
// while the store is open by any program; the store replaced is kept
// beside it as kontraktor-replaced-<time>.mdb, whose path is returned.
// Throws Failure.
QString restoreStore(const QString &copy, const QString &store, const QDateTime &now);

// Whether a program on this machine holds the file open, or another
// desktop is reading or writing it at this moment.
bool storeInUse(const QString &store);

} // namespace arb
