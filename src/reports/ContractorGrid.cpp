#include "reports/ContractorGrid.h"

#include "data/Convert.h"
#include "data/Fields.h"
#include "data/Connection.h"
#include "data/StoreError.h"
#include "platform/Look.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace arb {

const QList<ContractorGrid::Column> &ContractorGrid::columns()
{
    static const QList<Column> list{
        {QStringLiteral("No Daftar"), QStringLiteral("NoDaftar"), 1395},
        {QStringLiteral("Tarikh Daftar"), QStringLiteral("TarikhDaftar"), 1395},
        {QStringLiteral("Nama Syarikat"), QStringLiteral("NamaSyarikat"), 3015},
        {QStringLiteral("Alamat"), QStringLiteral("AlamatPendaftaranSyarikat"), 2415},
        {QStringLiteral("No Tel"), QStringLiteral("NoTelHp"), 1515},
        {QStringLiteral("Kelas"), QStringLiteral("kelas"), 1515},
        {QStringLiteral("Bidang"), QStringLiteral("Bidang"), 1515},
        {QStringLiteral("Kerja"), QStringLiteral("Butiran_kerja"), 1515},
    };
    return list;
}

ContractorGrid::ContractorGrid(const QString &databaseName, QObject *parent)
    : QAbstractTableModel(parent)
{
    // Only the eight shown fields are read: a register of thousands opens
    // at once, on the process's shared connection.
    QStringList fields;
    for (const Column &c : columns())
        fields << Connection::ident(c.field);
    const std::shared_ptr<Connection> shared = Connection::shared(databaseName);
    Connection &c = *shared;
    QSqlQuery q = c.exec(QStringLiteral("SELECT %1, id FROM %2 ORDER BY id")
                             .arg(fields.join(QStringLiteral(", ")), Connection::ident(kContractorTable)));
    const int n = int(columns().size());
    while (q.next()) {
        for (int i = 0; i < n; ++i)
            m_cells << valueToTextOrEmpty(q.value(i));
        m_ids << q.value(n).toLongLong();
        ++m_rows;
    }
    requireWholeRead(q, c.location());
}

qint64 ContractorGrid::idAt(int row) const
{
    return row >= 0 && row < m_ids.size() ? m_ids.at(row) : -1;
}

int ContractorGrid::rowOf(qint64 id) const
{
    return int(m_ids.indexOf(id));
}

int ContractorGrid::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ContractorGrid::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns().size());
}

QString ContractorGrid::cellText(const QString &stored)
{
    if (!stored.contains(QLatin1Char('\n')) && !stored.contains(QLatin1Char('\r')))
        return stored;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = stored.split(lineBreak);
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines.join(QStringLiteral(" | "));
}

QVariant ContractorGrid::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows || index.column() >= columns().size())
        return {};
    const QString &stored = m_cells.at(qsizetype(index.row()) * columns().size() + index.column());
    switch (role) {
    case Qt::DisplayRole:
        return cellText(stored);
    case Qt::ToolTipRole:
        // The whole value, lines and all, for a cell too narrow to show it.
        return stored.isEmpty() ? QVariant() : QVariant(stored);
    default:
        return {};
    }
}

QVariant ContractorGrid::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return {}; // the record selectors carry no numbers
    if (section < 0 || section >= columns().size())
        return {};
    if (role == Qt::DisplayRole)
        return columns().at(section).heading;
    if (role == Qt::FontRole)
        return uiFont(QStringLiteral("Arial"), 9.75, true);
    return {};
}

} // namespace arb
