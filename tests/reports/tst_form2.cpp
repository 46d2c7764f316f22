#include "TestSupport.h"

#include "about/Form7.h"
#include "platform/MessageBox.h"
#include "platform/Windows.h"
#include "reports/Form2.h"
#include "reports/PainterDevice.h"
#include "reports/PrintRecorder.h"
#include "reports/Printer.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace arb;

namespace {

QStringList printedSerials(const PrintRecorder &rec)
{
    QStringList out;
    for (const RecordedText &t : rec.allTexts())
        if (t.x == 1100 && !t.bold)
            out << t.text.right(4);
    return out;
}

QStringList numbers(int from, int to)
{
    QStringList out;
    for (int n = from; n <= to; ++n)
        out << QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
    return out;
}

// Range print through the window; returns what reached the printer.
QStringList range(Form2 &f, PrintRecorder &rec, const QString &from, const QString &to)
{
    rec.clear();
    MessageBox::clear();
    f.Text19->setText(from);
    f.Text20->setText(to);
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    return printedSerials(rec);
}

void expectMessage(const QString &text, MessageBox::Icon icon)
{
    const QList<MessageBox::Shown> shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).text, text);
    QCOMPARE(shown.at(0).title, QStringLiteral("Mesej"));
    QCOMPARE(shown.at(0).icon, icon);
}

int pdfPages(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = f.readAll();
    return int(pdf.count("/Type /Page\n"));
}

} // namespace

class Form2Test : public QObject
{
    Q_OBJECT
private slots:
    void layoutAndOptions()
    {
        test::TempStore store;
        Form2 f;
        f.show();
        QCOMPARE(f.windowTitle(), QStringLiteral("Majlis Daerah Lembah Serindit"));
        QCOMPARE(f.size(), QSize(303, 198));
        QCOMPARE(f.Frame1->title(), QStringLiteral("Cetak Senarai Kontraktor"));
        QCOMPARE(f.Frame1->geometry(), QRect(8, 8, 289, 97));
        QCOMPARE(f.Command1->parentWidget(), f.Frame1);
        QCOMPARE(f.Command1->geometry(), QRect(216, 24, 57, 25));
        QCOMPARE(f.Command3->parentWidget(), f.Frame2);
        QCOMPARE(f.Command4->text(), QStringLiteral("Properties"));
        QCOMPARE(f.Command6->geometry(), QRect(152, 168, 49, 25));
        QVERIFY(!f.Command1->font().bold()); // the frame's caption font stays on the caption

        // Design state: boxes "0", nothing selected, everything enabled.
        QCOMPARE(f.Text19->text(), QStringLiteral("0"));
        QCOMPARE(f.Text20->text(), QStringLiteral("0"));
        QVERIFY(!f.Option1->isChecked() && !f.Option2->isChecked());
        const QList<QWidget *> range{f.Text19, f.Text20, f.Label1, f.Label2, f.Command1};
        for (QWidget *w : range)
            QVERIFY(w->isEnabled());
        QVERIFY(f.Command2->isEnabled());

        QTest::mouseClick(f.Option2, Qt::LeftButton);
        for (QWidget *w : range)
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY(f.Command2->isEnabled());
        QVERIFY(f.Command3->isEnabled()); // the work list does not depend on the options

        QTest::mouseClick(f.Option1, Qt::LeftButton);
        for (QWidget *w : range)
            QVERIFY(w->isEnabled());
        QVERIFY(!f.Command2->isEnabled());
        QVERIFY(f.Command3->isEnabled());

        if (!qEnvironmentVariableIsEmpty("ARB_GRAB_DIR"))
            f.grab().save(qEnvironmentVariable("ARB_GRAB_DIR") + QStringLiteral("/form2.png"));
    }

    void rangeInput()
    {
        test::TempStore store;
        store.addContractors(12);
        PrintRecorder rec;
        Form2 f;
        // Boxes at 0 (as opened), an end below the start, empty or non-numeric text.
        const QList<std::pair<QString, QString>> refused{
            {QStringLiteral("0"), QStringLiteral("0")}, {QStringLiteral("0"), QStringLiteral("5")},
            {QStringLiteral("3"), QStringLiteral("0")}, {QStringLiteral("6"), QStringLiteral("5")},
            {QString(), QStringLiteral("5")},          {QStringLiteral("1"), QStringLiteral("abc")},
            {QStringLiteral("-2"), QStringLiteral("5")}};
        for (const auto &[from, to] : refused) {
            QVERIFY(range(f, rec, from, to).isEmpty());
            QVERIFY2(rec.jobs().isEmpty(), qPrintable(from + QLatin1Char('-') + to));
            expectMessage(QStringLiteral("Sila masukkan pilihan"), MessageBox::Question);
        }

        QCOMPARE(range(f, rec, QStringLiteral("1"), QStringLiteral("5")), numbers(1, 5));
        expectMessage(QStringLiteral("Data telah dicetak"), MessageBox::Information);
        QVERIFY(rec.jobs().at(0).ended);
        QVERIFY(rec.jobs().at(0).landscape);
        QCOMPARE(range(f, rec, QStringLiteral("3"), QStringLiteral("5")), numbers(3, 5));
        QCOMPARE(range(f, rec, QStringLiteral("5"), QStringLiteral("5")), numbers(5, 5));
        QCOMPARE(range(f, rec, QStringLiteral(" 2 "), QStringLiteral("4.4")), numbers(2, 4));
        QCOMPARE(range(f, rec, QStringLiteral("1"), QStringLiteral("1")), numbers(1, 1));
        QCOMPARE(range(f, rec, QStringLiteral("10"), QStringLiteral("40")), numbers(10, 12)); // stops at the last
        QCOMPARE(range(f, rec, QStringLiteral("1"), QStringLiteral("99999999999")), numbers(1, 12));
        QCOMPARE(rec.jobs().at(0).pages.size(), 2);
        expectMessage(QStringLiteral("Data telah dicetak"), MessageBox::Information);

        // A start past the last record prints nothing.
        QVERIFY(range(f, rec, QStringLiteral("13"), QStringLiteral("20")).isEmpty());
        QVERIFY(rec.jobs().isEmpty());
        expectMessage(QStringLiteral("Tiada data"), MessageBox::Critical);
        QVERIFY(!QApplication::overrideCursor()); // the hourglass is gone
    }

    void printAllAndWorkList()
    {
        test::TempStore store;
        store.addContractors(10);
        PrintRecorder rec;
        Form2 f;
        f.Text19->setText(QStringLiteral("0")); // no option chosen: both buttons work
        QTest::mouseClick(f.Command2, Qt::LeftButton);
        QCOMPARE(printedSerials(rec), numbers(1, 10));
        QCOMPARE(rec.jobs().at(0).pages.size(), 2);
        QCOMPARE(rec.jobs().at(0).name, QStringLiteral("Senarai Kontraktor"));
        expectMessage(QStringLiteral("Data telah dicetak"), MessageBox::Information);

        rec.clear();
        QTest::mouseClick(f.Option2, Qt::LeftButton);
        QTest::mouseClick(f.Command3, Qt::LeftButton);
        QCOMPARE(rec.jobs().size(), 1);
        QCOMPARE(rec.jobs().at(0).name, QStringLiteral("Senarai Kerja"));
        QCOMPARE(rec.jobs().at(0).pages.size(), 1);
        QVERIFY(rec.jobs().at(0).ended);
        expectMessage(QStringLiteral("Data telah dicetak"), MessageBox::Information);
        QVERIFY(!QApplication::overrideCursor());

        // Empty register: the empty skeleton and the usual message.
        test::TempStore empty;
        rec.clear();
        QTest::mouseClick(f.Command2, Qt::LeftButton);
        QCOMPARE(rec.jobs().size(), 1);
        QCOMPARE(rec.jobs().at(0).pages.size(), 1);
        QCOMPARE(rec.jobs().at(0).pages.at(0).lines.size(), 19);
        expectMessage(QStringLiteral("Data telah dicetak"), MessageBox::Information);
    }

    void failureStopsThePrint()
    {
        test::TempStore store;
        store.addContractors(3);
        PrintRecorder rec;
        Form2 f;
        store.exec(QStringLiteral("DROP TABLE kontraktor"));
        QTest::mouseClick(f.Command3, Qt::LeftButton);
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).icon, MessageBox::Critical);
        QVERIFY(shown.at(0).title != QStringLiteral("Mesej")); // the failure report, not "Data telah dicetak"
        QVERIFY(rec.jobs().isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }

    void okPilihanAndPrinterDialog()
    {
        test::TempStore store;
        Form2 *f = showWindow<Form2>();
        QTest::mouseClick(f->Command6, Qt::LeftButton);
        QPointer<Form7> about = loadedWindow<Form7>();
        QVERIFY(about);
        QVERIFY(about->isVisible());
        QCOMPARE(about->windowTitle(), QStringLiteral("Tentang Kami"));

        // The printer dialog: what is chosen there is kept for the next report.
        bool seen = false;
        QTimer::singleShot(0, [&seen] {
            if (auto *d = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget())) {
                seen = true;
                d->accept();
            }
        });
        Printer::setChosenPrinter(QString());
        QTest::mouseClick(f->Command4, Qt::LeftButton);
        QVERIFY(seen);
        QVERIFY(MessageBox::takeShown().isEmpty());
        if (QPrinterInfo::availablePrinters().isEmpty())
            QVERIFY(Printer::chosenPrinter().isEmpty()); // no printer: the PDF file stays the device

        QTest::mouseClick(f->Command5, Qt::LeftButton); // "Ok" unloads the window
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!loadedWindow<Form2>());
        QVERIFY(about); // the About window stays
        about->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!about);
    }

    void realPdfOfBothLists()
    {
        test::TempStore store(QStringLiteral("rahsia"), true); // the demo register
        store.addContractors(6);
        QTemporaryDir dir;
        QStringList files;
        Printer::setDeviceFactory([&](const QString &name) {
            auto device = PainterDevice::forPdf(dir.filePath(name + QStringLiteral(".pdf")));
            files << device->outputFile();
            return device;
        });
        Form2 f;
        QTest::mouseClick(f.Command2, Qt::LeftButton);
        QTest::mouseClick(f.Command3, Qt::LeftButton);
        Printer::resetDeviceFactory();
        QCOMPARE(MessageBox::takeShown().size(), 2);
        QCOMPARE(files.size(), 2);
        const int rows = store.count();
        QCOMPARE(pdfPages(files.at(0)), (rows + 8) / 9);
        QCOMPARE(pdfPages(files.at(1)), (rows + 13) / 14);
        QVERIFY(pdfPages(files.at(1)) >= 2);
        if (!qEnvironmentVariableIsEmpty("ARB_GRAB_DIR")) {
            for (const QString &file : files)
                QFile::copy(file, qEnvironmentVariable("ARB_GRAB_DIR") + QLatin1Char('/') + QFileInfo(file).fileName());
        }
    }
};

ARB_TEST_MAIN(Form2Test)
#include "tst_form2.moc"
