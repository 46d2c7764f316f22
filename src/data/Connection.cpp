#include "data/Connection.h"

#include "data/Locations.h"
#include "data/StoreError.h"
#include "platform/Failure.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <QUrl>
#include <atomic>

namespace arb {

namespace {
QString nextName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("arb-%1").arg(++counter);
}

const QString kCannotRead = QStringLiteral("Pangkalan data tidak dapat dibaca atau ditulis.");
} // namespace

bool Connection::looksLikeAccessFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(32);
    return head.mid(4, 15) == "Standard Jet DB" || head.mid(4, 15) == "Standard ACE DB";
}

Connection::Connection(const QString &location)
{
    openDatabase(location, true);
}

std::unique_ptr<Connection> Connection::create(const QString &location)
{
    std::unique_ptr<Connection> c(new Connection());
    c->openDatabase(location, false);
    return c;
}

void Connection::openDatabase(const QString &location, bool mustExist)
{
    m_location = Locations::resolve(location);
    m_name = nextName();
    if (Locations::isServerUrl(m_location)) {
        m_engine = Engine::Postgres;
        const QUrl url(m_location);
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        m_db.setHostName(url.host().isEmpty() ? QStringLiteral("localhost") : url.host());
        m_db.setPort(url.port(5432));
        m_db.setUserName(url.userName());
        if (!url.password().isEmpty())
            m_db.setPassword(url.password());
        m_db.setDatabaseName(url.path().mid(1));
        m_db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    } else {
        m_engine = Engine::Sqlite;
        const QFileInfo info(m_location);
        if (mustExist && !info.exists())
            throw Failure(QStringLiteral("Fail pangkalan data tidak dijumpai: %1").arg(m_location),
                          QStringLiteral("Cipta pangkalan data baru dengan: arb-admin init \"%1\"").arg(m_location));
        if (!mustExist && info.exists())
            throw Failure(QStringLiteral("Fail sudah wujud dan tidak akan ditimpa: %1").arg(m_location));
        if (mustExist && looksLikeAccessFile(m_location))
            throw Failure(QStringLiteral("Fail ini ialah pangkalan data Access lama, bukan pangkalan data aplikasi ini: %1")
                              .arg(m_location),
                          QStringLiteral("Bawa masuk datanya dengan: arb-admin import-mdb \"%1\" FAIL_BARU").arg(m_location));
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(m_location);
        // Another desktop may hold the file for a moment: wait, do not fail.
        m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    }
    if (!m_db.open()) {
        const Failure f = storeFailure(m_db.lastError(), m_location,
                                       QStringLiteral("Pangkalan data tidak dapat dibuka: %1").arg(m_location));
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw f;
    }
    if (m_engine == Engine::Sqlite) {
        // A file that is not a database only fails at its first read.
        QSqlQuery q(m_db);
        if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            const Failure f = storeFailure(q.lastError(), m_location,
                                           QStringLiteral("Fail ini bukan pangkalan data aplikasi ini: %1").arg(m_location));
            q = QSqlQuery();
            m_db.close();
            m_db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_name);
            throw f;
        }
    }
}

Connection::~Connection()
{
    if (m_db.isValid())
        m_db.close();
    m_db = QSqlDatabase();
    if (!m_name.isEmpty())
        QSqlDatabase::removeDatabase(m_name);
}

QSqlQuery Connection::prepare(const QString &sql)
{
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw storeFailure(q.lastError(), m_location, kCannotRead, sql);
    return q;
}

void Connection::run(QSqlQuery &q, const QVariantList &values, const QString &message)
{
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values.at(i));
    if (!q.exec())
        throw storeFailure(q.lastError(), m_location, message.isEmpty() ? kCannotRead : message, q.lastQuery());
}

QSqlQuery Connection::exec(const QString &sql, const QVariantList &values, const QString &message)
{
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (values.isEmpty()) {
        if (!q.exec(sql))
            throw storeFailure(q.lastError(), m_location, message.isEmpty() ? kCannotRead : message, sql);
        return q;
    }
    if (!q.prepare(sql))
        throw storeFailure(q.lastError(), m_location, message.isEmpty() ? kCannotRead : message, sql);
    run(q, values, message);
    return q;
}

void Connection::write(const std::function<void()> &body)
{
    if (m_engine == Engine::Sqlite)
        exec(QStringLiteral("BEGIN IMMEDIATE")); // a lock held too long gets the in-use sentence
    else if (!m_db.transaction())
        throw storeFailure(m_db.lastError(), m_location, kCannotRead);
    try {
        body();
    } catch (...) {
        if (m_engine == Engine::Sqlite) {
            QSqlQuery q(m_db);
            q.exec(QStringLiteral("ROLLBACK"));
        } else {
            m_db.rollback();
        }
        throw;
    }
    if (m_engine == Engine::Sqlite)
        exec(QStringLiteral("COMMIT"));
    else if (!m_db.commit())
        throw storeFailure(m_db.lastError(), m_location, kCannotRead);
}

void Connection::lockTable(const QString &table)
{
    // Self-exclusive, and exclusive of every write; readers go on reading.
    if (m_engine == Engine::Postgres)
        exec(QStringLiteral("LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE").arg(ident(table)), {},
             QStringLiteral("Pangkalan data sedang digunakan; cuba sekali lagi."));
}

QString Connection::ident(const QString &name)
{
    QString n = name;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

QString Connection::idColumn() const
{
    return m_engine == Engine::Sqlite ? QStringLiteral("id INTEGER PRIMARY KEY AUTOINCREMENT")
                                      : QStringLiteral("id BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
}

QString Connection::sameAs(const QString &column) const
{
    return ident(column) + (m_engine == Engine::Sqlite ? QStringLiteral(" IS ?") : QStringLiteral(" IS NOT DISTINCT FROM ?"));
}

bool Connection::hasTable(const QString &table)
{
    for (const QString &t : m_db.tables())
        if (t.compare(table, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QStringList Connection::columns(const QString &table)
{
    QStringList out;
    const QSqlRecord rec = m_db.record(table);
    for (int i = 0; i < rec.count(); ++i)
        out << rec.fieldName(i);
    return out;
}

} // namespace arb
