#include "TestSupport.h"

#include "about/Form7.h"
#include "data/Locations.h"
#include "platform/MessageBox.h"
#include "platform/Windows.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace arb;

class Form7Test : public QObject
{
    Q_OBJECT
private slots:
    void layoutOkAndDiagnostics()
    {
        Form7 *f = showWindow<Form7>();
        QCOMPARE(f->windowTitle(), QStringLiteral("Tentang Kami"));
        QCOMPARE(f->size(), QSize(352, 189));
        QCOMPARE(f->Label7->text(), QStringLiteral("Aplikasi Rekod Bina (ARB) Versi 1.0"));
        QCOMPARE(f->Label6->text(), QStringLiteral("Bahagian Kewangan, Majlis Daerah Lembah Serindit"));
        for (QLabel *l : {f->Label7, f->Label1, f->Label2, f->Label3, f->Label4, f->Label5, f->Label6}) // no caption is cut
            QVERIFY2(l->sizeHint().width() <= l->width() && l->geometry().right() < f->width() && !l->text().isEmpty(),
                     qPrintable(l->text()));
        // Label6 runs wider than its box in the desktop's font: a box that
        // holds it, on the same centre as the layout's (840 + 3495 / 2 twips).
        QVERIFY(f->Label6->fontMetrics().horizontalAdvance(f->Label6->text()) <= f->Label6->contentsRect().width());
        QVERIFY(qAbs(f->Label6->geometry().center().x() - (840 + 3495 / 2) / 15) <= 1);
        // The diagnostics lie outside the visible area.
        for (QWidget *w : std::initializer_list<QWidget *>{f->Command1, f->Command2, f->Text1})
            QVERIFY(!f->rect().intersects(w->geometry()));
        test::grab(f, QStringLiteral("form7"));
        QTest::mouseClick(f->Command3, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!loadedWindow<Form7>());

        // The diagnostics: Text1 printed, "kosong" for an empty one.
        Form7 t;
        t.Command1->click();
        t.Text1->setPlainText(QString());
        t.Command1->click();
        QCOMPARE(t.printedLines(), QStringList({"Text1", "kosong"}));
        QCOMPARE(t.currentX(), 0.0); // back to the left edge, one line lower
        QVERIFY(t.currentY() > 0);

        // The month count over every date text of the file beside the program.
        test::TempStore store;
        for (const QString &d : {"1.2.2004", "12.05.2003 13.06.2003", "12.ab.2004", "x", "1.12.04",
                                 "1.3.2004\r\n2.3.2004\n3.3.2004\f4.3.2004 5.3.2004 6.3.2004 7.3.2004 8.3.2004 9.3.2004 10.3.2004"})
            store.exec("INSERT INTO test (Tarikh_dapat_kerja) VALUES (?)", {d});
        store.exec("INSERT INTO test (Tarikh_dapat_kerja) VALUES (NULL)");
        const QString beside = Locations::programFolderPath();
        QFile::remove(beside);
        QVERIFY(QFile::copy(store.path(), beside));
        Form7 m;
        m.Command2->click();
        QFile::remove(beside);
        QVERIFY(MessageBox::takeShown().isEmpty());
        QStringList want;
        for (const char *counts : {"010000000000", "000011000000", "000000000000", "000000000000", "000000000001",
                                   "0010000000000", "000000000000"})
            want << counts << "-----------------";
        QCOMPARE(m.printedLines(), want);

        // No file beside the program: the one failure report.
        Form7 g;
        g.Command2->click();
        const QStringList shown = test::shownBoxes();
        QVERIFY2(shown.size() == 1 && shown[0].endsWith("|critical"), qPrintable(shown.join('/')));
        QVERIFY(g.printedLines().isEmpty() && !QApplication::overrideCursor());
    }
};

ARB_TEST_MAIN(Form7Test)
#include "tst_form7.moc"
