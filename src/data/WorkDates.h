#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace arb {

class Connection;

// The work dates of a contractor (Tarikh_dapat_kerja): one line per job,
// each holding a date written day, month, year.

// What the work window stores for the date column it shows: each line
// trimmed, then every blank, "/" and "-" made "."; a blank line stays empty.
// An empty text, or a single blank, is stored as a single blank.
QString normalisedDates(const QString &text);

// The lines of a date text (CR LF, CR, LF and form feed all break a line).
QStringList dateLines(const QString &text);

struct WorkDate
{
    int day = 0;
    int month = 0;
    int year = 0; // as written: 2027, or 27
};

// The dates one line holds, read as the clerk plainly meant them: ".",
// "/", "-" and blanks alike separate the parts, however many stand
// together or lead or trail; several dates may share a line. None when the
// line, or a part of it, is no date (letters, a part missing, a wrong day
// or month such as 31.13.2027); a blank line holds no dates.
std::optional<QList<WorkDate>> readDateLine(const QString &line);

// Every line of the register's work dates that is not a date, as
// "NO DAFTAR baris N: LINE", in stored order.
QStringList unreadableWorkDates(Connection &c);

} // namespace arb
