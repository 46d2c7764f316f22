#include "TestSupport.h"

#include "app/Form1.h"
#include "data/Password.h"
#include "platform/Keyboard.h"
#include "platform/MessageBox.h"
#include "platform/Windows.h"
#include "register/Form4.h"
#include "reports/Form2.h"

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

QString stored(test::TempStore &store)
{
    return store.value(0, QStringLiteral("password"), QStringLiteral("password")).toString();
}

// Types the new password and its repetition, and presses "Ok".
void change(Form1 &f, const QString &typed, const QString &again)
{
    f.Command2->click();
    QVERIFY(!f.Text2->isHidden() && !f.Text3->isHidden() && !f.Command3->isHidden());
    QVERIFY(f.Text2->text().isEmpty() && f.Text3->text().isEmpty()); // nothing of the old one shows
    QTest::keyClicks(f.Text2, typed);
    QTest::keyClicks(f.Text3, again);
    f.Command3->click();
}

} // namespace

class Form1Test : public QObject
{
    Q_OBJECT
private slots:
    void init() { MessageBox::clear(); }

    void layoutAndExactLogin()
    {
        test::TempStore store(QStringLiteral("Rahsia1"));
        Form1 f;
        f.show();
        QCOMPARE(f.windowTitle(), QStringLiteral("Aplikasi Rekod Bina ZRVA 1.0 "));
        QCOMPARE(f.size(), QSize(472, 362));
        QCOMPARE(f.Command12->text(), QStringLiteral("Daftar "));
        QCOMPARE(f.Frame1->geometry(), QRect(16, 240, 441, 81));
        QCOMPARE(usable(f), 0);
        QVERIFY(!f.Text2->isVisible() && !f.Text3->isVisible() && !f.Command3->isVisible());
        QVERIFY(f.Text1->isVisible() && f.Command1->isVisible() && f.Label1->isVisible());
        // "*" for every character, not the desktop style's dot.
        QTest::keyClicks(f.Text1, QStringLiteral("ab c"));
        QCOMPARE(f.Text1->displayText(), QStringLiteral("****"));
        f.Text1->clear();
        // Tab order: the password change, the login box, then the menu left to right.
        const QList<QWidget *> order{f.Text2,     f.Text3,     f.Command3,  f.Text1,    f.Command1, f.Command12,
                                     f.Command13, f.Command11, f.Command14, f.Command2, f.Command4};
        QList<QWidget *> seen{f.Text2};
        for (QWidget *w = f.Text2->nextInFocusChain(); w != f.Text2; w = w->nextInFocusChain())
            if (order.contains(w))
                seen << w;
        QCOMPARE(seen, order);
        // The store keeps a hash, never the text.
        QVERIFY(Password::isHashed(stored(store)) && !stored(store).contains(QStringLiteral("Rahsia1")));
        test::grab(&f, QStringLiteral("form1"));

        // The password exactly: a wrong one says "salah", keeps what was typed and shows no box.
        for (const char *wrong : {"rahsia1", "Rahsia1 ", " Rahsia1", "Rahsia", ""}) {
            tryLogin(f, wrong);
            QCOMPARE(f.Label2->text(), QStringLiteral("salah"));
            QCOMPARE(usable(f), 0);
            QCOMPARE(f.Text1->text(), QString(wrong));
        }
        tryLogin(f, QStringLiteral("Rahsia1"));
        QCOMPARE(usable(f), 6);
        QVERIFY(!f.Text1->isVisible() && !f.Command1->isVisible() && !f.Label1->isVisible() && !f.Label2->isVisible());
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    // A store from before keeps the text: it still logs in, exactly, and the
    // first good login replaces the text by its hash.
    void plainTextConvertedAtLogin()
    {
        test::TempStore store;
        store.exec(QStringLiteral("UPDATE password SET password = ?"), {QStringLiteral("Lama 1")});
        Form1 f;
        tryLogin(f, QStringLiteral("lama 1"));
        QCOMPARE(usable(f), 0);
        QCOMPARE(stored(store), QStringLiteral("Lama 1")); // a wrong one changes nothing
        tryLogin(f, QStringLiteral("Lama 1"));
        QCOMPARE(usable(f), 6);
        QVERIFY(Password::isHashed(stored(store)));
        QVERIFY(Password::matches(stored(store), QStringLiteral("Lama 1")));
        QVERIFY(!Password::matches(stored(store), QStringLiteral("lama 1")));
    }

    void passwordChange()
    {
        test::TempStore store(QStringLiteral("lama"));
        const QString before = stored(store);
        Form1 f;
        f.show();
        tryLogin(f, QStringLiteral("lama"));
        QCOMPARE(f.Label3->text() + '|' + f.Label4->text(), QStringLiteral("Kata laluan baharu|Taip sekali lagi"));
        // Different: said so, nothing stored, both boxes empty again.
        change(f, QStringLiteral("baru1"), QStringLiteral("baru2"));
        QCOMPARE(test::shownBoxes(),
                 QStringList{QStringLiteral("Mesej|Kata laluan yang ditaip tidak sama. Sila taip semula kedua-duanya.|exclamation")});
        QCOMPARE(stored(store), before);
        QVERIFY(f.Text2->isVisible() && f.Text2->text().isEmpty() && f.Text3->text().isEmpty());
        test::grab(&f, QStringLiteral("form1-password"));
        // The same twice: stored at once, as its hash, and confirmed.
        change(f, QStringLiteral("Baru 2"), QStringLiteral("Baru 2"));
        QCOMPARE(test::shownBoxes(), QStringList{QStringLiteral("Mesej|Kata laluan telah ditukar|info")});
        QVERIFY(!f.Text2->isVisible() && !f.Text3->isVisible() && !f.Command3->isVisible());
        QVERIFY(Password::isHashed(stored(store)) && Password::matches(stored(store), QStringLiteral("Baru 2")));
        // One write: closing the window writes nothing more, not even over
        // what another desktop stored since.
        const QString elsewhere = Password::hash(QStringLiteral("dari meja lain"));
        store.exec(QStringLiteral("UPDATE password SET password = ?"), {elsewhere});
        f.Command2->click();
        QTest::keyClicks(f.Text2, QStringLiteral("tanpa ok"));
        f.close();
        QCOMPARE(stored(store), elsewhere);
        // No row at all: the empty password logs in and writes nothing; a
        // change then stores a row, and the empty password twice is one too.
        store.exec(QStringLiteral("DELETE FROM password"));
        Form1 k;
        tryLogin(k, QString());
        QCOMPARE(store.count(QStringLiteral("password")), 0);
        change(k, QString(), QString());
        QCOMPARE(store.count(QStringLiteral("password")), 1);
        QVERIFY(Password::isHashed(stored(store)) && Password::matches(stored(store), QString()));
    }

    // Enter in the box logs in; focus then on "Daftar ", never "Keluar";
    // Alt+C and Alt+K press "Cetak..." and "Keluar", their underlines shown
    // only while Alt is held.
    void keyboard()
    {
        test::TempStore store(QStringLiteral("kunci"));
        auto *f = new Form1;
        f->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<Form1> alive(f);
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f));
        QTest::keyClicks(f->Text1, QStringLiteral("kunci"));
        QTest::keyClick(f->Text1, Qt::Key_Return);
        QCOMPARE(usable(*f), 6);
        QCOMPARE(QApplication::focusWidget(), f->Command12);
        QTest::keyClick(f->Command12, Qt::Key_Space); // a Space right after login opens the register
        QVERIFY(alive && f->isVisible());
        QTRY_VERIFY(loadedWindow<Form4>());
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        const QImage plain = f->Command4->grab().toImage();
        QTest::keyPress(f, Qt::Key_Alt, Qt::AltModifier);
        QVERIFY(f->Command4->grab().toImage() != plain);
        QTest::keyRelease(f, Qt::Key_Alt);
        QVERIFY(f->Command4->grab().toImage() == plain);
        QCOMPARE(caption(f->Command14) + '|' + caption(f->Command4), QStringLiteral("Cetak...|Keluar"));
        QTest::keyClick(f, Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(loadedWindow<Form2>());
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        QTest::keyClick(f, Qt::Key_K, Qt::AltModifier);
        QTRY_VERIFY(!alive);
        test::closeAllWindows();
    }
};

ARB_TEST_MAIN(Form1Test)
#include "tst_form1.moc"
