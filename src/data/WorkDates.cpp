#include "data/WorkDates.h"

#include "data/Connection.h"
#include "data/Convert.h"
#include "data/Fields.h"
#include "data/StoreError.h"

#include <QDate>
#include <QRegularExpression>
#include <QSqlQuery>

namespace arb {

QStringList dateLines(const QString &text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n|\f"));
    return text.split(breaks);
}

QString normalisedDates(const QString &text)
{
    if (text.isEmpty() || text == QLatin1String(" "))
        return QStringLiteral(" ");
    // Blanks at either end of a line are the clerk's slip, not separators.
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    QStringList lines;
    qsizetype from = 0;
    QRegularExpressionMatchIterator it = breaks.globalMatch(text);
    QStringList separators;
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        lines << text.mid(from, m.capturedStart() - from);
        separators << m.captured();
        from = m.capturedEnd();
    }
    lines << text.mid(from);
    QString out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i).trimmed();
        line.replace(QLatin1Char(' '), QLatin1Char('.'));
        line.replace(QLatin1Char('/'), QLatin1Char('.'));
        line.replace(QLatin1Char('-'), QLatin1Char('.'));
        out += line;
        if (i < separators.size())
            out += separators.at(i);
    }
    return out;
}

std::optional<QList<WorkDate>> readDateLine(const QString &line)
{
    static const QRegularExpression separators(QStringLiteral("[\\s./-]+"));
    const QStringList parts = line.split(separators, Qt::SkipEmptyParts);
    if (parts.size() % 3 != 0)
        return std::nullopt;
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    QList<WorkDate> dates;
    for (qsizetype i = 0; i < parts.size(); i += 3) {
        const QString &d = parts.at(i), &m = parts.at(i + 1), &y = parts.at(i + 2);
        if (!digits.match(d).hasMatch() || !digits.match(m).hasMatch() || !digits.match(y).hasMatch())
            return std::nullopt;
        if (d.size() > 2 || m.size() > 2 || (y.size() != 2 && y.size() != 4))
            return std::nullopt;
        const WorkDate date{d.toInt(), m.toInt(), y.toInt()};
        // A short year is this century's for the leap day only.
        if (!QDate(y.size() == 2 ? 2000 + date.year : date.year, date.month, date.day).isValid())
            return std::nullopt;
        dates << date;
    }
    return dates;
}

QStringList unreadableWorkDates(Connection &c)
{
    QSqlQuery q = c.exec(QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY id")
                             .arg(Connection::ident(QStringLiteral("NoDaftar")),
                                  Connection::ident(QStringLiteral("Tarikh_dapat_kerja")),
                                  Connection::ident(kContractorTable)));
    QStringList out;
    while (q.next()) {
        const QStringList lines = dateLines(valueToTextOrEmpty(q.value(1)));
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (!readDateLine(lines.at(i)))
                out << QStringLiteral("%1 baris %2: %3").arg(valueToTextOrEmpty(q.value(0))).arg(i + 1).arg(lines.at(i));
    }
    requireWholeRead(q, c.location());
    return out;
}

} // namespace arb
