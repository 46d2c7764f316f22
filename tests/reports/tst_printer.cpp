#include "TestSupport.h"

#include "platform/Failure.h"
#include "reports/PainterDevice.h"
#include "reports/PrintRecorder.h"
#include "reports/Printer.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace arb;

class PrinterTest : public QObject
{
    Q_OBJECT
private slots:
    void positionsFontsAndJob()
    {
        PrintRecorder rec;
        {
            Printer p(QStringLiteral("Ujian"));
            p.setOrientation(2);
            p.setFontName(QStringLiteral("Verdana"));
            p.setFontSize(10);
            p.setFontBold(true);
            QVERIFY(rec.jobs().isEmpty()); // settings alone open nothing
            p.setCurrentX(1000);
            p.setCurrentY(2000);
            p.print(QStringLiteral("ABC"));
            QCOMPARE(rec.jobs().size(), 1);
            QCOMPARE(rec.jobs().at(0).name, QStringLiteral("Ujian"));
            QVERIFY(rec.jobs().at(0).landscape);
            QCOMPARE(p.currentX(), 0.0);
            QCOMPARE(p.currentY(), 2000.0 + 240); // one line of 10 pt
            p.print(QStringLiteral("next"));
            p.newPage();
            QCOMPARE(p.currentY(), 0.0);
            p.print(QStringLiteral("page two")); // font settings hold across pages
            QVERIFY(!rec.jobs().at(0).ended);
            p.endDoc();
            QVERIFY(rec.jobs().at(0).ended);
            p.endDoc(); // nothing open: no second job
            QCOMPARE(rec.jobs().size(), 1);
            p.setOrientation(1);
            p.print(QStringLiteral("again")); // after EndDoc the next output opens a new job
            QCOMPARE(rec.jobs().size(), 2);
            QVERIFY(!rec.jobs().at(1).landscape);
        } // the destructor ends an open job
        QVERIFY(rec.jobs().at(1).ended);

        const RecordedJob &job = rec.jobs().at(0);
        QCOMPARE(job.pages.size(), 2);
        const RecordedText &t = job.pages.at(0).texts.at(0);
        QCOMPARE(t.text, QStringLiteral("ABC"));
        QCOMPARE(t.x, 1000.0);
        QCOMPARE(t.y, 2000.0);
        QCOMPARE(t.fontName, QStringLiteral("Verdana"));
        QCOMPARE(t.fontSize, 10.0);
        QVERIFY(t.bold);
        QVERIFY(t.clip.isEmpty());
        QCOMPARE(job.pages.at(0).texts.at(1).x, 0.0);
        QCOMPARE(job.pages.at(0).texts.at(1).y, 2240.0);
        const RecordedText &t2 = job.pages.at(1).texts.at(0);
        QCOMPARE(t2.y, 0.0);
        QCOMPARE(t2.fontName, QStringLiteral("Verdana"));
        QVERIFY(t2.bold);
    }

    void lineBreaksAndTabs()
    {
        PrintRecorder rec;
        Printer p(QStringLiteral("t"));
        p.setFontName(QStringLiteral("Arial"));
        p.setFontSize(10); // 240 twips a line, 100 a character
        p.setCurrentX(100);
        p.setCurrentY(1000);
        p.print(QStringLiteral("A\tBB\r\nC\nD\rE\t\tF"));
        QCOMPARE(p.currentX(), 0.0);
        QCOMPARE(p.currentY(), 1000.0 + 4 * 240);
        p.setCurrentX(720);
        p.setCurrentY(5000);
        p.print(QStringLiteral("\tX\n\nY")); // a tab on a stop goes to the next one; an empty line still counts
        p.endDoc();

        const QList<RecordedText> texts = rec.allTexts();
        QCOMPARE(texts.size(), 8);
        auto at = [&](int i, const QString &s, double x, double y) {
            QCOMPARE(texts.at(i).text, s);
            QCOMPARE(texts.at(i).x, x);
            QCOMPARE(texts.at(i).y, y);
        };
        at(0, QStringLiteral("A"), 100, 1000);
        at(1, QStringLiteral("BB"), 720, 1000);
        at(2, QStringLiteral("C"), 0, 1240); // a line break starts at the left edge
        at(3, QStringLiteral("D"), 0, 1480);
        at(4, QStringLiteral("E"), 0, 1720);
        at(5, QStringLiteral("F"), 1440, 1720);
        at(6, QStringLiteral("X"), 1440, 5000);
        at(7, QStringLiteral("Y"), 0, 5480);
    }

    void numbersAndLines()
    {
        PrintRecorder rec;
        Printer p(QStringLiteral("t"));
        p.print(5.0);
        p.print(-3.0);
        p.print(12.25);
        p.print(0.5);
        p.print(0.0);
        p.line(990, 990, 0, 9500);
        QCOMPARE(p.currentX(), 990.0); // Line leaves the position at its end
        QCOMPARE(p.currentY(), 10490.0);
        p.line(990, 1490, 14500, 0);
        p.endDoc();
        QStringList printed;
        for (const RecordedText &t : rec.allTexts())
            printed << t.text;
        QCOMPARE(printed, (QStringList{QStringLiteral(" 5 "), QStringLiteral("-3 "), QStringLiteral(" 12.25 "),
                                       QStringLiteral(" .5 "), QStringLiteral(" 0 ")}));
        const QList<RecordedLine> &lines = rec.jobs().at(0).pages.at(0).lines;
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.at(0).x1, 990.0);
        QCOMPARE(lines.at(0).y1, 990.0);
        QCOMPARE(lines.at(0).x2, 990.0);
        QCOMPARE(lines.at(0).y2, 10490.0);
        QCOMPARE(lines.at(1).x2, 15490.0);
        QCOMPARE(lines.at(1).y2, 1490.0);
    }

    void textInBox()
    {
        PrintRecorder rec;
        Printer p(QStringLiteral("t"));
        QFont f(QStringLiteral("Arial"));
        f.setPointSizeF(10);
        const QRectF box(1000, 1000, 1000, 500); // ten characters wide, two whole lines high
        p.printInBox(box, QStringLiteral("satu dua tiga empat lima"), f, true);
        p.printInBox(QRectF(3000, 1000, 500, 1000), QStringLiteral("panjangsekali\r\nx"), f, false);
        p.printInBox(QRectF(5000, 1000, 300, 1000), QStringLiteral("abcdefgh"), f, true);
        p.endDoc();
        const QList<RecordedText> texts = rec.allTexts();
        QCOMPARE(texts.size(), 2 + 2 + 3);
        QCOMPARE(texts.at(0).text, QStringLiteral("satu dua"));
        QCOMPARE(texts.at(1).text, QStringLiteral("tiga empat"));
        QCOMPARE(texts.at(1).y, 1240.0);
        QCOMPARE(texts.at(1).clip, box); // "lima" would not fit whole and is left out
        QCOMPARE(texts.at(2).text, QStringLiteral("panjangsekali")); // not wrapped, clipped
        QCOMPARE(texts.at(3).text, QStringLiteral("x"));
        QCOMPARE(texts.at(4).text, QStringLiteral("abc")); // a word wider than the box is broken
        QCOMPARE(texts.at(5).text, QStringLiteral("def"));
        QCOMPARE(texts.at(6).text, QStringLiteral("gh"));
    }

    void pdfWithoutPrinter()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
        const QString expectedFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/ARB");
        QVERIFY(expectedFolder.startsWith(home.path()));

        QString file;
        {
            Printer::setDeviceFactory([&file](const QString &name) {
                auto device = PainterDevice::forPdf(PainterDevice::pdfPathFor(name));
                file = device->outputFile();
                return device;
            });
            Printer p(QStringLiteral("Ujian: cetak/PDF"));
            p.setOrientation(2);
            p.line(990, 990, 14500, 0);
            p.line(990, 990, 0, 9500);
            p.line(15490, 990, 0, 9500);
            p.line(990, 10490, 14500, 0);
            p.setFontName(QStringLiteral("ARIAL"));
            p.setFontSize(12);
            p.setFontBold(true);
            p.setCurrentX(1100);
            p.setCurrentY(1100);
            p.print(QStringLiteral("Halaman satu\tlajur\r\nbaris dua"));
            p.newPage();
            p.setFontName(QStringLiteral("Verdana"));
            p.setFontBold(false);
            p.setCurrentX(1100);
            p.setCurrentY(1100);
            p.print(QStringLiteral("Halaman dua"));
            p.endDoc();
            Printer::resetDeviceFactory();
        }
        QVERIFY(QFileInfo(file).absolutePath() == expectedFolder);
        QVERIFY(QFileInfo(file).fileName().startsWith(QStringLiteral("Ujian_ cetak_PDF ")));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray pdf = f.readAll();
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r"), 2);
        // A second job in the same second gets its own file.
        QVERIFY(PainterDevice::pdfPathFor(QStringLiteral("Ujian: cetak/PDF"), QDateTime::currentDateTime()) != file);
        if (!qEnvironmentVariableIsEmpty("ARB_KEEP_PDF"))
            QFile::copy(file, qEnvironmentVariable("ARB_KEEP_PDF"));

        // Without any printer, the default device is such a file.
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            Printer p(QStringLiteral("Lalai"));
            p.print(QStringLiteral("x"));
            p.endDoc();
            QVERIFY(Printer::lastOutputFile().startsWith(expectedFolder + QStringLiteral("/Lalai ")));
            QVERIFY(QFileInfo::exists(Printer::lastOutputFile()));
        }
        qputenv("HOME", oldHome);
        if (oldConfig.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldConfig);
    }

    void unwritablePdfFails()
    {
        Printer::setDeviceFactory([](const QString &) { return PainterDevice::forPdf(QStringLiteral("/proc/arb/tidak/boleh.pdf")); });
        Printer p(QStringLiteral("t"));
        QVERIFY_THROWS_EXCEPTION(Failure, p.print(QStringLiteral("x")));
        Printer::resetDeviceFactory();
    }
};

ARB_TEST_MAIN(PrinterTest)
#include "tst_printer.moc"
