#pragma once

#include <QMap>
#include <QString>

namespace arb {

// Copies a whole store (three tables, rows in stored order) into a new one,
// from either engine to either engine, all or nothing: a new file is written
// under a temporary name and renamed into place at the end; on a server the
// tables and rows are created in one transaction. Refuses a destination that
// exists (a file) or already holds the tables (a server database). Returns
// the rows copied per table; throws Failure.
QMap<QString, int> copyStore(const QString &source, const QString &destination);

} // namespace arb
