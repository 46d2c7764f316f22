#include "OpenForm4.h"
#include "TestSupport.h"

#include "platform/BoundBox.h"
#include "platform/MessageBox.h"
#include "register/DetailSheet.h"
#include "register/Form4.h"
#include "reports/PrintRecorder.h"
#include "reports/Printer.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

using arb::Form4;
using arb::MessageBox;
using arb::PrintRecorder;
using arb::RecordedText;
using arb::test::TempStore;

namespace {
QString describe(const RecordedText &t)
{
    return QStringLiteral("%1,%2 %3 %4%5 %6")
        .arg(t.x)
        .arg(t.y)
        .arg(t.fontName)
        .arg(t.fontSize)
        .arg(t.bold ? QStringLiteral(" bold") : QString())
        .arg(t.text);
}

QString at(double x, double y, const QString &font, double size, bool bold, const QString &text)
{
    RecordedText t;
    t.x = x;
    t.y = y;
    t.fontName = font;
    t.fontSize = size;
    t.bold = bold;
    t.text = text;
    return describe(t);
}
} // namespace

class TestSheet : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageBox::clear(); }

    void printsWhatTheWindowShows()
    {
        TempStore store;
        store.addContractors(1);
        auto f = openForm();
        // Typed but not stored: printed as it stands.
        f->Text2->setText(QStringLiteral("SYARIKAT DITAIP"));
        f->Text3->setPlainText(QStringLiteral("No. 5, Jalan Satu\nTaman Dua"));
        f->Text15->clear();
        f->Combo2->setEditText(QStringLiteral("Pembinaan"));
        f->Text21->setText(QStringLiteral("1.2.2003"));

        PrintRecorder recorder;
        MessageBox::queueAnswers({MessageBox::Yes});
        f->Command1->click();
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(0).text, QStringLiteral("Anda pasti untuk cetak maklumat ini?"));
        QCOMPARE(shown.at(0).title, QStringLiteral("Cetak..."));
        QVERIFY(shown.at(0).yesNo);
        QCOMPARE(shown.at(0).icon, MessageBox::NoIcon);
        QCOMPARE(shown.at(1).text, QStringLiteral("Data Dicetak"));
        QCOMPARE(shown.at(1).title, QStringLiteral("Mesej"));
        QCOMPARE(shown.at(1).icon, MessageBox::Information);

        QCOMPARE(recorder.jobs().size(), 1);
        const arb::RecordedJob &job = recorder.jobs().first();
        QVERIFY(job.landscape);
        QVERIFY(job.ended);
        QCOMPARE(job.pages.size(), 1);

        QStringList texts;
        for (const RecordedText &t : job.pages.first().texts)
            texts << describe(t);
        const QString v = QStringLiteral("Verdana");
        // Verdana 11 advances a line by 264 twips on the recorder.
        const QStringList expected{
            at(6000, 1100, QStringLiteral("Arial"), 14, true, QStringLiteral("Maklumat Kontraktor Berdaftar")),
            at(1500, 1900, v, 11, false, QStringLiteral("Nombor Pendaftaran :")),
            at(1500, 2150, v, 11, false, QStringLiteral("Nama Syarikat/Perniagaan :")),
            at(1500, 2400, v, 11, false, QStringLiteral("Alamat Syarikat/Perniagaan :")),
            at(1500, 2650, v, 11, false, QStringLiteral("Nama Pengarah :")),
            at(1500, 2900, v, 11, false, QStringLiteral("No Kad Pengenalan :")),
            at(1500, 3150, v, 11, false, QStringLiteral("No Tel ")),
            at(2600, 3150, v, 11, false, QStringLiteral("Bimbit")),
            at(2600, 3400, v, 11, false, QStringLiteral("Pejabat")),
            at(2600, 3650, v, 11, false, QStringLiteral("Faks")),
            at(1500, 3900, v, 11, false, QStringLiteral("Bidang :")),
            at(1500, 4150, v, 11, false, QStringLiteral("Kelas :")),
            at(5000, 1900, v, 11, false, QStringLiteral("ZRVA/KP/0001")),
            at(5000, 2150, v, 11, false, QStringLiteral("SYARIKAT DITAIP")),
            at(5000, 2400, v, 11, false, QStringLiteral("No. 5, Jalan Satu")),
            at(0, 2664, v, 11, false, QStringLiteral("Taman Dua")), // second line at the left edge
            at(5000, 2650, v, 11, false, QStringLiteral("NamaPengarahUrusan 1")),
            at(5000, 2900, v, 11, false, QStringLiteral("NoKadPengenalan 1")),
            at(5000, 3150, v, 11, false, QStringLiteral("NoTelHp 1")),
            at(5000, 3400, v, 11, false, QStringLiteral("NoTelPej 1")),
            // the empty fax prints nothing
            at(5000, 3900, v, 11, false, QStringLiteral("Pembinaan")),
            at(5000, 4150, v, 11, false, QStringLiteral("kelas 1")),
            at(1700, 4500, v, 11, false, QStringLiteral("PKK ")),
            at(2160, 4764, v, 11, false, QStringLiteral("No Daftar : NDPKK 1")), // three tab stops
            at(2160, 5028, v, 11, false, QStringLiteral("Kelas/Tajuk : KTPKK 1")),
            at(1700, 5250, v, 11, false, QStringLiteral("CIDB ")),
            at(2160, 5514, v, 11, false, QStringLiteral("No Daftar : NDCIDB 1")),
            at(2160, 5778, v, 11, false, QStringLiteral("Kelas/Tajuk : KTCIDB 1")),
            at(1700, 6000, v, 11, false, QStringLiteral("K/KEW ")),
            at(2160, 6264, v, 11, false, QStringLiteral("No Daftar : NDKKEW 1")),
            at(2160, 6528, v, 11, false, QStringLiteral("Kelas/Tajuk : KTKKEW 1")),
            at(1500, 7000, v, 9, false,
               QStringLiteral("Tarikh Daftar : TarikhDaftar 1     No Resit : NoResit 1     Kerja : Ada Maklumat kerja")),
        };
        QCOMPARE(texts, expected);

        QStringList lines;
        for (const arb::RecordedLine &l : job.pages.first().lines)
            lines << QStringLiteral("%1,%2-%3,%4").arg(l.x1).arg(l.y1).arg(l.x2).arg(l.y2);
        QCOMPARE(lines, (QStringList{QStringLiteral("990,990-990,1590"), QStringLiteral("15490,990-15490,1590"),
                                     QStringLiteral("990,990-15490,990"), QStringLiteral("990,1590-15490,1590"),
                                     QStringLiteral("1500,4450-1500,6800"), QStringLiteral("11500,4450-11500,6800"),
                                     QStringLiteral("1500,4450-11500,4450"), QStringLiteral("1500,6800-11500,6800")}));
        QCOMPARE(store.value(0, QStringLiteral("NamaSyarikat")).toString(), QStringLiteral("SYARIKAT 1")); // unchanged
    }

    void workStatusAndRefusal()
    {
        QCOMPARE(arb::workStatus(QStringLiteral("1.2.2003")), QStringLiteral("Ada Maklumat kerja"));
        QCOMPARE(arb::workStatus(QStringLiteral("123")), QStringLiteral("Ada Maklumat kerja"));
        for (const QString &none : {QString(), QStringLiteral(" "), QStringLiteral("12")})
            QCOMPARE(arb::workStatus(none), QStringLiteral("Tiada Maklumat kerja"));

        TempStore store;
        store.addContractors(1);
        auto f = openForm();
        PrintRecorder recorder;
        MessageBox::queueAnswers({MessageBox::No});
        f->Command1->click();
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(1).text, QStringLiteral("Rekod tak dicetak"));
        QCOMPARE(shown.at(1).title, QStringLiteral("Mesej"));
        QCOMPARE(shown.at(1).icon, MessageBox::Exclamation);
        QVERIFY(recorder.jobs().isEmpty());

        // A work date of a single blank, as the work window stores an empty one.
        f->Text21->setText(QStringLiteral(" "));
        MessageBox::queueAnswers({MessageBox::Yes});
        f->Command1->click();
        QVERIFY(recorder.allTexts().last().text.endsWith(QStringLiteral("Kerja : Tiada Maklumat kerja")));
    }

    void printsADemoSheetToPdf()
    {
        // No printer here: the job goes to a PDF in the documents folder.
        QStandardPaths::setTestModeEnabled(true);
        TempStore store(QStringLiteral("rahsia"), true);
        auto f = openForm();
        f->Command6->click();
        arb::Printer::resetDeviceFactory();
        MessageBox::queueAnswers({MessageBox::Yes});
        f->Command1->click();
        const QString pdf = arb::Printer::lastOutputFile();
        if (pdf.isEmpty())
            QSKIP("a printer is installed here");
        QVERIFY(QFileInfo(pdf).size() > 1000);
        QCOMPARE(MessageBox::takeShown().last().text, QStringLiteral("Data Dicetak"));
        QFile::remove(QStringLiteral("/tmp/sheet.pdf"));
        QVERIFY(QFile::copy(pdf, QStringLiteral("/tmp/sheet.pdf")));
        QFile::remove(pdf);
    }
};

ARB_TEST_MAIN(TestSheet)
#include "tst_sheet.moc"
