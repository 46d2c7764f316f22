#pragma once

#include "Harness.h"

#include <QTextStream>

namespace arb::bench {

struct ServerRun
{
    QString server; // postgresql:// URL of a server the bench may create databases on
    double rttMs = 0;
    int count = 0;
    int history = 0; // entries in the change history
    int reps = 1;
    QStringList only; // groups to run (wantsGroup): windows, susun, copy
    bool wants(const QString &group) const { return wantsGroup(only, group); }
};

// The register's operations on the server through a latency relay: time,
// round trips and bytes read per operation, against the network budgets.
void runOnServer(const ServerRun &run, QTextStream &out, Table &table);

} // namespace arb::bench
