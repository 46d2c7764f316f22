#pragma once

#include <QString>
#include <array>

namespace arb {

// Works per calendar month, January first, read from a date text of one or
// more dates written day, month, year with ".", "/" or "-" between the parts
// and blanks or line breaks between the dates. The year plays no part.
// Counting stops, without failing, when no "." remains, when the month part
// is not a number, or when a date is cut short; what was counted stays.
std::array<int, 12> countMonths(const QString &dates);

} // namespace arb
