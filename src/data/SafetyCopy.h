#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace arb {

class Connection;
class Failure;

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
// <store name>-YYYY-MM-DD.mdb in the folder, and only the last seven of
// this store kept. A file already at that name that is not a whole copy of
// this store is replaced by one, and *notice says so in one line. Returns
// the copy made, or an empty string when the day already has one (or the
// store is on a server). Throws Failure.
QString makeDailyCopy(const QString &store, const QDate &today, QString *notice = nullptr);

// Puts a copy back in place of a store, after checking the copy. Refuses
// while the store is open by any program. The store replaced is kept
// beside it as <store name>-replaced-<time>.mdb, whose path is returned,
// before the copy takes the store's name in one step: the name always
// holds a whole store. A copy that an interrupted restore of this store
// left is put in place itself. Throws Failure.
QString restoreStore(const QString &copy, const QString &store, const QDateTime &now);

// Whether file is the copy an interrupted restore of store left beside it.
bool leftByRestore(const QString &file, const QString &store);

// The failure for a store file that is not there. When an interrupted
// restore left the copy it was putting in place, or the store it replaced,
// it names that file and the command that puts it back.
Failure missingStore(const QString &store);

// Whether a program on this machine holds the file open, or another
// desktop is reading or writing it at this moment.
bool storeInUse(const QString &store);

} // namespace arb
