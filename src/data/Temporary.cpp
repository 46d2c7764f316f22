#include "data/Temporary.h"

#include "data/FileSystem.h"
#include "data/StoreError.h"
#include "data/Failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>

namespace arb {

namespace {
const QString kSuffix = QStringLiteral(".arb-tmp");
const QStringList kCompanions{QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")};

// A folder may be shared by several desktops: a run is told by its
// machine and process, and only this machine's runs can be seen to be gone.
QString host()
{
    static const QString name = [] {
        QString n = QSysInfo::machineHostName();
        n.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]")), QStringLiteral("_"));
        return n.isEmpty() ? QStringLiteral("komputer") : n;
    }();
    return name;
}
} // namespace

void Temporary::makeFolder(const QString &folder)
{
    if (const QString why = fs::pathProblem(folder); !why.isEmpty())
        throw Failure(why.arg(QDir::toNativeSeparators(folder)));
    if (!QDir().mkpath(folder))
        throw Failure(QStringLiteral("Folder tidak dapat dicipta: %1").arg(QDir::toNativeSeparators(folder)));
}

bool Temporary::occupied(const QString &path)
{
    return fs::occupied(path);
}

Temporary::Temporary(const QString &target, const QString &command)
    : m_target(QFileInfo(target).absoluteFilePath())
{
    const QFileInfo info(m_target);
    m_path = info.absoluteDir().filePath(QStringLiteral(".%1.%2-%3-%4%5")
                                             .arg(info.fileName(), command, host())
                                             .arg(QCoreApplication::applicationPid())
                                             .arg(kSuffix));
    // Said before anything is made, naming the target, never the hidden name.
    if (const QString why = fs::pathProblem(m_path); !why.isEmpty())
        throw Failure(why.arg(QDir::toNativeSeparators(m_target)));
    remove(); // a name reused from a dead run of the same pid
}

Temporary::~Temporary()
{
    if (!m_done)
        remove();
}

void Temporary::remove()
{
    for (const QString &c : kCompanions)
        QFile::remove(m_path + c);
}

void Temporary::putInPlace()
{
    place(m_target, false);
}

void Temporary::replaceTarget()
{
    place(m_target, true);
}

void Temporary::putInPlaceAs(const QString &name)
{
    place(QFileInfo(name).absoluteFilePath(), false);
}

void Temporary::place(const QString &to, bool replace)
{
    if (!replace && occupied(to))
        throw fileExists(to);
    // The last byte on the disk before the name says the file is complete.
    {
        QFile written(m_path);
        QString error;
        if (!written.open(QIODevice::ReadWrite))
            throw outputFailure(to, written.errorString());
        if (!fs::syncFile(written, &error))
            throw outputFailure(to, error);
    }
    if (replace) {
        QString error;
        if (!fs::replaceFile(m_path, to, &error))
            throw Failure(QStringLiteral("Fail tidak dapat diletakkan di tempatnya: %1").arg(to), error);
    } else {
        QFile file(m_path);
        if (!file.rename(to))
            throw Failure(QStringLiteral("Fail tidak dapat diletakkan di tempatnya: %1").arg(to), file.errorString());
    }
    for (const QString &c : kCompanions.mid(1))
        QFile::remove(m_path + c);
    m_done = true;
    // And the new name itself on the disk.
    fs::syncFolder(QFileInfo(to).absolutePath());
}

QString Temporary::shownName(const QString &path)
{
    static const QRegularExpression temporary(
        QStringLiteral("^\\.(.+)\\.[a-z]+-[^./]+-\\d+%1$").arg(QRegularExpression::escape(kSuffix)));
    const QString name = QFileInfo(path).fileName();
    const QRegularExpressionMatch m = temporary.match(name);
    return m.hasMatch() ? path.chopped(name.size()) + m.captured(1) : path;
}

int Temporary::sweep(const QString &target, const QString &command)
{
    const QFileInfo info(QFileInfo(target).absoluteFilePath());
    const QDir dir = info.absoluteDir();
    const QRegularExpression pattern(QStringLiteral("^\\.%1\\.%2-%3-(\\d+)%4(-journal|-wal|-shm)?$")
                                         .arg(QRegularExpression::escape(info.fileName()), QRegularExpression::escape(command),
                                              QRegularExpression::escape(host()), QRegularExpression::escape(kSuffix)));
    int removed = 0;
    const QStringList names = dir.entryList({QStringLiteral(".*") + kSuffix + QLatin1Char('*')},
                                            QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const QRegularExpressionMatch m = pattern.match(name);
        if (!m.hasMatch())
            continue;
        const qint64 pid = m.captured(1).toLongLong();
        if (pid == QCoreApplication::applicationPid() || fs::processAlive(pid))
            continue;
        if (QFile::remove(dir.filePath(name)))
            ++removed;
    }
    return removed;
}

QStringList Temporary::leftovers(const QString &target, const QString &command)
{
    const QFileInfo info(QFileInfo(target).absoluteFilePath());
    const QDir dir = info.absoluteDir();
    const QRegularExpression pattern(QStringLiteral("^\\.%1\\.%2-[^./]+-\\d+%3$")
                                         .arg(QRegularExpression::escape(info.fileName()), QRegularExpression::escape(command),
                                              QRegularExpression::escape(kSuffix)));
    QStringList found;
    const QStringList names = dir.entryList({QStringLiteral(".*") + kSuffix}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &name : names)
        if (pattern.match(name).hasMatch())
            found << dir.filePath(name);
    return found;
}

QString Temporary::sweptLine(int count)
{
    return QStringLiteral("Dibuang %1 fail sementara yang ditinggalkan oleh larian terdahulu yang terhenti.").arg(count);
}

} // namespace arb
