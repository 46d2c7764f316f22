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
    // Renames the file over the target in one step: for a replacement the
    // user asked for, so that the target's name always holds a whole file.
    // Throws Failure.
    void replaceTarget();
    // Renames the file to another name beside the target, never over an
    // existing file: a file kept with the target, swept with its leftovers.
    void putInPlaceAs(const QString &name);
    // Removes the file with its SQLite companions (-journal, -wal, -shm).
    void remove();

    // Removes what killed earlier runs of command left beside target;
    // returns how many files were removed.
    static int sweep(const QString &target, const QString &command);
    // Every file of a run of command beside target (of this machine or
    // another, running or not), by name; companions left out.
    static QStringList leftovers(const QString &target, const QString &command);
    // The one line a command prints after a sweep that removed something.
    static QString sweptLine(int count);

    // Whether a file or a link (even a dangling or looping one) is at path.
    static bool occupied(const QString &path);
    // Makes the folder a new store goes in; a Failure names why it could not.
    static void makeFolder(const QString &folder);
    // The name to tell the user for path: a temporary's target, else path.
    static QString shownName(const QString &path);

private:
    void place(const QString &to, bool replace);
    QString m_path;
    QString m_target;
    bool m_done = false;
};

} // namespace arb
