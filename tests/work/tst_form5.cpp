#include "TestSupport.h"

#include "app/Form1.h"
#include "data/DataControl.h"
#include "platform/BoundBox.h"
#include "platform/MessageBox.h"
#include "platform/Windows.h"
#include "work/Form5.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace arb;

namespace {
const QString kDates = QStringLiteral("Tarikh_dapat_kerja");
const QString kJobs = QStringLiteral("Butiran_kerja");

// Three contractors with dates written the ways clerks write them.
void addThree(test::TempStore &store)
{
    store.addContractor({{QStringLiteral("NoDaftar"), QStringLiteral("ZRVA/KP/0001")},
                         {QStringLiteral("NamaSyarikat"), QStringLiteral("SYARIKAT JAYA MAJU")},
                         {kDates, QStringLiteral("1/2/2003\r\n3-4-2003")},
                         {kJobs, QStringLiteral("Baiki longkang\r\nCat dewan")},
                         {QStringLiteral("Nilai"), QStringLiteral("1500.00\r\n2300.00")}});
    store.addContractor({{QStringLiteral("NoDaftar"), QStringLiteral("ZRVA/KP/0002")},
                         {QStringLiteral("NamaSyarikat"), QStringLiteral("BINAAN SERINDIT")},
                         {kDates, QStringLiteral("5 6 2004")},
                         {kJobs, QStringLiteral("Turap jalan")}});
    store.addContractor({{QStringLiteral("NoDaftar"), QStringLiteral("ZRVA/KP/0003")},
                         {QStringLiteral("NamaSyarikat"), QStringLiteral("LEMBAH JAYA")},
                         {kDates, QStringLiteral("7/8/2005")},
                         {kJobs, QStringLiteral("Bekal kerusi")}});
}

QString stored(test::TempStore &store, int row, const QString &field)
{
    return store.value(row, field).toString();
}

void type(QPlainTextEdit *box, const QString &text)
{
    box->setPlainText(text);
}
} // namespace

class Form5Test : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        MessageBox::clear();
    }

    void openedFromTheMenu()
    {
        test::TempStore store(QStringLiteral("rahsia"), true);
        Form1 main;
        main.Text1->setText(QStringLiteral("rahsia"));
        main.Command1->click();
        main.Command13->click();
        QPointer<Form5> form = loadedWindow<Form5>();
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QCOMPARE(form->Text2a->text(), QStringLiteral("ZRVA/KP/0001"));
        // A second click brings the same window to the front.
        form->Command7->click();
        main.Command13->click();
        QCOMPARE(loadedWindow<Form5>(), form);
        QVERIFY(form->Text2a->text() != QStringLiteral("ZRVA/KP/0001"));
        form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!form);
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void tarikhCases()
    {
        test::TempStore store;
        addThree(store);
        Form5 form;
        const QList<std::pair<QString, QString>> cases{
            // As the clerks write them.
            {QStringLiteral("12/05/2003"), QStringLiteral("12.05.2003")},
            {QStringLiteral("12-05-2003"), QStringLiteral("12.05.2003")},
            {QStringLiteral("12 05 2003"), QStringLiteral("12.05.2003")},
            {QStringLiteral("12.05.2003"), QStringLiteral("12.05.2003")},
            {QStringLiteral("1/2/2003\n3-4-2003"), QStringLiteral("1.2.2003\n3.4.2003")},
            {QStringLiteral("1.2.2004 3.4.2005"), QStringLiteral("1.2.2004.3.4.2005")},
            // Mixed separators on several lines, trailing blanks included.
            {QStringLiteral("1/2-2003 \n4 5/2006\n07-08 2009"), QStringLiteral("1.2.2003.\n4.5.2006\n07.08.2009")},
            // Only the blanks at the very start of the text go.
            {QStringLiteral("   9/9/1999"), QStringLiteral("9.9.1999")},
            {QStringLiteral(" 1/1/2001\n  2/2/2002"), QStringLiteral("1.1.2001\n..2.2.2002")},
            {QStringLiteral("\n 3/3/2003"), QStringLiteral("\n.3.3.2003")},
            // Blanks only: two or more vanish, one stays, empty becomes one.
            {QStringLiteral("  "), QString()},
            {QStringLiteral("     "), QString()},
            {QStringLiteral(" "), QStringLiteral(" ")},
            {QString(), QStringLiteral(" ")},
            // Tabs are not blanks.
            {QStringLiteral("\t1/1/2001"), QStringLiteral("\t1.1.2001")},
        };
        for (const auto &[typed, expected] : cases) {
            type(form.Text2, typed);
            form.tarikh();
            QCOMPARE(form.Text2->toPlainText(), expected);
        }
        // Line breaks stay Windows line ends in the stored form.
        type(form.Text2, QStringLiteral("1/2/2003\n3-4-2003"));
        form.tarikh();
        QCOMPARE(boxText(form.Text2), QStringLiteral("1.2.2003\r\n3.4.2003"));
    }

    void layout()
    {
        test::TempStore store(QStringLiteral("rahsia"), true);
        Form5 form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Majlis Daerah Lembah Serindit"));
        QCOMPARE(form.size(), QSize(473, 546));
        QCOMPARE(form.Text2->geometry(), QRect(8, 216, 121, 233));
        QCOMPARE(form.Frame2->geometry(), QRect(0, 496, 473, 49));
        QCOMPARE(form.Command8->geometry(), QRect(408, 16, 57, 25));
        // Only the work boxes take typing.
        QVERIFY(form.Text2a->isReadOnly());
        QVERIFY(form.Text2b->isReadOnly());
        QVERIFY(form.Text1->isReadOnly());
        QVERIFY(!form.Text2c->isReadOnly());
        QVERIFY(!form.Text2->isReadOnly());
        QVERIFY(!form.Text2e->isReadOnly());
        QVERIFY(!form.Text2f->isReadOnly());
        // The search starts by company name.
        QCOMPARE(form.Combo1->count(), 2);
        QCOMPARE(form.Combo1->itemText(0), QStringLiteral("No Daftar"));
        QCOMPARE(form.Combo1->currentIndex(), 1);
        QCOMPARE(form.Combo1->currentText(), QStringLiteral("Nama Syarikat"));
        QCOMPARE(form.Text2a->text(), QStringLiteral("ZRVA/KP/0001"));
        QVERIFY(form.grab().save(QStringLiteral("/tmp/form5.png")));
    }

    void editsStoredWhenLeavingAndClosing()
    {
        test::TempStore store;
        addThree(store);
        auto *form = showWindow<Form5>();
        QPointer<Form5> alive(form);
        QCOMPARE(form->Text2b->text(), QStringLiteral("SYARIKAT JAYA MAJU"));
        QCOMPARE(form->Text2->toPlainText(), QStringLiteral("1/2/2003\n3-4-2003"));

        // A job added on the first row, stored with its dates normalised.
        type(form->Text2, QStringLiteral("1/2/2003\n3-4-2003\n9 10 2006"));
        type(form->Text2e, QStringLiteral("Baiki longkang\nCat dewan\nPagar sekolah"));
        form->Text2c->setText(QStringLiteral("LO/77/2006"));
        QTest::mouseClick(form->Command6, Qt::LeftButton);
        QCOMPARE(form->Text2a->text(), QStringLiteral("ZRVA/KP/0002"));
        QCOMPARE(stored(store, 0, kDates), QStringLiteral("1.2.2003\r\n3.4.2003\r\n9.10.2006"));
        QCOMPARE(stored(store, 0, kJobs), QStringLiteral("Baiki longkang\r\nCat dewan\r\nPagar sekolah"));
        QCOMPARE(stored(store, 0, QStringLiteral("No_I_LO")), QStringLiteral("LO/77/2006"));
        QCOMPARE(stored(store, 0, QStringLiteral("NamaSyarikat")), QStringLiteral("SYARIKAT JAYA MAJU"));
        // Back on it: the stored texts are shown.
        QTest::mouseClick(form->Command4, Qt::LeftButton);
        QCOMPARE(form->Text2->toPlainText(), QStringLiteral("1.2.2003\n3.4.2003\n9.10.2006"));

        // ">>" then edits on the last row, then the window closes: stored as typed.
        QTest::mouseClick(form->Command7, Qt::LeftButton);
        QCOMPARE(form->Text2a->text(), QStringLiteral("ZRVA/KP/0003"));
        type(form->Text2, QStringLiteral("7/8/2005\n1-1-2007"));
        type(form->Text2f, QStringLiteral("800.00\n950.00"));
        QTest::mouseClick(form->Command3, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!alive);
        QCOMPARE(stored(store, 2, kDates), QStringLiteral("7/8/2005\r\n1-1-2007"));
        QCOMPARE(stored(store, 2, QStringLiteral("Nilai")), QStringLiteral("800.00\r\n950.00"));
        // The second row was left by "<<" without an edit: normalised all the same.
        QCOMPARE(stored(store, 1, kDates), QStringLiteral("5.6.2004"));
        QCOMPARE(stored(store, 1, kJobs), QStringLiteral("Turap jalan"));
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void arrowsAtTheEnds()
    {
        test::TempStore store;
        addThree(store);
        {
            Form5 form;
            // The first row shown is not normalised until it is left.
            QCOMPARE(form.Text2->toPlainText(), QStringLiteral("1/2/2003\n3-4-2003"));
            QCOMPARE(stored(store, 0, kDates), QStringLiteral("1/2/2003\r\n3-4-2003"));

            // "<" on the first row keeps it and normalises it.
            form.Command5->click();
            QCOMPARE(form.Text2a->text(), QStringLiteral("ZRVA/KP/0001"));
            QCOMPARE(form.Text2->toPlainText(), QStringLiteral("1.2.2003\n3.4.2003"));
            QCOMPARE(stored(store, 0, kDates), QStringLiteral("1.2.2003\r\n3.4.2003"));
            form.Command5->click();
            QCOMPARE(form.Text2a->text(), QStringLiteral("ZRVA/KP/0001"));

            // ">" on the last row keeps it and normalises it.
            form.Command7->click();
            form.Command6->click();
            QCOMPARE(form.Text2a->text(), QStringLiteral("ZRVA/KP/0003"));
            QCOMPARE(stored(store, 2, kDates), QStringLiteral("7.8.2005"));
            // Only rows left carry normalised dates.
            QCOMPARE(stored(store, 1, kDates), QStringLiteral("5 6 2004"));
            form.Command5->click();
            form.Command5->click();
            QCOMPARE(form.Text2a->text(), QStringLiteral("ZRVA/KP/0001"));
            QCOMPARE(stored(store, 1, kDates), QStringLiteral("5.6.2004"));

            // An emptied date column is stored as one blank.
            type(form.Text2, QString());
            form.Command6->click();
            QCOMPARE(store.value(0, kDates).toString(), QStringLiteral(" "));
            // Two blanks and nothing else become empty text, not null.
            type(form.Text2, QStringLiteral("  "));
            form.Command4->click();
            QVERIFY(!store.value(1, kDates).isNull());
            QCOMPARE(stored(store, 1, kDates), QString());
        }
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void searchMovesAndStoresAsTyped()
    {
        test::TempStore store;
        addThree(store);
        Form5 form;
        // Edits on the row shown are stored when the search leaves it, as typed.
        type(form.Text2, QStringLiteral("1/2/2003\n3-4-2003\n9 9 2009"));
        type(form.Text2e, QStringLiteral("Baiki longkang\nCat dewan\nPagar"));

        // Opened fresh, the window searches by company name.
        form.Text16->setText(QStringLiteral("  jaya "));
        MessageBox::queueAnswers({MessageBox::Yes, MessageBox::No});
        QTest::mouseClick(form.Command8, Qt::LeftButton);
        auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].title, QStringLiteral("Jumpa"));
        QCOMPARE(shown[0].text, QStringLiteral("Teruskan?"));
        QVERIFY(shown[0].yesNo);
        QCOMPARE(form.Text2a->text(), QStringLiteral("ZRVA/KP/0003"));
        QCOMPARE(form.Text2->toPlainText(), QStringLiteral("7/8/2005"));
        QCOMPARE(stored(store, 0, kDates), QStringLiteral("1/2/2003\r\n3-4-2003\r\n9 9 2009"));
        QCOMPARE(stored(store, 0, kJobs), QStringLiteral("Baiki longkang\r\nCat dewan\r\nPagar"));
        // Rows passed over are neither normalised nor changed.
        QCOMPARE(stored(store, 1, kDates), QStringLiteral("5 6 2004"));

        // An edit on the match, then a search that finds nothing: the edit is
        // stored as typed and the last row is left shown.
        type(form.Text2, QStringLiteral("7/8/2005\n1-1-2010"));
        form.Text16->setText(QStringLiteral("TIADA"));
        QTest::mouseClick(form.Command8, Qt::LeftButton);
        shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Tiada data"));
        QCOMPARE(shown[0].icon, MessageBox::Critical);
        QCOMPARE(form.Text2a->text(), QStringLiteral("ZRVA/KP/0003"));
        QCOMPARE(stored(store, 2, kDates), QStringLiteral("7/8/2005\r\n1-1-2010"));

        // No at a match on the first row leaves the first row shown.
        form.Text16->setText(QStringLiteral("syarikat"));
        MessageBox::queueAnswers({MessageBox::No});
        form.Command8->click();
        QCOMPARE(MessageBox::takeShown().size(), 1);
        QCOMPARE(form.Text2a->text(), QStringLiteral("ZRVA/KP/0001"));

        // By number, once chosen.
        form.Combo1->setCurrentIndex(0);
        form.Text16->setText(QStringLiteral("2"));
        MessageBox::queueAnswers({MessageBox::No});
        form.Command8->click();
        shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("Jumpa..."));
        QCOMPARE(form.Text2a->text(), QStringLiteral("ZRVA/KP/0002"));

        // Text typed into the mode list compares nothing.
        QTest::keyClicks(form.Combo1->lineEdit(), QStringLiteral("x"));
        form.Text16->setText(QStringLiteral("BINAAN"));
        form.Command8->click();
        shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Tiada data"));
        QCOMPARE(form.Text2a->text(), QStringLiteral("ZRVA/KP/0003"));
        QCOMPARE(stored(store, 1, kDates), QStringLiteral("5 6 2004"));
    }

    void nullsAndEmptyTable()
    {
        test::TempStore store;
        {
            // Nothing to step through: the arrows that need a row report it.
            Form5 form;
            QCOMPARE(form.Text2a->text(), QString());
            form.Command6->click();
            form.Command5->click();
            QVERIFY(MessageBox::takeShown().isEmpty());
            form.Command4->click();
            const auto shown = MessageBox::takeShown();
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown.first().icon, MessageBox::Critical);
            form.close();
        }
        QCOMPARE(store.count(), 0);
        // A row whose work fields were never filled shows empty boxes.
        store.addContractor({{QStringLiteral("NoDaftar"), QStringLiteral("ZRVA/KP/0009")}});
        {
            Form5 form;
            QCOMPARE(form.Text2e->toPlainText(), QString());
            form.Command6->click();
            QCOMPARE(stored(store, 0, kDates), QStringLiteral(" "));
            QVERIFY(store.value(0, kJobs).isNull());
        }
        QVERIFY(MessageBox::takeShown().isEmpty());
    }
};

ARB_TEST_MAIN(Form5Test)
#include "tst_form5.moc"
