#include "data/Numbering.h"

#include "data/Connection.h"
#include "data/Convert.h"
#include "data/Fields.h"

#include <QSqlQuery>
#include <algorithm>

namespace arb {

namespace {
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

// Old registers hold irregular numbers and duplicates: every row counts for
// the row count, only the serials for the highest.
SerialsInUse serialsInUse(Connection &c)
{
    SerialsInUse in;
    QSqlQuery q = c.exec(QStringLiteral("SELECT %1 FROM %2").arg(noDaftarColumn(), Connection::ident(kContractorTable)));
    while (q.next()) {
        ++in.rows;
        if (const std::optional<qint64> serial = registrationSerial(q.value(0).toString()))
            in.highest = std::max(in.highest, *serial);
    }
    return in;
}

// Whether a row holds the serial. Every number holding it has its digits
// somewhere in the text, so the store passes only those rows over.
bool serialTaken(Connection &c, qint64 serial)
{
    QSqlQuery q = c.exec(QStringLiteral("SELECT %1 FROM %2 WHERE %1 LIKE ?")
                             .arg(noDaftarColumn(), Connection::ident(kContractorTable)),
                         {QStringLiteral("%%1%").arg(serial)});
    while (q.next())
        if (registrationSerial(q.value(0).toString()) == serial)
            return true;
    return false;
}
} // namespace

QString registrationNumber(qint64 serial)
{
    return QStringLiteral("ZRVA/KP/") + QString::number(serial).rightJustified(4, QLatin1Char('0'));
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
