#include "data/Numbering.h"

#include "data/Connection.h"
#include "data/Convert.h"
#include "data/Fields.h"
#include "data/StoreError.h"

#include <QSqlQuery>
#include <algorithm>

namespace arb {

namespace {
const QString kSerialIndex = QStringLiteral("kontraktor_nombor");

struct SerialsInUse
{
    qint64 rows = 0;
    qint64 highest = 0;

    qint64 next() const { return std::max(highest, rows) + 1; }
};

QString noDaftarColumn()
{
    return Connection::ident(QStringLiteral("NoDaftar"));
}

// The serial of NoDaftar as the store works it out, for its index: that of
// registrationSerial for a number written in ASCII, -1 for one holding any
// other character (a blank of another kind, say), which the program reads
// itself, and none for the rest.
QString serialKey(const Connection &c)
{
    const QString number = noDaftarColumn();
    // What follows the last "/" (all of it when there is none), blanks trimmed.
    const QString serial =
        QStringLiteral("trim(substr(%1, length(rtrim(%1, replace(%1, '/', ''))) + 1), ' \t\n\v\f\r')").arg(number);
    return QStringLiteral("CASE WHEN %1 THEN -1 WHEN %2 <> '' AND length(%2) <= 18 AND trim(%2, '0123456789') = '' "
                          "THEN CAST(%2 AS BIGINT) END")
        .arg(c.nonAscii(number), serial);
}

// Old registers hold irregular numbers and duplicates: every row counts for
// the row count, only the serials for the highest. The count and the highest
// come from the index; the few numbers only the program can read are read.
SerialsInUse serialsInUse(Connection &c)
{
    const QString table = Connection::ident(kContractorTable);
    const QString key = serialKey(c);
    QSqlQuery q = c.exec(QStringLiteral("SELECT (SELECT count(*) FROM %1), (SELECT max(%2) FROM %1), NULL "
                                        "UNION ALL SELECT NULL, NULL, %3 FROM %1 WHERE %2 = -1")
                             .arg(table, key, noDaftarColumn()));
    SerialsInUse in;
    while (q.next()) {
        if (!q.value(0).isNull()) {
            in.rows = q.value(0).toLongLong();
            in.highest = std::max(in.highest, q.value(1).toLongLong());
        } else if (const std::optional<qint64> serial = registrationSerial(q.value(2).toString())) {
            in.highest = std::max(in.highest, *serial);
        }
    }
    requireWholeRead(q, c.location());
    return in;
}

// Whether a row holds the serial: the rows the index gives for it, and
// those it leaves to the program, compared as the program reads them.
bool serialTaken(Connection &c, qint64 serial)
{
    QSqlQuery q = c.exec(QStringLiteral("SELECT %1 FROM %2 WHERE %3 IN (?, -1)")
                             .arg(noDaftarColumn(), Connection::ident(kContractorTable), serialKey(c)),
                         {serial});
    bool taken = false;
    while (q.next())
        taken = taken || registrationSerial(q.value(0).toString()) == serial;
    requireWholeRead(q, c.location());
    return taken;
}
} // namespace

QString registrationNumber(qint64 serial)
{
    return QStringLiteral("ZRVA/KP/") + QString::number(serial).rightJustified(4, QLatin1Char('0'));
}

void addSerialIndex(Connection &c)
{
    c.addIndex(kContractorTable, kSerialIndex, serialKey(c));
}

QString proposedRegistrationNumber(Connection &c)
{
    return registrationNumber(serialsInUse(c).next());
}

QString freeRegistrationNumber(Connection &c, const QString &number)
{
    const std::optional<qint64> serial = registrationSerial(number);
    if (!serial || number != registrationNumber(*serial))
        return number;
    // Another desktop registering now waits until this row is stored, and
    // then sees it.
    c.lockTable(kContractorTable);
    return serialTaken(c, *serial) ? registrationNumber(serialsInUse(c).next()) : number;
}

} // namespace arb
