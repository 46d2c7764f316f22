#pragma once

#include <QByteArray>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace arb {

class Connection;

// Appends rows to a table in the order they are given, for copying and
// importing whole tables. On the server the rows go in batches, each batch
// one statement (one round trip per few thousand rows, not one per row);
// SQLite, being local, takes one prepared insert per row. A text holding a
// NUL is refused naming the row and the field, before anything is sent.
// The caller holds the write transaction; finish() sends what is left.
class BatchInsert
{
public:
    // message: the report when a batch is refused.
    BatchInsert(Connection &c, const QString &table, const QStringList &fields, const QString &message);

    // One value per field; null stays null.
    void add(const QVariantList &values);
    void finish();
    qint64 count() const { return m_count; }

    // Rows and bytes gathered before a batch is sent.
    static constexpr int kRows = 5000;
    static constexpr qsizetype kBytes = 4 * 1024 * 1024;

private:
    void send();

    Connection &m_c;
    QString m_table;
    QStringList m_fields;
    QString m_message;
    QString m_sql;
    QSqlQuery m_insert; // SQLite: one row per run
    QByteArray m_batch; // server: the JSON array being gathered, without its brackets
    int m_pending = 0;
    qint64 m_count = 0;
};

} // namespace arb
