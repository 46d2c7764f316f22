#include "TestSupport.h"

#include "data/Convert.h"
#include "data/Locations.h"
#include "data/Failure.h"
#include "data/ContractorSort.h"

using namespace arb;

namespace {
// A contractor whose every field names its tag, so a field that does not
// travel with its record shows at once.
QVariantMap contractor(const QString &noDaftar, const QString &tag)
{
    QVariantMap m = test::contractor(noDaftar, tag, tag);
    m.insert("AlamatPendaftaranSyarikat", QStringLiteral("NO %1, JALAN PASAR\r\nKUALA SERINDIT").arg(tag));
    return m;
}

int sortStore()
{
    return sortContractors(Locations::kLocalPath);
}
} // namespace

class SortTest : public QObject
{
    Q_OBJECT
private slots:
    void serialsOfAnyLengthAndUnnumberedLast()
    {
        test::TempStore store;
        const QList<std::pair<QVariant, QString>> rows{
            {"ZRVA/KP/10001", "S10001"}, {"ZRVA/KP/0005", "E1"}, {QVariant(), "NULL"},
            {"LAMA/0005", "E2"},          // the prefix plays no part
            {"ZRVA/KP/9999", "S9999"},  {"-", "DASH"}, {"ZRVA/KP/13.5", "POINT"}, {"ZRVA/KP/0001", "S1"},
            {"ZRVA/KP/-007", "MINUS"},  {"9", "SHORT"}, {"ZRVA/KP/10000", "S10000"}, {"ZRVA/KP/OLD", "OLD"},
            {"ZRVA/KP/0002 ", "S2"},    {"ZRVA/KP/0005", "E3"}, {"", "EMPTY"}};
        for (const auto &[no, name] : rows) {
            QVariantMap m = contractor(no.toString(), name);
            m.insert("NoDaftar", no);
            m.insert("NamaSyarikat", name);
            m.insert("kelas", QVariant()); // a null elsewhere stops nothing
            store.addContractor(m);
        }
        QCOMPARE(sortStore(), rows.size());
        QStringList names;
        for (const QVariantMap &row : store.rows()) {
            names << row.value("NamaSyarikat").toString();
            QCOMPARE(row.value("id").toInt(), int(names.size())); // the ids stay 1..n: the records move
            QVERIFY(row.value("kelas").isNull());
        }
        // 10001 after 9999 and 10000, not between 0001 and 0002; the rows
        // without a serial after all others, in their stored order.
        QCOMPARE(names, QStringList({"S1", "S2", "E1", "E2", "E3", "SHORT", "S9999", "S10000", "S10001", "NULL",
                                     "DASH", "POINT", "MINUS", "OLD", "EMPTY"}));
        QVERIFY(store.value(9, "NoDaftar").isNull());
    }

    // Past the old 10 000-record bound, serials of four and five digits
    // shuffled; rows i and i + 6000 share one.
    void sortedLargeRegister()
    {
        test::TempStore store;
        const QString k = "((i * 7919) % 6000 + 6000 * (i % 2))";
        const QString serial = test::onPostgres() ? "lpad(" + k + "::text, greatest(4, length(" + k + "::text)), '0')"
                                                  : "printf('%04d', " + k + ")";
        store.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10050) "
                                  "INSERT INTO kontraktor (\"NoDaftar\", \"NamaSyarikat\", \"NoPendaftaranSyarikat\", \"NDPKK\", \"kelas\") "
                                  "SELECT 'ZRVA/KP/' || %1, 'S' || i, 'P', 'K', 'G1' FROM n").arg(serial));
        QCOMPARE(sortStore(), 10050);
        const QList<QVariantMap> rows = store.rows();
        QCOMPARE(rows.size(), 10050);
        int last = -1;
        QHash<int, int> lastIndexOfKey; // equal serials stay in reading order
        for (const QVariantMap &row : rows) {
            const int key = int(*registrationSerial(row.value("NoDaftar").toString()));
            QVERIFY(key >= last);
            last = key;
            const int i = row.value("NamaSyarikat").toString().mid(1).toInt();
            QVERIFY(i > lastIndexOfKey.value(key, 0));
            lastIndexOfKey[key] = i;
        }
        QCOMPARE(lastIndexOfKey.size(), 6000); // 4050 serials held twice
    }

    void failureLeavesTheTableAsBefore()
    {
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
        const QString message = test::failureOf([] { sortStore(); });
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
