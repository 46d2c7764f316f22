#pragma once

#include "legacy/LegacySink.h"

#include <QStringList>

class QIODevice;

namespace arb::legacy {

// The hidden arb-admin command that runs the reader in a child process.
inline const QString kReaderCommand = QStringLiteral("_baca-mdb");

// Child side: reads the named tables (all when none are named) of an Access
// file and writes them as frames to out. Returns the exit status.
int runReader(const QString &path, const QStringList &tables, QIODevice &out);

// Parent side: checks the file, starts `program _baca-mdb PATH TABLES...`
// and feeds what it reads to the sink. A reader that crashes, hangs or
// stops early throws Failure; so does a file that is not an Access file.
void readInChild(const QString &program, const QString &path, const QStringList &tables, LegacySink &sink);

} // namespace arb::legacy
