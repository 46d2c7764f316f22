#include "reports/MonthCount.h"

#include "data/Convert.h"

#include <cmath>

namespace arb {

std::array<int, 12> countMonths(const QString &dates)
{
    std::array<int, 12> counts{};
    QString s = dates;
    for (QChar c : {QChar(13), QChar(10), QChar(12)})
        s.replace(c, QLatin1Char(' '));
    s.replace(QLatin1Char('/'), QLatin1Char('.'));
    s.replace(QLatin1Char('-'), QLatin1Char('.'));

    for (;;) {
        const int length = int(s.size());
        if (length < 2)
            break;
        const int dot = int(s.indexOf(QLatin1Char('.')));
        if (dot < 0)
            break; // what is left is the last year
        // After the day's dot a month has two digits, unless a dot follows its first.
        const bool oneDigit = dot + 2 < length && s.at(dot + 2) == QLatin1Char('.');
        const QString monthText = s.mid(dot + 1, oneDigit ? 1 : 2);
        const int keep = length - (dot + 4);
        if (keep < 0)
            break; // a date cut short
        const std::optional<double> month = textToNumber(monthText);
        if (!month)
            break;
        s = s.right(keep);
        if (*month >= 1 && *month <= 12 && *month == std::trunc(*month))
            ++counts[size_t(*month) - 1];
        if (length <= 4)
            break;
    }
    return counts;
}

} // namespace arb
