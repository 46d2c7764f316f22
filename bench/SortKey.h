#pragma once

#include <QString>
#include <cmath>
#include <optional>

namespace arb::bench {

// The old sort's key, for the reference sort only: the last four characters
// of the registration number read as a number and rounded, halves to even,
// onto a 16-bit whole number; none when out of range.
inline QString rightChars(const QString &text, int n)
{
    return text.size() <= n ? text : text.right(n);
}

inline std::optional<qint16> roundToInt16(double value)
{
    const double r = std::nearbyint(value); // default rounding mode: halves to even
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return qint16(r);
}

} // namespace arb::bench
