#pragma once

#include "data/Failure.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
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

    // The program's one connection to the store at location, opened when no
    // window, snapshot, grid or sort holds it yet: every open of a server
    // connection costs round trips. Transactions stay short and no read is
    // kept open, so sharing changes nothing any of them sees.
    static std::shared_ptr<Connection> shared(const QString &location);

    QSqlDatabase &db() { return m_db; }
    Engine engine() const { return m_engine; }
    const QString &location() const { return m_location; }

    // Runs a statement with bound values; throws Failure with the message.
    // On the server a statement with values is prepared once per connection
    // and kept, so that running it again is one round trip; the result it
    // gives stays readable until the same statement runs again.
    QSqlQuery exec(const QString &sql, const QVariantList &values = {}, const QString &message = {});
    // Prepared statement for repeated use.
    QSqlQuery prepare(const QString &sql);
    void run(QSqlQuery &query, const QVariantList &values, const QString &message = {});

    // One short write transaction: BEGIN IMMEDIATE on SQLite so that the busy
    // timeout applies, rolled back when the body or the COMMIT fails, so that
    // a failed write never keeps the store locked. A write inside a write is
    // part of the outer one.
    void write(const std::function<void()> &body);
    // Inside write(): no other desktop writes to the table until this
    // transaction ends, so what it reads stays true up to its commit.
    // SQLite's BEGIN IMMEDIATE holds the whole file already.
    void lockTable(const QString &table);
    bool inWrite() const { return m_inWrite; }

    // The action the store's history records for this connection's writes
    // in place of the plain one (History::Action sets it); empty for plain.
    const QString &historyAction() const { return m_historyAction; }
    void setHistoryAction(const QString &action) { m_historyAction = action; }

    // How long a statement waits for another desktop's lock before it fails
    // with the "in use" report: SQLite's busy timeout, the server's
    // lock_timeout. Connections opened afterwards take it; 10 s by default.
    static void setLockTimeout(int ms);
    static int lockTimeout();

    // The server refuses text holding a NUL character, which SQLite stores.
    // Throws the report naming the row and the field when one of the values
    // (one per field) holds one and this store would refuse it.
    void refuseNul(const QStringList &fields, const QVariantList &values, const QString &row) const;

    // A SELECT of two whole-number columns a and b from one bound text, a
    // JSON array of [a, b] pairs: a long list in one statement.
    QString selectPairs() const;
    // Server: an INSERT of many rows from one bound text, a JSON array of
    // rows, each an array of texts or nulls in the order of fields; the rows
    // take their ids in the array's order. (SQLite inserts row by row.)
    QString insertRows(const QString &table, const QStringList &fields) const;

    // Identifier quoting, the same for both engines.
    static QString ident(const QString &name);
    // DDL for the hidden id that keeps the stored order.
    QString idColumn() const;
    // "column equals ?" that also holds when both are null.
    QString sameAs(const QString &column) const;
    // Pieces of a condition that narrows a read to the rows that can match,
    // which the program then compares itself: true for a text holding a
    // character outside ASCII; the text with only a-z made A-Z; where part
    // first occurs in text, from 1 (0: nowhere).
    QString nonAscii(const QString &text) const;
    QString asciiUpper(const QString &text) const;
    QString findIn(const QString &text, const QString &part) const;
    // Adds the index on expression unless the store has it. A role that does
    // not own the table (server) leaves it out: reads give the same rows
    // without it, only more slowly.
    void addIndex(const QString &table, const QString &name, const QString &expression);

    // Read from the catalog once per connection (again after a change of
    // tables through this connection).
    bool hasTable(const QString &table);
    QStringList columns(const QString &table);

    static bool looksLikeAccessFile(const QString &path);

private:
    Connection() = default;
    void openDatabase(const QString &location, bool mustExist);
    // The report for a failed statement, and notes a lost server connection.
    Failure failure(const QSqlError &error, const QString &message, const QString &sql);
    // A connection the server dropped (restart, terminated backend) is opened
    // again at the next action; the action that met the loss was reported.
    void reconnectIfLost();

    QSqlDatabase m_db;
    QString m_name;
    QString m_location;
    QString m_shown; // in messages
    Engine m_engine = Engine::Sqlite;
    QHash<QString, QSqlQuery> m_statements; // server: prepared, by SQL text
    bool m_lost = false;
    bool m_inWrite = false;
    QString m_historyAction;
    QStringList m_tables;                  // catalog, read once
    QHash<QString, QStringList> m_columns; // by table, lower case
};

} // namespace arb
