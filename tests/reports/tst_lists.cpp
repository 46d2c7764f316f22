#include "TestSupport.h"

#include "data/Locations.h"
#include "data/Snapshot.h"
#include "reports/ContractorListReport.h"
#include "reports/Form2.h"
#include "reports/ListLines.h"
#include "reports/MonthCount.h"
#include "reports/PrintRecorder.h"
#include "reports/Printer.h"
#include "reports/WorkListReport.h"

#include <climits>

using namespace arb;

namespace {

using Months = std::array<int, 12>;

Months months(std::initializer_list<std::pair<int, int>> counts)
{
    Months m{};
    for (auto [month, n] : counts)
        m[size_t(month - 1)] = n;
    return m;
}

bool hasLine(const RecordedPage &page, double x1, double y1, double x2, double y2)
{
    for (const RecordedLine &l : page.lines)
        if (l.x1 == x1 && l.y1 == y1 && l.x2 == x2 && l.y2 == y2)
            return true;
    return false;
}

// Texts of a page printed at x in the given font size, in order.
QStringList column(const RecordedPage &page, double x, double size = 0)
{
    QStringList out;
    for (const RecordedText &t : page.texts)
        if (t.x == x && (size == 0 || t.fontSize == size) && !t.bold)
            out << t.text;
    return out;
}

const RecordedText *textAt(const RecordedPage &page, double x, double y)
{
    for (const RecordedText &t : page.texts)
        if (t.x == x && t.y == y)
            return &t;
    return nullptr;
}

QString serial(int n)
{
    return QStringLiteral("ZRVA/KP/%1").arg(n, 4, 10, QLatin1Char('0'));
}

QStringList serials(int from, int to)
{
    QStringList out;
    for (int n = from; n <= to; ++n)
        out << serial(n);
    return out;
}

RecordedJob contractorList(int first, int last)
{
    PrintRecorder rec;
    {
        Snapshot rows(Locations::kSharedPath, QStringLiteral("kontraktor"));
        Printer p(QStringLiteral("Senarai Kontraktor"));
        printContractorList(p, rows, first, last);
        p.endDoc();
    }
    return rec.jobs().value(0);
}

RecordedJob workList()
{
    PrintRecorder rec;
    {
        Snapshot rows(Locations::kSharedPath, QStringLiteral("kontraktor"));
        Printer p(QStringLiteral("Senarai Kerja"));
        printWorkList(p, rows);
        p.endDoc();
    }
    return rec.jobs().value(0);
}

} // namespace

class ListsTest : public QObject
{
    Q_OBJECT
private slots:
    void contractorSkeleton()
    {
        PrintRecorder rec;
        Printer p(QStringLiteral("t"));
        short c = 1;
        Form2::table(p, c);
        p.endDoc();
        const RecordedPage &page = rec.jobs().at(0).pages.at(0);
        QCOMPARE(page.lines.size(), 4 + 9 + 6);
        QVERIFY(hasLine(page, 990, 990, 990, 10490));
        QVERIFY(hasLine(page, 15490, 990, 15490, 10490));
        QVERIFY(hasLine(page, 990, 990, 15490, 990));
        QVERIFY(hasLine(page, 990, 10490, 15490, 10490)); // the ninth slot ends on the frame
        for (int y = 1490; y <= 9490; y += 1000)
            QVERIFY2(hasLine(page, 990, y, 15490, y), qPrintable(QString::number(y)));
        const int dividers[] = {2700, 4300, 8000, 10700, 12300, 14000};
        for (int x : dividers)
            QVERIFY(hasLine(page, x, 990, x, 10490));
        const QStringList titles{QStringLiteral("No Daftar"), QStringLiteral("Tarikh Daftar"), QStringLiteral("Nama Syarikat"),
                                 QStringLiteral("Alamat"), QStringLiteral("No Tel"), QStringLiteral("Kelas"), QStringLiteral("Bidang")};
        const double xs[] = {1100, 2800, 4400, 8100, 10800, 12400, 14100};
        QCOMPARE(page.texts.size(), 7);
        for (int i = 0; i < 7; ++i) {
            const RecordedText &t = page.texts.at(i);
            QCOMPARE(t.text, titles.at(i));
            QCOMPARE(t.x, xs[i]);
            QCOMPARE(t.y, 1100.0);
            QCOMPARE(t.fontName, QStringLiteral("ARIAL"));
            QCOMPARE(t.fontSize, 12.0);
            QVERIFY(t.bold);
        }
    }

    void workSkeleton()
    {
        PrintRecorder rec;
        Printer p(QStringLiteral("t"));
        short c = 1;
        Form2::table1(p, c);
        p.endDoc();
        const RecordedPage &page = rec.jobs().at(0).pages.at(0);
        QCOMPARE(page.lines.size(), 4 + 14 + 2 + 12);
        QVERIFY(hasLine(page, 990, 990, 990, 10590));
        QVERIFY(hasLine(page, 15390, 990, 15390, 10590)); // closes the December column
        QVERIFY(hasLine(page, 990, 10590, 15390, 10590));
        for (int k = 0; k <= 13; ++k)
            QVERIFY(hasLine(page, 990, 1490 + 650 * k, 15390, 1490 + 650 * k));
        QVERIFY(hasLine(page, 990, 9940, 15390, 9940)); // last rule: slot 14 ends on the frame
        QVERIFY(hasLine(page, 2700, 990, 2700, 10590));
        QVERIFY(hasLine(page, 8590, 990, 8590, 10590));
        for (int k = 0; k <= 11; ++k)
            QVERIFY(hasLine(page, 10590 + 400 * k, 990, 10590 + 400 * k, 10590));
        QStringList titles;
        for (const RecordedText &t : page.texts) {
            QCOMPARE(t.y, 1100.0);
            QCOMPARE(t.fontSize, 11.0);
            QVERIFY(t.bold);
            titles << t.text;
        }
        QCOMPARE(titles.join(QLatin1Char('|')), QStringLiteral("No Daftar|Nama & Alamat|No Tel|J|F|M|A|M|J|J|O|S|O|N|D"));
        QCOMPARE(page.texts.at(2).x, 8690.0);
        QCOMPARE(page.texts.at(3).x, 10690.0);
        QCOMPARE(page.texts.at(14).x, 10690.0 + 400 * 11);
    }

    void nameCutting()
    {
        const QString n29 = QStringLiteral("SYARIKAT BINAAN JAYA MAJU SDN"); // 29 characters
        QCOMPARE(n29.size(), 29);
        QCOMPARE(nameLines(n29), (QStringList{n29, QStringLiteral(" ")}));
        // 30 characters: cut after the first blank at or after character 20.
        const QString n30 = QStringLiteral("SYARIKAT BINAAN JAYA MAJU SDNX");
        QCOMPARE(nameLines(n30), (QStringList{QStringLiteral("SYARIKAT BINAAN JAYA "), QStringLiteral("MAJU SDNX")}));
        // The blank at character 20 itself ends line 1.
        const QString at20 = QStringLiteral("ABCDEFGHIJKLMNOPQRS TUVWXYZ0123");
        QCOMPARE(nameLines(at20), (QStringList{QStringLiteral("ABCDEFGHIJKLMNOPQRS "), QStringLiteral("TUVWXYZ0123")}));
        // A blank only before character 20: line 1 holds 19 characters.
        const QString before20 = QStringLiteral("ABCDEFGHIJKLMNOPQR STUVWXYZ0123456");
        QCOMPARE(nameLines(before20), (QStringList{QStringLiteral("ABCDEFGHIJKLMNOPQR "), QStringLiteral("STUVWXYZ0123456")}));
        // No blank at all: 19 characters, then the rest however long.
        const QString solid = QString(45, QLatin1Char('X'));
        QCOMPARE(nameLines(solid), (QStringList{QString(19, QLatin1Char('X')), QString(26, QLatin1Char('X'))}));
        // Blanks after the cut are dropped from line 2.
        QCOMPARE(nameLines(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUV   WXYZ")).size(), 2);
        QCOMPARE(nameLines(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ   ABC")),
                 (QStringList{QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ "), QStringLiteral("ABC")}));
    }

    void addressCutting()
    {
        // Fourteen characters or fewer: line 1 alone.
        QCOMPARE(addressLines(QStringLiteral("Lembah Serindi")),
                 (QStringList{QStringLiteral("Lembah Serindi"), QString(), QStringLiteral(" "), QStringLiteral(" ")}));
        // Four lines, and what would make a fifth is dropped.
        QCOMPARE(addressLines(QStringLiteral("No. 7, Jalan Merbah, Taman Sri Serindit, 12345 Lembah Serindit, Negeri Contoh Darul Aman")),
                 (QStringList{QStringLiteral("No. 7, Jalan Merbah, "), QStringLiteral("Taman Sri Serindit, "),
                              QStringLiteral("12345 Lembah Serindit, "), QStringLiteral("Negeri Contoh Darul ")}));
        // A remainder with no blank from character 15 on is one line, however long.
        QCOMPARE(addressLines(QStringLiteral("ABCDEFGHIJKLMN OPQ RSTUVWXYZABCDEFGH")),
                 (QStringList{QStringLiteral("ABCDEFGHIJKLMN "), QStringLiteral("OPQ RSTUVWXYZABCDEFGH"), QStringLiteral(" "),
                              QStringLiteral(" ")}));
        // No blank from character 15 on in the address: the first 14 characters, then the rest.
        QCOMPARE(addressLines(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ")),
                 (QStringList{QStringLiteral("ABCDEFGHIJKLMN"), QStringLiteral("OPQRSTUVWXYZ"), QStringLiteral(" "), QStringLiteral(" ")}));
        // Three lines: line 4 a blank.
        QCOMPARE(addressLines(QStringLiteral("Lot 12, Kampung Tebing, Sungai Serindit 27010")).at(3), QStringLiteral(" "));
        QCOMPARE(addressLines(QStringLiteral("Lot 12, Kampung Tebing, Sungai Serindit 27010")).at(2), QStringLiteral("Serindit 27010"));
        // Stored line breaks read as blanks.
        QCOMPARE(asOneLine(QStringLiteral("No. 7\r\nJalan\nA\rB")), QStringLiteral("No. 7 Jalan A B"));
    }

    void monthCount()
    {
        QCOMPARE(countMonths(QStringLiteral("12.03.2004")), months({{3, 1}}));
        QCOMPARE(countMonths(QStringLiteral("5.6.2004")), months({{6, 1}}));
        QCOMPARE(countMonths(QStringLiteral("01-02-2004")), months({{2, 1}}));
        QCOMPARE(countMonths(QStringLiteral("1/2/2004")), months({{2, 1}}));
        QCOMPARE(countMonths(QStringLiteral("1.2.2004 3.4.2005")), months({{2, 1}, {4, 1}}));
        QCOMPARE(countMonths(QStringLiteral("1.5.2003 1.5.2004")), months({{5, 2}}));
        QCOMPARE(countMonths(QStringLiteral("1.2.2004\r\n3.4.2005")), months({{2, 1}, {4, 1}}));
        QCOMPARE(countMonths(QStringLiteral("12.05.2003\n13.06.2003")), months({{5, 1}, {6, 1}}));
        QCOMPARE(countMonths(QStringLiteral("1.12.2004")), months({{12, 1}}));
        QCOMPARE(countMonths(QStringLiteral("12.13.2004")), months({}));
        QCOMPARE(countMonths(QStringLiteral("-")), months({}));
        QCOMPARE(countMonths(QString()), months({}));
        QStringList ten;
        for (int d = 1; d <= 10; ++d)
            ten << QStringLiteral("%1.01.2024").arg(d);
        QCOMPARE(countMonths(ten.join(QLatin1Char(' '))), months({{1, 10}}));
        // Mended: a short year no longer reads as another month.
        QCOMPARE(countMonths(QStringLiteral("1.12.04")), months({{12, 1}}));
        QCOMPARE(countMonths(QStringLiteral("1.12.04 3.4.05")), months({{12, 1}, {4, 1}}));
        // A month that is not a number ends that record's count; what came before stays.
        QCOMPARE(countMonths(QStringLiteral("1.2.2004 12.ab.2004 1.3.2004")), months({{2, 1}}));
        // Blanks after the last year, a date cut short: no failure.
        QCOMPARE(countMonths(QStringLiteral("12.03.2004  ")), months({{3, 1}}));
        QCOMPARE(countMonths(QStringLiteral("1.2.2004 1.3")), months({{2, 1}}));
        QCOMPARE(countMonths(QStringLiteral("12.")), months({}));
        QCOMPARE(countMonths(QStringLiteral("12.05.2003 13.06.2003")), months({{5, 1}, {6, 1}}));
    }

    void contractorRows()
    {
        test::TempStore store;
        store.addContractors(20);
        QVariantMap one;
        one.insert(QStringLiteral("NoDaftar"), QStringLiteral("ZRVA/KP/0021"));
        one.insert(QStringLiteral("TarikhDaftar"), QStringLiteral("1.2.2024"));
        one.insert(QStringLiteral("NamaSyarikat"), QStringLiteral("SYARIKAT BINAAN JAYA MAJU SDN BHD"));
        one.insert(QStringLiteral("AlamatPendaftaranSyarikat"), QStringLiteral("No. 7, Jalan Merbah\r\n27070 Kampung Tebing\r\nLembah Serindit"));
        one.insert(QStringLiteral("NoTelHp"), QStringLiteral("012-3456789"));
        one.insert(QStringLiteral("NoTelPej"), QStringLiteral("09-5100111"));
        one.insert(QStringLiteral("kelas"), QStringLiteral("G3"));
        one.insert(QStringLiteral("Bidang"), QStringLiteral("Pembinaan")); // NoFaks left null
        store.addContractor(one);

        const RecordedJob job = contractorList(1, INT_MAX);
        QVERIFY(job.landscape);
        QVERIFY(job.ended);
        QCOMPARE(job.pages.size(), 3);
        for (const RecordedPage &page : job.pages) {
            QCOMPARE(page.lines.size(), 19); // a fresh skeleton on every page
            QCOMPARE(page.texts.at(0).text, QStringLiteral("No Daftar"));
        }
        QCOMPARE(column(job.pages.at(0), 1100), serials(1, 9));
        QCOMPARE(column(job.pages.at(1), 1100), serials(10, 18));
        QCOMPARE(column(job.pages.at(2), 1100), serials(19, 21));

        // The row of contractor 21: third on page 3, base y 3500.
        const RecordedPage &p = job.pages.at(2);
        auto check = [&](double x, double y, const QString &text) {
            const RecordedText *t = textAt(p, x, y);
            QVERIFY2(t, qPrintable(QStringLiteral("nothing at %1,%2").arg(x).arg(y)));
            QCOMPARE(t->text, text);
            QCOMPARE(t->fontName, QStringLiteral("Verdana"));
            QCOMPARE(t->fontSize, 10.0);
            QVERIFY(!t->bold);
        };
        check(1100, 3500, QStringLiteral("ZRVA/KP/0021"));
        check(2800, 3500, QStringLiteral("1.2.2024"));
        check(4400, 3500, QStringLiteral("SYARIKAT BINAAN JAYA "));
        check(4400, 3720, QStringLiteral("MAJU SDN BHD"));
        check(8100, 3500, QStringLiteral("No. 7, Jalan Merbah "));
        check(8100, 3720, QStringLiteral("27070 Kampung Tebing "));
        check(8100, 3940, QStringLiteral("Lembah Serindit"));
        check(8100, 4160, QStringLiteral(" "));
        check(10800, 3500, QStringLiteral("012-3456789"));
        check(10800, 3720, QStringLiteral("09-5100111"));
        QVERIFY(!textAt(p, 10800, 3940)); // a field with no value prints nothing
        check(12400, 3500, QStringLiteral("G3"));
        check(14100, 3500, QStringLiteral("Pembinaan"));
        // Row bases of the first page.
        QCOMPARE(textAt(job.pages.at(0), 1100, 1500)->text, serial(1));
        QCOMPARE(textAt(job.pages.at(0), 1100, 9500)->text, serial(9));
    }

    void contractorPagesAndRanges()
    {
        {
            test::TempStore store;
            store.addContractors(18); // a multiple of nine: no trailing empty page
            QCOMPARE(contractorList(1, INT_MAX).pages.size(), 2);
        }
        {
            test::TempStore store; // empty register: one page with the empty skeleton
            const RecordedJob job = contractorList(1, INT_MAX);
            QCOMPARE(job.pages.size(), 1);
            QCOMPARE(job.pages.at(0).lines.size(), 19);
            QCOMPARE(job.pages.at(0).texts.size(), 7);
            QVERIFY(job.ended);
        }
        test::TempStore store;
        store.addContractors(12);
        QCOMPARE(column(contractorList(1, 5).pages.at(0), 1100), serials(1, 5));
        QCOMPARE(column(contractorList(3, 5).pages.at(0), 1100), serials(3, 5));
        QCOMPARE(column(contractorList(5, 5).pages.at(0), 1100), serials(5, 5));
        QCOMPARE(textAt(contractorList(5, 5).pages.at(0), 1100, 1500)->text, serial(5)); // first slot of the page
        const RecordedJob past = contractorList(8, 40); // stops at the last record
        QCOMPARE(past.pages.size(), 1);
        QCOMPARE(column(past.pages.at(0), 1100), serials(8, 12));
        const RecordedJob ten = contractorList(2, 11); // ten rows: two pages
        QCOMPARE(ten.pages.size(), 2);
        QCOMPARE(column(ten.pages.at(1), 1100), serials(11, 11));
    }

    void workRows()
    {
        test::TempStore store;
        store.addContractors(29);
        QVariantMap one;
        one.insert(QStringLiteral("NoDaftar"), QStringLiteral("ZRVA/KP/0030"));
        one.insert(QStringLiteral("NamaSyarikat"), QStringLiteral("SYARIKAT BINAAN JAYA MAJU SDN BHD"));
        one.insert(QStringLiteral("AlamatPendaftaranSyarikat"), QStringLiteral("No. 7, Jalan Merbah\r\nLembah Serindit"));
        one.insert(QStringLiteral("NoTelPej"), QStringLiteral("09-5100111"));
        one.insert(QStringLiteral("NoTelHp"), QStringLiteral("012-3456789"));
        one.insert(QStringLiteral("NoFaks"), QStringLiteral("09-5200111"));
        one.insert(QStringLiteral("Tarikh_dapat_kerja"), QStringLiteral("12.03.2004\r\n5.3.2005\r\n1/12/2004"));
        store.addContractor(one);
        QVariantMap nulls; // no dates, no address: nothing printed for them
        nulls.insert(QStringLiteral("NoDaftar"), QStringLiteral("ZRVA/KP/0031"));
        store.addContractor(nulls);

        const RecordedJob job = workList();
        QVERIFY(job.landscape);
        QCOMPARE(job.pages.size(), 3);
        for (const RecordedPage &page : job.pages)
            QCOMPARE(page.lines.size(), 32);
        QCOMPARE(column(job.pages.at(0), 1100, 10), serials(1, 14));
        QCOMPARE(column(job.pages.at(1), 1100, 10), serials(15, 28));
        QCOMPARE(column(job.pages.at(2), 1100, 10), (QStringList{serial(29), serial(30), serial(31)}));

        const RecordedPage &p = job.pages.at(2); // contractor 30: second row, base 2150
        auto check = [&](double x, double y, const QString &text, double size) {
            const RecordedText *t = textAt(p, x, y);
            QVERIFY2(t, qPrintable(QStringLiteral("nothing at %1,%2").arg(x).arg(y)));
            QCOMPARE(t->text, text);
            QCOMPARE(t->fontName, QStringLiteral("Verdana"));
            QCOMPARE(t->fontSize, size);
            QVERIFY(!t->bold);
        };
        check(1100, 2150, QStringLiteral("ZRVA/KP/0030"), 10);
        check(2800, 2150, QStringLiteral("SYARIKAT BINAAN JAYA MAJU SDN BHD"), 10); // whole, not cut
        check(2800, 2370, QStringLiteral("No. 7, Jalan Merbah Lembah Serindit"), 8);
        check(8690, 2150, QStringLiteral("09-5100111"), 9);
        check(8690, 2355, QStringLiteral("012-3456789"), 9);
        check(8690, 2560, QStringLiteral("09-5200111"), 9);
        check(10690 + 400 * 2, 2355, QStringLiteral(" 2 "), 9); // March, as Print writes a number
        check(10690 + 400 * 11, 2355, QStringLiteral(" 1 "), 9); // December
        int counts = 0;
        for (const RecordedText &t : p.texts)
            counts += t.x >= 10690 && t.y > 1100 ? 1 : 0;
        QCOMPARE(counts, 2); // months with no work stay empty

        // The record with no values: only its number.
        int third = 0;
        for (const RecordedText &t : p.texts)
            third += t.y >= 2800 ? 1 : 0;
        QCOMPARE(third, 1);
    }

    void workPages()
    {
        {
            test::TempStore store;
            store.addContractors(28); // a multiple of fourteen: no trailing empty page
            const RecordedJob job = workList();
            QCOMPARE(job.pages.size(), 2);
            QCOMPARE(textAt(job.pages.at(1), 1100, 1500 + 650 * 13)->text, serial(28));
        }
        test::TempStore store;
        const RecordedJob job = workList();
        QCOMPARE(job.pages.size(), 1);
        QCOMPARE(job.pages.at(0).lines.size(), 32);
        QCOMPARE(job.pages.at(0).texts.size(), 15);
    }
};

ARB_TEST_MAIN(ListsTest)
#include "tst_lists.moc"
