#pragma once

#include <QString>
#include <array>

namespace arb {

// Works per calendar month, January first, read from a date text of one or
// more dates written day, month, year with ".", "/" or "-" between the parts
// and blanks or line breaks between the dates. The year plays no part. Each
// line is read as readDateLine reads it; a line that is no date counts
// nothing.
std::array<int, 12> countMonths(const QString &dates);

} // namespace arb
