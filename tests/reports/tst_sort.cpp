#include "TestSupport.h"

#include "data/Fields.h"
#include "data/Locations.h"
#include "platform/Failure.h"
#include "reports/ContractorSort.h"

using namespace arb;

namespace {
// A contractor whose every field names its tag, so a field that does not
// travel with its record shows at once.
QVariantMap contractor(const QString &noDaftar, const QString &tag)
{
    QVariantMap m;
    for (const QString &f : contractorFields())
        m.insert(f, QStringLiteral("%1 %2").arg(f, tag));
    m.insert("NoDaftar", noDaftar);
    m.insert("AlamatPendaftaranSyarikat", QStringLiteral("NO %1, JALAN PASAR\r\nKUALA SERINDIT").arg(tag));
    return m;
}

int sortStore()
{
    return sortContractors(Locations::kLocalPath);
}

QString failureOfSort()
{
    try {
        sortStore();
    } catch (const Failure &f) {
        return f.message();
    }
    return {};
}
} // namespace

class SortTest : public QObject
{
    Q_OBJECT
private slots:
    void recordsTravelWholeNullsIncluded()
    {
        test::TempStore store;
        // Only the serial and the four fields read as text must hold values; an
        // empty date text as a registration stores it.
        const QVariantMap sparse{{"NoDaftar", "ZRVA/KP/0002"}, {"NamaSyarikat", "x"}, {"NoPendaftaranSyarikat", "x"},
                                 {"NDPKK", "x"}, {"kelas", "x"}, {"Tarikh_dapat_kerja", ""}};
        const QList<QVariantMap> want{contractor("ZRVA/KP/0001", "satu"), sparse, contractor("ZRVA/KP/0003", "tiga"),
                                      contractor("ZRVA/KP/0004", "empat")};
        for (int k : {2, 0, 3, 1})
            store.addContractor(want.at(k));
        QCOMPARE(sortStore(), 4);
        const QList<QVariantMap> rows = store.rows();
        QCOMPARE(rows.size(), 4);
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(rows.at(k).value("id").toInt(), k + 1); // stored order unchanged
            for (const QString &f : contractorFields()) {
                QCOMPARE(rows.at(k).value(f).toString(), want.at(k).value(f).toString());
                QVERIFY2(rows.at(k).value(f).isNull() == !want.at(k).contains(f), qPrintable(f));
            }
        }
    }

    void keysStableRoundedAndSigned()
    {
        test::TempStore store;
        const QList<std::pair<QString, QString>> rows{
            {"ZRVA/KP/0005", "E1"}, {"ZRVA/KP/13.5", "N14"}, // halves to even: 14
            {"LAMA/0005", "E2"},                             // the prefix plays no part
            {"ZRVA/KP/12.5", "T1"},                          // halves to even: 12
            {"ZRVA/KP/-007", "MINUS"}, {"ZRVA/KP/0012", "T2"}, {"9", "SHORT"}, {"ZRVA/KP/0000", "ZERO"},
            {"ZRVA/KP/0005", "E3"}, {"ZRVA/KP/0013", "K13"}};
        for (const auto &[no, name] : rows) {
            QVariantMap m = contractor(no, name);
            m.insert("NamaSyarikat", name);
            store.addContractor(m);
        }
        QCOMPARE(sortStore(), 10);
        QStringList names;
        for (const QVariantMap &row : store.rows())
            names << row.value("NamaSyarikat").toString();
        QCOMPARE(names, QStringList({"MINUS", "ZERO", "E1", "E2", "E3", "SHORT", "T1", "T2", "K13", "N14"}));
        QCOMPARE(serialKey("ZRVA/KP/0012 "), qint16(12));
    }

    void sortedSingleEmptyAndLargeRegisters()
    {
        {
            test::TempStore store;
            QCOMPARE(sortStore(), 0);
            store.addContractors(4);
            const QList<QVariantMap> before = store.rows();
            QCOMPARE(sortStore(), 4);
            QCOMPARE(store.rows(), before);
            store.exec("DELETE FROM kontraktor WHERE id > 1");
            const QList<QVariantMap> one = store.rows();
            QCOMPARE(sortStore(), 1);
            QCOMPARE(store.rows(), one);
        }
        // Past the old 10 000-record bound, serials shuffled and repeated.
        test::TempStore store;
        const QString serial = test::onPostgres() ? "lpad(((i * 7919) % 10000)::text, 4, '0')" : "printf('%04d', (i * 7919) % 10000)";
        store.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10050) "
                                  "INSERT INTO kontraktor (\"NoDaftar\", \"NamaSyarikat\", \"NoPendaftaranSyarikat\", \"NDPKK\", \"kelas\") "
                                  "SELECT 'ZRVA/KP/' || %1, 'S' || i, 'P', 'K', 'G1' FROM n").arg(serial));
        QCOMPARE(sortStore(), 10050);
        const QList<QVariantMap> rows = store.rows();
        QCOMPARE(rows.size(), 10050);
        int last = -1;
        QHash<int, int> lastIndexOfKey; // equal serials stay in reading order
        for (const QVariantMap &row : rows) {
            const int key = *serialKey(row.value("NoDaftar").toString());
            QVERIFY(key >= last);
            last = key;
            const int i = row.value("NamaSyarikat").toString().mid(1).toInt();
            QVERIFY(i > lastIndexOfKey.value(key, 0));
            lastIndexOfKey[key] = i;
        }
    }

    void failuresLeaveTheTableAsBefore()
    {
        // The read pass: the report names the record at fault, nothing is written.
        const QList<std::tuple<QString, QVariant, QString>> cases{
            {"NoDaftar", "ZRVA/KP/00A1", "ZRVA/KP/00A1"}, {"NoDaftar", "ZRVA/KP/9e99", "ZRVA/KP/9e99"},
            {"NoDaftar", "", "\"\""}, {"NoDaftar", QVariant(), "Rekod ke-3"},
            {"NamaSyarikat", QVariant(), "ZRVA/KP/0001"}, {"kelas", QVariant(), "ZRVA/KP/0001"}};
        for (const auto &[field, value, named] : cases) {
            test::TempStore store;
            store.addContractors(2);
            store.exec("UPDATE kontraktor SET \"NoDaftar\" = 'ZRVA/KP/0009' WHERE id = 1");
            QVariantMap bad = contractor("ZRVA/KP/0001", "salah");
            bad.insert(field, value);
            store.addContractor(bad);
            const QList<QVariantMap> before = store.rows();
            const QString message = failureOfSort();
            QVERIFY2(message.contains(named), qPrintable(field + ": " + message));
            QCOMPARE(store.rows(), before);
        }

        // The write-back failing part-way.
        test::TempStore store;
        for (int serial : {5, 3, 4, 1, 2})
            store.addContractor(contractor(QStringLiteral("ZRVA/KP/000%1").arg(serial), QString::number(serial)));
        // From the third row update on, the update fails as a full disk would.
        store.exec("CREATE TABLE tally (id INTEGER)");
        if (test::onPostgres()) {
            store.exec("CREATE FUNCTION tally_row() RETURNS trigger AS $$ BEGIN INSERT INTO tally VALUES (OLD.id); "
                       "IF (SELECT count(*) FROM tally) >= 3 THEN RAISE EXCEPTION 'disk full'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql");
            store.exec("CREATE TRIGGER fails AFTER UPDATE ON kontraktor FOR EACH ROW EXECUTE FUNCTION tally_row()");
        } else {
            store.exec("CREATE TRIGGER fails AFTER UPDATE ON kontraktor BEGIN INSERT INTO tally VALUES (old.id); "
                       "SELECT RAISE(ABORT, 'disk full') WHERE (SELECT count(*) FROM tally) >= 3; END");
        }
        const QList<QVariantMap> before = store.rows();
        const QString message = failureOfSort();
        QVERIFY2(message.contains("tidak berubah"), qPrintable(message));
        QCOMPARE(store.rows(), before);
        QCOMPARE(store.count("tally"), 0);
        // Nothing is left holding the store: the next sort goes through.
        store.exec(test::onPostgres() ? "DROP TRIGGER fails ON kontraktor" : "DROP TRIGGER fails");
        QCOMPARE(sortStore(), 5);
        QCOMPARE(store.value(0, "NoDaftar").toString(), QStringLiteral("ZRVA/KP/0001"));
    }
};

ARB_TEST_MAIN(SortTest)
#include "tst_sort.moc"
