#pragma once

#include <QString>

namespace arb {

class Connection;

// "Susun": rewrites table kontraktor so that its rows, in stored order, run
// in ascending order of the serial of NoDaftar (registrationSerial). Rows
// whose number holds no serial (null, "-", letters) follow all numbered
// rows. Equal serials, and the rows without one, keep their order. Every row
// is rewritten with all 23 fields of its new contractor, values exactly as
// stored, nulls included, by one UPDATE in one write transaction: a failure
// anywhere leaves the table as it was. Ids stay where they are.
// Returns the number of rows rewritten, 0 for an empty register.
int sortContractors(Connection &c);
// The same over a connection of its own to the named store.
int sortContractors(const QString &databaseName);

} // namespace arb
