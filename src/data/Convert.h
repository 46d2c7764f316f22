#pragma once

#include <QString>
#include <QVariant>
#include <optional>

namespace arb {

// Text to number as the program has always read numbers: blanks around the
// text allowed, an optional sign, digits with an optional decimal point and
// exponent. Anything else (letters, empty text) gives no number.
std::optional<double> textToNumber(const QString &text);

// The same, held as a single-precision number (the searches compare these).
std::optional<float> textToSingle(const QString &text);

// Round half to even onto a 16-bit whole number; none when out of range.
std::optional<qint16> roundToInt16(double value);

// A stored value as text; a null has no text and throws Failure.
QString valueToText(const QVariant &value, const QString &field);

// A stored value as text, a null as empty text.
QString valueToTextOrEmpty(const QVariant &value);

// The last n characters of a text (the whole text when shorter).
QString rightChars(const QString &text, int n);

// Leading and trailing space characters removed; tabs and line breaks stay.
QString trimSpaces(const QString &text);

} // namespace arb
