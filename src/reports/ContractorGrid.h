#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QStringList>

namespace arb {

// The source of the list window's grid: the rows of table kontraktor in
// stored order, listed when the window loads; rows stored later are seen
// only when the window is loaded again. A row's fields are read when the
// grid first shows it, a block of rows at a time, and only the blocks last
// shown are kept, so a register of any size opens at once in little memory.
// Read-only. Eight columns.
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
    // The cells of a block of rows, eight to a row; a null as a null string.
    const QStringList &block(int number) const;
    QStringList readBlock(int number) const;

    QString m_databaseName;
    QList<qint64> m_ids; // ascending: the stored order
    mutable QHash<int, QStringList> m_blocks;
    mutable QList<int> m_recent; // block numbers, the last shown last
};

} // namespace arb
