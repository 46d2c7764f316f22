#include "TestSupport.h"

#include "data/Connection.h"
#include "data/Fields.h"
#include "data/Schema.h"
#include "data/Snapshot.h"
#include "data/Locations.h"
#include "platform/Failure.h"
#include "reports/ContractorSort.h"

using namespace arb;

namespace {
const QString kNoDaftar = QStringLiteral("NoDaftar");
const QString kNama = QStringLiteral("NamaSyarikat");

// A contractor whose every field names its serial, so a field that does not
// travel with its record shows at once.
QVariantMap contractor(const QString &noDaftar, const QString &tag)
{
    QVariantMap m;
    for (const QString &f : contractorFields())
        m.insert(f, QStringLiteral("%1 %2").arg(f, tag));
    m.insert(kNoDaftar, noDaftar);
    m.insert(QStringLiteral("AlamatPendaftaranSyarikat"), QStringLiteral("NO %1, JALAN PASAR\r\nKUALA SERINDIT").arg(tag));
    return m;
}

QStringList column(test::TempStore &store, const QString &field)
{
    QStringList out;
    for (const QVariantMap &row : store.rows())
        out << row.value(field).toString();
    return out;
}

QString failureOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Failure &f) {
        return f.message();
    }
    return {};
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
    void threeRecordsTravelWhole()
    {
        test::TempStore store;
        store.addContractor(contractor(QStringLiteral("ZRVA/KP/0003"), QStringLiteral("tiga")));
        store.addContractor(contractor(QStringLiteral("ZRVA/KP/0001"), QStringLiteral("satu")));
        store.addContractor(contractor(QStringLiteral("ZRVA/KP/0002"), QStringLiteral("dua")));

        QCOMPARE(sortStore(), 3);

        const QList<QVariantMap> rows = store.rows();
        QCOMPARE(rows.size(), 3);
        const QStringList tags{QStringLiteral("satu"), QStringLiteral("dua"), QStringLiteral("tiga")};
        for (int k = 0; k < 3; ++k) {
            const QVariantMap want = contractor(QStringLiteral("ZRVA/KP/000%1").arg(k + 1), tags.at(k));
            QCOMPARE(rows.at(k).value(QStringLiteral("id")).toInt(), k + 1); // stored order unchanged
            for (const QString &f : contractorFields())
                QCOMPARE(rows.at(k).value(f).toString(), want.value(f).toString());
        }
    }

    void keysStableRoundedAndSigned()
    {
        test::TempStore store;
        const auto add = [&](const QString &no, const QString &name) {
            QVariantMap m = contractor(no, name);
            m.insert(kNama, name);
            store.addContractor(m);
        };
        add(QStringLiteral("ZRVA/KP/0005"), QStringLiteral("E1"));
        add(QStringLiteral("ZRVA/KP/13.5"), QStringLiteral("N14")); // halves to even: 14
        add(QStringLiteral("LAMA/0005"), QStringLiteral("E2"));    // prefix plays no part
        add(QStringLiteral("ZRVA/KP/12.5"), QStringLiteral("T1"));  // halves to even: 12
        add(QStringLiteral("ZRVA/KP/-007"), QStringLiteral("MINUS"));
        add(QStringLiteral("ZRVA/KP/0012"), QStringLiteral("T2"));
        add(QStringLiteral("9"), QStringLiteral("SHORT"));
        add(QStringLiteral("ZRVA/KP/0000"), QStringLiteral("ZERO"));
        add(QStringLiteral("ZRVA/KP/0005"), QStringLiteral("E3"));
        add(QStringLiteral("ZRVA/KP/0013"), QStringLiteral("K13"));

        QCOMPARE(sortStore(), 10);
        QCOMPARE(column(store, kNama),
                 QStringList({"MINUS", "ZERO", "E1", "E2", "E3", "SHORT", "T1", "T2", "K13", "N14"}));

        QCOMPARE(serialKey(QStringLiteral("ZRVA/KP/0012 ")), qint16(12));
        QCOMPARE(serialKey(QStringLiteral("ZRVA/KP/00A1")), std::nullopt);
        QCOMPARE(serialKey(QStringLiteral("ZRVA/KP/9e99")), std::nullopt);
    }

    void nullsAndEmptyTextsSurvive()
    {
        test::TempStore store;
        store.addContractor(contractor(QStringLiteral("ZRVA/KP/0002"), QStringLiteral("dua")));
        // Only the serial and the four fields read as text must hold values.
        QVariantMap sparse;
        for (const QString &f : {kNoDaftar, kNama, QStringLiteral("NoPendaftaranSyarikat"), QStringLiteral("NDPKK"),
                                 QStringLiteral("kelas")})
            sparse.insert(f, f == kNoDaftar ? QStringLiteral("ZRVA/KP/0001") : QStringLiteral("x"));
        sparse.insert(QStringLiteral("Tarikh_dapat_kerja"), QStringLiteral("")); // as a registration stores it
        store.addContractor(sparse);

        QCOMPARE(sortStore(), 2);

        const QVariantMap first = store.rows().at(0);
        QCOMPARE(first.value(kNoDaftar).toString(), QStringLiteral("ZRVA/KP/0001"));
        int nulls = 0;
        for (const QString &f : contractorFields()) {
            if (sparse.contains(f))
                continue;
            QVERIFY2(first.value(f).isNull(), qPrintable(f));
            ++nulls;
        }
        QCOMPARE(nulls, 17);
        const QVariant empty = first.value(QStringLiteral("Tarikh_dapat_kerja"));
        QVERIFY2(!empty.isNull(), "an empty text must not come back as null");
        QCOMPARE(empty.toString(), QString());
        const QVariantMap second = store.rows().at(1);
        for (const QString &f : contractorFields())
            QVERIFY2(!second.value(f).isNull(), qPrintable(f));
    }

    // Counts every row update in table tally; from the failAt-th on (when
    // not 0) the update fails as a full disk would.
    static void tallyUpdates(test::TempStore &store, const QString &trigger, int failAt)
    {
        store.exec(QStringLiteral("CREATE TABLE tally (id INTEGER)"));
        if (test::onPostgres()) {
            store.exec(QStringLiteral("CREATE FUNCTION tally_row() RETURNS trigger AS $$ BEGIN "
                                      "INSERT INTO tally VALUES (OLD.id); "
                                      "IF %1 > 0 AND (SELECT count(*) FROM tally) >= %1 THEN RAISE EXCEPTION 'disk full'; END IF; "
                                      "RETURN NEW; END $$ LANGUAGE plpgsql").arg(failAt));
            store.exec(QStringLiteral("CREATE TRIGGER %1 AFTER UPDATE ON kontraktor FOR EACH ROW EXECUTE FUNCTION tally_row()").arg(trigger));
        } else {
            store.exec(QStringLiteral("CREATE TRIGGER %1 AFTER UPDATE ON kontraktor BEGIN "
                                      "INSERT INTO tally VALUES (old.id); "
                                      "SELECT RAISE(ABORT, 'disk full') WHERE %2 > 0 AND (SELECT count(*) FROM tally) >= %2; END")
                           .arg(trigger).arg(failAt));
        }
    }

    void sortedAndSingleTablesRewrittenAsTheyAre()
    {
        test::TempStore store;
        tallyUpdates(store, QStringLiteral("counted"), 0);
        store.addContractors(4);
        const QList<QVariantMap> before = store.rows();
        QCOMPARE(sortStore(), 4);
        QCOMPARE(store.rows(), before);
        QCOMPARE(store.count(QStringLiteral("tally")), 4); // every row rewritten once

        store.exec(QStringLiteral("DELETE FROM kontraktor WHERE id > 1"));
        const QList<QVariantMap> one = store.rows();
        QCOMPARE(sortStore(), 1);
        QCOMPARE(store.rows(), one);
    }

    void readPassFailuresWriteNothing()
    {
        struct Case
        {
            const char *name;
            QString field;
            QVariant value;
            QString named; // what the report must name
        };
        const QList<Case> cases{
            {"letters in the serial", kNoDaftar, QStringLiteral("ZRVA/KP/00A1"), QStringLiteral("ZRVA/KP/00A1")},
            {"serial too large", kNoDaftar, QStringLiteral("ZRVA/KP/9e99"), QStringLiteral("ZRVA/KP/9e99")},
            {"empty serial", kNoDaftar, QStringLiteral(""), QStringLiteral("\"\"")},
            {"null serial", kNoDaftar, QVariant(), QStringLiteral("Rekod ke-3")},
            {"null company name", kNama, QVariant(), QStringLiteral("ZRVA/KP/0001")},
            {"null class", QStringLiteral("kelas"), QVariant(), QStringLiteral("ZRVA/KP/0001")},
        };
        for (const Case &c : cases) {
            test::TempStore store;
            store.addContractors(2);
            store.exec(QStringLiteral("UPDATE kontraktor SET \"NoDaftar\" = 'ZRVA/KP/0009' WHERE id = 1"));
            QVariantMap bad = contractor(QStringLiteral("ZRVA/KP/0001"), QStringLiteral("salah"));
            bad.insert(c.field, c.value);
            store.addContractor(bad);
            const QList<QVariantMap> before = store.rows();

            const QString message = failureOf([] { sortStore(); });
            QVERIFY2(message.contains(c.named), qPrintable(QStringLiteral("%1: %2").arg(c.name, message)));
            QCOMPARE(store.rows(), before);
        }
    }

    void writeFailureLeavesTableAsBefore()
    {
        test::TempStore store;
        for (int serial : {5, 3, 4, 1, 2})
            store.addContractor(contractor(QStringLiteral("ZRVA/KP/%1").arg(serial, 4, 10, QLatin1Char('0')),
                                           QString::number(serial)));
        tallyUpdates(store, QStringLiteral("fails"), 3);
        const QList<QVariantMap> before = store.rows();

        const QString message = failureOf([] { sortStore(); });
        QVERIFY2(message.contains(QStringLiteral("tidak berubah")), qPrintable(message));
        QCOMPARE(store.rows(), before);
        QCOMPARE(store.count(QStringLiteral("tally")), 0);

        // Nothing is left holding the store: the next sort goes through.
        store.exec(test::onPostgres() ? QStringLiteral("DROP TRIGGER fails ON kontraktor") : QStringLiteral("DROP TRIGGER fails"));
        QCOMPARE(sortStore(), 5);
        QCOMPARE(column(store, kNoDaftar).first(), QStringLiteral("ZRVA/KP/0001"));
    }

    void emptyAndLargeRegisters()
    {
        test::TempStore store;
        QCOMPARE(sortStore(), 0);
        QCOMPARE(store.count(), 0);

        // Past the old 10 000-record bound, serials shuffled and repeated.
        const QString serial = test::onPostgres() ? QStringLiteral("lpad(((i * 7919) % 10000)::text, 4, '0')")
                                                  : QStringLiteral("printf('%04d', (i * 7919) % 10000)");
        store.exec(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10050) "
            "INSERT INTO kontraktor (\"NoDaftar\", \"NamaSyarikat\", \"NoPendaftaranSyarikat\", \"NDPKK\", \"kelas\") "
            "SELECT 'ZRVA/KP/' || %1, 'S' || i, 'P', 'K', 'G1' FROM n").arg(serial));
        QCOMPARE(sortStore(), 10050);
        const QList<QVariantMap> rows = store.rows();
        QCOMPARE(rows.size(), 10050);
        int last = -1;
        QHash<int, int> lastIndexOfKey; // equal serials in reading order
        for (const QVariantMap &row : rows) {
            const int key = *serialKey(row.value(kNoDaftar).toString());
            QVERIFY(key >= last);
            last = key;
            const int i = row.value(kNama).toString().mid(1).toInt();
            QVERIFY(i > lastIndexOfKey.value(key, 0));
            lastIndexOfKey[key] = i;
        }
    }
};

ARB_TEST_MAIN(SortTest)
#include "tst_sort.moc"
