#pragma once

#include <QString>
#include <QStringList>

namespace arb {

class Connection;

// The change history the store keeps of table kontraktor. Triggers in the
// store write one entry per changed field of every insert, update and
// delete, whoever writes (the program, another desktop, sqlite3, psql).
// Each contractor carries a hidden key (column kunci) that stays with it
// when "Susun" gives it another row.
//
// Who wrote: on a server the login role and the connection's
// application_name (the program sets it to program@computer). SQLite has no
// sessions, so the program puts its user and computer into the one-row
// table sejarah_sesi at the start of each of its write transactions and
// takes it out before the commit; a writer outside the program finds it
// empty and shows as unknown.
//
// SQLite entries are sealed in a hash chain: each entry's cincang is the
// SHA-256 of the entry before it (its cincang) and its own fields. Triggers
// cannot compute it portably (sqlite3 has no such function), so the program
// seals every entry still unsealed at the end of each of its write
// transactions. Entries written outside the program stay unsealed until
// then; an unsealed entry that claims the program as its writer, a sealed
// one after an unsealed one, or a seal that does not match shows a hand edit.
namespace History {

inline const QString kTable = QStringLiteral("sejarah");
inline const QString kSessionTable = QStringLiteral("sejarah_sesi");
// The hidden key of a contractor: never shown, searched, sorted by or printed.
inline const QString kKey = QStringLiteral("kunci");

// The actions an entry records.
inline const QString kRegistered = QStringLiteral("Didaftar");
inline const QString kChanged = QStringLiteral("Diubah");
inline const QString kDeleted = QStringLiteral("Dipadam");
inline const QString kRestored = QStringLiteral("Dipulihkan");
inline const QString kImported = QStringLiteral("Dibawa masuk");
inline const QString kSorted = QStringLiteral("Susun");

// DDL of the key column in CREATE TABLE kontraktor.
QString keyColumn(const Connection &c);
// The history tables and their indexes, inside the caller's transaction.
void createTables(Connection &c);
// The triggers, once the tables hold what they should (a copy loads rows
// first, so that they are not recorded as registered anew).
void createTriggers(Connection &c);
// Rows without a key get one.
void fillKeys(Connection &c);

// Whether the store has the key column (a store made before has not).
bool installed(Connection &c);
// A store made before the history gets the key, the tables and the
// triggers, in one transaction; another desktop doing the same at the same
// moment is waited for. Throws Failure.
void prepare(Connection &c);

// Connection::write calls these: at its start (and again once the tables
// exist, for a new store), and before its commit.
void beginWrite(Connection &c);
void endWrite(Connection &c);

// The action recorded for the writes of c while it lives, in place of the
// plain registered or changed: kRestored, kImported.
class Action
{
public:
    Action(Connection &c, const QString &action);
    ~Action();
    Action(const Action &) = delete;
    Action &operator=(const Action &) = delete;

private:
    Connection &m_c;
    QString m_before;
};

// Inside the sort's transaction: its one entry, with the rows whose place changed.
void recordSort(Connection &c, int moved);
// The INSERT of that entry, the count its one value: a server takes it in
// the same statement as the sort's.
QString sortEntry(const Connection &c);

// The hash chain of a SQLite store, checked from the first entry.
struct Chain
{
    qint64 entries = 0;
    qint64 unsealed = 0;  // at the end, written outside the program
    qint64 firstBad = -1; // the first entry changed or removed
    QString fault;        // what was found there; empty when sound
};
Chain verifyChain(Connection &c);

// What is wrong with the history of a store that has one: tables,
// triggers, keys, and on SQLite the chain. Empty when sound.
QStringList problems(Connection &c, Chain *chain = nullptr);

} // namespace History
} // namespace arb
