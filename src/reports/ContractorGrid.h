#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

namespace arb {

// The source of the list window's grid: table kontraktor read once, whole,
// in stored order, when the window loads; later changes are seen only when
// the window is loaded again. Read-only. Eight columns.
class ContractorGrid : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column
    {
        QString heading;
        QString field;
        int widthTwips;
    };
    static const QList<Column> &columns();

    // Reads the table through a one-shot query of the named store.
    explicit ContractorGrid(const QString &databaseName, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The hidden id of a row, and the row of an id (-1 when none).
    qint64 idAt(int row) const;
    int rowOf(qint64 id) const;

    // A stored value as the cell shows it: several lines on one line.
    static QString cellText(const QString &stored);

private:
    QStringList m_cells; // row by row, eight to a row; a null as a null string
    int m_rows = 0;
    QList<qint64> m_ids;
};

} // namespace arb
