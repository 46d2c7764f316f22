#pragma once

#include <QString>
#include <QStringList>

namespace arb {

// A file a command writes beside its target before putting it in place.
// All such files have one name: ".<target name>.<command>-<host>-<pid>.arb-tmp",
// so that a later run of the same command on the same target can tell the
// leftovers of a killed run (their process is gone) from a run still going.
class Temporary
{
public:
    Temporary(const QString &target, const QString &command);
    ~Temporary(); // removes the file unless it was put in place
    Temporary(const Temporary &) = delete;
    Temporary &operator=(const Temporary &) = delete;

    const QString &path() const { return m_path; }
    // Renames the file to the target, never over an existing file or link.
    // Throws Failure.
    void putInPlace();
    // Removes the file with its SQLite companions (-journal, -wal, -shm).
    void remove();

    // Removes what killed earlier runs of command left beside target;
    // returns how many files were removed.
    static int sweep(const QString &target, const QString &command);
    // The one line a command prints after a sweep that removed something.
    static QString sweptLine(int count);

    // Whether a file or a link (even a dangling or looping one) is at path.
    static bool occupied(const QString &path);

private:
    QString m_path;
    QString m_target;
    bool m_done = false;
};

} // namespace arb
