#pragma once

#include "data/Cursor.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSqlRecord>
#include <QVariantMap>
#include <memory>

namespace arb {

class Connection;

// A box bound to a field of a data control's current row (a text box on a
// window). The data control shows the field in it whenever the row changes
// and writes its text back when it was changed.
class BoundValue
{
public:
    virtual ~BoundValue() = default;
    virtual QString boundField() const = 0;
    // Show the field's text (a null as empty); the box is then unchanged.
    virtual void showValue(const QString &text) = 0;
    virtual bool valueChanged() const = 0;
    virtual QString valueText() const = 0;
};

// The data control a window owns: a cursor over a whole table, opened at
// window load and closed at unload. Rows come in stored order (the hidden
// id). Each row is read afresh from the store when the control arrives on
// it, so a change made by another desktop is seen at the next read.
class DataControl : public QObject, public Cursor
{
    Q_OBJECT
public:
    enum class Kind { Table, Dynaset };

    DataControl(const QString &databaseName, const QString &recordSource, Kind kind, QObject *parent = nullptr);
    ~DataControl() override;

    void open();
    // Writes back the changed bound boxes, then releases the connection.
    void close();
    bool isOpen() const;

    // Table kind: the number of rows in the table; dynaset: the rows it holds.
    int recordCount();

    QVariant value(const QString &field) override;

    void addNew();
    void edit();
    void setValue(const QString &field, const QVariant &value);
    // Stores the row being added or edited. A new row goes after all others.
    void update();
    void cancelUpdate();
    // Removes the current row; the position stays on it until the next move.
    void remove();

    void bind(BoundValue *box);
    void unbind(BoundValue *box);
    // Stores the text of every changed bound box into the current row.
    void writeBack();
    // Shows the current row in the bound boxes (empty when there is none).
    void refreshBound();
    // While deferred, moves do not read the row into the bound boxes; the
    // caller refreshes before the window is next seen (a search stepping
    // through the register without yielding to the event loop).
    void setRefreshDeferred(bool deferred);

    // For tests and the sort: the hidden id of the current row, or -1.
    qint64 currentId() const;
    Connection &connection();

signals:
    // After every move, add or delete.
    void moved();

protected:
    int rowCount() const override;
    void leaving() override;
    void arrived() override;
    void reloadRows() override;

private:
    enum class Mode { None, Add, Edit };
    void loadIds();
    void loadCurrent();
    QString fieldName(const QString &field) const;
    // Refuses, naming the contractor, a text the store cannot hold.
    void checkText(const QStringList &fields, const QVariantList &values);

    QString m_databaseName;
    QString m_table;
    Kind m_kind;
    std::unique_ptr<Connection> m_conn;
    QStringList m_columns;
    QList<qint64> m_ids;
    QSqlRecord m_row;
    qint64 m_rowId = -1;
    Mode m_mode = Mode::None;
    QVariantMap m_pending;
    QList<BoundValue *> m_bound;
    bool m_refreshDeferred = false;
    bool m_refreshPending = false;
};

} // namespace arb
