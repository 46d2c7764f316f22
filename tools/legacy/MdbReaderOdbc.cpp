#include "legacy/MdbReader.h"

#include "data/Failure.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

// On Windows the old file is read through ODBC with Microsoft's Access
// driver; everything above this reader is the same as on Linux.

namespace arb::legacy {

namespace {
const QString kDamaged = QStringLiteral("Fail Access ini rosak dan tidak dapat dibaca: %1");
const QString kDriver = QStringLiteral("Microsoft Access Driver (*.mdb, *.accdb)");
const QString kConnection = QStringLiteral("arb-legacy-odbc");

QString noDriver()
{
    return QStringLiteral(
               "Pemacu ODBC \"%1\" tidak dipasang pada komputer ini, jadi fail Access tidak dapat dibaca.\n"
               "Pasang Microsoft Access Database Engine (percuma daripada Microsoft; Microsoft Office juga "
               "membawanya), kemudian cuba sekali lagi.\n"
               "Cara lain: import fail itu pada komputer Debian dengan pakej .deb (arb-admin import-mdb), "
               "kemudian salin pangkalan data baharu ke komputer ini, atau salin terus ke pelayan PostgreSQL "
               "(arb-admin copy).")
        .arg(kDriver);
}

// Days from 30.12.1899 with the time as the fraction, as the old program kept them.
double serialOf(const QDateTime &when)
{
    const qint64 days = QDate(1899, 12, 30).daysTo(when.date());
    return double(days) + double(when.time().msecsSinceStartOfDay()) / 86400000.0;
}

QVariant text(const QVariant &v)
{
    if (v.isNull())
        return QVariant();
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDateTime:
        return legacyDateText(serialOf(v.toDateTime()));
    case QMetaType::QDate:
        return legacyDateText(serialOf(QDateTime(v.toDate(), QTime(0, 0))));
    case QMetaType::Float:
        return legacyNumberText(double(v.toFloat()), 7);
    case QMetaType::Double:
        return legacyNumberText(v.toDouble(), 15);
    case QMetaType::QByteArray:
        return QString::fromLatin1(v.toByteArray().toHex());
    default:
        return trimDecimal(v.toString());
    }
}
} // namespace

struct MdbReader::Handle
{
    QString name = kConnection;
    ~Handle() { QSqlDatabase::removeDatabase(name); }
};

void boundReader(qint64)
{
    // Microsoft's driver is not libmdb: nothing to bound.
}

MdbReader::MdbReader(const QString &path)
    : m_handle(std::make_unique<Handle>())
    , m_path(path)
{
    m_size = QFileInfo(path).size();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        throw Failure(noDriver(), QStringLiteral("pemacu QODBC tiada"));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_handle->name);
    db.setDatabaseName(QStringLiteral("DRIVER={%1};DBQ=%2;ReadOnly=1;")
                           .arg(kDriver, QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
    db.setConnectOptions(QStringLiteral("SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY"));
    if (!db.open()) {
        const QSqlError e = db.lastError();
        // IM002: no data source and no such driver; a driver manager that
        // cannot load it names it whole (the driver's own errors name it
        // without "(*.mdb, *.accdb)").
        if (e.nativeErrorCode().contains(QLatin1String("IM002")) || e.text().contains(QLatin1String("IM002"))
            || e.text().contains(kDriver))
            throw Failure(noDriver(), e.text());
        throw Failure(kDamaged.arg(path), e.text());
    }
}

MdbReader::~MdbReader() = default;

QStringList MdbReader::tables() const
{
    return QSqlDatabase::database(m_handle->name, false).tables(QSql::Tables);
}

bool MdbReader::read(const QString &table, LegacySink &sink)
{
    QSqlDatabase db = QSqlDatabase::database(m_handle->name, false);
    QString name;
    for (const QString &t : db.tables(QSql::Tables))
        if (t.compare(table, Qt::CaseInsensitive) == 0)
            name = t;
    if (name.isEmpty())
        return false;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT * FROM ") + db.driver()->escapeIdentifier(name, QSqlDriver::TableName)))
        throw Failure(kDamaged.arg(m_path), q.lastError().text());
    const QSqlRecord record = q.record();
    QStringList columns;
    for (int i = 0; i < record.count(); ++i)
        columns << record.fieldName(i);
    sink.beginTable(name, columns);
    qint64 count = 0;
    while (q.next()) {
        QVariantList values(record.count());
        for (int i = 0; i < record.count(); ++i)
            values[i] = text(q.value(i));
        sink.row(values);
        ++count;
    }
    if (q.lastError().isValid())
        throw Failure(kDamaged.arg(m_path), q.lastError().text());
    sink.endTable(count);
    return true;
}

} // namespace arb::legacy
