#pragma once

#include "Harness.h"

#include <QTextStream>
#include <functional>

namespace arb::bench {

struct Context
{
    int reps;
    int count;
    QString store;   // the store in use
    QString base;    // the generated store, copied over store by fresh()
    QString folder;  // for PDFs
    QString arbPath; // the program
    std::function<void()> fresh;
    QTextStream &out;
    QStringList only; // groups to run (wantsGroup)
    double peakMB = 0; // the program's peak resident memory over the groups run

    bool wants(const QString &group) const { return wantsGroup(only, group); }
};

void runOperations(Context &ctx, Table &table);

} // namespace arb::bench
