#include "TestSupport.h"

#include "data/Failure.h"
#include "reports/PainterDevice.h"
#include "reports/PrintRecorder.h"
#include "reports/Printer.h"
#include "work/Form6.h"
#include "work/WorkSheet.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace arb;

namespace {
// "text@x,y" of every text of a job, with its font when asked.
QStringList placed(const RecordedJob &job, bool font = false)
{
    QStringList out;
    for (const RecordedPage &page : job.pages)
        for (const RecordedText &t : page.texts)
            out << QStringLiteral("%1@%2,%3").arg(t.text).arg(t.x).arg(t.y) +
                       (font ? QStringLiteral(" %1 %2%3").arg(t.fontName).arg(t.fontSize).arg(t.bold ? "b" : "") : QString());
    return out;
}
} // namespace

class PrinterTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Printer::clearChoice(); }

    void positionsFontsAndJobs()
    {
        PrintRecorder rec;
        {
            Printer p("Ujian");
            p.setOrientation(2);
            p.setFontName("Verdana");
            p.setFontSize(10);
            p.setFontBold(true);
            QVERIFY(rec.jobs().isEmpty()); // settings alone open nothing
            p.setCurrentX(1000);
            p.setCurrentY(2000);
            p.print("ABC");
            QCOMPARE(rec.jobs().value(0).name, QStringLiteral("Ujian"));
            p.print("next"); // at the left edge, one line of 10 pt lower
            p.newPage();
            p.print("page two"); // at the top; font settings hold across pages
            QVERIFY(!rec.jobs().at(0).ended);
            p.endDoc();
            p.endDoc(); // nothing open: no second job
            QCOMPARE(rec.jobs().size(), 1);
            p.setOrientation(1);
            p.print("again"); // after EndDoc the next output opens a new job
            QCOMPARE(rec.jobs().size(), 2);
        } // the destructor ends an open job
        const RecordedJob &job = rec.jobs().at(0);
        QVERIFY(job.landscape && job.ended && !rec.jobs().at(1).landscape && rec.jobs().at(1).ended);
        QCOMPARE(job.pages.size(), 2);
        QCOMPARE(placed(job, true), QStringList({"ABC@1000,2000 Verdana 10b", "next@0,2240 Verdana 10b", "page two@0,0 Verdana 10b"}));
    }

    void lineBreaksTabsNumbersAndLineEnd()
    {
        PrintRecorder rec;
        Printer p("t");
        p.setFontName("Arial");
        p.setFontSize(10); // 240 twips a line, 100 a character
        p.setCurrentX(100);
        p.setCurrentY(1000);
        p.print("A\tBB\r\nC\nD\rE\t\tF");
        QCOMPARE(p.currentX(), 0.0);
        QCOMPARE(p.currentY(), 1000.0 + 4 * 240);
        p.setCurrentX(720);
        p.setCurrentY(5000);
        p.print("\tX\n\nY"); // a tab on a stop goes to the next one; an empty line still counts
        // A line break starts at the left edge, one line lower.
        QCOMPARE(placed(rec.jobs().at(0)),
                 QStringList({"A@100,1000", "BB@720,1000", "C@0,1240", "D@0,1480", "E@0,1720", "F@1440,1720", "X@1440,5000", "Y@0,5480"}));

        p.setCurrentY(0);
        for (double n : {5.0, -3.0, 12.25, 0.5, 0.0})
            p.print(n);
        QCOMPARE(placed(rec.jobs().at(0)).mid(8), QStringList({" 5 @0,0", "-3 @0,240", " 12.25 @0,480", " .5 @0,720", " 0 @0,960"}));

        // Line leaves the position at its end.
        p.line(990, 990, 0, 9500);
        QCOMPARE(p.currentX(), 990.0);
        QCOMPARE(p.currentY(), 10490.0);
    }

    void textInBox()
    {
        PrintRecorder rec;
        Printer p("t");
        QFont f("Arial");
        f.setPointSizeF(10);
        const QRectF box(1000, 1000, 1000, 500); // ten characters wide, two whole lines high
        p.printInBox(box, "satu dua tiga empat lima", f, true);
        p.printInBox(QRectF(3000, 1000, 500, 1000), "panjangsekali\r\nx", f, false);
        p.printInBox(QRectF(5000, 1000, 300, 1000), "abcdefgh", f, true);
        p.endDoc();
        // "lima" would not fit whole and is left out; without wrapping a long
        // line is clipped; a word wider than the box is broken.
        QCOMPARE(placed(rec.jobs().at(0)), QStringList({"satu dua@1000,1000", "tiga empat@1000,1240", "panjangsekali@3000,1000",
                                                        "x@3000,1240", "abc@5000,1000", "def@5000,1240", "gh@5000,1480"}));
        QCOMPARE(rec.allTexts().at(1).clip, box);
    }

    // The orientation chosen in the printer dialog is where a job starts:
    // the work sheet (drawn from its template) follows it; the reports
    // still turn the paper themselves. It holds job after job.
    void chosenOrientationAndCopies()
    {
        PrintRecorder rec;
        Form6 sheet;
        sheet.Text2->setPlainText("Butiran kerja");
        const auto twoJobs = [&] {
            printWorkSheet(&sheet, "Maklumat Kerja Kontraktor");
            Printer report("Senarai");
            report.setOrientation(2);
            report.print("x");
        };
        twoJobs(); // nothing chosen: the printer's own settings, portrait
        PrintSetup across;
        across.landscape = true;
        Printer::setChoice(across);
        twoJobs();
        twoJobs();
        across.landscape = false;
        Printer::setChoice(across);
        twoJobs();
        QList<bool> landscape;
        for (const RecordedJob &job : rec.jobs())
            landscape << job.landscape;
        QCOMPARE(landscape, (QList<bool>{false, true, true, true, true, true, false, true}));
        QVERIFY(!rec.jobs().at(0).setup && rec.jobs().at(4).setup && rec.jobs().at(4).setup->landscape);

        // A PDF file makes no copies of its own: each is painted whole, one after the other.
        QTemporaryDir dir;
        PrintSetup three;
        three.copies = 3;
        Printer::setChoice(three);
        Printer::setDeviceFactory([&dir](const QString &name) { return PainterDevice::forPdf(dir.filePath(name + ".pdf")); });
        {
            Printer p("salinan");
            p.print("satu");
            p.newPage();
            p.print("dua");
        }
        Printer::resetDeviceFactory();
        QCOMPARE(int(test::readFile(dir.filePath("salinan.pdf")).count("/Type /Page\n")), 6);
    }

    // "Print to file": the first job writes the file named, each later one a
    // new file beside it, never over one; the closing message names it.
    void chosenFile()
    {
        QTemporaryDir dir;
        PrintSetup toFile;
        toFile.outputFile = dir.filePath("senarai.pdf");
        toFile.pageSize = QPageSize(QPageSize::Letter);
        Printer::setChoice(toFile);
        test::writeFile(dir.filePath("senarai (3).pdf"), {}); // already there: passed over
        QStringList written, messages;
        for (int i = 0; i < 3; ++i) {
            Printer("t").print("x");
            written << QFileInfo(Printer::lastOutputFile()).fileName();
            messages << Printer::closingMessage("Data Dicetak");
        }
        QCOMPARE(written, (QStringList{"senarai.pdf", "senarai (2).pdf", "senarai (4).pdf"}));
        QCOMPARE(messages.at(1), "Data Dicetak\nDisimpan dalam fail: " + QDir::toNativeSeparators(dir.filePath("senarai (2).pdf")));
        QCOMPARE(QFile(dir.filePath("senarai (3).pdf")).size(), 0);
        QVERIFY(test::readFile(dir.filePath("senarai (2).pdf")).contains("/MediaBox [0 0 612.000000 792.000000]")); // Letter, upright

        Printer::setChoice(toFile); // chosen again: the file named is written first again
        Printer("t").print("x");
        QCOMPARE(QFileInfo(Printer::lastOutputFile()).fileName(), QStringLiteral("senarai.pdf"));

        PrintRecorder rec; // a job to a printer names no file
        Printer("t").print("x");
        QVERIFY(Printer::lastOutputFile().isEmpty());
        QCOMPARE(Printer::closingMessage("Data Dicetak"), QStringLiteral("Data Dicetak"));
    }

    void pdfFiles()
    {
        QTemporaryDir home; // the documents folder of a user of our own
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/ARB";

        QString file;
        Printer::setDeviceFactory([&file](const QString &name) {
            auto device = PainterDevice::forPdf(PainterDevice::pdfPathFor(name));
            file = device->outputFile();
            return device;
        });
        {
            Printer p("Ujian: cetak/PDF");
            p.setOrientation(2);
            p.line(990, 990, 14500, 0);
            p.print("Halaman satu\tlajur\r\nbaris dua");
            p.newPage();
            p.print("Halaman dua");
        } // the destructor ends the job
        Printer::resetDeviceFactory();
        QCOMPARE(QFileInfo(file).absolutePath(), folder);
        QVERIFY(QFileInfo(file).fileName().startsWith("Ujian_ cetak_PDF "));
        QCOMPARE(test::readFile(file).count("/Type /Page\n"), 2);
        QVERIFY(PainterDevice::pdfPathFor("Ujian: cetak/PDF", QDateTime::currentDateTime()) != file); // one file a job

        qputenv("HOME", oldHome);

        Printer::setDeviceFactory([](const QString &) { return PainterDevice::forPdf("/proc/arb/tidak/boleh.pdf"); });
        Printer bad("t");
        QVERIFY_THROWS_EXCEPTION(Failure, bad.print("x"));
        Printer::resetDeviceFactory();
    }
};

ARB_TEST_MAIN(PrinterTest)
#include "tst_printer.moc"
