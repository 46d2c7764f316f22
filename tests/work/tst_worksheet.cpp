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
                             {u"AlamatPendaftaranSyarikat"_s, u"No. 7, Jalan Merbah\r\n27010 Kuala Serindit\r\nLembah Serindit"_s},
                             {u"No_I_LO"_s, u"LO/401/2025"_s}, {u"Tarikh_dapat_kerja"_s, numbered(u"%1.1.2005"_s, 40)},
                             {u"Butiran_kerja"_s, numbered(u"Kerja %1"_s, 40)}, {u"Nilai"_s, numbered(u"RM %1.00"_s, 40)}});
        store.addContractor({{u"NoDaftar"_s, u"ZRVA/KP/0002"_s}, {u"NamaSyarikat"_s, u"BINAAN SERINDIT"_s},
                             {u"AlamatPendaftaranSyarikat"_s, u"Lot 3, Kampung Baru"_s}, {u"No_I_LO"_s, u"IN/9/2024"_s},
                             {u"Tarikh_dapat_kerja"_s, u"2.2.2024"_s}, {u"Butiran_kerja"_s, u"Turap jalan"_s},
                             {u"Nilai"_s, u"RM 800.00"_s}});
        Form5 form;
        {
            // One real PDF: the template drawn on a page device.
            QTemporaryDir dir;
            const QString pdf = dir.filePath(u"kerja.pdf"_s);
            Printer::setDeviceFactory([&](const QString &) { return PainterDevice::forPdf(pdf); });
            QCOMPARE(print(form, MessageBox::Yes).last(), u"Mesej|Data Dicetak|info"_s);
            Printer::resetDeviceFactory();
            QVERIFY(QFileInfo(pdf).size() > 1000);
        }
        PrintRecorder recorder;
        // An edit not yet stored is printed as shown, without tarikh.
        form.Text2->setPlainText(u"1/1/2005"_s + form.Text2->toPlainText().mid(8));
        QCOMPARE(print(form, MessageBox::Yes),
                 (QStringList{u"Cetak...|Anda pasti untuk cetak maklumat ini?|?"_s, u"Mesej|Data Dicetak|info"_s}));
        QCOMPARE(recorder.jobs().size(), 1);
        QVERIFY(recorder.jobs().first().ended && recorder.jobs().first().pages.size() == 1);
        const QList<RecordedText> texts = recorder.allTexts();

        // Captions and one-line boxes at their places ("No Daftar : " is a little
        // wider than its label: the blank wraps away).
        const QList<std::pair<QRectF, QString>> single{
            {QRectF(1200, 600, 975, 375), u"No Daftar :"_s},   {QRectF(2400, 600, 5775, 285), u"ZRVA/KP/0001"_s},
            {QRectF(1200, 960, 975, 375), u"Nama : "_s},       {QRectF(2400, 960, 5775, 285), u"SYARIKAT JAYA MAJU"_s},
            {QRectF(1200, 1320, 1215, 375), u"Alamat:"_s},     {QRectF(1200, 1920, 1095, 255), u"No Inden/LO:"_s},
            {QRectF(2400, 1920, 5655, 285), u"LO/401/2025"_s},
        };
        for (const auto &[box, text] : single)
            QCOMPARE(inBox(texts, box), QStringList{u"%1 %2"_s.arg(box.top()).arg(text)});
        // The address box holds two lines of three.
        QCOMPARE(inBox(texts, QRectF(2400, 1320, 5775, 435)),
                 (QStringList{u"1320 No. 7, Jalan Merbah"_s, u"1518 27010 Kuala Serindit"_s}));
        // The columns stop at the template's bottom edge (8595): 31 whole lines of 198 twips.
        const QList<std::tuple<double, double, QString>> columns{
            {1200, 1695, u"31.1.2005"_s}, {3120, 3255, u"Kerja 31"_s}, {6600, 1695, u"RM 31.00"_s}};
        for (const auto &[left, width, last] : columns) {
            const QStringList lines = inBox(texts, QRectF(left, 2400, width, kBottom - 2400));
            QCOMPARE(lines.size(), 31);
            QCOMPARE(lines.last(), u"8340 "_s + last);
        }
        QCOMPARE(inBox(texts, QRectF(1200, 2400, 1695, kBottom - 2400)).first(), u"2400 1/1/2005"_s); // as typed
        QCOMPARE(texts.size(), 7 + 2 + 3 * 31);
        // Printing stores nothing and normalises nothing.
        QVERIFY(store.value(0, u"Tarikh_dapat_kerja"_s).toString().startsWith(u"1.1.2005"_s));

        // The next contractor: the template reused, never shown; the sheet holds only its own texts.
        Form6 *first = Form6::instance();
        form.Command6->click();
        print(form, MessageBox::Yes);
        QCOMPARE(Form6::instance(), first);
        QVERIFY(!first->isVisible());
        QCOMPARE(recorder.jobs().size(), 2);
        QStringList second;
        for (const RecordedText &t : recorder.allTexts())
            second << t.text;
        QCOMPARE(second, (QStringList{u"No Daftar :"_s, u"ZRVA/KP/0002"_s, u"Nama : "_s, u"BINAAN SERINDIT"_s,
                                      u"Alamat:"_s, u"Lot 3, Kampung Baru"_s, u"No Inden/LO:"_s, u"IN/9/2024"_s,
                                      u"2.2.2024"_s, u"Turap jalan"_s, u"RM 800.00"_s}));
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
