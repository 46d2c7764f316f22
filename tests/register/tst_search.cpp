#include "OpenForm4.h"
#include "TestSupport.h"

#include "data/DataControl.h"
#include "data/Locations.h"
#include "platform/Failure.h"
#include "register/Search.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace arb;
using namespace Qt::StringLiterals;
using test::TempStore;

namespace {
const QString kWord = u"Jumpa|Teruskan?|?"_s;
const QString kWhole = u"Jumpa...|Teruskan?|?"_s;
const QString kNone = u"Mesej|Tiada data|critical"_s;

// The boxes one search shows; mode -1 leaves the mode list as it is.
QStringList search(Form4 &f, const QString &word, int mode, const QList<MessageBox::Button> &answers = {})
{
    f.Text16->setText(word);
    if (mode >= 0)
        f.Combo1->setCurrentIndex(mode);
    MessageBox::queueAnswers(answers);
    f.Command8->click();
    return shownBoxes();
}

void addNamed(TempStore &store, const QVariant &noDaftar, const QVariant &name)
{
    store.addContractor({{u"NoDaftar"_s, noDaftar}, {u"NamaSyarikat"_s, name}});
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
        // Irregular numbers before the one sought must not hide it.
        store.exec(u"UPDATE kontraktor SET NoDaftar = '-' WHERE NoDaftar = 'ZRVA/KP/0003'"_s);
        store.exec(u"UPDATE kontraktor SET NoDaftar = 'ZRVA/KP/OLD' WHERE NoDaftar = 'ZRVA/KP/0005'"_s);
        auto f = openForm();
        for (const QString &word : {u"7"_s, u"0007"_s, u" 07 "_s}) {
            f->Command10->click();
            QCOMPARE(search(*f, word, kSearchByNumber, {MessageBox::No}), QStringList{kWhole});
            QCOMPARE(f->Text1->text(), u"ZRVA/KP/0007"_s);
        }
        // A search word that is no number stops on the first record.
        QCOMPARE(search(*f, u"KP"_s, kSearchByNumber),
                 QStringList{u"Mesej|Masukkan Nombor ATAU pilih Nama Syarikat|question"_s});
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0001"_s);
        // Yes goes on to the end, as does no match at all: "Tiada data" on the last record.
        QCOMPARE(search(*f, u"8"_s, kSearchByNumber, {MessageBox::Yes}), (QStringList{kWhole, kNone}));
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0008"_s);
        f->Command9->click();
        QCOMPARE(search(*f, u"99"_s, kSearchByNumber), QStringList{kNone});
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0008"_s);

        // A record with no number at all ends the search quietly where it stands.
        addNamed(store, {}, u"TANPA NOMBOR"_s);
        addNamed(store, u"ZRVA/KP/0010"_s, u"SELEPAS"_s);
        QCOMPARE(search(*f, u"10"_s, kSearchByNumber), QStringList());
        QCOMPARE(f->Text2->text(), u"TANPA NOMBOR"_s);
    }

    void byCompanyName()
    {
        TempStore store;
        const QList<QVariant> names{u"SYARIKAT JAYA MAJU"_s, u"JAYAMAJU"_s, u"Jaya"_s, QVariant(),
                                    u"MAJU  JAYA JAYA "_s, u"Jaya Maju"_s, u"AKHIR"_s};
        for (int i = 0; i < names.size(); ++i)
            addNamed(store, u"ZRVA/KP/000%1"_s.arg(i + 1), names.at(i));
        auto f = openForm();
        // A word match says "Jumpa", a whole name "Jumpa..."; a one-word name is
        // announced twice, a name with two matching words asks twice.
        QCOMPARE(search(*f, u" jaya "_s, kSearchByName, QList<MessageBox::Button>(6, MessageBox::Yes)),
                 (QStringList{kWord, kWhole, kWord, kWord, kWord, kWord, kNone}));
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0007"_s);
        // An inner space can only match a whole name; No leaves the match shown.
        QCOMPARE(search(*f, u"Jaya Maju"_s, kSearchByName, {MessageBox::No}), QStringList{kWhole});
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0006"_s);
        QCOMPARE(search(*f, u"syarikat"_s, kSearchByName, {MessageBox::No}), QStringList{kWord});
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0001"_s);
        // By name, numbers are words like any other: no "Masukkan Nombor".
        QCOMPARE(search(*f, u"7"_s, kSearchByName), QStringList{kNone});
    }

    void nothingToSearch()
    {
        TempStore store;
        {
            auto f = openForm(); // empty register
            QCOMPARE(search(*f, u"7"_s, kSearchByNumber), QStringList{kNone});
            QCOMPARE(f->Text1->text(), QString());
        }
        store.addContractors(4);
        auto f = openForm();
        f->Command6->click();
        f->Command6->click();
        for (const QString &word : {QString(), u"   "_s}) {
            QCOMPARE(search(*f, word, kSearchByNumber), QStringList());
            QCOMPARE(f->Text1->text(), u"ZRVA/KP/0003"_s);
        }
        // Typed into the mode list: every record stepped through, none compared.
        QTest::keyClicks(f->Combo1->lineEdit(), u"x"_s);
        QCOMPARE(f->searchMode(), -1);
        QCOMPARE(search(*f, u"SYARIKAT"_s, -1), QStringList{kNone});
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0004"_s);
        f->Combo1->setCurrentIndex(1); // an entry chosen again
        QCOMPARE(f->searchMode(), 1);
    }

    void runsOnAnyWindowsCursor()
    {
        TempStore store;
        store.addContractors(5);
        // The work record window's way: its own dynaset, nothing to refresh.
        DataControl dc(Locations::kLocalPath, u"kontraktor"_s, DataControl::Kind::Dynaset);
        dc.open();
        dc.moveLast();
        MessageBox::queueAnswers({MessageBox::Yes, MessageBox::No});
        searchContractors(nullptr, u"syarikat"_s, kSearchByName, dc);
        QCOMPARE(shownBoxes(), (QStringList{kWord, kWord}));
        QCOMPARE(dc.text(u"NoDaftar"_s), u"ZRVA/KP/0002"_s);

        // A row another desktop deleted is reported, not passed over in
        // silence, also in a search by number: the match on 0004 stops where
        // this desktop still has the deleted row.
        store.exec(u"DELETE FROM kontraktor WHERE id = 3"_s);
        QVERIFY_THROWS_EXCEPTION(Failure, searchContractors(nullptr, u"4"_s, kSearchByNumber, dc, [&] {
            dc.text(u"NoDaftar"_s);
        }));
    }
};

ARB_TEST_MAIN(TestSearch)
#include "tst_search.moc"
