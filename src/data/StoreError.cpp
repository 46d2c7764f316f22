#include "data/StoreError.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <cerrno>
#include <cstring>

namespace arb {

StoreFault storeFault(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    bool number = false;
    const int sqlite = code.toInt(&number) & 0xff; // extended codes keep the primary in the low byte
    if (number && code.size() < 5) {
        switch (sqlite) {
        case 5: // SQLITE_BUSY
        case 6: // SQLITE_LOCKED
            return StoreFault::InUse;
        case 11: // SQLITE_CORRUPT
            return StoreFault::Damaged;
        case 13: // SQLITE_FULL
            return StoreFault::DiskFull;
        case 26: // SQLITE_NOTADB
            return StoreFault::NotAStore;
        default:
            return StoreFault::Other;
        }
    }
    // PostgreSQL SQLSTATE.
    if (code == QLatin1String("55P03") || code == QLatin1String("40P01") || code == QLatin1String("55006"))
        return StoreFault::InUse;
    if (code == QLatin1String("XX001") || code == QLatin1String("XX002"))
        return StoreFault::Damaged;
    if (code == QLatin1String("53100"))
        return StoreFault::DiskFull;
    return StoreFault::Other;
}

Failure damagedStore(const QString &location, const QString &detail)
{
    return Failure(QStringLiteral("Pangkalan data rosak: %1\nSebahagian daftar tidak dapat dibaca, jadi tindakan ini "
                                  "dihentikan. Semak dengan: arb-admin check \"%1\"")
                       .arg(location),
                   detail);
}

Failure storeFailure(const QSqlError &error, const QString &location, const QString &fallback, const QString &statement)
{
    QString detail = error.text();
    if (!statement.isEmpty())
        detail += QStringLiteral(" [") + statement + QLatin1Char(']');
    switch (storeFault(error)) {
    case StoreFault::InUse:
        return Failure(QStringLiteral("Pangkalan data sedang digunakan oleh komputer lain: %1\nCuba sekali lagi sebentar lagi.")
                           .arg(location),
                       detail);
    case StoreFault::NotAStore:
        return Failure(QStringLiteral("Fail ini bukan pangkalan data aplikasi ini: %1").arg(location), detail);
    case StoreFault::Damaged:
        return damagedStore(location, detail);
    case StoreFault::DiskFull:
        return Failure(QStringLiteral("Cakera penuh: pangkalan data tidak dapat ditulis: %1\nKosongkan ruang cakera, "
                                      "kemudian cuba sekali lagi. Tiada perubahan disimpan.")
                           .arg(location),
                       detail);
    case StoreFault::Other:
        break;
    }
    return Failure(fallback, detail);
}

void requireWholeRead(const QSqlQuery &query, const QString &location)
{
    const QSqlError error = query.lastError();
    if (error.type() == QSqlError::NoError)
        return;
    const Failure f = storeFailure(error, location, QString(), query.lastQuery());
    // An error that stops a whole read of a file leaves rows unread: the
    // file is damaged, never a shorter register.
    if (storeFault(error) == StoreFault::Other) {
        if (query.driver() && query.driver()->dbmsType() == QSqlDriver::SQLite)
            throw damagedStore(location, f.detail());
        throw Failure(QStringLiteral("Pangkalan data tidak dapat dibaca hingga habis: %1\nTindakan ini dihentikan; "
                                     "cuba sekali lagi, atau semak dengan: arb-admin check \"%1\"")
                          .arg(location),
                      f.detail());
    }
    throw f;
}

namespace {
Failure unwritten(const QString &path, const QString &reason, bool full, PartialOutput partial)
{
    const QString after = partial == PartialOutput::Removed ? QStringLiteral("Fail separuh itu telah dibuang.")
                                                            : QStringLiteral("Output yang telah ditulis tidak lengkap.");
    if (full)
        return Failure(QStringLiteral("Cakera penuh: fail tidak dapat ditulis sepenuhnya: %1\n%2").arg(path, after), reason);
    return Failure(QStringLiteral("Fail tidak dapat ditulis sepenuhnya: %1 (%2)\n%3").arg(path, reason, after), reason);
}
} // namespace

Failure outputFailure(const QString &path, const QString &reason, PartialOutput partial)
{
    const QString full = QString::fromLocal8Bit(std::strerror(ENOSPC));
    return unwritten(path, reason, reason.contains(full, Qt::CaseInsensitive), partial);
}

Failure outputFailure(const QString &path, const QSqlError &error)
{
    return unwritten(path, error.text(), storeFault(error) == StoreFault::DiskFull, PartialOutput::Removed);
}

Failure fileExists(const QString &path)
{
    return Failure(QStringLiteral("Fail sudah wujud dan tidak akan ditimpa: %1").arg(path));
}

} // namespace arb
