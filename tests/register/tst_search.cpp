#include "OpenForm4.h"

#include "data/Convert.h"
#include "data/DataControl.h"
#include "data/Locations.h"
#include "data/Failure.h"
#include "register/Search.h"

using namespace arb;
using namespace Qt::StringLiterals;
using test::TempStore;
using test::search;

namespace {
const QString kWord = u"Jumpa|Teruskan?|?"_s;
const QString kWhole = u"Jumpa...|Teruskan?|?"_s;
const QString kNone = u"Mesej|Tiada data|critical"_s;

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
        store.exec(u"UPDATE kontraktor SET \"NoDaftar\" = '-' WHERE \"NoDaftar\" = 'ZRVA/KP/0003'"_s);
        store.exec(u"UPDATE kontraktor SET \"NoDaftar\" = 'ZRVA/KP/OLD' WHERE \"NoDaftar\" = 'ZRVA/KP/0005'"_s);
        auto f = openForm();
        for (const QString &word : {u"7"_s, u"0007"_s, u" 07 "_s}) {
            f->Command10->click();
            QCOMPARE(search(*f, word, kSearchByNumber, {MessageBox::No}), QStringList{kWhole});
            QCOMPARE(f->Text1->text(), u"ZRVA/KP/0007"_s);
        }
        // An empty word does nothing.
        for (const QString &word : {QString(), u"   "_s})
            QCOMPARE(search(*f, word, kSearchByNumber), QStringList());
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0007"_s);
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
        // Typed into the mode list: every record stepped through, none compared.
        f->Command9->click();
        QTest::keyClicks(f->Combo1->lineEdit(), u"x"_s);
        QCOMPARE(search(*f, u"SYARIKAT"_s, -1), QStringList{kNone});
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0008"_s);
        f->Combo1->setCurrentIndex(1); // an entry chosen again
        QCOMPARE(f->searchMode(), 1);
        // Serials of any length, and a record with no number at all passed over.
        store.addContractor({{u"NamaSyarikat"_s, u"TANPA NOMBOR"_s}});
        for (const QString &serial : {u"9999"_s, u"10000"_s, u"10001"_s})
            store.addContractor({{u"NoDaftar"_s, u"ZRVA/KP/"_s + serial}});
        store.addContractor({{u"NoDaftar"_s, u"ZRVA/KP/0010"_s}});
        for (const QString &serial : {u"9999"_s, u"10000"_s, u"10001"_s, u"10"_s}) {
            QCOMPARE(search(*f, serial, kSearchByNumber, {MessageBox::No}), QStringList{kWhole});
            QCOMPARE(registrationSerial(f->Text1->text()), serial.toLongLong());
        }
        // 1 is ZRVA/KP/0001 alone, not 10001.
        QCOMPARE(search(*f, u"1"_s, kSearchByNumber, {MessageBox::Yes}), (QStringList{kWhole, kNone}));
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0010"_s);

        // A control of its own, nothing to refresh; rows another desktop deleted or added
        // since it opened: the control stands on the very record the search compared.
        DataControl dc(Locations::kLocalPath, u"kontraktor"_s, DataControl::Kind::Dynaset);
        dc.open();
        store.exec(u"DELETE FROM kontraktor WHERE \"NoDaftar\" = '-'"_s);
        store.addContractor({{u"NoDaftar"_s, u"ZRVA/KP/0011"_s}, {u"NamaSyarikat"_s, u"BARU"_s}});
        MessageBox::queueAnswers({MessageBox::No});
        searchContractors(nullptr, u"4"_s, kSearchByNumber, dc);
        QCOMPARE(dc.text(u"NoDaftar"_s), u"ZRVA/KP/0004"_s);
        MessageBox::queueAnswers({MessageBox::No});
        searchContractors(nullptr, u"baru"_s, kSearchByName, dc);
        QCOMPARE(shownBoxes().size(), 2);
        QCOMPARE(dc.text(u"NoDaftar"_s) + dc.text(u"NamaSyarikat"_s), u"ZRVA/KP/0011BARU"_s);
    }

    void byCompanyName()
    {
        TempStore store;
        {
            auto f = openForm(); // an empty register
            QCOMPARE(search(*f, u"7"_s, kSearchByNumber), QStringList{kNone});
        }
        const QList<QVariant> names{u"SYARIKAT JAYA MAJU"_s, u"JAYAMAJU"_s, u"Jaya"_s, QVariant(),
                                    u"MAJU  JAYA JAYA "_s, u"Jaya Maju"_s, u"AKHIR"_s};
        for (int i = 0; i < names.size(); ++i)
            store.addContractor({{u"NoDaftar"_s, u"ZRVA/KP/000%1"_s.arg(i + 1)}, {u"NamaSyarikat"_s, names.at(i)}});
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

    // The store hands over only the rows that can match; the program's own
    // comparison still decides, over names and numbers the store reads
    // otherwise: lower case, letters beyond ASCII, a tab inside a name,
    // blanks before it, another kind of blank around a serial, a word that
    // is a number written otherwise.
    void comparedAsTheProgramReads()
    {
        TempStore store;
        const QList<std::pair<QString, QString>> rows{
            {u"ZRVA/KP/0001"_s, u"syarikat jaya maju"_s}, {u"ZRVA/KP/0002"_s, u"JAYA\tMAJU"_s},
            {u"ZRVA/KP/0003"_s, u"Caf\u00e9 Jaya"_s},     {u"ZRVA/KP/0004"_s, u"stra\u00dfe"_s},
            {u"ZRVA/KP/0010"_s, u"  jaya"_s},             {u"ZRVA/KP/\u00a00012"_s, u"X"_s},
            {u"ZRVA/KP/0000"_s, u"Y"_s},                  {u"ZRVA/KP/0099"_s, u"AKHIR"_s}};
        for (const auto &[number, name] : rows)
            store.addContractor({{u"NoDaftar"_s, number}, {u"NamaSyarikat"_s, name}});
        DataControl dc(Locations::kLocalPath, u"kontraktor"_s, DataControl::Kind::Dynaset);
        dc.open();
        const auto search = [&](const QString &word, int mode, const QList<MessageBox::Button> &answers) {
            MessageBox::queueAnswers(answers);
            searchContractors(nullptr, word, mode, dc);
            return shownBoxes().join(u' ') + u" @"_s + dc.text(u"NamaSyarikat"_s);
        };
        QCOMPARE(search(u"jaya"_s, kSearchByName, QList<MessageBox::Button>(3, MessageBox::Yes)),
                 QStringList({kWord, kWord, kWord, kNone}).join(u' ') + u" @AKHIR"_s);
        QCOMPARE(search(u"strasse"_s, kSearchByName, {MessageBox::No}), kWhole + u" @stra\u00dfe"_s);
        QCOMPARE(search(u"jaya\tmaju"_s, kSearchByName, {MessageBox::No}), kWhole + u" @JAYA\tMAJU"_s);
        QCOMPARE(search(u"12.0"_s, kSearchByNumber, {MessageBox::No}), kWhole + u" @X"_s);
        QCOMPARE(search(u"-0"_s, kSearchByNumber, {MessageBox::No}), kWhole + u" @Y"_s);
        QCOMPARE(search(u"1e1"_s, kSearchByNumber, {MessageBox::No}), kWhole + u" @  jaya"_s);
        QCOMPARE(search(u"0.5"_s, kSearchByNumber, {}), kNone + u" @AKHIR"_s);
    }
};

ARB_TEST_MAIN(TestSearch)
#include "tst_search.moc"
