#include "reports/ListLines.h"

#include <QRegularExpression>

namespace arb {

namespace {

QString leftTrimmed(const QString &s)
{
    int i = 0;
    while (i < s.size() && s.at(i) == QLatin1Char(' '))
        ++i;
    return s.mid(i);
}

// Head: the first 14 characters and what follows up to and including the
// first blank from character 15 on; rest: what follows, leading blanks off.
void cut(const QString &t, QString &head, QString &rest)
{
    const QString tail = t.mid(14);
    const int blank = int(tail.indexOf(QLatin1Char(' ')));
    head = t.left(14) + (blank >= 0 ? tail.left(blank + 1) : QString());
    rest = leftTrimmed(t.mid(head.size()));
}

bool blankFrom15(const QString &t)
{
    return t.indexOf(QLatin1Char(' '), 14) >= 0;
}

} // namespace

QStringList nameLines(const QString &name)
{
    if (name.size() <= 29)
        return {name, QStringLiteral(" ")};
    const QString tail = name.mid(19);
    const int blank = int(tail.indexOf(QLatin1Char(' ')));
    const QString first = name.left(19) + (blank >= 0 ? tail.left(blank + 1) : QString());
    return {first, leftTrimmed(name.mid(first.size()))};
}

QStringList addressLines(const QString &address)
{
    QStringList lines;
    QString head, r;
    cut(address, head, r);
    lines << head;
    for (int line = 2; line <= 4; ++line) {
        if (!blankFrom15(r)) {
            lines << r;
            while (lines.size() < 4)
                lines << QStringLiteral(" ");
            return lines;
        }
        QString rest;
        cut(r, head, rest);
        lines << head;
        r = rest;
    }
    return lines;
}

QString asOneLine(const QString &text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|[\r\n\f]"));
    QString s = text;
    return s.replace(breaks, QStringLiteral(" "));
}

} // namespace arb
