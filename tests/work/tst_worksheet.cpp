#include "TestSupport.h"

#include "platform/MessageBox.h"
#include "reports/PainterDevice.h"
#include "reports/PrintRecorder.h"
#include "reports/Printer.h"
#include "work/Form5.h"
#include "work/Form6.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace arb;
using namespace Qt::StringLiterals;

namespace {
constexpr double kBottom = 8595;

QString numbered(const QString &pattern, int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << pattern.arg(i);
    return lines.join(u"\r\n"_s);
}

// The texts clipped to box as "y text"; one not at the box's left edge is marked "x?".
QStringList inBox(const QList<RecordedText> &texts, const QRectF &box)
{
    QStringList out;
    for (const RecordedText &t : texts)
        if (t.clip == box)
            out << (t.x == box.left() ? u""_s : u"x?"_s) + u"%1 %2"_s.arg(t.y).arg(t.text);
    return out;
}

// "Cetak Maklumat" answered, and the boxes it showed as "title|text|icon", "?" for Yes/No.
QStringList print(Form5 &form, MessageBox::Button answer)
{
    MessageBox::queueAnswers({answer});
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    return arb::test::shownBoxes();
}
} // namespace

class WorkSheetTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { MessageBox::clear(); }
    void cleanup() { QCOMPARE(MessageBox::pendingAnswers(), 0); }

    void sheets()
    {
        test::TempStore store;
        store.addContractor({{u"NoDaftar"_s, u"ZRVA/KP/0001"_s}, {u"NamaSyarikat"_s, u"SYARIKAT JAYA MAJU"_s},
                             {u"AlamatPendaftaranSyarikat"_s,
                              u"No. 7, Jalan Merbah\r\nTaman Sri\r\n27010 Kuala Serindit\r\nLembah Serindit"_s},
                             {u"No_I_LO"_s, u"LO/401/2025"_s}, {u"Tarikh_dapat_kerja"_s, numbered(u"%1.1.2005"_s, 40)},
                             {u"Butiran_kerja"_s, numbered(u"Kerja %1"_s, 40)}, {u"Nilai"_s, numbered(u"RM %1.00"_s, 40)}});
        store.addContractor({{u"NoDaftar"_s, u"ZRVA/KP/0002"_s}, {u"NamaSyarikat"_s, u"BINAAN SERINDIT"_s},
                             {u"AlamatPendaftaranSyarikat"_s, u"Lot 3, Kampung Baru"_s}, {u"No_I_LO"_s, u"IN/9/2024"_s},
                             {u"Tarikh_dapat_kerja"_s, u"2.2.2024\r\n3.3.2024\r\n"_s},
                             {u"Butiran_kerja"_s, u"Turap jalan dari simpang Kampung Baru hingga ke jambatan Sungai "
                                                  "Serindit\r\nCat dewan"_s},
                             {u"Nilai"_s, u"RM 800.00\r\nRM 90.00"_s}});
        // 30 one-line jobs, then one of two lines, where a page holds 31 lines.
        store.addContractor({{u"NoDaftar"_s, u"ZRVA/KP/0003"_s}, {u"NamaSyarikat"_s, u"KONTRAKTOR PENUH"_s},
                             {u"Tarikh_dapat_kerja"_s, numbered(u"%1.2.2006"_s, 31)},
                             {u"Butiran_kerja"_s, numbered(u"Kerja %1"_s, 30) + u"\r\nTurap jalan dari simpang "
                                                                                 "Kampung Baru hingga ke jambatan"_s},
                             {u"Nilai"_s, numbered(u"RM %1.00"_s, 31)}});
        Form5 form;
        {
            // One real PDF: the template drawn on a page device.
            QTemporaryDir dir;
            const QString pdf = dir.filePath(u"kerja.pdf"_s);
            Printer::setDeviceFactory([&](const QString &) { return PainterDevice::forPdf(pdf); });
            QCOMPARE(print(form, MessageBox::Yes).last(), u"Mesej|Data Dicetak|info"_s);
            Printer::resetDeviceFactory();
            QVERIFY(QFileInfo(pdf).size() > 1000);
            test::grab(pdf, u"worksheet.pdf"_s);
        }
        PrintRecorder recorder;
        // An edit not yet stored is printed as shown, without tarikh.
        form.Text2->setPlainText(u"1/1/2005"_s + form.Text2->toPlainText().mid(8));
        QCOMPARE(print(form, MessageBox::Yes),
                 (QStringList{u"Cetak...|Anda pasti untuk cetak maklumat ini?|?"_s, u"Mesej|Data Dicetak|info"_s}));
        QCOMPARE(recorder.jobs().size(), 1);
        const RecordedJob &job = recorder.jobs().first();
        // 40 jobs: 30 under the heading of the first page, the rest on a second under the same heading.
        QVERIFY(job.ended);
        QCOMPARE(job.pages.size(), 2);

        // Every address line prints; what stands below the address moves down as far as it needs (192).
        const QList<std::pair<QRectF, QString>> heading{
            {QRectF(1200, 600, 975, 375), u"No Daftar :"_s},   {QRectF(2400, 600, 5775, 285), u"ZRVA/KP/0001"_s},
            {QRectF(1200, 960, 975, 375), u"Nama : "_s},       {QRectF(2400, 960, 5775, 285), u"SYARIKAT JAYA MAJU"_s},
            {QRectF(1200, 1320, 1215, 375), u"Alamat:"_s},     {QRectF(1200, 2112, 1095, 255), u"No Inden/LO:"_s},
            {QRectF(2400, 2112, 5655, 285), u"LO/401/2025"_s},
        };
        for (const RecordedPage &page : job.pages) {
            for (const auto &[box, text] : heading)
                QCOMPARE(inBox(page.texts, box), QStringList{u"%1 %2"_s.arg(box.top()).arg(text)});
            QCOMPARE(inBox(page.texts, QRectF(2400, 1320, 5775, 792)),
                     (QStringList{u"1320 No. 7, Jalan Merbah"_s, u"1518 Taman Sri"_s, u"1716 27010 Kuala Serindit"_s,
                                  u"1914 Lembah Serindit"_s}));
        }
        // The columns start below the heading and stop at the template's bottom edge (8595): 30 lines of 198 twips.
        const QList<std::tuple<double, double, QString>> columns{
            {1200, 1695, u"%1.1.2005"_s}, {3120, 3255, u"Kerja %1"_s}, {6600, 1695, u"RM %1.00"_s}};
        for (const auto &[left, width, pattern] : columns) {
            const QRectF box(left, 2592, width, kBottom - 2592);
            const QStringList first = inBox(job.pages.at(0).texts, box);
            const QStringList second = inBox(job.pages.at(1).texts, box);
            QCOMPARE(first.size(), 30);
            QCOMPARE(first.value(29), u"8334 "_s + pattern.arg(30));
            QCOMPARE(second.size(), 10);
            QCOMPARE(second.first(), u"2592 "_s + pattern.arg(31));
            QCOMPARE(second.last(), u"4374 "_s + pattern.arg(40));
        }
        QCOMPARE(inBox(job.pages.at(0).texts, QRectF(1200, 2592, 1695, kBottom - 2592)).first(), u"2592 1/1/2005"_s);
        // Printing stores nothing and normalises nothing.
        QVERIFY(store.value(0, u"Tarikh_dapat_kerja"_s).toString().startsWith(u"1.1.2005"_s));

        // The next contractor: the template reused, never shown. A description too long for its column
        // wraps inside it; the job's date and value stay on its first line, and the next job starts below.
        Form6 *first = Form6::instance();
        form.Command6->click();
        print(form, MessageBox::Yes);
        QCOMPARE(Form6::instance(), first);
        QVERIFY(!first->isVisible());
        QCOMPARE(recorder.jobs().size(), 2);
        QCOMPARE(recorder.jobs().last().pages.size(), 1);
        QStringList second;
        for (const RecordedText &t : recorder.allTexts())
            second << u"%1,%2 %3"_s.arg(t.x).arg(t.y).arg(t.text);
        QCOMPARE(second, (QStringList{u"1200,600 No Daftar :"_s, u"2400,600 ZRVA/KP/0002"_s, u"1200,960 Nama : "_s,
                                      u"2400,960 BINAAN SERINDIT"_s, u"1200,1320 Alamat:"_s,
                                      u"2400,1320 Lot 3, Kampung Baru"_s, u"1200,1920 No Inden/LO:"_s,
                                      u"2400,1920 IN/9/2024"_s, u"1200,2400 2.2.2024"_s, u"1200,2796 3.3.2024"_s,
                                      u"3120,2400 Turap jalan dari simpang Kampung Baru"_s,
                                      u"3120,2598 hingga ke jambatan Sungai Serindit"_s, u"3120,2796 Cat dewan"_s,
                                      u"6600,2400 RM 800.00"_s, u"6600,2796 RM 90.00"_s}));
        // A job that no longer fits whole goes whole onto the next page.
        form.Command6->click();
        recorder.clear();
        print(form, MessageBox::Yes);
        const auto works = [&](int page) {
            QStringList out;
            for (const RecordedText &t : recorder.jobs().last().pages.value(page).texts)
                if (t.x == 3120)
                    out << u"%1 %2"_s.arg(t.y).arg(t.text);
            return out;
        };
        QCOMPARE(recorder.jobs().last().pages.size(), 2);
        QCOMPARE(works(0).size(), 30);
        QCOMPARE(works(0).last(), u"8142 Kerja 30"_s);
        QCOMPARE(works(1), (QStringList{u"2400 Turap jalan dari simpang Kampung Baru"_s, u"2598 hingga ke jambatan"_s}));
        recorder.clear();
        QCOMPARE(print(form, MessageBox::No).value(1), u"Mesej|Rekod tak dicetak|exclamation"_s);
        QVERIFY(recorder.jobs().isEmpty());
        // A printer that fails: the failure report, and no "Data Dicetak".
        Printer::setDeviceFactory([](const QString &) { return std::unique_ptr<PrintDevice>(); });
        const QStringList failed = print(form, MessageBox::Yes);
        Printer::resetDeviceFactory();
        QVERIFY(failed.size() == 2 && failed[1].endsWith(u"|critical"_s));
    }
};

ARB_TEST_MAIN(WorkSheetTest)
#include "tst_worksheet.moc"
