#pragma once

#include <QStringList>
#include <QTextStream>
#include <QVariant>

namespace arb {
class Connection;
}

namespace arb::admin {

// Each command takes its own arguments (after the command word) and returns
// the exit status. Messages go to out (results) and err (failures), in Malay.
struct Io
{
    QTextStream &out;
    QTextStream &err;
};

int init(const QStringList &args, Io io);
int copy(const QStringList &args, Io io);
int importMdb(const QStringList &args, Io io);
int exportCsv(const QStringList &args, Io io);
int backup(const QStringList &args, Io io);
int check(const QStringList &args, Io io);
// The reader child of import-mdb: frames on stdout.
int readMdb(const QStringList &args);

// Integrity (SQLite) and the tables and fields the program needs; empty when sound.
QStringList storeProblems(Connection &c);
// One CSV field, quoted when it must be; null as nothing.
QString csvField(const QVariant &value);

} // namespace arb::admin
