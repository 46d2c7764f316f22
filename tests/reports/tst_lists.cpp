#include "TestSupport.h"

#include "data/Locations.h"
#include "data/Snapshot.h"
#include "reports/ContractorListReport.h"
#include "reports/ListLines.h"
#include "reports/ListPages.h"
#include "reports/MonthCount.h"
#include "reports/PrintRecorder.h"
#include "reports/Printer.h"
#include "reports/WorkListReport.h"

#include <QRegularExpression>
#include <climits>

using namespace arb;

namespace {

// Per page: its count of rules, its count of rows and their first and last
// serial, as "19:9 0001-0009".
QString pages(const RecordedJob &job)
{
    QStringList out;
    for (const RecordedPage &page : job.pages) {
        QStringList s;
        for (const RecordedText &t : page.texts)
            if (t.x == 1100 && t.fontSize == 10)
                s << t.text.right(4);
        out << QStringLiteral("%1:%2 %3-%4").arg(page.lines.size()).arg(s.size()).arg(s.value(0), s.value(s.size() - 1));
    }
    return out.join(QLatin1Char('|'));
}

// "font size[b]: text" of the text at (x, y); empty when there is none.
QString at(const RecordedPage &page, double x, double y)
{
    for (const RecordedText &t : page.texts)
        if (t.x == x && t.y == y)
            return QStringLiteral("%1 %2%3: %4").arg(t.fontName).arg(t.fontSize).arg(t.bold ? "b" : "", t.text);
    return {};
}

// The column titles of a page as "x text", each checked to be in the given font.
QString titles(const RecordedPage &page, const QString &font)
{
    QStringList out;
    for (const RecordedText &t : page.texts)
        if (t.y == 1100)
            out << (at(page, t.x, 1100) == font + t.text ? QStringLiteral("%1 %2").arg(t.x).arg(t.text)
                                                         : QStringLiteral("?"));
    return out.join(QLatin1Char('|'));
}

// The rules of a page as "x1,y1,x2,y2".
QStringList rules(const RecordedPage &page)
{
    QStringList out;
    for (const RecordedLine &l : page.lines)
        out << QStringLiteral("%1,%2,%3,%4").arg(l.x1).arg(l.y1).arg(l.x2).arg(l.y2);
    return out;
}

// The contractor list from first to last, or the work list when first is 0.
RecordedJob report(int first = 0, int last = 0)
{
    PrintRecorder rec;
    {
        Snapshot rows(Locations::kSharedPath, QStringLiteral("kontraktor"));
        Printer p(QStringLiteral("t"));
        if (first)
            printContractorList(p, rows, first, last);
        else
            printWorkList(p, rows);
        p.endDoc();
    }
    return rec.jobs().value(0);
}

// Non-zero months as "month:count".
QString counted(const std::array<int, 12> &m)
{
    QStringList out;
    for (int k = 0; k < 12; ++k)
        if (m[size_t(k)])
            out << QStringLiteral("%1:%2").arg(k + 1).arg(m[size_t(k)]);
    return out.join(QLatin1Char(' '));
}

} // namespace

class ListsTest : public QObject
{
    Q_OBJECT
private slots:
    void nameAndAddressCutting()
    {
        const QList<std::pair<QString, QString>> names{
            {"SYARIKAT BINAAN JAYA MAJU SDN", "SYARIKAT BINAAN JAYA MAJU SDN| "}, // 29 characters stay whole
            {"SYARIKAT BINAAN JAYA MAJU SDNX", "SYARIKAT BINAAN JAYA |MAJU SDNX"}, // 30: after the first blank from 20
            {"ABCDEFGHIJKLMNOPQRS TUVWXYZ0123", "ABCDEFGHIJKLMNOPQRS |TUVWXYZ0123"}, // the blank at 20 itself
            {"ABCDEFGHIJKLMNOPQR STUVWXYZ0123456", "ABCDEFGHIJKLMNOPQR |STUVWXYZ0123456"}, // a blank only before 20
            {QString(45, QLatin1Char('X')), QString(19, QLatin1Char('X')) + '|' + QString(26, QLatin1Char('X'))},
            {"ABCDEFGHIJKLMNOPQRSTUVWXYZ   ABC", "ABCDEFGHIJKLMNOPQRSTUVWXYZ |ABC"}, // blanks after the cut dropped
        };
        for (const auto &[name, want] : names)
            QCOMPARE(nameLines(name).join(QLatin1Char('|')), want);

        const QList<std::pair<QString, QString>> addresses{
            {"Lembah Serindi", "Lembah Serindi|| | "}, // fourteen characters: line 1 alone
            {"No. 7, Jalan Merbah, Taman Sri Serindit, 12345 Lembah Serindit, Negeri Contoh Darul Aman",
             "No. 7, Jalan Merbah, |Taman Sri Serindit, |12345 Lembah Serindit, |Negeri Contoh Darul "}, // a fifth dropped
            {"ABCDEFGHIJKLMN OPQ RSTUVWXYZABCDEFGH", "ABCDEFGHIJKLMN |OPQ RSTUVWXYZABCDEFGH| | "}, // remainder with no blank from 15
            {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFGHIJKLMN|OPQRSTUVWXYZ| | "},                     // no blank from 15 at all
            {"Lot 12, Kampung Tebing, Sungai Serindit 27010", "Lot 12, Kampung |Tebing, Sungai |Serindit 27010| "},
        };
        for (const auto &[address, want] : addresses)
            QCOMPARE(addressLines(address).join(QLatin1Char('|')), want);
        QCOMPARE(asOneLine(QStringLiteral("No. 7\r\nJalan\nA\rB")), QStringLiteral("No. 7 Jalan A B"));
    }

    void monthCount()
    {
        QStringList ten;
        for (int d = 1; d <= 10; ++d)
            ten << QStringLiteral("%1.01.2024").arg(d);
        const QList<std::pair<QString, QString>> cases{
            {"12.03.2004", "3:1"}, {"5.6.2004", "6:1"}, {"01-02-2004", "2:1"}, {"1/2/2004", "2:1"},
            {"1.2.2004 3.4.2005", "2:1 4:1"}, {"1.5.2003 1.5.2004", "5:2"}, {"1.2.2004\r\n3.4.2005", "2:1 4:1"},
            {"12.05.2003\n13.06.2003", "5:1 6:1"}, {"1.12.2004", "12:1"}, {"12.13.2004", ""}, {"-", ""}, {QString(), ""},
            {ten.join(QLatin1Char(' ')), "1:10"},
            // A short year does not read as another month.
            {"1.12.04", "12:1"}, {"1.12.04 3.4.05", "4:1 12:1"},
            // Leading, trailing and doubled separators: the date plainly meant, not its day as a month.
            {".7.1.2027", "1:1"}, {"7..1..2027", "1:1"}, {"1.1.2001\r\n..2.2.2002", "1:1 2:1"}, {"12.03.2004  ", "3:1"},
            {"1/2-2003.\r\n4.5.2006", "2:1 5:1"}, {"1.2.2004.3.4.2005", "2:1 4:1"},
            // A line that is no date counts nothing, and takes nothing from the lines after it.
            {"1.2.2004 12.ab.2004 1.3.2004", ""}, {"1.2.2004 1.3", ""}, {"12.", ""}, {"31.13.2027\r\n1.3.2004", "3:1"},
            {"32.1.2027", ""}, {"29.2.2027", ""}, {"29.2.2028", "2:1"}, {"1.2.200", ""},
        };
        for (const auto &[dates, want] : cases)
            QVERIFY2(counted(countMonths(dates)) == want, qPrintable(dates + QStringLiteral(" -> ") + counted(countMonths(dates))));
    }

    void skeletonsRowsAndPages()
    {
        test::TempStore store;
        store.addContractors(26);
        store.addContractor({{"NoDaftar", "ZRVA/KP/0027"}, {"TarikhDaftar", "1.2.2024"}, {"NamaSyarikat", "SYARIKAT BINAAN JAYA MAJU SDN BHD"},
                             {"AlamatPendaftaranSyarikat", "No. 7, Jalan Merbah\r\n27070 Kampung Tebing\r\nLembah Serindit"},
                             {"NoTelHp", "012-3456789"}, {"NoTelPej", "09-5100111"}, {"NoFaks", "09-5200111"}, {"kelas", "G3"},
                             {"Bidang", "Pembinaan"}, {"Tarikh_dapat_kerja", "12.03.2004\r\n5.3.2005\r\n1/12/2004"}});
        store.addContractor({{"NoDaftar", "ZRVA/KP/0028"}}); // no values: only its number prints

        // Contractor list: contractor 27 in the last slot of page 3, the fourth page holding only 28.
        RecordedJob job = report(1, INT_MAX);
        QVERIFY(job.landscape && job.ended);
        QCOMPARE(pages(job), QStringLiteral("19:9 0001-0009|19:9 0010-0018|19:9 0019-0027|19:1 0028-0028")); // a fresh skeleton each
        // The skeleton: frame, nine slots (the last ending at 9490 above the frame), six column rules.
        for (const QString &l : {"990,990,990,10490", "15490,990,15490,10490", "990,10490,15490,10490", "990,1490,15490,1490",
                                 "990,9490,15490,9490", "2700,990,2700,10490", "14000,990,14000,10490"})
            QVERIFY2(rules(job.pages.at(0)).contains(l), qPrintable(l));
        QCOMPARE(titles(job.pages.at(3), "ARIAL 12b: "),
                 QStringLiteral("1100 No Daftar|2800 Tarikh Daftar|4400 Nama Syarikat|8100 Alamat|10800 No Tel|12400 Kelas|14100 Bidang"));
        QCOMPARE(job.pages.at(3).texts.size(), 7 + 2 + 1); // titles, footer, the number
        const QList<std::tuple<double, double, QString>> row{
            {1100, 9500, "ZRVA/KP/0027"}, {2800, 9500, "1.2.2024"}, {4400, 9500, "SYARIKAT BINAAN JAYA "},
            {4400, 9720, "MAJU SDN BHD"}, {8100, 9500, "No. 7, Jalan Merbah "}, {8100, 9720, "27070 Kampung Tebing "},
            {8100, 9940, "Lembah Serindit"}, {8100, 10160, " "}, {10800, 9500, "012-3456789"}, {10800, 9720, "09-5100111"},
            {10800, 9940, "09-5200111"}, {12400, 9500, "G3"}, {14100, 9500, "Pembinaan"}};
        for (const auto &[x, y, text] : row)
            QCOMPARE(at(job.pages.at(2), x, y), QStringLiteral("Verdana 10: ") + text);

        // Work list: 28 rows, two full pages and no trailing one; contractor 27 in slot 13 of page 2.
        job = report();
        QVERIFY(job.landscape && job.ended);
        QCOMPARE(pages(job), QStringLiteral("32:14 0001-0014|32:14 0015-0028"));
        const RecordedPage &p = job.pages.at(1);
        // The skeleton: frame closing the December column, fourteen slots, the last ending on the frame.
        for (const QString &l : {"990,990,990,10590", "15390,990,15390,10590", "990,1490,15390,1490", "990,9940,15390,9940",
                                 "990,10590,15390,10590", "8590,990,8590,10590", "10590,990,10590,10590", "14990,990,14990,10590"})
            QVERIFY2(rules(p).contains(l), qPrintable(l));
        QCOMPARE(titles(p, "ARIAL 11b: "), QStringLiteral("1100 No Daftar|2800 Nama & Alamat|8690 No Tel|10690 J|11090 F|11490 M|"
                                                            "11890 A|12290 M|12690 J|13090 J|13490 O|13890 S|14290 O|14690 N|15090 D"));
        const QList<std::tuple<double, double, QString>> work{
            {1100, 9300, "Verdana 10: ZRVA/KP/0027"},
            {2800, 9300, "Verdana 10: SYARIKAT BINAAN JAYA MAJU SDN BHD"}, // whole, not cut
            {2800, 9520, "Verdana 8: No. 7, Jalan Merbah 27070 Kampung Tebing Lembah Serindit"},
            {8690, 9300, "Verdana 9: 09-5100111"}, {8690, 9505, "Verdana 9: 012-3456789"}, {8690, 9710, "Verdana 9: 09-5200111"},
            {11490, 9505, "Verdana 9:  2 "}, {15090, 9505, "Verdana 9:  1 "}, // March, December
            {1100, 9950, "Verdana 10: ZRVA/KP/0028"}};
        for (const auto &[x, y, text] : work)
            QCOMPARE(at(p, x, y), text);
        int counts = 0, last = 0;
        for (const RecordedText &t : p.texts) {
            counts += t.x >= 10690 && t.y > 1100 && t.y < 10590 ? 1 : 0;
            last += t.y >= 9950 && t.y < 10590 ? 1 : 0;
        }
        QCOMPARE(counts, 2); // months with no work stay empty
        QCOMPARE(last, 1);

        // A range: slots and pages count from its start.
        QCOMPARE(pages(report(2, INT_MAX)), QStringLiteral("19:9 0002-0010|19:9 0011-0019|19:9 0020-0028"));
    }
    // Under the frame of every page, when it was printed and "Muka surat N
    // daripada M", the page number flush with the frame's right side; in the
    // contractor list no text crosses the rule that ends its column.
    void footersAndColumns()
    {
        test::TempStore store;
        store.addContractors(9);
        store.addContractor({{"NoDaftar", "ZRVA/KP/0010"}, {"TarikhDaftar", "01.02.2024, dipinda 03.04.2024"},
                             {"NamaSyarikat", "SYARIKAT" + QString(40, QLatin1Char('X')) + " SDN BHD"},
                             {"AlamatPendaftaranSyarikat", "Lot 1, " + QString(30, QLatin1Char('Y')) + " Jalan Panjang"},
                             {"NoTelHp", "012-3456789 / 019-8765432"}, {"kelas", "G3 / G4 / G5 / G6 / G7 / F"},
                             {"Bidang", "Pembekalan/Perkhidmatan"}});
        const QRegularExpression printedAt(QStringLiteral("^Dicetak pada \\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d$"));
        const auto footers = [&](const RecordedJob &job, double y, double right) {
            QStringList out;
            for (const RecordedPage &page : job.pages)
                for (const RecordedText &t : page.texts)
                    if (t.y == y && t.fontSize == 8)
                        out << (t.x == 990 && printedAt.match(t.text).hasMatch() ? QStringLiteral("tarikh")
                                : t.x + 80 * t.text.size() == right                  ? t.text
                                                                                      : QStringLiteral("? ") + t.text);
            return out.join(QLatin1Char('|'));
        };
        const RecordedJob list = report(1, INT_MAX);
        QCOMPARE(footers(list, 10610, 15490), QStringLiteral("tarikh|Muka surat 1 daripada 2|tarikh|Muka surat 2 daripada 2"));
        QCOMPARE(footers(report(), 10710, 15390), QStringLiteral("tarikh|Muka surat 1 daripada 1"));
        // Nine from the second: one whole page, and no empty one after it.
        QCOMPARE(footers(report(2, 10), 10610, 15490), QStringLiteral("tarikh|Muka surat 1 daripada 1"));

        const QMap<double, double> rules{{1100, 2700}, {2800, 4300}, {4400, 8000}, {8100, 10700},
                                         {10800, 12300}, {12400, 14000}, {14100, 15490}};
        for (const RecordedPage &page : list.pages)
            for (const RecordedText &t : page.texts)
                if (t.y > 1100 && t.y < 10490)
                    QVERIFY2(t.x + 100 * t.text.size() <= rules.value(t.x) - 60, qPrintable(QStringLiteral("%1,%2 %3").arg(t.x).arg(t.y).arg(t.text)));
        const RecordedPage &last = list.pages.at(1);
        QCOMPARE(at(last, 14100, 1500) + '|' + at(last, 14100, 1720), QStringLiteral("Verdana 10: Pembekalan/|Verdana 10: Perkhidmatan"));
        QCOMPARE(at(last, 10800, 1500), QStringLiteral("Verdana 10: 012-3456789 /\u2026"));
        QCOMPARE(at(last, 4400, 1500), "Verdana 10: SYARIKAT" + QString(26, QLatin1Char('X')) + '-'); // no blank: broken with a hyphen
        QCOMPARE(at(last, 2800, 1500) + '|' + at(last, 2800, 1720), QStringLiteral("Verdana 10: 01.02.2024,|Verdana 10: dipinda"));

        // A word wider than its column breaks between syllables where it can.
        PrintRecorder rec;
        Printer p(QStringLiteral("t"));
        p.setFontName(QStringLiteral("Verdana"));
        p.setFontSize(10);
        QCOMPARE(fitColumn(p, {QStringLiteral("Perkhidmatan")}, 1000, 4).join('|'), QStringLiteral("Perkhidma-|tan"));
        QCOMPARE(fitColumn(p, {QStringLiteral("Pengkhususan")}, 900, 4).join('|'), QStringLiteral("Pengkhu-|susan"));
        QCOMPARE(fitColumn(p, {QStringLiteral("a b c d e f")}, 300, 2).join('|'), QStringLiteral("a b|c\u2026"));
    }
};

ARB_TEST_MAIN(ListsTest)
#include "tst_lists.moc"
