#pragma once

#include <QStringList>
#include <QTextStream>

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

} // namespace arb::admin
