#pragma once

#include <QString>

namespace arb::legacy {

// Values of the old program's file as it showed them, whatever reads the file.

// Serial day number of the old program (days from 30.12.1899, the fraction
// the time of day) as it showed it.
QString legacyDateText(double serial);

// A single (7 digits) or double (15 digits) as the old program printed it:
// shortest form, exponent as "1E+15".
QString legacyNumberText(double value, int digits);

// Decimal text without trailing zeros after the point ("12.5000" -> "12.5").
QString trimDecimal(const QString &text);

} // namespace arb::legacy
