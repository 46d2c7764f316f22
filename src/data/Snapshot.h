#pragma once

#include "data/Cursor.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariantList>

namespace arb {

// The one-shot read-only query of an action ("SELECT * FROM table") on the
// process's shared connection: the rows as they were at opening in stored
// order, standing on the first row, checked whole. Opened by construction;
// the statement is finished as soon as the rows are read, so no read is held
// open across anyone's write.
class Snapshot : public Cursor
{
public:
    // fields: only these columns (and the hidden id); all when empty.
    // where: only the rows it holds for (with its bound values); all when empty.
    Snapshot(const QString &databaseName, const QString &table, const QStringList &fields = {},
             const QString &where = {}, const QVariantList &values = {});

    int recordCount() const { return rowCount(); }
    QVariant value(const QString &field) override;
    const QStringList &fields() const { return m_fields; }
    // The hidden id of the current row, or -1.
    qint64 currentId() const;

protected:
    int rowCount() const override { return int(m_rows.size()); }

private:
    QStringList m_fields;
    QHash<QString, int> m_index; // lower-case name -> column
    QList<QVariantList> m_rows;
    QList<qint64> m_ids;
};

} // namespace arb
