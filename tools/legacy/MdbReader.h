#pragma once

#include "legacy/LegacySink.h"
#include "legacy/LegacyText.h"

#include <QStringList>
#include <memory>

namespace arb::legacy {

// Reads an Access (Jet 3 / Jet 4) file with libmdb, read-only. Every value
// arrives as the text the old program showed: text and memo whole in UTF-8,
// numbers as written, dates as DD.MM.YYYY (with the time when there is
// one), yes/no as True/False, null as null. libmdb can crash on a damaged
// file, so arb-admin runs this in a child process (ReaderProcess).
// Failures throw Failure with a Malay message.
class MdbReader
{
public:
    explicit MdbReader(const QString &path);
    ~MdbReader();
    MdbReader(const MdbReader &) = delete;
    MdbReader &operator=(const MdbReader &) = delete;

    // The user tables, in catalog order.
    QStringList tables() const;
    // One table, matched by name case-insensitively; false when there is none.
    bool read(const QString &table, LegacySink &sink);

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
    QString m_path;
    qint64 m_size = 0;
};

// Puts bounds on this process before it reads a file that may be damaged.
void boundReader(qint64 megabytes);

} // namespace arb::legacy
