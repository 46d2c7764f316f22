#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>

namespace arb {

// One connection to the store, named by a location (local or shared path,
// a file path or a postgresql:// URL). Open on construction, closed and
// removed on destruction. Everything that differs between SQLite and
// PostgreSQL is kept in this class.
class Connection
{
public:
    enum class Engine { Sqlite, Postgres };

    // Opens an existing store; throws Failure when it is missing or unreadable.
    explicit Connection(const QString &location);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Creates a new, empty SQLite file (or connects to an empty server
    // database) for arb-admin; refuses an existing file.
    static std::unique_ptr<Connection> create(const QString &location);

    QSqlDatabase &db() { return m_db; }
    Engine engine() const { return m_engine; }
    const QString &location() const { return m_location; }

    // Runs a statement with bound values; throws Failure with the message.
    QSqlQuery exec(const QString &sql, const QVariantList &values = {}, const QString &message = {});
    // Prepared statement for repeated use.
    QSqlQuery prepare(const QString &sql);
    void run(QSqlQuery &query, const QVariantList &values, const QString &message = {});

    // One short write transaction: BEGIN IMMEDIATE on SQLite so that the busy
    // timeout applies, rolled back when the body throws.
    void write(const std::function<void()> &body);
    // Inside write(): no other desktop writes to the table until this
    // transaction ends, so what it reads stays true up to its commit.
    // SQLite's BEGIN IMMEDIATE holds the whole file already.
    void lockTable(const QString &table);

    // Identifier quoting, the same for both engines.
    static QString ident(const QString &name);
    // DDL for the hidden id that keeps the stored order.
    QString idColumn() const;
    // "column equals ?" that also holds when both are null.
    QString sameAs(const QString &column) const;

    bool hasTable(const QString &table);
    QStringList columns(const QString &table);

    static bool looksLikeAccessFile(const QString &path);

private:
    Connection() = default;
    void openDatabase(const QString &location, bool mustExist);

    QSqlDatabase m_db;
    QString m_name;
    QString m_location;
    Engine m_engine = Engine::Sqlite;
};

} // namespace arb
