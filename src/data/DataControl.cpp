#include "data/DataControl.h"

#include "data/Connection.h"
#include "data/Convert.h"
#include "data/Fields.h"
#include "data/StoreError.h"
#include "data/Failure.h"

#include <QSqlQuery>
#include <algorithm>
#include <limits>

namespace arb {

namespace {
// A null QString would be bound as NULL; an empty text must stay text.
QVariant storable(const QVariant &v)
{
    if (v.metaType().id() == QMetaType::QString && v.toString().isNull())
        return QVariant(QString(QLatin1String("")));
    return v;
}

const QString kRowGone = QStringLiteral("Rekod ini telah dipadam oleh pengguna lain.");

// Every open data control of the program, for the sort to keep them true.
QList<DataControl *> &openControls()
{
    static QList<DataControl *> controls;
    return controls;
}
} // namespace

DataControl::DataControl(const QString &databaseName, const QString &recordSource, Kind kind, QObject *parent)
    : QObject(parent)
    , m_databaseName(databaseName)
    , m_table(recordSource)
    , m_kind(kind)
{
}

DataControl::~DataControl()
{
    // Unload writes back through close(); a destructor must not throw.
    try {
        if (isOpen())
            close();
    } catch (...) {
    }
    openControls().removeAll(this);
}

void DataControl::open()
{
    m_conn = Connection::shared(m_databaseName);
    if (!m_conn->hasTable(m_table))
        throw Failure(QStringLiteral("Jadual \"%1\" tiada dalam pangkalan data.").arg(m_table), m_conn->location());
    m_columns = m_conn->columns(m_table);
    m_columns.removeAll(QStringLiteral("id"));
    loadIds();
    m_onDeleted = false;
    m_pos = m_ids.isEmpty() ? -1 : 0;
    m_rowId = -1;
    if (!openControls().contains(this))
        openControls().append(this);
    refreshBound();
}

void DataControl::close()
{
    if (!m_conn)
        return;
    writeBack();
    openControls().removeAll(this);
    m_conn.reset();
    m_ids.clear();
    m_pos = -1;
}

bool DataControl::isOpen() const
{
    return m_conn != nullptr;
}

Connection &DataControl::connection()
{
    if (!m_conn)
        throw Failure(QStringLiteral("Pangkalan data belum dibuka."), m_table);
    return *m_conn;
}

void DataControl::loadIds()
{
    QSqlQuery q = connection().exec(QStringLiteral("SELECT id FROM %1 ORDER BY id").arg(Connection::ident(m_table)));
    QList<qint64> ids;
    while (q.next())
        ids.append(q.value(0).toLongLong());
    requireWholeRead(q, connection().location());
    m_ids = ids;
}

// The rows added since the list was read follow its last id, as ids only
// grow; the whole list is read again only when rows have gone meanwhile (the
// count tells), so a registration does not read a large register through.
void DataControl::appendNewIds()
{
    const QString table = Connection::ident(m_table);
    QSqlQuery q = connection().exec(
        QStringLiteral("SELECT id, (SELECT count(*) FROM %1) FROM %1 WHERE id > ? ORDER BY id").arg(table),
        {m_ids.isEmpty() ? std::numeric_limits<qint64>::min() : m_ids.last()});
    QList<qint64> added;
    qint64 count = -1;
    while (q.next()) {
        added.append(q.value(0).toLongLong());
        count = q.value(1).toLongLong();
    }
    requireWholeRead(q, connection().location());
    if (added.isEmpty() || m_ids.size() + added.size() != count) {
        loadIds();
        return;
    }
    m_ids.append(added);
}

void DataControl::reloadRows()
{
    if (m_kind != Kind::Table)
        return;
    loadIds();
}

int DataControl::rowCount() const
{
    return int(m_ids.size());
}

int DataControl::recordCount()
{
    if (m_kind == Kind::Table) {
        QSqlQuery q = connection().exec(QStringLiteral("SELECT count(*) FROM %1").arg(Connection::ident(m_table)));
        q.next();
        requireWholeRead(q, connection().location());
        return q.value(0).toInt();
    }
    return rowCount();
}

qint64 DataControl::currentId() const
{
    const int i = currentIndex();
    return i < 0 ? -1 : m_ids.at(i);
}

QString DataControl::fieldName(const QString &field) const
{
    for (const QString &c : m_columns)
        if (c.compare(field, Qt::CaseInsensitive) == 0)
            return c;
    throw Failure(QStringLiteral("Medan \"%1\" tiada dalam jadual %2.").arg(field, m_table));
}

void DataControl::checkText(const QStringList &fields, const QVariantList &values)
{
    if (findNul(values) < 0)
        return;
    const auto field = [&](const QString &name) {
        const QString f = fieldName(name);
        if (m_mode == Mode::Add || m_pending.contains(f))
            return valueToTextOrEmpty(m_pending.value(f));
        loadCurrent();
        return valueToTextOrEmpty(m_row.value(f));
    };
    QStringList who;
    QVariantList whoValues;
    for (const QString &f : {QStringLiteral("NoDaftar"), QStringLiteral("NamaSyarikat")}) {
        if (m_columns.contains(f)) {
            who << f;
            whoValues << field(f);
        }
    }
    const QString row = describeRow(m_table, who, whoValues);
    connection().refuseNul(fields, values, row);
}

void DataControl::loadCurrent()
{
    requireCurrent();
    const qint64 id = currentId();
    if (id == m_rowId)
        return;
    QSqlQuery q = connection().exec(QStringLiteral("SELECT * FROM %1 WHERE id = ?").arg(Connection::ident(m_table)), {id});
    if (!q.next()) {
        // Removed elsewhere since it was listed: out of the list, and back on
        // the row read last (the one a window still shows), so that what the
        // clerk types next is written where they see it.
        dropGone(m_pos);
        if (const int back = indexOfId(m_lastReadId); back >= 0) {
            m_pos = back;
            m_onDeleted = false;
        }
        throw Failure(kRowGone, QStringLiteral("%1 id %2").arg(m_table).arg(id));
    }
    m_row = q.record();
    m_rowId = m_lastReadId = id;
}

void DataControl::dropGone(int index)
{
    // As after a delete: on the removed row until the next move.
    m_ids.removeAt(index);
    m_pos = index;
    m_onDeleted = true;
    m_rowId = -1;
}

// What this control holds of the current row is the basis of its next
// write; read it now when it has not been read since the control arrived.
void DataControl::ensureRead()
{
    if (m_rowId != currentId())
        loadCurrent();
}

int DataControl::indexOfId(qint64 id) const
{
    // Listed in stored order, the ids ascend: halving finds one at once in
    // a register of any size. A list some hand-made id has put out of order
    // is searched through.
    const auto it = std::lower_bound(m_ids.cbegin(), m_ids.cend(), id);
    if (it != m_ids.cend() && *it == id)
        return int(it - m_ids.cbegin());
    return int(m_ids.indexOf(id));
}

QString DataControl::conditions(const QStringList &fields, QVariantList &values) const
{
    QStringList out{QStringLiteral("id = ?")};
    values << m_rowId;
    for (const QString &f : fields) {
        out << m_conn->sameAs(f);
        values << m_row.value(f);
    }
    return out.join(QStringLiteral(" AND "));
}

QVariantMap DataControl::rowValues() const
{
    QVariantMap out;
    for (int i = 0; i < m_row.count(); ++i)
        out.insert(m_row.fieldName(i), m_row.value(i));
    return out;
}

StaleRow DataControl::missed(qint64 id, const QStringList &fields, const QVariantList &values, bool show)
{
    const QVariantMap read = m_rowId == id ? rowValues() : QVariantMap();
    // Named as the clerk knows it, never by the hidden id.
    QStringList who;
    QVariantList whoValues;
    for (const QString &f : contractorIdentity())
        for (auto it = read.cbegin(); it != read.cend(); ++it)
            if (it.key().compare(f, Qt::CaseInsensitive) == 0) {
                who << f;
                whoValues << it.value();
            }
    const QString where = describeRow(m_table, who, whoValues);
    QVariantMap mine;
    for (int i = 0; i < fields.size(); ++i)
        mine.insert(fields.at(i), values.value(i));
    QSqlQuery q = connection().exec(QStringLiteral("SELECT * FROM %1 WHERE id = ?").arg(Connection::ident(m_table)), {id});
    const bool gone = !q.next();
    if (!gone) {
        m_row = q.record();
        m_rowId = m_lastReadId = id;
    }
    q.finish();
    m_mode = Mode::None;
    m_pending.clear();
    if (gone) {
        m_rowId = -1;
        if (const int i = indexOfId(id); i >= 0)
            dropGone(i);
        if (show)
            refreshBound();
        return StaleRow(kRowGone, where, true, read, {}, fields, mine);
    }
    if (show)
        refreshBound();
    const QString what = m_table.compare(kContractorTable, Qt::CaseInsensitive) == 0 ? QStringLiteral("Kontraktor ini")
                                                                                     : QStringLiteral("Rekod ini");
    return StaleRow(what + QStringLiteral(" telah diubah dalam tetingkap lain atau di komputer lain. Perubahan tidak "
                                          "disimpan; rekod seperti yang tersimpan kini dipaparkan."),
                    where, false, read, rowValues(), fields, mine);
}

QVariant DataControl::value(const QString &field)
{
    loadCurrent();
    return m_row.value(fieldName(field));
}

void DataControl::addNew(BeforeInsert beforeInsert)
{
    connection();
    m_mode = Mode::Add;
    m_pending.clear();
    m_beforeInsert = std::move(beforeInsert);
}

void DataControl::edit()
{
    requireCurrent();
    m_mode = Mode::Edit;
    m_pending.clear();
}

void DataControl::setValue(const QString &field, const QVariant &value)
{
    if (m_mode == Mode::None)
        throw Failure(QStringLiteral("Rekod tidak dalam keadaan suntingan."), QStringLiteral("assign without AddNew or Edit"));
    m_pending.insert(fieldName(field), storable(value));
}

QVariant DataControl::pendingValue(const QString &field) const
{
    return m_pending.value(fieldName(field));
}

void DataControl::update()
{
    if (m_mode == Mode::None)
        throw Failure(QStringLiteral("Rekod tidak dalam keadaan suntingan."), QStringLiteral("Update without AddNew or Edit"));
    Connection &c = connection();
    const QStringList fields = m_pending.keys();
    QVariantList values;
    for (const QString &f : fields)
        values << m_pending.value(f);
    checkText(fields, values);
    if (m_mode == Mode::Add) {
        const BeforeInsert beforeInsert = std::exchange(m_beforeInsert, {});
        qint64 id = -1;
        c.write([&] {
            if (beforeInsert)
                beforeInsert(c);
            QStringList names, marks;
            QVariantList row;
            for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it) {
                names << Connection::ident(it.key());
                marks << QStringLiteral("?");
                row << it.value();
            }
            const QString sql = names.isEmpty()
                ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING id").arg(Connection::ident(m_table))
                : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING id")
                      .arg(Connection::ident(m_table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
            QSqlQuery q = c.exec(sql, row, QStringLiteral("Rekod baru tidak dapat disimpan."));
            if (q.next())
                id = q.value(0).toLongLong();
        });
        // Ids only grow, so the new row is the last in stored order. A table
        // control lists the table as it is: rows other desktops added too.
        if (m_kind == Kind::Table)
            appendNewIds();
        else
            m_ids.append(id);
        m_lastAddedId = id;
    } else {
        requireCurrent();
        ensureRead();
        if (!fields.isEmpty())
            writeRow(fields, values, QStringLiteral("Rekod tidak dapat dikemas kini."));
    }
    m_mode = Mode::None;
    m_pending.clear();
}

bool DataControl::writeRow(const QStringList &fields, const QVariantList &values, const QString &message)
{
    const qint64 id = m_rowId;
    while (!tryWriteRow(fields, values, message)) {
        // While the handler decides, the boxes keep the typing; should it
        // fail, they still hold it for the next try.
        const StaleRow stale = missed(id, fields, values, !m_conflictHandler);
        if (!m_conflictHandler)
            throw stale;
        if (!m_conflictHandler(stale) || stale.gone()) {
            refreshBound();
            return false;
        }
    }
    return true;
}

bool DataControl::tryWriteRow(const QStringList &fields, const QVariantList &values, const QString &message)
{
    QStringList sets;
    for (const QString &f : fields)
        sets << Connection::ident(f) + QStringLiteral(" = ?");
    QStringList compared = fields;
    if (m_table.compare(kContractorTable, Qt::CaseInsensitive) == 0)
        for (const QString &f : contractorIdentity())
            if (!compared.contains(f, Qt::CaseInsensitive))
                compared << fieldName(f);
    QVariantList bound = values;
    const QString where = conditions(compared, bound);
    Connection &c = connection();
    bool stored = false;
    QSqlRecord now;
    c.write([&] {
        // The row as it now is comes back with the write: other desktops'
        // changes to other fields included, at no extra round trip.
        QSqlQuery q = c.exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3 RETURNING *")
                                 .arg(Connection::ident(m_table), sets.join(QLatin1Char(',')), where),
                             bound, message);
        if (q.next()) {
            now = q.record();
            stored = true;
        }
        q.finish();
    });
    // Only once committed is it what the store holds.
    if (stored)
        m_row = now;
    return stored;
}

void DataControl::cancelUpdate()
{
    m_mode = Mode::None;
    m_pending.clear();
}

void DataControl::remove()
{
    requireCurrent();
    ensureRead();
    const qint64 id = currentId();
    // Only the row as it was read: every field must still hold its value.
    QStringList all;
    for (int i = 0; i < m_row.count(); ++i)
        if (m_row.fieldName(i) != QLatin1String("id"))
            all << m_row.fieldName(i);
    QVariantList bound;
    const QString where = conditions(all, bound);
    Connection &c = connection();
    bool removed = false;
    c.write([&] {
        QSqlQuery q = c.exec(QStringLiteral("DELETE FROM %1 WHERE %2").arg(Connection::ident(m_table), where), bound,
                             QStringLiteral("Rekod tidak dapat dipadam."));
        removed = q.numRowsAffected() > 0;
    });
    if (!removed)
        throw missed(id);
    m_ids.removeAt(m_pos);
    m_onDeleted = true;
    m_rowId = -1;
    m_mode = Mode::None;
}

void DataControl::bind(BoundValue *box)
{
    m_bound.append(box);
    if (isOpen()) {
        QVariant v;
        if (currentIndex() >= 0)
            v = value(box->boundField());
        box->showValue(valueToTextOrEmpty(v));
    }
}

void DataControl::unbind(BoundValue *box)
{
    m_bound.removeAll(box);
}

void DataControl::writeBack()
{
    if (!m_conn || currentIndex() < 0)
        return;
    QStringList fields;
    QVariantList values;
    for (BoundValue *b : std::as_const(m_bound)) {
        if (!b->valueChanged())
            continue;
        fields << fieldName(b->boundField());
        values << storable(QVariant(b->valueText()));
    }
    if (fields.isEmpty())
        return;
    checkText(fields, values);
    ensureRead();
    writeRow(fields, values, QStringLiteral("Perubahan tidak dapat disimpan."));
    // The boxes show the row as now stored (nothing when it is gone).
    refreshBound();
}

void DataControl::setConflictHandler(ConflictHandler handler)
{
    m_conflictHandler = std::move(handler);
}

void DataControl::moveToId(qint64 id)
{
    leaving();
    const qint64 was = currentId();
    int i = indexOfId(id);
    if (i < 0) {
        loadIds();
        i = indexOfId(id);
    }
    if (i < 0) {
        // Gone since it was listed: stay where the control was.
        const int back = indexOfId(was);
        if (back >= 0)
            m_pos = back;
        throw Failure(kRowGone, QStringLiteral("%1 id %2").arg(m_table).arg(id));
    }
    m_onDeleted = false;
    m_pos = i;
    arrived();
}

void DataControl::requery()
{
    connection();
    const qint64 id = currentId();
    const int at = m_pos;
    loadIds();
    m_onDeleted = false;
    const int i = indexOfId(id);
    if (i >= 0)
        m_pos = i;
    else
        m_pos = m_ids.isEmpty() ? -1 : std::clamp(at, 0, int(m_ids.size()) - 1);
    m_rowId = -1;
    refreshBound();
}

void DataControl::storeAllPending(const QString &table)
{
    for (DataControl *d : QList<DataControl *>(openControls()))
        if (d->m_table.compare(table, Qt::CaseInsensitive) == 0)
            d->writeBack();
}

void DataControl::followMoves(const QString &table, const QHash<qint64, qint64> &moves)
{
    for (DataControl *d : QList<DataControl *>(openControls())) {
        if (d->m_table.compare(table, Qt::CaseInsensitive) != 0 || d->currentIndex() < 0)
            continue;
        const qint64 was = d->currentId();
        const qint64 now = moves.value(was, was);
        if (now == was)
            continue;
        int i = d->indexOfId(now);
        if (i < 0) {
            d->loadIds();
            i = d->indexOfId(now);
        }
        if (i < 0)
            continue;
        d->m_pos = i;
        // What was read travelled with the record: still the basis of its writes.
        if (d->m_rowId == was)
            d->m_rowId = now;
    }
}

void DataControl::setRefreshDeferred(bool deferred)
{
    m_refreshDeferred = deferred;
}

void DataControl::refreshBound()
{
    showRow(m_bound);
}

void DataControl::showRow(const QList<BoundValue *> &boxes)
{
    if (boxes.isEmpty())
        return;
    const bool have = currentIndex() >= 0;
    if (have)
        loadCurrent();
    for (BoundValue *b : boxes)
        b->showValue(have ? valueToTextOrEmpty(m_row.value(fieldName(b->boundField()))) : QString());
}

void DataControl::assign(const QList<BoundValue *> &boxes)
{
    for (BoundValue *b : boxes)
        if (m_mode == Mode::Add || b->valueChanged())
            setValue(b->boundField(), b->valueText());
}

void DataControl::leaving()
{
    writeBack();
    m_mode = Mode::None;
    m_pending.clear();
}

void DataControl::arrived()
{
    m_rowId = -1;
    if (!m_refreshDeferred)
        refreshBound();
}

} // namespace arb
