#include "data/DataControl.h"

#include "data/Connection.h"
#include "data/Convert.h"
#include "platform/Failure.h"

#include <QSqlQuery>

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
}

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
}

void DataControl::open()
{
    m_conn = std::make_unique<Connection>(m_databaseName);
    if (!m_conn->hasTable(m_table))
        throw Failure(QStringLiteral("Jadual \"%1\" tiada dalam pangkalan data.").arg(m_table), m_conn->location());
    m_columns = m_conn->columns(m_table);
    m_columns.removeAll(QStringLiteral("id"));
    loadIds();
    m_onDeleted = false;
    m_pos = m_ids.isEmpty() ? -1 : 0;
    m_rowId = -1;
    refreshBound();
}

void DataControl::close()
{
    if (!m_conn)
        return;
    writeBack();
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
    m_ids = ids;
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
    if (!q.next())
        throw Failure(kRowGone, QStringLiteral("%1 id %2").arg(m_table).arg(id));
    m_row = q.record();
    m_rowId = id;
}

QVariant DataControl::value(const QString &field)
{
    loadCurrent();
    return m_row.value(fieldName(field));
}

void DataControl::addNew()
{
    connection();
    m_mode = Mode::Add;
    m_pending.clear();
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
        QStringList names, marks;
        for (const QString &f : fields) {
            names << Connection::ident(f);
            marks << QStringLiteral("?");
        }
        const QString sql = fields.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING id").arg(Connection::ident(m_table))
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING id")
                  .arg(Connection::ident(m_table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        qint64 id = -1;
        c.write([&] {
            QSqlQuery q = c.exec(sql, values, QStringLiteral("Rekod baru tidak dapat disimpan."));
            if (q.next())
                id = q.value(0).toLongLong();
        });
        // Ids only grow, so the new row is the last in stored order.
        m_ids.append(id);
    } else {
        requireCurrent();
        const qint64 id = currentId();
        if (!fields.isEmpty()) {
            QStringList sets;
            for (const QString &f : fields)
                sets << Connection::ident(f) + QStringLiteral(" = ?");
            values << id;
            c.write([&] {
                QSqlQuery q = c.exec(QStringLiteral("UPDATE %1 SET %2 WHERE id = ?")
                                         .arg(Connection::ident(m_table), sets.join(QLatin1Char(','))),
                                     values, QStringLiteral("Rekod tidak dapat dikemas kini."));
                if (q.numRowsAffected() == 0)
                    throw Failure(kRowGone, QStringLiteral("%1 id %2").arg(m_table).arg(id));
            });
        }
        m_rowId = -1;
    }
    m_mode = Mode::None;
    m_pending.clear();
}

void DataControl::cancelUpdate()
{
    m_mode = Mode::None;
    m_pending.clear();
}

void DataControl::remove()
{
    requireCurrent();
    const qint64 id = currentId();
    Connection &c = connection();
    c.write([&] {
        c.exec(QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(Connection::ident(m_table)), {id},
               QStringLiteral("Rekod tidak dapat dipadam."));
    });
    m_ids.removeAt(m_pos);
    m_onDeleted = true;
    m_rowId = -1;
    m_mode = Mode::None;
    emit moved();
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
    QStringList sets;
    QVariantList values;
    QStringList names;
    QList<BoundValue *> changed;
    for (BoundValue *b : std::as_const(m_bound)) {
        if (!b->valueChanged())
            continue;
        names << fieldName(b->boundField());
        sets << Connection::ident(names.last()) + QStringLiteral(" = ?");
        values << storable(QVariant(b->valueText()));
        changed << b;
    }
    if (changed.isEmpty())
        return;
    checkText(names, values);
    const qint64 id = currentId();
    values << id;
    Connection &c = connection();
    c.write([&] {
        QSqlQuery q = c.exec(QStringLiteral("UPDATE %1 SET %2 WHERE id = ?")
                                 .arg(Connection::ident(m_table), sets.join(QLatin1Char(','))),
                             values, QStringLiteral("Perubahan tidak dapat disimpan."));
        if (q.numRowsAffected() == 0)
            throw Failure(kRowGone, QStringLiteral("%1 id %2").arg(m_table).arg(id));
    });
    m_rowId = -1;
    // The boxes now match the stored row.
    for (BoundValue *b : changed)
        b->showValue(b->valueText());
}

void DataControl::setRefreshDeferred(bool deferred)
{
    m_refreshDeferred = deferred;
}

void DataControl::refreshBound()
{
    m_refreshPending = false;
    if (m_bound.isEmpty())
        return;
    const bool have = currentIndex() >= 0;
    if (have)
        loadCurrent();
    for (BoundValue *b : std::as_const(m_bound))
        b->showValue(have ? valueToTextOrEmpty(m_row.value(fieldName(b->boundField()))) : QString());
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
    if (m_refreshDeferred)
        m_refreshPending = true;
    else
        refreshBound();
    emit moved();
}

} // namespace arb
