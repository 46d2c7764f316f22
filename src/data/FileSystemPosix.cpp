#include "data/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace arb::fs {

namespace {
QString lastError() { return QString::fromLocal8Bit(std::strerror(errno)); }
} // namespace

bool syncFile(QFileDevice &file, QString *error)
{
    errno = 0;
    if (::fsync(file.handle()) == 0)
        return true;
    if (error)
        *error = lastError();
    return false;
}

void syncFolder(const QString &folder)
{
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

bool occupied(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

bool replaceFile(const QString &from, const QString &to, QString *error)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    if (error)
        *error = lastError();
    return false;
}

bool linkFile(const QString &existing, const QString &name, QString *error)
{
    if (::link(QFile::encodeName(existing).constData(), QFile::encodeName(name).constData()) == 0)
        return true;
    if (error)
        *error = lastError();
    return false;
}

bool openElsewhere(const QString &path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    if (target.isEmpty())
        return false;
    // Any open descriptor on the file, in any process we may look at.
    const QDir proc(QStringLiteral("/proc"));
    for (const QString &pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        pid.toLongLong(&number);
        if (!number)
            continue;
        const QDir fds(proc.filePath(pid + QStringLiteral("/fd")));
        for (const QString &fd : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot))
            if (QFileInfo(fds.filePath(fd)).symLinkTarget() == target)
                return true;
    }
    return false;
}

bool processAlive(qint64 pid)
{
    if (pid <= 0)
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

QString pathProblem(const QString &)
{
    return {};
}

void binaryStandardStreams() {}

QString defaultStoreFolder()
{
    return QDir::homePath() + QStringLiteral("/kontraktor");
}

} // namespace arb::fs
