#include "legacy/LegacyText.h"

#include <QDate>
#include <QTime>

#include <cmath>

namespace arb::legacy {

QString legacyDateText(double serial)
{
    // Before 1899 the fraction still counts forward from midnight.
    const double whole = std::trunc(serial);
    qint64 seconds = std::llround(std::fabs(serial - whole) * 86400.0);
    qint64 days = qint64(whole);
    if (seconds >= 86400) {
        seconds -= 86400;
        days += serial < 0 ? -1 : 1;
    }
    const QDate date = QDate(1899, 12, 30).addDays(days);
    const QTime time = QTime(0, 0).addSecs(int(seconds));
    const QString dateText = QStringLiteral("%1.%2.%3")
                                 .arg(date.day(), 2, 10, QLatin1Char('0'))
                                 .arg(date.month(), 2, 10, QLatin1Char('0'))
                                 .arg(date.year(), 4, 10, QLatin1Char('0'));
    if (seconds == 0)
        return dateText;
    const QString timeText = time.toString(QStringLiteral("HH:mm:ss"));
    return days == 0 ? timeText : dateText + QLatin1Char(' ') + timeText;
}

QString legacyNumberText(double value, int digits)
{
    return QString::number(value, 'g', digits).replace(QLatin1Char('e'), QLatin1Char('E'));
}

QString trimDecimal(const QString &text)
{
    if (!text.contains(QLatin1Char('.')))
        return text;
    QString t = text;
    while (t.endsWith(QLatin1Char('0')))
        t.chop(1);
    if (t.endsWith(QLatin1Char('.')))
        t.chop(1);
    if (t.isEmpty() || t == QLatin1String("-"))
        return QStringLiteral("0");
    return t;
}

} // namespace arb::legacy
