#pragma once

#include "data/BoundValue.h"
#include "data/Cursor.h"
#include "data/Failure.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSqlRecord>
#include <QVariantMap>
#include <functional>
#include <memory>

namespace arb {

class Connection;

// A write that found its row no longer as the window read it: changed by
// another window or desktop, or gone. Nothing was written; the data control
// has read the row afresh (or stands on the removed row when it is gone), so
// a write made next is conditional on the row as it now is.
class StaleRow : public Failure
{
public:
    StaleRow(const QString &message, const QString &detail, bool gone, const QVariantMap &read = {},
             const QVariantMap &stored = {}, const QStringList &fields = {}, const QVariantMap &mine = {})
        : Failure(message, detail)
        , m_gone(gone)
        , m_read(read)
        , m_stored(stored)
        , m_fields(fields)
        , m_mine(mine)
    {
    }
    bool gone() const { return m_gone; }
    // The row as the window had read it: the basis of the write that missed.
    const QVariantMap &read() const { return m_read; }
    // The row as just read again; empty when it is gone.
    const QVariantMap &stored() const { return m_stored; }
    // The fields the write was to store, in its order, and their values.
    const QStringList &fields() const { return m_fields; }
    const QVariantMap &mine() const { return m_mine; }

private:
    bool m_gone;
    QVariantMap m_read;
    QVariantMap m_stored;
    QStringList m_fields;
    QVariantMap m_mine;
};

// The data control a window owns: a cursor over a whole table, opened at
// window load and closed at unload. Rows come in stored order (the hidden
// id). Each row is read afresh from the store when the control arrives on
// it, so a change made by another desktop is seen at the next read.
//
// Writes never land blind: an update, a write-back or a delete is stored
// only while the row still holds what this control read of it (the fields
// written and the contractor's identity; every field for a delete), and only
// the fields assigned or changed are written. A miss of an update or a
// write-back goes to the conflict handler when there is one, else it throws
// StaleRow; a delete that misses always throws. After a write the control
// holds the row as the store now has it, other desktops' changes included.
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

    // Run by update() inside its write transaction, before the new row is
    // stored: may change the values about to be stored (pendingValue,
    // setValue) from what the store holds at that moment.
    using BeforeInsert = std::function<void(Connection &)>;
    void addNew(BeforeInsert beforeInsert = {});
    void edit();
    void setValue(const QString &field, const QVariant &value);
    // A value assigned since addNew or edit; invalid when none was.
    QVariant pendingValue(const QString &field) const;
    // Stores the row being added or edited. A new row goes after all others.
    void update();
    // The hidden id of the row the last update added, or -1.
    qint64 lastAddedId() const { return m_lastAddedId; }
    void cancelUpdate();
    // Removes the current row; the position stays on it until the next move.
    void remove();

    // Asked when an update or a write-back met its row changed or removed
    // elsewhere, the control already on the row as re-read (or on the removed
    // row). True: write the same values again, conditional on that re-read
    // (a further change in between asks again); false: settled otherwise,
    // nothing more is written and the action goes on.
    using ConflictHandler = std::function<bool(const StaleRow &)>;
    void setConflictHandler(ConflictHandler handler);

    void bind(BoundValue *box);
    void unbind(BoundValue *box);
    // Boxes a window holds itself, never written back on their own: shows
    // the current row in them (empty when there is none), as bound ones.
    void showRow(const QList<BoundValue *> &boxes);
    // Assigns to the row being added the value of every box, to the row
    // being edited only those of the boxes changed since shown, so that an
    // update writes only what the clerk changed.
    void assign(const QList<BoundValue *> &boxes);
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
    // Stands on the row with this id (the rows are read again when it is not
    // among them, so a row added since the control opened is found).
    void moveToId(qint64 id);
    // Reads the current row afresh, and the row list of a table control;
    // stays on the same row, or on the same place when it is gone.
    void requery();

    // Every open data control of this program over the table stores its
    // changed bound boxes: before something rewrites the table under them.
    static void storeAllPending(const QString &table);
    // After the table's contents moved between rows (contents of row id k
    // now in row moves[k]), every open control over it follows the row it
    // stood on, so it keeps showing and writing the same record.
    static void followMoves(const QString &table, const QHash<qint64, qint64> &moves);
    Connection &connection();

protected:
    int rowCount() const override;
    void leaving() override;
    void arrived() override;
    void reloadRows() override;

private:
    enum class Mode { None, Add, Edit };
    void loadIds();
    void appendNewIds();
    void loadCurrent();
    void ensureRead();
    // The conditional UPDATE of the current row; on a miss the conflict
    // handler decides, else staleRow. m_row then holds the row as stored.
    // True when written, false when the handler settled it otherwise.
    bool writeRow(const QStringList &fields, const QVariantList &values, const QString &message);
    bool tryWriteRow(const QStringList &fields, const QVariantList &values, const QString &message);
    int indexOfId(qint64 id) const;
    // The row at index was removed elsewhere: out of the list, the control
    // on its place until the next move.
    void dropGone(int index);
    // The row of id no longer matches what was read: find out how, read it
    // again (the basis of the next write), mend the control's state and
    // give the report to throw.
    // The bound boxes show the row as re-read (nothing when it is gone)
    // when show is set.
    StaleRow missed(qint64 id, const QStringList &fields = {}, const QVariantList &values = {}, bool show = true);
    QVariantMap rowValues() const;
    QString conditions(const QStringList &fields, QVariantList &values) const;
    QString fieldName(const QString &field) const;
    // Refuses, naming the contractor, a text the store cannot hold.
    void checkText(const QStringList &fields, const QVariantList &values);

    QString m_databaseName;
    QString m_table;
    Kind m_kind;
    std::shared_ptr<Connection> m_conn;
    QStringList m_columns;
    QList<qint64> m_ids;
    QSqlRecord m_row;
    qint64 m_rowId = -1; // the row m_row holds: what this control read
    qint64 m_lastReadId = -1; // where a move onto a row removed elsewhere goes back to
    qint64 m_lastAddedId = -1;
    Mode m_mode = Mode::None;
    QVariantMap m_pending;
    BeforeInsert m_beforeInsert;
    ConflictHandler m_conflictHandler;
    QList<BoundValue *> m_bound;
    bool m_refreshDeferred = false;
};

} // namespace arb
