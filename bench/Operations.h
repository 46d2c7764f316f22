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
    QString only; // run only the groups whose name contains this

    bool wants(const QString &group) const { return only.isEmpty() || group.contains(only); }
};

void runOperations(Context &ctx, Table &table);

} // namespace arb::bench
