#include "data/Snapshot.h"

#include "data/Connection.h"
#include "data/StoreError.h"
#include "data/Failure.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace arb {

Snapshot::Snapshot(const QString &databaseName, const QString &table, const QStringList &fields, const QString &where,
                   const QVariantList &values)
{
    const std::shared_ptr<Connection> shared = Connection::shared(databaseName);
    Connection &c = *shared;
    if (!c.hasTable(table))
        throw Failure(QStringLiteral("Jadual \"%1\" tiada dalam pangkalan data.").arg(table), c.location());
    QString selected = QStringLiteral("*");
    if (!fields.isEmpty()) {
        selected = QStringLiteral("id");
        for (const QString &f : fields)
            selected += QStringLiteral(", ") + Connection::ident(f);
    }
    const QString only = where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where;
    QSqlQuery q = c.exec(QStringLiteral("SELECT %1 FROM %2%3 ORDER BY id").arg(selected, Connection::ident(table), only), values);
    const QSqlRecord rec = q.record();
    QList<int> columns;
    const int idColumn = rec.indexOf(QStringLiteral("id"));
    for (int i = 0; i < rec.count(); ++i) {
        if (i == idColumn)
            continue;
        m_index.insert(rec.fieldName(i).toLower(), int(m_fields.size()));
        m_fields << rec.fieldName(i);
        columns << i;
    }
    while (q.next()) {
        QVariantList row;
        row.reserve(columns.size());
        for (int i : columns)
            row << q.value(i);
        m_rows.append(row);
        m_ids.append(q.value(idColumn).toLongLong());
    }
    requireWholeRead(q, c.location());
    m_pos = m_rows.isEmpty() ? -1 : 0;
}

qint64 Snapshot::currentId() const
{
    const int i = currentIndex();
    return i < 0 ? -1 : m_ids.at(i);
}

QVariant Snapshot::value(const QString &field)
{
    requireCurrent();
    const auto it = m_index.constFind(field.toLower());
    if (it == m_index.constEnd())
        throw Failure(QStringLiteral("Medan \"%1\" tiada dalam jadual.").arg(field));
    return m_rows.at(m_pos).at(*it);
}

} // namespace arb
