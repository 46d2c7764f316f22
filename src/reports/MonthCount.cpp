#include "reports/MonthCount.h"

#include "data/WorkDates.h"

namespace arb {

std::array<int, 12> countMonths(const QString &dates)
{
    std::array<int, 12> counts{};
    // Line by line: a line that is not a date (arb-admin check lists it)
    // counts nothing and takes nothing from the lines after it.
    for (const QString &line : dateLines(dates))
        if (const auto read = readDateLine(line))
            for (const WorkDate &d : *read)
                ++counts[size_t(d.month) - 1];
    return counts;
}

} // namespace arb
