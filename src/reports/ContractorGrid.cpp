#include "reports/ContractorGrid.h"

#include "data/Convert.h"
#include "data/Fields.h"
#include "data/Connection.h"
#include "data/StoreError.h"
#include "platform/Guard.h"
#include "platform/Look.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QTimer>
#include <QWidget>

#include <algorithm>

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

namespace {
// Rows read at a time as the grid shows them, and blocks kept: a screenful
// or two, and a scroll back and forth, without reading again.
constexpr int kBlockRows = 256;
constexpr int kBlocksKept = 16;
} // namespace

ContractorGrid::ContractorGrid(const QString &databaseName, QObject *parent)
    : QAbstractTableModel(parent)
    , m_databaseName(databaseName)
{
    // Only the row ids now: the fields follow as the grid shows the rows.
    const std::shared_ptr<Connection> shared = Connection::shared(databaseName);
    Connection &c = *shared;
    QSqlQuery q = c.exec(QStringLiteral("SELECT id FROM %1 ORDER BY id").arg(Connection::ident(kContractorTable)));
    while (q.next())
        m_ids << q.value(0).toLongLong();
    requireWholeRead(q, c.location());
}

QStringList ContractorGrid::readBlock(int number) const
{
    const int first = number * kBlockRows;
    const int last = std::min(first + kBlockRows, int(m_ids.size())) - 1;
    QStringList fields;
    for (const Column &c : columns())
        fields << Connection::ident(c.field);
    const std::shared_ptr<Connection> shared = Connection::shared(m_databaseName);
    Connection &c = *shared;
    QSqlQuery q = c.exec(QStringLiteral("SELECT %1, id FROM %2 WHERE id BETWEEN ? AND ? ORDER BY id")
                             .arg(fields.join(QStringLiteral(", ")), Connection::ident(kContractorTable)),
                         {m_ids.at(first), m_ids.at(last)});
    const int n = int(columns().size());
    // A row removed since the window loaded stays, empty, in its place.
    QStringList cells(qsizetype(last - first + 1) * n);
    int row = first;
    while (q.next()) {
        const qint64 id = q.value(n).toLongLong();
        while (row <= last && m_ids.at(row) < id)
            ++row;
        if (row > last || m_ids.at(row) != id)
            continue;
        for (int i = 0; i < n; ++i)
            cells[qsizetype(row - first) * n + i] = valueToTextOrEmpty(q.value(i));
    }
    requireWholeRead(q, c.location());
    return cells;
}

const QStringList &ContractorGrid::block(int number) const
{
    if (const auto it = m_blocks.constFind(number); it != m_blocks.constEnd()) {
        m_recent.removeOne(number);
        m_recent.append(number);
        return *it;
    }
    QStringList cells;
    try {
        cells = readBlock(number);
    } catch (const Failure &f) {
        // Asked while painting: the rows stay empty and the failure is
        // reported once the paint is over.
        cells = QStringList(qsizetype(std::min(kBlockRows, int(m_ids.size()) - number * kBlockRows)) * columns().size());
        auto *self = const_cast<ContractorGrid *>(this);
        QTimer::singleShot(0, self, [self, f] { reportFailure(qobject_cast<QWidget *>(self->parent()), f); });
    }
    if (m_recent.size() >= kBlocksKept)
        m_blocks.remove(m_recent.takeFirst());
    m_recent.append(number);
    return *m_blocks.insert(number, cells);
}

qint64 ContractorGrid::idAt(int row) const
{
    return row >= 0 && row < m_ids.size() ? m_ids.at(row) : -1;
}

int ContractorGrid::rowOf(qint64 id) const
{
    const auto it = std::lower_bound(m_ids.cbegin(), m_ids.cend(), id);
    return it != m_ids.cend() && *it == id ? int(it - m_ids.cbegin()) : -1;
}

int ContractorGrid::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_ids.size());
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
    if (!index.isValid() || index.row() >= m_ids.size() || index.column() >= columns().size())
        return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const QString &stored = block(index.row() / kBlockRows)
                                .at(qsizetype(index.row() % kBlockRows) * columns().size() + index.column());
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
