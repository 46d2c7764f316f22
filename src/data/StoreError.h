#pragma once

#include "data/Failure.h"

#include <QString>

class QSqlError;
class QSqlQuery;

namespace arb {

// Why the store refused: each cause has its own sentence for the clerk.
enum class StoreFault { Other, InUse, NotAStore, Damaged, DiskFull };

StoreFault storeFault(const QSqlError &error);

// The failure for an error of the store at location. A cause the clerk can
// act on (in use, not a store, damaged, disk full) gets its own sentence;
// anything else gets fallback. The engine's text and the statement go in
// the detail.
Failure storeFailure(const QSqlError &error, const QString &location, const QString &fallback,
                     const QString &statement = {});

// The damaged-store failure, also for damage found other than by an error.
Failure damagedStore(const QString &location, const QString &detail = {});

// Ends a read of every row: next() returns false both at the end and on an
// error, so a read that stopped on an error throws instead of passing for a
// shorter register.
void requireWholeRead(const QSqlQuery &query, const QString &location);

// A file (or link) already at path, which is never written over.
Failure fileExists(const QString &path);

// The failure for a file (not the store) that could not be written to its
// end: "disk full" for a full disk, the system's own reason otherwise. A
// partial file of ours has been removed; standard output is not ours to
// remove, so it is said to be incomplete instead.
enum class PartialOutput { Removed, Incomplete };
Failure outputFailure(const QString &path, const QString &reason, PartialOutput partial = PartialOutput::Removed);
// The same for a file the engine wrote (a copy of the store).
Failure outputFailure(const QString &path, const QSqlError &error);

} // namespace arb
