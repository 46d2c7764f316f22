#include "OpenForm4.h"
#include "TestSupport.h"

#include "data/DataControl.h"
#include "data/Locations.h"
#include "platform/Failure.h"
#include "platform/MessageBox.h"
#include "register/Form4.h"
#include "register/Search.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using arb::Form4;
using arb::MessageBox;
using arb::test::TempStore;

namespace {
void search(Form4 &f, const QString &word, int mode, const QList<MessageBox::Button> &answers = {})
{
    f.Text16->setText(word);
    if (mode >= 0)
        f.Combo1->setCurrentIndex(mode);
    MessageBox::queueAnswers(answers);
    f.Command8->click();
}

// Title of every box shown, for "Teruskan?" its title, else its text.
QStringList boxes()
{
    QStringList out;
    for (const MessageBox::Shown &s : MessageBox::takeShown())
        out << (s.text == QLatin1String("Teruskan?") ? s.title : s.text);
    return out;
}

void addNamed(TempStore &store, const QVariant &noDaftar, const QVariant &name)
{
    store.addContractor({{QStringLiteral("NoDaftar"), noDaftar}, {QStringLiteral("NamaSyarikat"), name}});
}
} // namespace

class TestSearch : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageBox::clear(); }
    void cleanup()
    {
        QVERIFY(!QApplication::overrideCursor()); // busy pointer given back
        QCOMPARE(MessageBox::pendingAnswers(), 0); // every answer was asked for
    }

    void byRegistrationNumber()
    {
        TempStore store;
        store.addContractors(8);
        // A blank-marked number before the one sought must not hide it.
        store.exec(QStringLiteral("UPDATE kontraktor SET NoDaftar = '-' WHERE NoDaftar = 'ZRVA/KP/0003'"));
        store.exec(QStringLiteral("UPDATE kontraktor SET NoDaftar = 'ZRVA/KP/OLD' WHERE NoDaftar = 'ZRVA/KP/0005'"));
        auto f = openForm();
        f->Command10->click();

        for (const QString &word : {QStringLiteral("7"), QStringLiteral("0007"), QStringLiteral(" 07 ")}) {
            f->Command9->click();
            search(*f, word, arb::kSearchByNumber, {MessageBox::No});
            const auto shown = MessageBox::takeShown();
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown.first().text, QStringLiteral("Teruskan?"));
            QCOMPARE(shown.first().title, QStringLiteral("Jumpa..."));
            QVERIFY(shown.first().yesNo);
            QCOMPARE(shown.first().icon, MessageBox::NoIcon);
            QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0007"));
        }

        // A search word that is no number stops on the first record.
        search(*f, QStringLiteral("KP"), arb::kSearchByNumber);
        auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text, QStringLiteral("Masukkan Nombor ATAU pilih Nama Syarikat"));
        QCOMPARE(shown.first().title, QStringLiteral("Mesej"));
        QCOMPARE(shown.first().icon, MessageBox::Question);
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0001"));

        // Yes goes on to the end: "Tiada data" with the last record shown.
        search(*f, QStringLiteral("8"), arb::kSearchByNumber, {MessageBox::Yes});
        shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(1).text, QStringLiteral("Tiada data"));
        QCOMPARE(shown.at(1).title, QStringLiteral("Mesej"));
        QCOMPARE(shown.at(1).icon, MessageBox::Critical);
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0008"));

        // No match at all ends the same way.
        search(*f, QStringLiteral("99"), arb::kSearchByNumber);
        QCOMPARE(boxes(), QStringList{QStringLiteral("Tiada data")});
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0008"));

        // A record with no number at all ends the search quietly where it stands.
        addNamed(store, QVariant(), QStringLiteral("TANPA NOMBOR"));
        addNamed(store, QStringLiteral("ZRVA/KP/0010"), QStringLiteral("SELEPAS"));
        search(*f, QStringLiteral("10"), arb::kSearchByNumber);
        QCOMPARE(boxes(), QStringList());
        QCOMPARE(f->Text2->text(), QStringLiteral("TANPA NOMBOR"));
    }

    void byCompanyName()
    {
        TempStore store;
        addNamed(store, QStringLiteral("ZRVA/KP/0001"), QStringLiteral("SYARIKAT JAYA MAJU"));
        addNamed(store, QStringLiteral("ZRVA/KP/0002"), QStringLiteral("JAYAMAJU"));
        addNamed(store, QStringLiteral("ZRVA/KP/0003"), QStringLiteral("Jaya"));
        addNamed(store, QStringLiteral("ZRVA/KP/0004"), QVariant()); // no name at all
        addNamed(store, QStringLiteral("ZRVA/KP/0005"), QStringLiteral("MAJU  JAYA JAYA "));
        addNamed(store, QStringLiteral("ZRVA/KP/0006"), QStringLiteral("Jaya Maju"));
        addNamed(store, QStringLiteral("ZRVA/KP/0007"), QStringLiteral("AKHIR"));
        auto f = openForm();

        // Word matches say "Jumpa", a whole name "Jumpa..."; a one-word name is
        // announced twice, a name with two matching words asks twice.
        search(*f, QStringLiteral(" jaya "), arb::kSearchByName, QList<MessageBox::Button>(6, MessageBox::Yes));
        QCOMPARE(boxes(), (QStringList{QStringLiteral("Jumpa"), QStringLiteral("Jumpa..."), QStringLiteral("Jumpa"),
                                       QStringLiteral("Jumpa"), QStringLiteral("Jumpa"), QStringLiteral("Jumpa"),
                                       QStringLiteral("Tiada data")}));
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0007"));

        // An inner space can only match a whole name; No leaves it shown.
        search(*f, QStringLiteral("Jaya Maju"), arb::kSearchByName, {MessageBox::No});
        QCOMPARE(boxes(), QStringList{QStringLiteral("Jumpa...")});
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0006"));

        // No at the first record leaves the first record shown.
        search(*f, QStringLiteral("syarikat"), arb::kSearchByName, {MessageBox::No});
        QCOMPARE(boxes(), QStringList{QStringLiteral("Jumpa")});
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0001"));

        // Mode by name does not read numbers: no "Masukkan Nombor".
        search(*f, QStringLiteral("7"), arb::kSearchByName);
        QCOMPARE(boxes(), QStringList{QStringLiteral("Tiada data")});
    }

    void nothingToSearch()
    {
        TempStore store;
        {
            auto f = openForm();
            search(*f, QStringLiteral("7"), arb::kSearchByNumber); // empty register
            QCOMPARE(boxes(), QStringList{QStringLiteral("Tiada data")});
            QCOMPARE(f->Text1->text(), QString());
        }
        store.addContractors(4);
        auto f = openForm();
        f->Command6->click();
        f->Command6->click();
        for (const QString &word : {QString(), QStringLiteral("   ")}) {
            search(*f, word, arb::kSearchByNumber);
            QCOMPARE(boxes(), QStringList());
            QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0003"));
        }

        // Typed into the mode list: every record stepped through, none compared.
        QTest::keyClicks(f->Combo1->lineEdit(), QStringLiteral("x"));
        QCOMPARE(f->searchMode(), -1);
        search(*f, QStringLiteral("SYARIKAT"), -1);
        QCOMPARE(boxes(), QStringList{QStringLiteral("Tiada data")});
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0004"));
        f->Combo1->setCurrentIndex(1); // an entry chosen again
        QCOMPARE(f->searchMode(), 1);
    }

    void runsOnAnyWindowsCursor()
    {
        TempStore store;
        store.addContractors(5);
        // The work record window's way: its own dynaset, nothing to refresh.
        arb::DataControl dc(arb::Locations::kLocalPath, QStringLiteral("kontraktor"), arb::DataControl::Kind::Dynaset);
        dc.open();
        dc.moveLast();
        MessageBox::queueAnswers({MessageBox::Yes, MessageBox::No});
        arb::searchContractors(nullptr, QStringLiteral("syarikat"), arb::kSearchByName, dc);
        QCOMPARE(boxes(), (QStringList{QStringLiteral("Jumpa"), QStringLiteral("Jumpa")}));
        QCOMPARE(dc.currentIndex(), 1);
        QCOMPARE(dc.text(QStringLiteral("NoDaftar")), QStringLiteral("ZRVA/KP/0002"));

        // A row another desktop deleted is reported, not passed over in
        // silence, also in a search by number: the match on 0004 stops where
        // this desktop still has the deleted row.
        store.exec(QStringLiteral("DELETE FROM kontraktor WHERE id = 3"));
        QVERIFY_THROWS_EXCEPTION(arb::Failure, arb::searchContractors(nullptr, QStringLiteral("4"), arb::kSearchByNumber, dc, [&] {
            dc.text(QStringLiteral("NoDaftar"));
        }));
    }
};

ARB_TEST_MAIN(TestSearch)
#include "tst_search.moc"
