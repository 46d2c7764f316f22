#include "legacy/StoreLoader.h"

#include "data/BatchInsert.h"
#include "data/Connection.h"
#include "data/Fields.h"
#include "data/Failure.h"

namespace arb::legacy {

StoreLoader::StoreLoader(Connection &c)
    : m_c(c)
{
}

StoreLoader::~StoreLoader() = default;

const QMap<QString, QStringList> &StoreLoader::wanted()
{
    static const QMap<QString, QStringList> tables{
        {kContractorTable, contractorFields()},
        {kPasswordTable, {QStringLiteral("password")}},
        {kTestTable, {QStringLiteral("Tarikh_dapat_kerja")}},
    };
    return tables;
}

void StoreLoader::tables(const QStringList &names)
{
    for (const QString &n : names)
        if (n.compare(kContractorTable, Qt::CaseInsensitive) == 0)
            return;
    throw Failure(QStringLiteral("Fail Access ini tiada jadual kontraktor."));
}

void StoreLoader::beginTable(const QString &name, const QStringList &columns)
{
    m_table.clear();
    m_rows = 0;
    for (auto it = wanted().begin(); it != wanted().end(); ++it)
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            m_table = it.key();
    if (m_table.isEmpty() || m_counts.contains(m_table))
        return (void)m_table.clear();

    const QStringList &fields = wanted().value(m_table);
    m_source.clear();
    for (const QString &f : fields) {
        int from = -1;
        for (int i = 0; i < columns.size() && from < 0; ++i)
            if (columns.at(i).compare(f, Qt::CaseInsensitive) == 0)
                from = i;
        m_source << from;
    }
    // Our schema starts with a password row of its own; the old file's rows replace it.
    if (m_table == kPasswordTable)
        m_c.exec(QStringLiteral("DELETE FROM ") + kPasswordTable);
    m_insert = std::make_unique<BatchInsert>(m_c, m_table, fields,
                                             QStringLiteral("Baris jadual %1 tidak dapat disimpan.").arg(m_table));
}

void StoreLoader::row(const QVariantList &values)
{
    if (m_table.isEmpty())
        return;
    QVariantList bound;
    bound.reserve(m_source.size());
    for (int from : m_source) {
        const QVariant v = from >= 0 ? values.value(from) : QVariant();
        bound << (v.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(v.toString()));
    }
    m_insert->add(bound);
    ++m_rows;
    m_lastRow = bound;
}

void StoreLoader::altered(int column, const QString &what)
{
    if (m_table.isEmpty())
        return;
    const int at = int(m_source.indexOf(column));
    if (at < 0)
        return; // a column we do not carry
    const QStringList &fields = wanted().value(m_table);
    const int number = int(fields.indexOf(QStringLiteral("NoDaftar")));
    QString row = number >= 0 ? m_lastRow.value(number).toString() : QString();
    if (row.isEmpty())
        row = QStringLiteral("baris %1").arg(m_rows);
    m_alterations.append({m_table, row, fields.at(at), what});
}

void StoreLoader::endTable(qint64 rowCount)
{
    if (m_table.isEmpty())
        return;
    m_insert->finish();
    m_insert.reset();
    if (rowCount != m_rows)
        throw Failure(QStringLiteral("Bilangan baris jadual %1 tidak sepadan.").arg(m_table),
                      QStringLiteral("%1 dibaca, %2 dilaporkan").arg(m_rows).arg(rowCount));
    m_counts.insert(m_table, m_rows);
    m_table.clear();
}

} // namespace arb::legacy
