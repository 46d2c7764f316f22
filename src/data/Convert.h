#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>
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

// The index of the first value whose text holds a NUL character, or -1.
// The server refuses such a text; SQLite stores it.
int findNul(const QVariantList &values);

// Names a row for a report: "kontraktor NO (NAME)" when fields holds the
// contractor's number, otherwise the table.
QString describeRow(const QString &table, const QStringList &fields, const QVariantList &values);

class Failure;
// The report for such a text: the contractor (or row) and the field.
Failure nulFailure(const QString &row, const QString &field);

} // namespace arb
