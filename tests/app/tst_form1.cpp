#include "TestSupport.h"

#include "app/Form1.h"
#include "platform/MessageBox.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace arb;

namespace {
// How many of the six menu buttons are usable.
int usable(Form1 &f)
{
    int n = 0;
    for (QPushButton *b : {f.Command11, f.Command12, f.Command13, f.Command14, f.Command2, f.Command4})
        n += b->isEnabled();
    return n;
}

void tryLogin(Form1 &f, const QString &typed)
{
    f.Text1->setText(typed);
    QTest::mouseClick(f.Command1, Qt::LeftButton);
}

// Logs in with the stored password, types a new one, and leaves with "Keluar".
void changeTo(const QString &newPassword, bool pressOk)
{
    auto *f = new Form1;
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->show();
    tryLogin(*f, f->Text2->text());
    QCOMPARE(usable(*f), 6);
    f->Command2->click();
    QVERIFY(f->Text2->isVisible() && f->Command3->isVisible());
    f->Command2->click(); // twice: still shown, nothing else
    QVERIFY(f->Text2->isVisible());
    f->Text2->setText(newPassword);
    if (pressOk) {
        f->Command3->click();
        QVERIFY(!f->Text2->isVisible() && !f->Command3->isVisible());
    }
    QPointer<Form1> alive(f);
    f->Command4->click(); // Keluar unloads the window
    QVERIFY(!alive || !alive->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
} // namespace

class Form1Test : public QObject
{
    Q_OBJECT
private slots:
    void layoutAtLoad()
    {
        test::TempStore store(QStringLiteral("Rahsia1"));
        Form1 f;
        f.show();
        QCOMPARE(f.windowTitle(), QStringLiteral("Aplikasi Rekod Bina ZRVA 1.0 "));
        QCOMPARE(f.size(), QSize(472, 362));
        QCOMPARE(f.Command12->text(), QStringLiteral("Daftar "));
        QCOMPARE(f.Frame1->geometry(), QRect(16, 240, 441, 81));
        QCOMPARE(usable(f), 0);
        QVERIFY(!f.Text2->isVisible() && !f.Command3->isVisible());
        QVERIFY(f.Text1->isVisible() && f.Command1->isVisible() && f.Label1->isVisible());
        // Both show "*" for every character, not the desktop style's dot.
        QCOMPARE(f.Text2->displayText(), QStringLiteral("*******"));
        QTest::keyClicks(f.Text1, QStringLiteral("ab c"));
        QCOMPARE(f.Text1->displayText(), QStringLiteral("****"));
        f.Text1->clear();
        // The bound password box holds the stored password already.
        QCOMPARE(f.Text2->text(), QStringLiteral("Rahsia1"));
        // Tab order: Text1, Command1, Command4, Command2, Command14, Command13, Command12, Command11.
        QCOMPARE(f.Text1->nextInFocusChain(), static_cast<QWidget *>(f.Command1));
        QCOMPARE(f.Command1->nextInFocusChain(), static_cast<QWidget *>(f.Command4));
        QCOMPARE(f.Command12->nextInFocusChain(), static_cast<QWidget *>(f.Command11));
        if (qEnvironmentVariableIsSet("ARB_GRAB"))
            f.grab().save(QString::fromLocal8Bit(qgetenv("ARB_GRAB")) + QStringLiteral("/form1.png"));
    }

    void loginIsExact()
    {
        test::TempStore store(QStringLiteral("Rahsia1"));
        Form1 f;
        f.show();
        for (const QString &wrong : {QStringLiteral("rahsia1"), QStringLiteral("Rahsia1 "), QStringLiteral(" Rahsia1"),
                                     QStringLiteral("Rahsia"), QString()}) {
            tryLogin(f, wrong);
            QCOMPARE(f.Label2->text(), QStringLiteral("salah"));
            QCOMPARE(usable(f), 0);
            QCOMPARE(f.Text1->text(), wrong); // the typed text stays
        }
        tryLogin(f, QStringLiteral("Rahsia1"));
        QCOMPARE(usable(f), 6);
        QVERIFY(!f.Text1->isVisible() && !f.Command1->isVisible() && !f.Label1->isVisible() && !f.Label2->isVisible());
        QVERIFY(MessageBox::takeShown().isEmpty()); // a wrong password shows no box
    }

    void emptyPasswordTable()
    {
        test::TempStore store;
        store.exec(QStringLiteral("DELETE FROM password"));
        QCOMPARE(Form1().Text2->text(), QString());
        changeTo(QStringLiteral("baru"), true); // logs in with no password; kept, not lost
        QCOMPARE(store.count(QStringLiteral("password")), 1);
        QCOMPARE(store.value(0, QStringLiteral("password"), QStringLiteral("password")).toString(), QStringLiteral("baru"));
    }

    void passwordChangeSurvivesRestart()
    {
        test::TempStore store(QStringLiteral("lama"));
        changeTo(QStringLiteral("Baru 2"), true);
        {
            Form1 f;
            tryLogin(f, QStringLiteral("lama"));
            QCOMPARE(usable(f), 0);
            tryLogin(f, QStringLiteral("Baru 2"));
            QCOMPARE(usable(f), 6);
        }
        changeTo(QStringLiteral("tanpa-ok"), false); // stored without "Ok" all the same
        QCOMPARE(store.value(0, QStringLiteral("password"), QStringLiteral("password")).toString(), QStringLiteral("tanpa-ok"));
        changeTo(QString(), true);
        const QVariant stored = store.value(0, QStringLiteral("password"), QStringLiteral("password"));
        QVERIFY(!stored.isNull());
        QCOMPARE(stored.toString(), QString());
        Form1 f;
        tryLogin(f, QString());
        QCOMPARE(usable(f), 6);
    }
};

ARB_TEST_MAIN(Form1Test)
#include "tst_form1.moc"
