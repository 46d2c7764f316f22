#pragma once

#include <QString>

class QFileDevice;

namespace arb::fs {

// The few file operations whose promise differs between Linux and Windows,
// one file per platform behind this header.

// Pushes what was written to the disk. False, with errno or the last error
// in *error, when the disk refused it.
bool syncFile(QFileDevice &file, QString *error = nullptr);
// Pushes a folder's entries (a new or changed name) to the disk; a no-op
// where the platform syncs names with the file.
void syncFolder(const QString &folder);
// Whether a file or a link (even a dangling one) is at path.
bool occupied(const QString &path);
// Puts from in place of to in one step, replacing to; the old name always
// holds a whole file. False, with the reason in *error, when it did not.
bool replaceFile(const QString &from, const QString &to, QString *error = nullptr);
// Gives the file at existing a second name, never over anything at name.
// False, with the reason in *error, where the folder keeps no such links.
bool linkFile(const QString &existing, const QString &name, QString *error = nullptr);
// Whether a program of this machine holds the file open.
bool openElsewhere(const QString &path);
// Whether a process of this machine with this id still runs.
bool processAlive(qint64 pid);
// Why a file cannot be made at path on this platform (a drive that is not
// there, a character Windows forbids, a path past Windows' 259), as a
// sentence whose %1 takes the name to show; empty when nothing stands in
// the way.
QString pathProblem(const QString &path);
// Standard output and error carry bytes as written: Windows would turn
// each \n into \r\n, which breaks a CSV and a reader of the output.
void binaryStandardStreams();
// The folder of the store when none is named: the user's own on Linux;
// on Windows the old program's D:\kontraktor when drive D: is there.
QString defaultStoreFolder();

} // namespace arb::fs
