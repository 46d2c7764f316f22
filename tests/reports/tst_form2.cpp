#include "TestSupport.h"

#include "platform/MessageBox.h"
#include "platform/Windows.h"
#include "reports/Form2.h"
#include "reports/PrintRecorder.h"
#include "reports/Printer.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

using namespace arb;

namespace {
// The last four characters of every serial that reached the printer.
QString printed(const PrintRecorder &rec)
{
    QStringList out;
    for (const RecordedText &t : rec.allTexts())
        if (t.x == 1100 && !t.bold)
            out << t.text.right(4);
    return out.join(QLatin1Char(' '));
}

// The messages shown, as "title|text|icon".
QString message()
{
    return test::shownBoxes().join(QLatin1Char('|'));
}

const QString kPrinted = QStringLiteral("Mesej|Data telah dicetak|info");
} // namespace

class Form2Test : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Printer::clearChoice(); }

    void layoutOptionsEmptyRegisterAndFailure()
    {
        test::TempStore store;
        Form2 f;
        f.show();
        QCOMPARE(f.windowTitle(), QStringLiteral("Majlis Daerah Lembah Serindit"));
        QCOMPARE(f.size(), QSize(303, 198));
        QCOMPARE(f.Frame1->title(), QStringLiteral("Cetak Senarai Kontraktor"));
        QCOMPARE(f.Command1->geometry(), QRect(216, 24, 57, 25));
        test::grab(&f, QStringLiteral("form2"));

        // As opened: boxes at "0", no option chosen, everything usable.
        QCOMPARE(f.Text19->text() + f.Text20->text(), QStringLiteral("00"));
        QVERIFY(!f.Option1->isChecked() && !f.Option2->isChecked());
        const QList<QWidget *> range{f.Text19, f.Text20, f.Label1, f.Label2, f.Command1};
        const auto expect = [&](bool rangeOn, bool all) {
            for (QWidget *w : range)
                QVERIFY2(w->isEnabled() == rangeOn, qPrintable(w->objectName()));
            QCOMPARE(f.Command2->isEnabled(), all);
            QVERIFY(f.Command3->isEnabled()); // the work list does not depend on the options
        };
        expect(true, true);
        // An empty register, both lists: one page with the empty skeleton and the usual message.
        PrintRecorder rec;
        for (auto [button, lines] : {std::pair{f.Command2, 19}, std::pair{f.Command3, 32}}) {
            rec.clear();
            QTest::mouseClick(button, Qt::LeftButton);
            QVERIFY(rec.jobs().size() == 1 && rec.jobs().at(0).pages.size() == 1);
            QCOMPARE(rec.jobs().at(0).pages.at(0).lines.size(), lines);
            QCOMPARE(message(), kPrinted);
        }
        // "Dari" and "ke" are drawn greyed while the range is off, pale yellow while it is on.
        const auto inks = [](QLabel *label) {
            const QImage image = label->grab().toImage();
            int yellow = 0, grey = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    yellow += c.red() > 200 && c.green() > 200 && c.blue() > 140;
                    grey += c.red() > 100 && c.red() < 160 && qAbs(c.red() - c.blue()) < 10 && qAbs(c.red() - c.green()) < 10;
                }
            return std::pair{yellow, grey};
        };
        for (QRadioButton *option : {f.Option2, f.Option1}) {
            const bool rangeOn = option == f.Option1;
            QTest::mouseClick(option, Qt::LeftButton);
            expect(rangeOn, !rangeOn);
            for (QLabel *label : {f.Label1, f.Label2}) {
                const auto [yellow, grey] = inks(label);
                QVERIFY2((yellow > 0) == rangeOn && (grey > 0) != rangeOn, qPrintable(label->text()));
            }
        }

        // A data failure: the failure report, not "Data telah dicetak", and no job.
        rec.clear();
        store.exec("DROP TABLE kontraktor");
        QTest::mouseClick(f.Command3, Qt::LeftButton);
        const QString shown = message();
        QVERIFY2(shown.endsWith("|critical") && !shown.startsWith("Mesej|"), qPrintable(shown));
        QVERIFY(rec.jobs().isEmpty() && !QApplication::overrideCursor());
        QTest::mouseClick(f.Command5, Qt::LeftButton); // "Ok" closes the window
        QVERIFY(!f.isVisible());
    }

    void rangeInput()
    {
        test::TempStore store;
        store.addContractors(12);
        PrintRecorder rec;
        Form2 f;
        const QString refused = QStringLiteral("Mesej|Sila masukkan pilihan|question");
        const QList<std::tuple<QString, QString, QString, QString>> cases{
            // Boxes at 0 (as opened), an end below the start, empty or non-numeric text.
            {"0", "0", "", refused}, {"0", "5", "", refused}, {"3", "0", "", refused}, {"6", "5", "", refused},
            {"", "5", "", refused}, {"1", "abc", "", refused}, {"-2", "5", "", refused},
            {"3", "5", "0003 0004 0005", kPrinted}, {"5", "5", "0005", kPrinted}, {" 2 ", "4.4", "0002 0003 0004", kPrinted},
            {"10", "40", "0010 0011 0012", kPrinted}, // an end past the last record stops there
            {"13", "20", "", QStringLiteral("Mesej|Tiada data|critical")}, // a start past it prints nothing
            {"1", "99999999999", "0001 0002 0003 0004 0005 0006 0007 0008 0009 0010 0011 0012", kPrinted}};
        for (const auto &[from, to, want, shown] : cases) {
            rec.clear();
            f.Text19->setText(from);
            f.Text20->setText(to);
            QTest::mouseClick(f.Command1, Qt::LeftButton);
            QCOMPARE(printed(rec), want);
            QCOMPARE(message(), shown);
            QCOMPARE(rec.jobs().isEmpty(), want.isEmpty());
            QVERIFY(!QApplication::overrideCursor()); // the hourglass is gone
        }
    }

    // What the clerk sets in the printer dialog is kept for the later reports:
    // "print to file" with its file, copies, colour, and the paper and
    // orientation the dialog opened on.
    void dialogChoiceReachesLaterJobs()
    {
        if (test::onPostgres())
            QSKIP("the printer does not depend on the engine");
#ifdef Q_OS_WIN
        QSKIP("Windows's print dialog is the system's own, which a test cannot fill in");
#endif
        test::TempStore store;
        QTemporaryDir dir;
        const QString file = dir.filePath("pilihan.pdf");
        PrintSetup before;
        before.pageSize = QPageSize(QPageSize::A5);
        before.landscape = true;
        Printer::setChoice(before);
        Form2 f;
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto *d = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            if (!d)
                return;
            seen = true;
            auto *printers = d->findChild<QComboBox *>("printers");
            printers->setCurrentIndex(printers->count() - 1); // "Print to File (PDF)" ends the list
            d->findChild<QLineEdit *>("filename")->setText(file);
            d->findChild<QSpinBox *>("copies")->setValue(2);
            d->findChild<QRadioButton *>("grayscale")->setChecked(true);
            d->accept();
        });
        QTest::mouseClick(f.Command4, Qt::LeftButton);
        QVERIFY(seen);
        const std::optional<PrintSetup> chosen = Printer::choice();
        QVERIFY(chosen);
        QCOMPARE(chosen->outputFile, file);
        QCOMPARE(chosen->copies, 2);
        QCOMPARE(chosen->colorMode, QPrinter::GrayScale);
        QCOMPARE(chosen->pageSize.id(), QPageSize::A5); // the dialog opened on the last choice and kept it
        QVERIFY(chosen->landscape);
    }
};

ARB_TEST_MAIN(Form2Test)
#include "tst_form2.moc"
