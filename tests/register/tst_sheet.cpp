#include "OpenForm4.h"

#include "register/DetailSheet.h"
#include "reports/PrintRecorder.h"
#include "reports/Printer.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace arb;
using namespace Qt::StringLiterals;
using test::TempStore;

namespace {
// "x,y text", with font, size and weight when not plain Verdana 11.
QString describe(const RecordedText &t)
{
    const bool plain = t.fontName == u"Verdana"_s && t.fontSize == 11 && !t.bold;
    const QString font = plain ? QString() : u"%1 %2%3 "_s.arg(t.fontName).arg(t.fontSize).arg(t.bold ? u" bold"_s : u""_s);
    return u"%1,%2 %3%4"_s.arg(t.x).arg(t.y).arg(font, t.text);
}

const QString kAsk = u"Cetak...|Anda pasti untuk cetak maklumat ini?|?"_s;
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
        f->Text2->setText(u"SYARIKAT DITAIP"_s);
        f->Text3->setPlainText(u"No. 5, Jalan Satu\nTaman Dua"_s);
        f->Text15->clear();
        f->Text21->setText(u"1.2.2003"_s);
        PrintRecorder recorder;
        MessageBox::queueAnswers({MessageBox::Yes});
        f->Command1->click();
        QCOMPARE(shownBoxes(), (QStringList{kAsk, u"Mesej|Data Dicetak|info"_s}));
        QCOMPARE(recorder.jobs().size(), 1);
        const RecordedJob job = recorder.jobs().first();
        QVERIFY(job.landscape && job.ended && job.pages.size() == 1);

        QStringList texts;
        for (const RecordedText &t : job.pages.first().texts)
            texts << describe(t);
        // The address's second line under its first, in the value column, and
        // every row below one row (250 twips) lower; inside the registration
        // blocks a line break goes to the left edge one line (264 twips) lower,
        // tabs to the next stop; the empty fax prints nothing.
        QCOMPARE(texts, (QStringList{
            u"6000,1100 Arial 14 bold Maklumat Kontraktor Berdaftar"_s, u"1500,1900 Nombor Pendaftaran :"_s,
            u"1500,2150 Nama Syarikat/Perniagaan :"_s, u"1500,2400 Alamat Syarikat/Perniagaan :"_s,
            u"1500,2900 Nama Pengarah :"_s, u"1500,3150 No Kad Pengenalan :"_s, u"1500,3400 No Tel "_s,
            u"2600,3400 Bimbit"_s, u"2600,3650 Pejabat"_s, u"2600,3900 Faks"_s, u"1500,4150 Bidang :"_s,
            u"1500,4400 Kelas :"_s, u"5000,1900 ZRVA/KP/0001"_s, u"5000,2150 SYARIKAT DITAIP"_s,
            u"5000,2400 No. 5, Jalan Satu"_s, u"5000,2650 Taman Dua"_s, u"5000,2900 NamaPengarahUrusan 1"_s,
            u"5000,3150 NoKadPengenalan 1"_s, u"5000,3400 NoTelHp 1"_s, u"5000,3650 NoTelPej 1"_s,
            u"5000,4150 Bidang 1"_s, u"5000,4400 kelas 1"_s, u"1700,4750 PKK "_s,
            u"2160,5014 No Daftar : NDPKK 1"_s, u"2160,5278 Kelas/Tajuk : KTPKK 1"_s, u"1700,5500 CIDB "_s,
            u"2160,5764 No Daftar : NDCIDB 1"_s, u"2160,6028 Kelas/Tajuk : KTCIDB 1"_s, u"1700,6250 K/KEW "_s,
            u"2160,6514 No Daftar : NDKKEW 1"_s, u"2160,6778 Kelas/Tajuk : KTKKEW 1"_s,
            u"1500,7250 Verdana 9 Tarikh Daftar : TarikhDaftar 1     No Resit : NoResit 1     Kerja : Ada Maklumat kerja"_s}));

        QStringList lines;
        for (const RecordedLine &l : job.pages.first().lines)
            lines << u"%1,%2-%3,%4"_s.arg(l.x1).arg(l.y1).arg(l.x2).arg(l.y2);
        QCOMPARE(lines, (QStringList{u"990,990-990,1590"_s, u"15490,990-15490,1590"_s, u"990,990-15490,990"_s,
                                     u"990,1590-15490,1590"_s, u"1500,4700-1500,7050"_s, u"11500,4700-11500,7050"_s,
                                     u"1500,4700-11500,4700"_s, u"1500,7050-11500,7050"_s}));
        QCOMPARE(store.value(0, u"NamaSyarikat"_s).toString(), u"SYARIKAT 1"_s); // printing stores nothing

        recorder.clear();
        MessageBox::queueAnswers({MessageBox::No});
        f->Command1->click();
        QCOMPARE(shownBoxes(), (QStringList{kAsk, u"Mesej|Rekod tak dicetak|exclamation"_s}));
        QVERIFY(recorder.jobs().isEmpty());
        // A work date of a single blank, as the work window stores an empty one.
        f->Text21->setText(u" "_s);
        MessageBox::queueAnswers({MessageBox::Yes});
        f->Command1->click();
        QVERIFY(recorder.allTexts().last().text.endsWith(u"Kerja : Tiada Maklumat kerja"_s));
        // Three characters are the least that counts as work.
        QVERIFY(workStatus(u"123"_s) == u"Ada Maklumat kerja"_s && workStatus(u"12"_s) == u"Tiada Maklumat kerja"_s);

        // One line moves nothing; an address longer than the page takes ends in "…".
        const auto printAddress = [&](int lines) {
            QStringList address;
            for (int i = 1; i <= lines; ++i)
                address << u"Baris %1"_s.arg(i);
            f->Text3->setPlainText(address.join(u'\n'));
            recorder.clear();
            MessageBox::queueAnswers({MessageBox::Yes});
            f->Command1->click();
            QStringList atValue;
            for (const RecordedText &t : recorder.allTexts())
                if (t.text.startsWith(u"Baris"_s))
                    atValue << describe(t);
            return u"%1 %2 %3"_s.arg(atValue.size()).arg(atValue.last()).arg(recorder.allTexts().last().y);
        };
        QCOMPARE(printAddress(1), u"1 5000,2400 Baris 1 7000"_s);
        QCOMPARE(printAddress(12), u"12 5000,5150 Baris 12 9750"_s);
        QCOMPARE(printAddress(13), u"12 5000,5150 Baris 12 \u2026 9750"_s);
        QCOMPARE(printAddress(20), u"12 5000,5150 Baris 12 \u2026 9750"_s);
    }

    void printsADemoSheetToPdf()
    {
        // No printer here: the job goes to a PDF in the documents folder.
        QStandardPaths::setTestModeEnabled(true);
        TempStore store(u"rahsia"_s, true);
        auto f = openForm();
        f->Command6->click();
        Printer::resetDeviceFactory();
        MessageBox::queueAnswers({MessageBox::Yes});
        f->Command1->click();
        const QString pdf = Printer::lastOutputFile();
        if (pdf.isEmpty())
            QSKIP("a printer is installed here");
        QVERIFY(QFileInfo(pdf).size() > 1000);
        // The usual words, and a line saying where the paper went.
        QCOMPARE(shownBoxes().last(), u"Mesej|Data Dicetak\nDisimpan dalam fail: "_s + QDir::toNativeSeparators(pdf) + u"|info"_s);
        QFile::remove(pdf);
    }
};

ARB_TEST_MAIN(TestSheet)
#include "tst_sheet.moc"
