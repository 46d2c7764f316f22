#include "data/BatchInsert.h"

#include "data/Connection.h"
#include "data/Convert.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace arb {

BatchInsert::BatchInsert(Connection &c, const QString &table, const QStringList &fields, const QString &message)
    : m_c(c)
    , m_table(table)
    , m_fields(fields)
    , m_message(message)
{
    if (m_c.engine() == Connection::Engine::Postgres) {
        m_sql = m_c.insertRows(table, fields);
        return;
    }
    QStringList names, marks;
    for (const QString &f : fields) {
        names << Connection::ident(f);
        marks << QStringLiteral("?");
    }
    m_insert = m_c.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(Connection::ident(table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
}

void BatchInsert::add(const QVariantList &values)
{
    if (findNul(values) >= 0)
        m_c.refuseNul(m_fields, values, describeRow(m_table, m_fields, values));
    ++m_count;
    if (m_sql.isEmpty()) {
        m_c.run(m_insert, values, m_message);
        return;
    }
    // The columns are text: every value goes as its text, null as null.
    QJsonArray row;
    for (const QVariant &v : values)
        row.append(v.isNull() ? QJsonValue() : QJsonValue(v.toString()));
    if (m_pending)
        m_batch += ',';
    m_batch += QJsonDocument(row).toJson(QJsonDocument::Compact);
    if (++m_pending >= kRows || m_batch.size() >= kBytes)
        send();
}

void BatchInsert::send()
{
    if (!m_pending)
        return;
    m_c.exec(m_sql, {QString::fromUtf8('[' + m_batch + ']')}, m_message);
    m_batch.clear();
    m_pending = 0;
}

void BatchInsert::finish()
{
    if (m_sql.isEmpty()) {
        m_insert.finish();
        m_insert = QSqlQuery();
    } else {
        send();
    }
}

} // namespace arb
