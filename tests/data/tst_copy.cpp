#include "TestSupport.h"

#include "data/Connection.h"
#include "data/DemoData.h"
#include "data/History.h"
#include "data/Password.h"
#include "data/Schema.h"
#include "data/StoreCopy.h"
#include "data/Failure.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <QDir>

using namespace arb;

class CopyTest : public QObject
{
    Q_OBJECT
private slots:
    // A SQLite file copied to the engine under test and back keeps every value,
    // null and empty text apart, and the stored order.
    void roundTrip()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("asal.mdb");
        {
            auto c = Connection::create(file);
            Schema::create(*c, "kata 1");
            addDemoData(*c);
            c->exec("INSERT INTO kontraktor (\"NoDaftar\", \"NamaSyarikat\", \"Nilai\") VALUES (?, ?, ?)",
                    {"ZRVA/KP/0003", "\"Petik\", koma\r\nbaris ke-2 — ü", ""});
            c->exec("DELETE FROM kontraktor WHERE id = 2"); // a gap in the ids
            // More rows than several batches to the server, with every kind of
            // text a batch must carry unchanged, and long memos that fill a batch early.
            c->exec(QString::fromUtf8(R"(
                WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 12000)
                INSERT INTO kontraktor ("NoDaftar", "NamaSyarikat", "AlamatPendaftaranSyarikat", "Butiran_kerja", "Nilai")
                SELECT 'ZRVA/KP/' || (100000 + i),
                       'Syarikat ü — ' || i || ' "petik" \n \u0041 ' || char(9, 8, 1, 127) || ' 😀',
                       CASE i % 3 WHEN 0 THEN NULL WHEN 1 THEN '' ELSE 'Lot ' || i || char(13, 10) || 'Kampung ' || char(13) END,
                       CASE WHEN i % 1000 = 7 THEN printf('%.*c', 500000, 'x') || i END,
                       CASE WHEN i % 2 = 0 THEN ' ' || i || ' ' ELSE 'null' END
                FROM n)"));
        }
        test::TempStore target{test::TempStore::Empty{}};
        const QMap<QString, int> counts = copyStore(file, target.path());
        QCOMPARE((QList<int>{counts.value("kontraktor"), counts.value("password"), counts.value("test")}), (QList<int>{25 + 12000, 1, 1}));

        const QString back = dir.filePath("balik.mdb");
        copyStore(target.path(), back);
        QVERIFY(!QDir(dir.path()).entryList({"*.tmp-*"}, QDir::Files).size());

        // Every value of every row in order, ids aside; null marked apart from empty text.
        const auto dump = [](const QString &path, const QString &select) {
            Connection c(path);
            QSqlQuery q = c.exec(select);
            QStringList out;
            while (q.next())
                for (int i = select.startsWith("SELECT *") ? 1 : 0; i < q.record().count(); ++i)
                    out << (q.isNull(i) ? "<null>" : q.value(i).toString());
            return out;
        };
        for (const QString &table : {"kontraktor", "password", "test"}) {
            const QString select = "SELECT * FROM " + table + " ORDER BY id";
            const QStringList before = dump(file, select);
            QVERIFY(!before.isEmpty());
            QVERIFY2(before == dump(back, select), qPrintable(table)); // no QCOMPARE: a diff of half a million characters
        }
        // The history comes along whole, each contractor keeping its key
        // (compared above); sealed on arrival, where the source had not.
        const QString history = "SELECT kunci, no_daftar, masa, siapa, tindakan, medan, lama, baru FROM sejarah ORDER BY id";
        const qsizetype entries = dump(file, history).size() / 8;
        QCOMPARE(counts.value("sejarah"), entries);
        QVERIFY(dump(file, history) == dump(back, history));
        Connection copied(back);
        QCOMPARE(History::problems(copied), QStringList());
        QCOMPARE(History::verifyChain(copied).entries, entries);
    }

    void refusesExistingDestination()
    {
        test::TempStore existing("jangan ubah");
        existing.addContractors(2);
        QTemporaryDir dir;
        const QString file = dir.filePath("asal.mdb");
        {
            auto c = Connection::create(file);
            Schema::create(*c, "lain");
        }
        QVERIFY_THROWS_EXCEPTION(Failure, copyStore(file, existing.path()));
        QCOMPARE(existing.count(), 2);
        QVERIFY(Password::matches(existing.value(0, "password", "password").toString(), "jangan ubah"));
    }

    // The server refuses a text holding a NUL: the copy names the contractor
    // and the field and leaves nothing behind; into SQLite the text is kept.
    void textWithNul()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("asal.mdb");
        const QString nul = QStringLiteral("Jalan") + QChar(0) + QStringLiteral("Satu");
        {
            auto c = Connection::create(file);
            Schema::create(*c, "kata");
            c->exec("INSERT INTO kontraktor (\"NoDaftar\", \"NamaSyarikat\") VALUES ('ZRVA/KP/0001', 'BAIK')");
            // Refused in a later batch, after earlier ones reached the server.
            c->exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 12000) "
                                   "INSERT INTO kontraktor (\"NoDaftar\") SELECT 'ZRVA/KP/B' || i FROM n"));
            c->exec("INSERT INTO kontraktor (\"NoDaftar\", \"NamaSyarikat\", \"AlamatPendaftaranSyarikat\") VALUES (?, ?, ?)",
                    {"ZRVA/KP/0002", "ROSAK", nul});
        }
        test::TempStore target{test::TempStore::Empty{}};
        if (test::onPostgres()) {
            const QString shown = test::failureOf([&] { copyStore(file, target.path()); });
            QVERIFY2(shown.contains("AlamatPendaftaranSyarikat") && shown.contains("ZRVA/KP/0002 (ROSAK)"),
                     qPrintable(shown));
            QVERIFY(!Connection(target.path()).hasTable("kontraktor"));
        } else {
            copyStore(file, target.path());
            Connection c(target.path());
            QSqlQuery q = c.exec("SELECT \"AlamatPendaftaranSyarikat\" FROM kontraktor WHERE \"NoDaftar\" = 'ZRVA/KP/0002'");
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), nul);
        }
    }
};

ARB_TEST_MAIN(CopyTest)
#include "tst_copy.moc"
