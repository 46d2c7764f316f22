#pragma once

#include <QHash>
#include <QString>
#include <optional>

namespace arb {

class Connection;

// "Susun": rewrites table kontraktor so that its rows, in stored order, run
// in ascending order of the serial (the last four characters of NoDaftar,
// rounded to a whole number, halves to even). Equal serials keep their
// order. Every row is rewritten with all 23 fields of its new contractor,
// values exactly as stored, by one UPDATE in one write transaction: a
// failure anywhere leaves the table as it was. Ids stay where they are. A serial that is not a number, or a null in
// NoDaftar or in one of the four fields read as text, stops the sort before
// anything is written; the failure names the registration number.
// Returns the number of rows rewritten, 0 for an empty register. moves, when
// given, receives where each contractor went: old row id -> new row id.
int sortContractors(Connection &c, QHash<qint64, qint64> *moves = nullptr);
// "Susun" of the program: every open window first stores its pending edits,
// then the sort runs over a connection of its own to the named store, then
// every open window follows its contractor to the row it now lies in.
int sortContractors(const QString &databaseName, QHash<qint64, qint64> *moves = nullptr);

// The sort key of a registration number; none when it does not end in a
// number that fits 16 bits.
std::optional<qint16> serialKey(const QString &noDaftar);

} // namespace arb
