#include "data/Connection.h"

#include "data/Convert.h"
#include "data/Fields.h"
#include "data/History.h"
#include "data/Locations.h"
#include "data/Numbering.h"
#include "data/SafetyCopy.h"
#include "data/StoreError.h"
#include "data/Temporary.h"
#include "data/Failure.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <QRegularExpression>
#include <QSysInfo>
#include <QUrl>
#include <QUrlQuery>
#include <atomic>

namespace arb {

namespace {
QString nextName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("arb-%1").arg(++counter);
}

const QString kCannotRead = QStringLiteral("Pangkalan data tidak dapat dibaca atau ditulis.");

int g_lockTimeoutMs = 10000;

// A value in libpq's connection string: quoted, with ' and \ escaped.
QString quoteOption(QString value)
{
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    value.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

// The server is gone: a broken socket (no SQLSTATE), a connection failure
// (08xxx) or an administrator's or crash shutdown (57P01..57P03).
bool isConnectionLost(const QSqlError &e)
{
    const QString code = e.nativeErrorCode();
    return code.isEmpty() || code.startsWith(QLatin1String("08")) || code.startsWith(QLatin1String("57P0"));
}
} // namespace

void Connection::setLockTimeout(int ms)
{
    g_lockTimeoutMs = ms;
}

int Connection::lockTimeout()
{
    return g_lockTimeoutMs;
}

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
    // A file being made under a temporary name is told by the name it will have.
    m_shown = Locations::isServerUrl(m_location) ? m_location : Temporary::shownName(m_location);
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
        // A row another desktop holds is waited for as long as SQLite waits
        // for the file, then reported as in use; the window does not freeze.
        QString serverOptions = QStringLiteral("-c lock_timeout=%1").arg(g_lockTimeoutMs);
        QStringList options{QStringLiteral("connect_timeout=10")};
        // Other libpq settings ride in the URL's query (?sslmode=require&...).
        static const QRegularExpression keyword(QStringLiteral("^[a-z_]+$"));
        for (const auto &[key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
            if (!keyword.match(key).hasMatch() || value.contains(QLatin1Char(';')))
                throw Failure(QStringLiteral("Tetapan sambungan tidak sah dalam alamat pangkalan data: %1").arg(key), m_location);
            if (key == QLatin1String("options"))
                serverOptions += QLatin1Char(' ') + value;
            else
                options << key + QStringLiteral("=") + quoteOption(value);
        }
        // The store's history names the computer a change came from.
        if (!QUrlQuery(url).hasQueryItem(QStringLiteral("application_name")))
            options << QStringLiteral("application_name=")
                           + quoteOption(QCoreApplication::applicationName() + QLatin1Char('@') + QSysInfo::machineHostName());
        options << QStringLiteral("options=") + quoteOption(serverOptions);
        m_db.setConnectOptions(options.join(QLatin1Char(';')));
    } else {
        m_engine = Engine::Sqlite;
        const QFileInfo info(m_location);
        if (mustExist && !info.exists())
            throw missingStore(m_location);
        if (!mustExist && info.exists())
            throw fileExists(m_location);
        if (mustExist && looksLikeAccessFile(m_location))
            throw Failure(QStringLiteral("Fail ini ialah pangkalan data Access lama, bukan pangkalan data aplikasi ini: %1")
                              .arg(m_location),
                          QStringLiteral("Bawa masuk datanya dengan: arb-admin import-mdb \"%1\" FAIL_BARU").arg(m_location));
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(m_location);
        // Another desktop may hold the file for a moment: wait, do not fail.
        m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(g_lockTimeoutMs));
    }
    if (!m_db.open()) {
        const Failure f = storeFailure(m_db.lastError(), m_shown,
                                       QStringLiteral("Pangkalan data tidak dapat dibuka: %1").arg(m_shown));
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw f;
    }
    if (m_engine == Engine::Sqlite) {
        // A file that is not a database only fails at its first read.
        QSqlQuery q(m_db);
        if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            const Failure f = storeFailure(q.lastError(), m_shown,
                                           QStringLiteral("Fail ini bukan pangkalan data aplikasi ini: %1").arg(m_shown));
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
    m_statements.clear();
    if (m_db.isValid())
        m_db.close();
    m_db = QSqlDatabase();
    if (!m_name.isEmpty())
        QSqlDatabase::removeDatabase(m_name);
}

Failure Connection::failure(const QSqlError &error, const QString &message, const QString &sql)
{
    if (m_engine == Engine::Postgres && isConnectionLost(error))
        m_lost = true;
    // A lock held too long, damage, a full disk: each its own sentence.
    return storeFailure(error, m_shown, message.isEmpty() ? kCannotRead : message, sql);
}

void Connection::reconnectIfLost()
{
    if (!m_lost || m_inWrite)
        return;
    m_statements.clear();
    m_db.close();
    if (!m_db.open())
        throw Failure(QStringLiteral("Pangkalan data tidak dapat dibuka: %1").arg(m_location), m_db.lastError().text());
    m_lost = false;
}

QSqlQuery Connection::prepare(const QString &sql)
{
    reconnectIfLost();
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw failure(q.lastError(), QString(), sql);
    return q;
}

void Connection::run(QSqlQuery &q, const QVariantList &values, const QString &message)
{
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values.at(i));
    if (!q.exec())
        throw failure(q.lastError(), message, q.lastQuery());
}

QSqlQuery Connection::exec(const QString &sql, const QVariantList &values, const QString &message)
{
    reconnectIfLost();
    // Tables made or changed here: the catalog is read again when next asked.
    static const QRegularExpression ddl(QStringLiteral("^\\s*(CREATE|DROP|ALTER)\\s+(?!TEMPORARY)"),
                                        QRegularExpression::CaseInsensitiveOption);
    if (ddl.match(sql).hasMatch()) {
        m_tables.clear();
        m_columns.clear();
    }
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (values.isEmpty()) {
        if (!q.exec(sql))
            throw failure(q.lastError(), message, sql);
        return q;
    }
    if (m_engine == Engine::Postgres) {
        auto it = m_statements.find(sql);
        if (it == m_statements.end()) {
            if (!q.prepare(sql))
                throw failure(q.lastError(), message, sql);
            it = m_statements.insert(sql, q);
        }
        try {
            run(*it, values, message);
        } catch (const Failure &) {
            // Prepared afresh next time: a table changed since may have made
            // the kept plan unusable.
            m_statements.erase(it);
            throw;
        }
        return *it;
    }
    // SQLite: a kept statement would keep its read lock on the file.
    if (!q.prepare(sql))
        throw failure(q.lastError(), message, sql);
    run(q, values, message);
    return q;
}

void Connection::refuseNul(const QStringList &fields, const QVariantList &values, const QString &row) const
{
    if (m_engine != Engine::Postgres)
        return;
    const int i = findNul(values);
    if (i >= 0)
        throw nulFailure(row, fields.value(i));
}

void Connection::write(const std::function<void()> &body)
{
    if (m_inWrite) {
        body();
        return;
    }
    reconnectIfLost();
    if (m_engine == Engine::Sqlite) {
        exec(QStringLiteral("BEGIN IMMEDIATE"));
    } else if (!m_db.transaction()) {
        throw failure(m_db.lastError(), QString(), QStringLiteral("BEGIN"));
    }
    const auto rollback = [this] {
        if (m_engine == Engine::Sqlite) {
            QSqlQuery q(m_db);
            q.exec(QStringLiteral("ROLLBACK"));
        } else {
            m_db.rollback();
        }
        m_inWrite = false;
    };
    m_inWrite = true;
    try {
        History::beginWrite(*this);
        body();
        // The history's entries sealed and its session ended in the same
        // transaction: a write that cannot do so stores nothing.
        History::endWrite(*this);
    } catch (...) {
        rollback();
        throw;
    }
    // A COMMIT that fails (a reader held the file past the busy timeout)
    // leaves SQLite's transaction open with its lock: end it, so that neither
    // this window nor any other desktop stays locked out.
    if (m_engine == Engine::Sqlite) {
        QSqlQuery q(m_db);
        if (!q.exec(QStringLiteral("COMMIT"))) {
            const Failure f = failure(q.lastError(), QString(), QStringLiteral("COMMIT"));
            q = QSqlQuery();
            rollback();
            throw f;
        }
    } else if (!m_db.commit()) {
        const Failure f = failure(m_db.lastError(), QString(), QStringLiteral("COMMIT"));
        rollback();
        throw f;
    }
    m_inWrite = false;
}

void Connection::lockTable(const QString &table)
{
    // Self-exclusive, and exclusive of every write; readers go on reading.
    if (m_engine == Engine::Postgres)
        exec(QStringLiteral("LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE").arg(ident(table)));
}

QString Connection::selectPairs() const
{
    return m_engine == Engine::Sqlite
        ? QStringLiteral("SELECT json_extract(value, '$[0]') AS a, json_extract(value, '$[1]') AS b FROM json_each(?)")
        : QStringLiteral("SELECT (p->>0)::bigint AS a, (p->>1)::bigint AS b FROM json_array_elements(?::json) AS p");
}

QString Connection::insertRows(const QString &table, const QStringList &fields) const
{
    QStringList names, values;
    for (int i = 0; i < fields.size(); ++i) {
        names << ident(fields.at(i));
        values << QStringLiteral("r->>%1").arg(i);
    }
    return QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM jsonb_array_elements(?::jsonb) WITH ORDINALITY AS x(r, n) ORDER BY n")
        .arg(ident(table), names.join(QLatin1Char(',')), values.join(QLatin1Char(',')));
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

QString Connection::nonAscii(const QString &text) const
{
    // SQLite: more bytes than characters. The server's pattern holds in any
    // of its encodings.
    return m_engine == Engine::Sqlite ? QStringLiteral("length(CAST(%1 AS BLOB)) <> length(%1)").arg(text)
                                      : QStringLiteral(R"(%1 ~ E'[^\\x01-\\x7f]')").arg(text);
}

QString Connection::asciiUpper(const QString &text) const
{
    // SQLite's upper() leaves all but ASCII alone; the server's follows its
    // locale, so the letters are named.
    return m_engine == Engine::Sqlite
        ? QStringLiteral("upper(%1)").arg(text)
        : QStringLiteral("translate(%1, 'abcdefghijklmnopqrstuvwxyz', 'ABCDEFGHIJKLMNOPQRSTUVWXYZ')").arg(text);
}

QString Connection::findIn(const QString &text, const QString &part) const
{
    return QStringLiteral("%1(%2, %3)").arg(m_engine == Engine::Sqlite ? QStringLiteral("instr") : QStringLiteral("strpos"),
                                            text, part);
}

void Connection::addIndex(const QString &table, const QString &name, const QString &expression)
{
    // The program's own names, written into the statement: one round trip
    // on a server, where a statement with values is prepared first.
    const auto literal = [](QString text) {
        return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
    };
    if (m_engine == Engine::Sqlite) {
        QSqlQuery q = exec(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = %1").arg(literal(name)));
        if (q.next())
            return;
        q.finish();
    } else {
        QSqlQuery q = exec(QStringLiteral("SELECT EXISTS (SELECT 1 FROM pg_indexes WHERE schemaname = current_schema() "
                                          "AND tablename = %1 AND indexname = %2), pg_has_role(c.relowner, 'USAGE') "
                                          "FROM pg_class c WHERE c.oid = to_regclass(%1)")
                               .arg(literal(table), literal(name)));
        if (!q.next() || q.value(0).toBool() || !q.value(1).toBool())
            return;
        q.finish();
    }
    write([&] {
        exec(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 ((%3))").arg(ident(name), ident(table), expression));
    });
}

bool Connection::hasTable(const QString &table)
{
    if (m_tables.isEmpty())
        m_tables = m_db.tables();
    for (const QString &t : std::as_const(m_tables))
        if (t.compare(table, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QStringList Connection::columns(const QString &table)
{
    const QString key = table.toLower();
    if (const auto it = m_columns.constFind(key); it != m_columns.constEnd())
        return *it;
    QStringList out;
    const QSqlRecord rec = m_db.record(table);
    for (int i = 0; i < rec.count(); ++i)
        out << rec.fieldName(i);
    if (!out.isEmpty())
        m_columns.insert(key, out);
    return out;
}

std::shared_ptr<Connection> Connection::shared(const QString &location)
{
    // Per thread: a connection belongs to the thread that opened it. Never
    // destroyed, as MinGW frees a thread's thread_local storage before it
    // runs their destructors: a thread that ended corrupted the heap.
    thread_local auto *open = new QHash<QString, std::weak_ptr<Connection>>;
    const QString key = Locations::resolve(location);
    if (std::shared_ptr<Connection> c = open->value(key).lock())
        return c;
    auto c = std::make_shared<Connection>(key);
    // A store made before the history gets it at its first open by the program.
    History::prepare(*c);
    // So does a store made before its serials were indexed. One that cannot
    // take the index now (read-only, busy) is read without it.
    if (c->hasTable(kContractorTable)) {
        try {
            addSerialIndex(*c);
        } catch (const Failure &) {
        }
    }
    open->insert(key, c);
    return c;
}

} // namespace arb
