#include "TestSupport.h"

#include "platform/MessageBox.h"
#include "reports/PainterDevice.h"
#include "reports/PrintRecorder.h"
#include "reports/Printer.h"
#include "work/Form5.h"
#include "work/Form6.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace arb;

namespace {
// The recorder's line of the template font (8.25 pt): 1.2 × 8.25 × 20 twips.
constexpr double kLine = 198;
constexpr double kBottom = 8595;

QStringList numbered(const QString &pattern, int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << pattern.arg(i);
    return lines;
}

void addBusyContractor(test::TempStore &store)
{
    store.addContractor({{QStringLiteral("NoDaftar"), QStringLiteral("ZRVA/KP/0001")},
                         {QStringLiteral("NamaSyarikat"), QStringLiteral("SYARIKAT JAYA MAJU")},
                         {QStringLiteral("AlamatPendaftaranSyarikat"),
                          QStringLiteral("No. 7, Jalan Merbah\r\n27010 Kuala Serindit\r\nLembah Serindit")},
                         {QStringLiteral("No_I_LO"), QStringLiteral("LO/401/2025")},
                         {QStringLiteral("Tarikh_dapat_kerja"), numbered(QStringLiteral("%1.1.2005"), 40).join("\r\n")},
                         {QStringLiteral("Butiran_kerja"), numbered(QStringLiteral("Kerja %1"), 40).join("\r\n")},
                         {QStringLiteral("Nilai"), numbered(QStringLiteral("RM %1.00"), 40).join("\r\n")}});
    store.addContractor({{QStringLiteral("NoDaftar"), QStringLiteral("ZRVA/KP/0002")},
                         {QStringLiteral("NamaSyarikat"), QStringLiteral("BINAAN SERINDIT")},
                         {QStringLiteral("AlamatPendaftaranSyarikat"), QStringLiteral("Lot 3, Kampung Baru")},
                         {QStringLiteral("No_I_LO"), QStringLiteral("IN/9/2024")},
                         {QStringLiteral("Tarikh_dapat_kerja"), QStringLiteral("2.2.2024")},
                         {QStringLiteral("Butiran_kerja"), QStringLiteral("Turap jalan")},
                         {QStringLiteral("Nilai"), QStringLiteral("RM 800.00")}});
}

// The texts clipped to a box, that is: printed in it.
QList<RecordedText> inBox(const QList<RecordedText> &texts, const QRectF &box)
{
    QList<RecordedText> found;
    for (const RecordedText &t : texts)
        if (t.clip == box)
            found << t;
    return found;
}

QStringList textsOf(const QList<RecordedText> &texts)
{
    QStringList out;
    for (const RecordedText &t : texts)
        out << t.text;
    return out;
}

bool printSheet(Form5 &form, MessageBox::Button answer)
{
    MessageBox::queueAnswers({answer});
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    return MessageBox::pendingAnswers() == 0;
}
} // namespace

class WorkSheetTest : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        MessageBox::clear();
    }

    void sheetOnTheRecorder()
    {
        test::TempStore store;
        addBusyContractor(store);
        PrintRecorder recorder;
        Form5 form;
        // An edit not yet stored is printed as shown, without tarikh.
        form.Text2->setPlainText(QStringLiteral("1/1/2005") + form.Text2->toPlainText().mid(8));
        QVERIFY(printSheet(form, MessageBox::Yes));

        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].text, QStringLiteral("Anda pasti untuk cetak maklumat ini?"));
        QCOMPARE(shown[0].title, QStringLiteral("Cetak..."));
        QVERIFY(shown[0].yesNo);
        QCOMPARE(shown[0].icon, MessageBox::NoIcon);
        QCOMPARE(shown[1].text, QStringLiteral("Data Dicetak"));
        QCOMPARE(shown[1].title, QStringLiteral("Mesej"));
        QCOMPARE(shown[1].icon, MessageBox::Information);

        QCOMPARE(recorder.jobs().size(), 1);
        QVERIFY(recorder.jobs().first().ended);
        QCOMPARE(recorder.jobs().first().pages.size(), 1);
        const QList<RecordedText> texts = recorder.allTexts();

        // Captions and one-line boxes at their places, clipped to their boxes
        // ("No Daftar : " is a little wider than its label: the blank wraps away).
        const QList<std::pair<QRectF, QString>> single{
            {QRectF(1200, 600, 975, 375), QStringLiteral("No Daftar :")},
            {QRectF(2400, 600, 5775, 285), QStringLiteral("ZRVA/KP/0001")},
            {QRectF(1200, 960, 975, 375), QStringLiteral("Nama : ")},
            {QRectF(2400, 960, 5775, 285), QStringLiteral("SYARIKAT JAYA MAJU")},
            {QRectF(1200, 1320, 1215, 375), QStringLiteral("Alamat:")},
            {QRectF(1200, 1920, 1095, 255), QStringLiteral("No Inden/LO:")},
            {QRectF(2400, 1920, 5655, 285), QStringLiteral("LO/401/2025")},
        };
        for (const auto &[box, text] : single) {
            const auto found = inBox(texts, box);
            QCOMPARE(textsOf(found), QStringList{text});
            QCOMPARE(found.first().x, box.left());
            QCOMPARE(found.first().y, box.top());
        }

        // The address box holds two lines of three.
        const QRectF address(2400, 1320, 5775, 435);
        QCOMPARE(textsOf(inBox(texts, address)),
                 (QStringList{QStringLiteral("No. 7, Jalan Merbah"), QStringLiteral("27010 Kuala Serindit")}));

        // The columns stop at the template's bottom edge: whole lines only.
        const int fit = int((kBottom - 2400) / kLine);
        const QList<std::pair<QRectF, QStringList>> columns{
            {QRectF(1200, 2400, 1695, kBottom - 2400), numbered(QStringLiteral("%1.1.2005"), fit)},
            {QRectF(3120, 2400, 3255, kBottom - 2400), numbered(QStringLiteral("Kerja %1"), fit)},
            {QRectF(6600, 2400, 1695, kBottom - 2400), numbered(QStringLiteral("RM %1.00"), fit)},
        };
        for (auto [box, lines] : columns) {
            if (box.left() == 1200)
                lines[0] = QStringLiteral("1/1/2005");
            const auto found = inBox(texts, box);
            QCOMPARE(textsOf(found), lines);
            for (int i = 0; i < found.size(); ++i) {
                QCOMPARE(found[i].y, box.top() + i * kLine);
                QVERIFY(found[i].y + kLine <= kBottom);
            }
        }
        QCOMPARE(texts.size(), 7 + 2 + 3 * fit);
        // Printing stores nothing and normalises nothing.
        QCOMPARE(store.value(0, QStringLiteral("Tarikh_dapat_kerja")).toString().left(8), QStringLiteral("1.1.2005"));
    }

    void twoSheetsAndNo()
    {
        test::TempStore store;
        addBusyContractor(store);
        PrintRecorder recorder;
        Form5 form;
        QVERIFY(printSheet(form, MessageBox::Yes));
        Form6 *first = Form6::instance();
        form.Command6->click();
        QVERIFY(printSheet(form, MessageBox::Yes));
        // The template is kept and reused, never shown.
        QCOMPARE(Form6::instance(), first);
        QVERIFY(!first->isVisible());
        QCOMPARE(recorder.jobs().size(), 2);
        const QStringList second = textsOf(recorder.allTexts());
        QCOMPARE(second,
                 (QStringList{QStringLiteral("No Daftar :"), QStringLiteral("ZRVA/KP/0002"), QStringLiteral("Nama : "),
                              QStringLiteral("BINAAN SERINDIT"), QStringLiteral("Alamat:"),
                              QStringLiteral("Lot 3, Kampung Baru"), QStringLiteral("No Inden/LO:"),
                              QStringLiteral("IN/9/2024"), QStringLiteral("2.2.2024"), QStringLiteral("Turap jalan"),
                              QStringLiteral("RM 800.00")}));
        MessageBox::takeShown();

        // No prints nothing.
        recorder.clear();
        QVERIFY(printSheet(form, MessageBox::No));
        QVERIFY(recorder.jobs().isEmpty());
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].text, QStringLiteral("Rekod tak dicetak"));
        QCOMPARE(shown[1].title, QStringLiteral("Mesej"));
        QCOMPARE(shown[1].icon, MessageBox::Exclamation);

        // A printer that fails: the failure report, and no "Data Dicetak".
        Printer::setDeviceFactory([](const QString &) { return std::unique_ptr<PrintDevice>(); });
        QVERIFY(printSheet(form, MessageBox::Yes));
        Printer::resetDeviceFactory();
        const auto failed = MessageBox::takeShown();
        QCOMPARE(failed.size(), 2);
        QCOMPARE(failed[1].icon, MessageBox::Critical);
        QVERIFY(failed[1].text != QStringLiteral("Data Dicetak"));
    }

    void realPdf()
    {
        test::TempStore store;
        addBusyContractor(store);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("kerja.pdf"));
        Printer::setDeviceFactory([&](const QString &) { return PainterDevice::forPdf(pdf); });
        {
            Form5 form;
            QVERIFY(printSheet(form, MessageBox::Yes));
        }
        Printer::resetDeviceFactory();
        QCOMPARE(MessageBox::takeShown().last().text, QStringLiteral("Data Dicetak"));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("%PDF"));
        // Kept for a look with pdftoppm.
        QFile::remove(QStringLiteral("/tmp/worksheet.pdf"));
        QVERIFY(QFile::copy(pdf, QStringLiteral("/tmp/worksheet.pdf")));
    }
};

ARB_TEST_MAIN(WorkSheetTest)
#include "tst_worksheet.moc"
