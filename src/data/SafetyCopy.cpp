#include "data/SafetyCopy.h"

#include "data/Connection.h"
#include "data/FileSystem.h"
#include "data/Locations.h"
#include "data/Schema.h"
#include "data/StoreError.h"
#include "data/Temporary.h"
#include "data/Failure.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QtEndian>

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

namespace {

// A name beside a store, made from its own: kontraktor.mdb gives
// kontraktor-<middle>.mdb, so that two stores in one folder never share one.
QString besideName(const QString &store, const QString &middle)
{
    const QFileInfo info(store);
    const QString suffix = info.suffix();
    return info.completeBaseName() + QLatin1Char('-') + middle + (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
}

QRegularExpression besidePattern(const QString &store, const QString &middle)
{
    const QFileInfo info(store);
    const QString suffix = info.suffix();
    return QRegularExpression(QStringLiteral("^%1-%2%3$")
                                  .arg(QRegularExpression::escape(info.completeBaseName()), middle,
                                       suffix.isEmpty() ? QString() : QRegularExpression::escape(QLatin1Char('.') + suffix)));
}

// A daily copy carries the mark of the store it was taken from in SQLite's
// application id, so that a copy of another store under this store's name
// (older versions named every copy kontraktor-DATE.mdb) is told apart.
qint32 copyMark(const QString &store)
{
    const QByteArray name = QFileInfo(store).fileName().toLower().toUtf8();
    const qint32 mark = qFromBigEndian<qint32>(QCryptographicHash::hash(name, QCryptographicHash::Sha1).constData());
    return mark ? mark : 1;
}

// SQLite writes a copy of the store into file, the temporary of shown: a
// full disk or a folder it cannot write names shown, never the store read
// nor the temporary name.
void copyInto(Connection &from, const QString &file, const QString &shown, const QString &message)
{
    QSqlQuery q(from.db());
    if (q.prepare(QStringLiteral("VACUUM INTO ?"))) {
        q.addBindValue(file);
        if (q.exec())
            return;
    }
    const QSqlError error = q.lastError();
    if (storeFault(error) == StoreFault::DiskFull)
        throw outputFailure(shown, error);
    const Failure f = storeFailure(error, from.location(), message, QStringLiteral("VACUUM INTO"));
    throw Failure(f.message(), QString(f.detail()).replace(file, shown));
}

// Writes a checked copy of source to dest, marked when mark is not 0.
void writeCopy(const QString &source, const QString &dest, const QString &command, qint32 mark, bool replace)
{
    Connection c(source);
    QDir().mkpath(QFileInfo(dest).absolutePath());
    Temporary temporary(dest, command);
    // One read transaction: the copy is the store as one moment saw it,
    // while other desktops go on writing. SQLite reports a short write.
    copyInto(c, temporary.path(), dest, QStringLiteral("Salinan tidak dapat dibuat: %1").arg(dest));
    {
        Connection copy(temporary.path());
        if (mark) {
            QSqlQuery q(copy.db());
            if (!q.exec(QStringLiteral("PRAGMA application_id = %1").arg(mark)))
                throw outputFailure(dest, q.lastError());
        }
        const QStringList problems = storeProblems(copy);
        if (!problems.isEmpty())
            throw Failure(QStringLiteral("Salinan tidak lengkap: %1").arg(dest), problems.join(QLatin1Char(' ')));
    }
    if (replace)
        temporary.replaceTarget();
    else
        temporary.putInPlace();
}

// Whether file is a whole copy of the store with this mark.
bool wholeCopy(const QString &file, qint32 mark)
{
    try {
        Connection c(file);
        QSqlQuery q = c.exec(QStringLiteral("PRAGMA application_id"));
        if (!q.next() || q.value(0).toInt() != mark)
            return false;
        q = QSqlQuery();
        return storeProblems(c).isEmpty();
    } catch (const Failure &) {
        return false;
    }
}

// Keeps the store about to be replaced under a second name, while its own
// name still holds it: a second link to the same file, or a whole copy
// where the disk keeps no such links.
QString keepReplaced(const QString &target, const QDateTime &now)
{
    const QDir dir = QFileInfo(target).absoluteDir();
    const QString stamp = QStringLiteral("replaced-") + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString kept = dir.filePath(besideName(target, stamp));
    // Run again within the same second (after an interruption): the next number.
    for (int n = 2; Temporary::occupied(kept) && n < 100; ++n)
        kept = dir.filePath(besideName(target, stamp + QStringLiteral("-%1").arg(n)));
    const QString cannot = QStringLiteral("Pangkalan data lama tidak dapat disimpan sebagai: %1").arg(kept);
    if (Temporary::occupied(kept))
        throw Failure(cannot);
    if (!fs::linkFile(target, kept)) {
        Temporary copy(target, QStringLiteral("replaced"));
        QFile from(target), to(copy.path());
        if (!from.open(QIODevice::ReadOnly))
            throw Failure(cannot, from.errorString());
        if (!to.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            throw outputFailure(kept, to.errorString());
        while (!from.atEnd()) {
            const QByteArray block = from.read(1 << 20);
            if (block.isEmpty() && from.error() != QFileDevice::NoError)
                throw Failure(cannot, from.errorString());
            if (to.write(block) != block.size())
                throw outputFailure(kept, to.errorString());
        }
        if (!to.flush())
            throw outputFailure(kept, to.errorString());
        to.close();
        copy.putInPlaceAs(kept);
    }
    // A journal the store still has belongs with it.
    const QString journal = target + QStringLiteral("-journal");
    if (Temporary::occupied(journal))
        QFile::rename(journal, kept + QStringLiteral("-journal"));
    fs::syncFolder(dir.path());
    return kept;
}

// The copy an interrupted restore left, whole and checked: put in place as
// that restore would have.
void finishRestore(const QString &staged, const QString &target, bool replace)
{
    {
        QFile file(staged);
        QString error;
        if (!file.open(QIODevice::ReadWrite))
            throw outputFailure(target, file.errorString());
        if (!fs::syncFile(file, &error))
            throw outputFailure(target, error);
    }
    QString error;
    QFile file(staged);
    if (replace ? !fs::replaceFile(staged, target, &error) : !file.rename(target))
        throw Failure(QStringLiteral("Fail tidak dapat diletakkan di tempatnya: %1").arg(target),
                      replace ? error : file.errorString());
    fs::syncFolder(QFileInfo(target).absolutePath());
}

} // namespace

void backupStore(const QString &store, const QString &dest, const QString &command)
{
    const QString source = Locations::resolve(store);
    if (Locations::isServerUrl(source))
        throw Failure(QStringLiteral("Salinan hanya untuk fail SQLite; untuk PostgreSQL gunakan sandaran pelayan (pg_dump)."));
    if (Temporary::occupied(dest))
        throw fileExists(dest);
    writeCopy(source, dest, command, 0, false);
}

QString dailyCopyFolder(const QString &store)
{
    return QFileInfo(Locations::resolve(store)).absoluteDir().filePath(QStringLiteral("sandaran"));
}

QString makeDailyCopy(const QString &store, const QDate &today, QString *notice)
{
    const QString source = Locations::resolve(store);
    if (Locations::isServerUrl(source))
        return {};
    const QDir folder(dailyCopyFolder(source));
    const QString path = folder.filePath(besideName(source, today.toString(QStringLiteral("yyyy-MM-dd"))));
    const qint32 mark = copyMark(source);
    bool replace = false;
    if (Temporary::occupied(path)) {
        if (wholeCopy(path, mark))
            return {};
        // Not this store's whole copy of the day: a copy of another store,
        // a cut or damaged file. Only a plain file is replaced.
        const QFileInfo taken(path);
        if (taken.isSymLink() || !taken.isFile())
            throw Failure(QStringLiteral("Nama salinan harian sudah digunakan, bukan oleh salinan: %1").arg(path));
        replace = true;
    }
    Temporary::sweep(path, QStringLiteral("harian"));
    try {
        writeCopy(source, path, QStringLiteral("harian"), mark, replace);
    } catch (const Failure &) {
        if (!replace && Temporary::occupied(path))
            return {}; // another desktop made the day's copy first
        throw;
    }
    if (replace && notice)
        *notice = QStringLiteral("Salinan harian diganti dengan salinan lengkap pangkalan data ini; fail yang memakai "
                                 "namanya bukan salinan lengkapnya: %1")
                      .arg(path);
    // Keep this store's last seven days: the names sort by date.
    const QRegularExpression daily = besidePattern(source, QStringLiteral("\\d{4}-\\d{2}-\\d{2}"));
    QStringList copies;
    for (const QString &n : folder.entryList(QDir::Files, QDir::Name))
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
    // Programs on this machine.
    if (fs::openElsewhere(target))
        return true;
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
    if (leftByRestore(copy, target)) {
        const QString kept = present ? keepReplaced(target, now) : QString();
        finishRestore(QFileInfo(copy).absoluteFilePath(), target, present);
        return kept;
    }
    // The copy is written whole beside the store before anything is moved.
    Temporary staged(target, QStringLiteral("restore"));
    {
        Connection c(copy);
        copyInto(c, staged.path(), target, QStringLiteral("Salinan %1 tidak dapat dipulihkan ke: %2").arg(copy, target));
    }
    if (!present) {
        staged.putInPlace();
        return {};
    }
    const QString kept = keepReplaced(target, now);
    staged.replaceTarget();
    return kept;
}

bool leftByRestore(const QString &file, const QString &store)
{
    const QString target = QFileInfo(Locations::resolve(store)).absoluteFilePath();
    return Temporary::leftovers(target, QStringLiteral("restore")).contains(QFileInfo(file).absoluteFilePath());
}

Failure missingStore(const QString &store)
{
    const QString message = QStringLiteral("Fail pangkalan data tidak dijumpai: %1").arg(store);
    // Never advise an empty register while an interrupted restore left one.
    const QStringList staged = Temporary::leftovers(store, QStringLiteral("restore"));
    if (!staged.isEmpty())
        return Failure(message, QStringLiteral("Pemulihan yang terhenti meninggalkan salinan yang sedang dipulihkan: %1. "
                                               "Selesaikan pemulihan dengan: arb-admin restore \"%1\" \"%2\"")
                                    .arg(staged.last(), store));
    // The store an interrupted restore put aside; older versions named it
    // kontraktor-replaced-<time>.mdb whatever the store.
    const QDir dir = QFileInfo(store).absoluteDir();
    for (const QString &of : {store, dir.filePath(QStringLiteral("kontraktor.mdb"))}) {
        const QRegularExpression replaced = besidePattern(of, QStringLiteral("replaced-\\d{8}-\\d{6}(-\\d+)?"));
        QStringList kept;
        for (const QString &n : dir.entryList(QDir::Files, QDir::Name))
            if (replaced.match(n).hasMatch())
                kept << dir.filePath(n);
        if (!kept.isEmpty())
            return Failure(message, QStringLiteral("Pangkalan data yang diganti oleh pemulihan disimpan sebagai: %1. "
                                                   "Letakkan semula dengan: arb-admin restore \"%1\" \"%2\"")
                                        .arg(kept.last(), store));
    }
    return Failure(message, QStringLiteral("Cipta pangkalan data baru dengan: arb-admin init \"%1\"").arg(store));
}

} // namespace arb
