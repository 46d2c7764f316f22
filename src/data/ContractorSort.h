#pragma once

#include <QHash>
#include <QString>

namespace arb {

class Connection;

// "Susun": rewrites table kontraktor so that its rows, in stored order, run
// in ascending order of the serial of NoDaftar (registrationSerial). Rows
// whose number holds no serial (null, "-", letters) follow all numbered
// rows. Equal serials, and the rows without one, keep their order. Each
// contractor whose place changes takes the id of its new place, its values
// (all fields, nulls, its hidden key) staying with it, in one write
// transaction that also records the sort in the store's history: a failure
// anywhere leaves the table as it was. The ids in use stay the same.
// Returns the number of rows in the register, 0 for an empty one. moves,
// when given, receives where each contractor went: old row id -> new row id.
int sortContractors(Connection &c, QHash<qint64, qint64> *moves = nullptr);
// "Susun" of the program: every open window first stores its pending edits,
// then the sort runs on the process's shared connection to the store, then
// every open window follows its contractor to the row it now lies in.
int sortContractors(const QString &databaseName, QHash<qint64, qint64> *moves = nullptr);

} // namespace arb
