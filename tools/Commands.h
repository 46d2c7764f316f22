#pragma once

#include <QStringList>
#include <QTextStream>
#include <QVariant>

namespace arb {
class Connection;
class Failure;
}

namespace arb::admin {

// Each command takes its own arguments (after the command word) and returns
// the exit status. Messages go to out (results) and err (failures), in Malay.
struct Io
{
    QTextStream &out;
    QTextStream &err;
};

// The password of a new store, and of an import whose old file has none.
inline const QString kDefaultPassword = QStringLiteral("abc123");

int init(const QStringList &args, Io io);
int copy(const QStringList &args, Io io);
int importMdb(const QStringList &args, Io io);
int exportCsv(const QStringList &args, Io io);
int backup(const QStringList &args, Io io);
int check(const QStringList &args, Io io);
int restore(const QStringList &args, Io io);
int history(const QStringList &args, Io io);
// The reader child of import-mdb: frames on stdout.
int readMdb(const QStringList &args);

// Writes the failure on err; returns the exit status of a failed command.
int fail(Io io, const Failure &f);
// Removes what a killed earlier run of command left beside target, saying so.
void sweepLeftovers(const QString &target, const QString &command, Io io);
// One CSV field, quoted when it must be; null as nothing.
QString csvField(const QVariant &value);

} // namespace arb::admin
