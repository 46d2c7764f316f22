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
    void layoutAndOk()
    {
        Form7 *f = showWindow<Form7>();
        QCOMPARE(f->windowTitle(), QStringLiteral("Tentang Kami"));
        QCOMPARE(f->size(), QSize(352, 189));
        QCOMPARE(f->Label7->text(), QStringLiteral("Aplikasi Rekod Bina (ARB) Versi 1.0"));
        QCOMPARE(f->Label1->text(), QStringLiteral("Rekabentuk "));
        QCOMPARE(f->Label6->text(), QStringLiteral("Bahagian Kewangan, Majlis Daerah Lembah Serindit"));
        QCOMPARE(f->Label6->pos(), QPoint(56, 136));
        for (QLabel *l : {f->Label7, f->Label1, f->Label2, f->Label3, f->Label4, f->Label5, f->Label6}) {
            QVERIFY2(l->sizeHint().width() <= l->width(), qPrintable(l->text())); // no caption is cut
            QVERIFY(l->geometry().right() < f->width());
        }
        for (QLabel *heading : {f->Label1, f->Label3, f->Label5})
            QVERIFY(heading->font().bold());
        for (QLabel *credit : {f->Label2, f->Label4}) {
            QVERIFY(!credit->text().isEmpty());
            QVERIFY(!credit->font().bold());
        }
        QCOMPARE(f->Command3->geometry(), QRect(136, 160, 57, 25));
        // The diagnostics lie outside the visible area.
        for (QWidget *w : std::initializer_list<QWidget *>{f->Command1, f->Command2, f->Text1})
            QVERIFY(!f->rect().intersects(w->geometry()));
        if (!qEnvironmentVariableIsEmpty("ARB_GRAB_DIR"))
            f->grab().save(qEnvironmentVariable("ARB_GRAB_DIR") + QStringLiteral("/form7.png"));

        QTest::mouseClick(f->Command3, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!loadedWindow<Form7>());
    }

    void textDiagnostic()
    {
        Form7 f;
        f.Command1->click();
        QCOMPARE(f.printedLines(), QStringList{QStringLiteral("Text1")});
        f.Text1->setPlainText(QString());
        f.Command1->click();
        QCOMPARE(f.printedLines().last(), QStringLiteral("kosong"));
        QCOMPARE(f.currentX(), 0.0); // back to the left edge, one line lower
        QVERIFY(f.currentY() > 0);
    }

    void monthDiagnostic()
    {
        test::TempStore store;
        const QStringList dates{QStringLiteral("1.2.2004"), QStringLiteral("12.05.2003 13.06.2003"),
                                QStringLiteral("1.3.2004\r\n2.3.2004\n3.3.2004\f4.3.2004 5.3.2004 6.3.2004 7.3.2004 8.3.2004 9.3.2004 10.3.2004"),
                                QStringLiteral("12.ab.2004"), QStringLiteral("x"), QStringLiteral("1.12.04")};
        for (const QString &d : dates)
            store.exec(QStringLiteral("INSERT INTO test (Tarikh_dapat_kerja) VALUES (?)"), {d});
        store.exec(QStringLiteral("INSERT INTO test (Tarikh_dapat_kerja) VALUES (NULL)"));
        const QString beside = Locations::programFolderPath();
        QFile::remove(beside);
        QVERIFY(QFile::copy(store.path(), beside));

        Form7 f;
        f.Command2->click();
        QFile::remove(beside);
        QVERIFY(MessageBox::takeShown().isEmpty());
        const QString dash = QStringLiteral("-----------------");
        QCOMPARE(f.printedLines(),
                 (QStringList{QStringLiteral("010000000000"), dash, QStringLiteral("000011000000"), dash,
                              QStringLiteral("0010000000000"), dash, QStringLiteral("000000000000"), dash,
                              QStringLiteral("000000000000"), dash, QStringLiteral("000000000001"), dash,
                              QStringLiteral("000000000000"), dash}));
        QVERIFY(!QApplication::overrideCursor());

        // No file beside the program: the one failure report.
        Form7 g;
        g.Command2->click();
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).icon, MessageBox::Critical);
        QVERIFY(g.printedLines().isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }
};

ARB_TEST_MAIN(Form7Test)
#include "tst_form7.moc"
