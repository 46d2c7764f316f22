#include "reports/ListPages.h"

#include "data/Snapshot.h"
#include "reports/ListLines.h"
#include "reports/Printer.h"

#include <QDateTime>

namespace arb {

namespace {

constexpr double kFooterGap = 120;   // from the frame's bottom rule to the footer line
constexpr double kFooterSize = 8;

void printFooter(Printer &printer, const ListFrame &frame, const QString &printedAt, int page, int pages)
{
    printer.setFontName(QStringLiteral("Verdana"));
    printer.setFontSize(kFooterSize);
    printer.setFontBold(false);
    const double y = frame.bottom + kFooterGap;
    printAt(printer, frame.left, y, QStringLiteral("Dicetak pada ") + printedAt);
    const QString number = QStringLiteral("Muka surat %1 daripada %2").arg(page).arg(pages);
    printAt(printer, frame.right - printer.textWidth(number), y, number);
}

QString trimmedEnd(const QString &s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    return s.left(n);
}

// Pieces a line may break after: each word with the blanks or "/" after it.
QStringList pieces(const QString &line)
{
    QStringList out;
    QString current;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        current += c;
        const bool breakAfter = (c == QLatin1Char(' ') && (i + 1 == line.size() || line.at(i + 1) != QLatin1Char(' ')))
            || c == QLatin1Char('/');
        if (breakAfter) {
            out << current;
            current.clear();
        }
    }
    if (!current.isEmpty())
        out << current;
    return out;
}

bool isVowel(QChar c)
{
    return QStringLiteral("aeiouAEIOU").contains(c);
}

// Where a word too wide for its column breaks: at most `room` characters
// before the hyphen, at a Malay syllable (before a consonant and its vowel,
// never inside kh, ng, ny, sy or gh: "Perkhidma-tan") when one lies in the
// wider half of that room, else where the room ends.
qsizetype breakPoint(const QString &word, qsizetype room)
{
    static const QStringList digraphs{QStringLiteral("kh"), QStringLiteral("ng"), QStringLiteral("ny"),
                                      QStringLiteral("sy"), QStringLiteral("gh")};
    for (qsizetype k = room; k >= 2 && k * 2 >= room; --k) {
        if (k + 1 >= word.size())
            continue;
        const QChar c = word.at(k), next = word.at(k + 1), before = word.at(k - 1);
        if (c.isLetter() && !isVowel(c) && isVowel(next) && before.isLetter()
            && !digraphs.contains(QString(before) + c, Qt::CaseInsensitive))
            return k;
    }
    return room;
}

// One line wrapped to the width.
QStringList wrap(Printer &printer, const QString &line, double width)
{
    const auto fits = [&](const QString &s) { return printer.textWidth(trimmedEnd(s)) <= width; };
    QStringList out;
    QString current;
    for (QString piece : pieces(line)) {
        if (fits(current + piece)) {
            current += piece;
            continue;
        }
        if (!current.isEmpty())
            out << trimmedEnd(current);
        current.clear();
        // A word wider than the column: as much as fits, and a hyphen.
        while (!fits(piece)) {
            qsizetype n = piece.size() - 1;
            while (n > 1 && printer.textWidth(piece.left(n) + QLatin1Char('-')) > width)
                --n;
            n = breakPoint(piece, n);
            out << piece.left(n) + QLatin1Char('-');
            piece = piece.mid(n);
        }
        current = piece;
    }
    if (!current.isEmpty() || out.isEmpty())
        out << trimmedEnd(current);
    return out;
}

} // namespace

QStringList fitColumn(Printer &printer, const QStringList &lines, double width, int maxLines)
{
    QStringList out;
    for (const QString &line : lines)
        out << (printer.textWidth(line) <= width ? QStringList{line} : wrap(printer, line, width));
    if (out.size() <= maxLines)
        return out;
    const QString ellipsis(QChar(0x2026));
    QString last = trimmedEnd(out.at(maxLines - 1));
    while (!last.isEmpty() && printer.textWidth(last + ellipsis) > width)
        last = trimmedEnd(last.chopped(1));
    out = out.mid(0, maxLines);
    out.last() = last + ellipsis;
    return out;
}

void printListPages(Printer &printer, Snapshot &rows, int count, const ListFrame &frame,
                    const std::function<void()> &skeleton, const std::function<void(double y)> &printRow)
{
    const int remaining = rows.eof() ? 0 : rows.recordCount() - std::max(0, rows.currentIndex());
    const int total = count < 0 ? remaining : std::min(count, remaining);
    const int pages = std::max(1, (total + frame.rowsPerPage - 1) / frame.rowsPerPage);
    const QString printedAt = QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm"));
    int page = 1;

    printer.setOrientation(2);
    skeleton();
    printFooter(printer, frame, printedAt, page, pages);
    int rowOnPage = 0;
    for (int printed = 0; !rows.eof() && (count < 0 || printed < count); ++printed) {
        if (rowOnPage == frame.rowsPerPage) {
            printer.newPage();
            skeleton();
            printFooter(printer, frame, printedAt, ++page, pages);
            rowOnPage = 0;
        }
        printRow(1500 + frame.rowHeight * rowOnPage);
        ++rowOnPage;
        rows.moveNext();
    }
}

void printAt(Printer &printer, double x, double y, const QString &text)
{
    printer.setCurrentX(x);
    printer.setCurrentY(y);
    printer.print(text);
}

namespace {

// A column heading on the headings' line.
void heading(Printer &printer, double x, const QString &text)
{
    printAt(printer, x, 1100, text);
}

} // namespace

void contractorListSkeleton(Printer &printer)
{
    printer.line(990, 990, 0, 9500);
    printer.line(15490, 990, 0, 9500);
    printer.line(990, 990, 14500, 0);
    printer.line(990, 10490, 14500, 0);
    for (int y = 1490; y <= 9490; y += 1000)
        printer.line(990, y, 14500, 0);

    printer.setFontName(QStringLiteral("ARIAL"));
    printer.setFontSize(12);
    printer.setFontBold(true);
    heading(printer, 1100, QStringLiteral("No Daftar"));
    const std::pair<int, QString> columns[] = {
        {2700, QStringLiteral("Tarikh Daftar")}, {4300, QStringLiteral("Nama Syarikat")},
        {8000, QStringLiteral("Alamat")},        {10700, QStringLiteral("No Tel")},
        {12300, QStringLiteral("Kelas")},        {14000, QStringLiteral("Bidang")}};
    for (const auto &[x, text] : columns) {
        printer.line(x, 990, 0, 9500);
        heading(printer, x + 100, text);
    }
}

void workListSkeleton(Printer &printer)
{
    printer.line(990, 990, 0, 9600);
    printer.line(15390, 990, 0, 9600);
    printer.line(990, 990, 14400, 0);
    printer.line(990, 10590, 14400, 0);
    for (int k = 0; k <= 13; ++k)
        printer.line(990, 1490 + 650 * k, 14400, 0);

    printer.setFontName(QStringLiteral("ARIAL"));
    printer.setFontSize(11);
    printer.setFontBold(true);
    heading(printer, 1100, QStringLiteral("No Daftar"));
    printer.line(2700, 990, 0, 9600);
    heading(printer, 2800, QStringLiteral("Nama & Alamat"));
    printer.line(8590, 990, 0, 9600);
    heading(printer, 8690, QStringLiteral("No Tel"));
    static const char *const months[] = {"J", "F", "M", "A", "M", "J", "J", "O", "S", "O", "N", "D"};
    for (int k = 0; k < 12; ++k) {
        printer.line(10590 + 400 * k, 990, 0, 9600);
        heading(printer, 10690 + 400 * k, QString::fromLatin1(months[k]));
    }
}

void printField(Printer &printer, Snapshot &rows, const QString &field, double x, double y)
{
    const QVariant v = rows.value(field);
    if (!v.isNull())
        printAt(printer, x, y, asOneLine(v.toString()));
}

} // namespace arb
