#include "data/Numbering.h"

#include "data/Connection.h"
#include "data/Convert.h"
#include "data/Fields.h"

#include <QSet>
#include <QSqlQuery>
#include <algorithm>

namespace arb {

namespace {
struct SerialsInUse
{
    qint64 rows = 0;
    qint64 highest = 0;
    QSet<qint64> serials;

    qint64 next() const { return std::max(highest, rows) + 1; }
};

// Old registers hold irregular numbers and duplicates: both are counted as
// rows, only the serials as serials.
SerialsInUse serialsInUse(Connection &c)
{
    SerialsInUse in;
    QSqlQuery q = c.exec(QStringLiteral("SELECT %1 FROM %2")
                             .arg(Connection::ident(QStringLiteral("NoDaftar")), Connection::ident(kContractorTable)));
    while (q.next()) {
        ++in.rows;
        if (const std::optional<qint64> serial = registrationSerial(q.value(0).toString())) {
            in.serials.insert(*serial);
            in.highest = std::max(in.highest, *serial);
        }
    }
    return in;
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
    const SerialsInUse in = serialsInUse(c);
    return in.serials.contains(*serial) ? registrationNumber(in.next()) : number;
}

} // namespace arb
