#pragma once

#include "legacy/LegacySink.h"

#include <QMap>
#include <QStringList>
#include <QVector>

#include <memory>

namespace arb {
class BatchInsert;
class Connection;
}

namespace arb::legacy {

// Puts the legacy tables kontraktor, password and test into a store made by
// Schema::create, in the order the rows arrive. Columns are matched by name
// without regard to case; other columns and other tables are passed over,
// and a field the legacy table lacks stays null. The caller holds the write
// transaction.
class StoreLoader : public LegacySink
{
public:
    explicit StoreLoader(Connection &c);
    ~StoreLoader() override;

    // The tables this loader takes, with the fields of each.
    static const QMap<QString, QStringList> &wanted();

    void tables(const QStringList &names) override;
    void beginTable(const QString &name, const QStringList &columns) override;
    void row(const QVariantList &values) override;
    void endTable(qint64 rowCount) override;
    void altered(int column, const QString &what) override;

    // A value stored other than the file holds it: the contractor number
    // (or the row number in other tables), our field, and what happened.
    struct Alteration
    {
        QString table;
        QString row;
        QString field;
        QString what;
    };
    const QList<Alteration> &alterations() const { return m_alterations; }

    // Rows stored per table (lower-case names of our tables).
    const QMap<QString, qint64> &counts() const { return m_counts; }
    bool loaded(const QString &table) const { return m_counts.contains(table); }

private:
    Connection &m_c;
    QString m_table;          // our table being filled; empty when skipped
    QVector<int> m_source;    // legacy column index per field, -1 when missing
    std::unique_ptr<BatchInsert> m_insert;
    qint64 m_rows = 0;
    QMap<QString, qint64> m_counts;
    QVariantList m_lastRow;
    QList<Alteration> m_alterations;
};

} // namespace arb::legacy
