#include "data/SafetyCopy.h"

#include "data/Connection.h"
#include "data/Locations.h"
#include "data/Schema.h"
#include "data/Temporary.h"
#include "platform/Failure.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace arb {

QStringList storeProblems(Connection &c)
{
    QStringList out;
    if (c.engine() == Connection::Engine::Sqlite) {
        QSqlQuery q = c.exec(QStringLiteral("PRAGMA integrity_check"));
        while (q.next()) {
            const QString line = q.value(0).toString();
            if (line != QLatin1String("ok"))
                out << QStringLiteral("Kerosakan fail: %1").arg(line);
        }
        // A check that could not read to its end has found damage too.
        if (q.lastError().isValid())
            out << QStringLiteral("Kerosakan fail: %1").arg(q.lastError().text());
    }
    out << Schema::problems(c);
    return out;
}

void backupStore(const QString &store, const QString &dest, const QString &command)
{
    const QString source = Locations::resolve(store);
    if (Locations::isServerUrl(source))
        throw Failure(QStringLiteral("Salinan hanya untuk fail SQLite; untuk PostgreSQL gunakan sandaran pelayan (pg_dump)."));
    if (Temporary::occupied(dest))
        throw Failure(QStringLiteral("Fail sudah wujud dan tidak akan ditimpa: %1").arg(dest));
    Connection c(source);
    QDir().mkpath(QFileInfo(dest).absolutePath());
    Temporary temporary(dest, command);
    // One read transaction: the copy is the store as one moment saw it,
    // while other desktops go on writing. SQLite reports a short write.
    c.exec(QStringLiteral("VACUUM INTO ?"), {temporary.path()}, QStringLiteral("Salinan tidak dapat dibuat: %1").arg(dest));
    {
        Connection copy(temporary.path());
        const QStringList problems = storeProblems(copy);
        if (!problems.isEmpty())
            throw Failure(QStringLiteral("Salinan tidak lengkap: %1").arg(dest), problems.join(QLatin1Char(' ')));
    }
    temporary.putInPlace();
}

QString dailyCopyFolder(const QString &store)
{
    return QFileInfo(Locations::resolve(store)).absoluteDir().filePath(QStringLiteral("sandaran"));
}

QString makeDailyCopy(const QString &store, const QDate &today)
{
    if (Locations::isServerUrl(Locations::resolve(store)))
        return {};
    const QDir folder(dailyCopyFolder(store));
    const QString name = QStringLiteral("kontraktor-%1.mdb").arg(today.toString(QStringLiteral("yyyy-MM-dd")));
    const QString path = folder.filePath(name);
    if (Temporary::occupied(path))
        return {};
    Temporary::sweep(path, QStringLiteral("harian"));
    try {
        backupStore(store, path, QStringLiteral("harian"));
    } catch (const Failure &) {
        if (Temporary::occupied(path))
            return {}; // another desktop made the day's copy first
        throw;
    }
    // Keep the last seven days: the names sort by date.
    static const QRegularExpression daily(QStringLiteral("^kontraktor-\\d{4}-\\d{2}-\\d{2}\\.mdb$"));
    QStringList copies;
    for (const QString &n : folder.entryList({QStringLiteral("kontraktor-*.mdb")}, QDir::Files, QDir::Name))
        if (daily.match(n).hasMatch())
            copies << n;
    while (copies.size() > kDailyCopiesKept)
        QFile::remove(folder.filePath(copies.takeFirst()));
    return path;
}

bool storeInUse(const QString &store)
{
    const QString target = QFileInfo(store).canonicalFilePath();
    if (target.isEmpty())
        return false;
    // Programs on this machine: any open descriptor on the file.
    const QDir proc(QStringLiteral("/proc"));
    for (const QString &pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        pid.toLongLong(&number);
        if (!number)
            continue;
        const QDir fds(proc.filePath(pid + QStringLiteral("/fd")));
        for (const QString &fd : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
            if (QFileInfo(fds.filePath(fd)).symLinkTarget() == target)
                return true;
        }
    }
    // Another desktop at work on the shared file holds a lock.
    Connection c(store);
    QSqlQuery q(c.db());
    if (!q.exec(QStringLiteral("PRAGMA busy_timeout = 0")) || !q.exec(QStringLiteral("BEGIN EXCLUSIVE")))
        return true;
    q.exec(QStringLiteral("ROLLBACK"));
    return false;
}

QString restoreStore(const QString &copy, const QString &store, const QDateTime &now)
{
    const QString target = QFileInfo(Locations::resolve(store)).absoluteFilePath();
    if (Locations::isServerUrl(target))
        throw Failure(QStringLiteral("Pemulihan hanya untuk fail SQLite; untuk PostgreSQL gunakan sandaran pelayan."));
    {
        Connection c(copy);
        const QStringList problems = storeProblems(c);
        if (!problems.isEmpty())
            throw Failure(QStringLiteral("Salinan ini rosak atau tidak lengkap dan tidak akan dipulihkan: %1").arg(copy),
                          problems.join(QLatin1Char(' ')));
    }
    const bool present = Temporary::occupied(target);
    if (present && storeInUse(target))
        throw Failure(QStringLiteral("Pangkalan data sedang dibuka oleh program lain: %1\nTutup Aplikasi Rekod Bina di "
                                     "semua komputer, kemudian cuba sekali lagi.")
                          .arg(target));
    // The copy is written whole beside the store before anything is moved.
    Temporary staged(target, QStringLiteral("restore"));
    {
        Connection c(copy);
        c.exec(QStringLiteral("VACUUM INTO ?"), {staged.path()}, QStringLiteral("Salinan tidak dapat dipulihkan: %1").arg(copy));
    }
    QString kept;
    if (present) {
        const QDir dir = QFileInfo(target).absoluteDir();
        kept = dir.filePath(QStringLiteral("kontraktor-replaced-%1.mdb").arg(now.toString(QStringLiteral("yyyyMMdd-HHmmss"))));
        if (Temporary::occupied(kept) || !QFile::rename(target, kept))
            throw Failure(QStringLiteral("Pangkalan data lama tidak dapat disimpan sebagai: %1").arg(kept));
        if (QFileInfo::exists(target + QStringLiteral("-journal")))
            QFile::rename(target + QStringLiteral("-journal"), kept + QStringLiteral("-journal"));
    }
    try {
        staged.putInPlace();
    } catch (...) {
        if (!kept.isEmpty())
            QFile::rename(kept, target);
        throw;
    }
    return kept;
}

} // namespace arb
