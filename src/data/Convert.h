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

// A stored value as text; a null has no text and throws Failure.
QString valueToText(const QVariant &value, const QString &field);

// A stored value as text, a null as empty text.
QString valueToTextOrEmpty(const QVariant &value);

// The serial of a registration number: the whole run of digits after its
// last "/" (the whole text when it has none), blanks around allowed, so
// ZRVA/KP/0012 is 12 and ZRVA/KP/10001 is 10001. None when that part is not
// all digits ("-", letters, a sign or point, empty text) or has more than 18
// digits. The sort, the search by number and the proposal all read this.
std::optional<qint64> registrationSerial(const QString &noDaftar);

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
