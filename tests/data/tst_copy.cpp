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
        const QString file = dir.filePath(QStringLiteral("asal.mdb"));
        {
            auto c = Connection::create(file);
            Schema::create(*c, QStringLiteral("kata 1"));
            addDemoData(*c);
            c->exec(QStringLiteral("INSERT INTO kontraktor (\"NoDaftar\", \"NamaSyarikat\", \"Nilai\") VALUES (?, ?, ?)"),
                    {QStringLiteral("ZRVA/KP/0003"), QStringLiteral("\"Petik\", koma\r\nbaris ke-2 — ü"), QStringLiteral("")});
            c->exec(QStringLiteral("DELETE FROM kontraktor WHERE id = 2")); // a gap in the ids
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
        QCOMPARE(counts.value(QStringLiteral("kontraktor")), 25 + 12000);
        QCOMPARE(counts.value(QStringLiteral("password")), 1);
        QCOMPARE(counts.value(QStringLiteral("test")), 1);

        const QString back = dir.filePath(QStringLiteral("balik.mdb"));
        copyStore(target.path(), back);
        QVERIFY(!QDir(dir.path()).entryList({QStringLiteral("*.tmp-*")}, QDir::Files).size());

        // Every value of every row in order, ids aside; null marked apart from empty text.
        const auto dump = [](const QString &path, const QString &table) {
            Connection c(path);
            QSqlQuery q = c.exec(QStringLiteral("SELECT * FROM %1 ORDER BY id").arg(table));
            QStringList out;
            while (q.next())
                for (int i = 1; i < q.record().count(); ++i)
                    out << (q.isNull(i) ? QStringLiteral("<null>") : q.value(i).toString());
            return out;
        };
        for (const QString &table : {QStringLiteral("kontraktor"), QStringLiteral("password"), QStringLiteral("test")}) {
            const QStringList before = dump(file, table), after = dump(back, table);
            QVERIFY(!before.isEmpty());
            QVERIFY2(before == after, qPrintable(table)); // no QCOMPARE: a diff of half a million characters
        }
        // The history comes along whole, each contractor keeping its key
        // (compared above); sealed on arrival, where the source had not.
        const auto history = [](const QString &path) {
            Connection c(path);
            QSqlQuery q = c.exec(QStringLiteral("SELECT kunci, no_daftar, masa, siapa, tindakan, medan, lama, baru FROM sejarah ORDER BY id"));
            QStringList out;
            while (q.next())
                for (int i = 0; i < 8; ++i)
                    out << (q.isNull(i) ? QStringLiteral("<null>") : q.value(i).toString());
            return out;
        };
        QCOMPARE(counts.value(QStringLiteral("sejarah")), history(file).size() / 8);
        QVERIFY(history(file) == history(back));
        Connection copied(back);
        QCOMPARE(History::problems(copied), QStringList());
        QCOMPARE(History::verifyChain(copied).entries, history(file).size() / 8);
    }

    void refusesExistingDestination()
    {
        test::TempStore existing(QStringLiteral("jangan ubah"));
        existing.addContractors(2);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("asal.mdb"));
        {
            auto c = Connection::create(file);
            Schema::create(*c, QStringLiteral("lain"));
        }
        QVERIFY_THROWS_EXCEPTION(Failure, copyStore(file, existing.path()));
        QCOMPARE(existing.count(), 2);
        QVERIFY(Password::matches(existing.value(0, QStringLiteral("password"), QStringLiteral("password")).toString(),
                                  QStringLiteral("jangan ubah")));
    }

    // The server refuses a text holding a NUL: the copy names the contractor
    // and the field and leaves nothing behind; into SQLite the text is kept.
    void textWithNul()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("asal.mdb"));
        const QString nul = QStringLiteral("Jalan") + QChar(0) + QStringLiteral("Satu");
        {
            auto c = Connection::create(file);
            Schema::create(*c, QStringLiteral("kata"));
            c->exec(QStringLiteral("INSERT INTO kontraktor (\"NoDaftar\", \"NamaSyarikat\") VALUES ('ZRVA/KP/0001', 'BAIK')"));
            // Refused in a later batch, after earlier ones reached the server.
            c->exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 12000) "
                                   "INSERT INTO kontraktor (\"NoDaftar\") SELECT 'ZRVA/KP/B' || i FROM n"));
            c->exec(QStringLiteral("INSERT INTO kontraktor (\"NoDaftar\", \"NamaSyarikat\", \"AlamatPendaftaranSyarikat\") VALUES (?, ?, ?)"),
                    {QStringLiteral("ZRVA/KP/0002"), QStringLiteral("ROSAK"), nul});
        }
        test::TempStore target{test::TempStore::Empty{}};
        if (test::onPostgres()) {
            const QString shown = test::failureOf([&] { copyStore(file, target.path()); });
            QVERIFY2(shown.contains(QStringLiteral("AlamatPendaftaranSyarikat")) && shown.contains(QStringLiteral("ZRVA/KP/0002 (ROSAK)")),
                     qPrintable(shown));
            QVERIFY(!Connection(target.path()).hasTable(QStringLiteral("kontraktor")));
        } else {
            copyStore(file, target.path());
            Connection c(target.path());
            QSqlQuery q = c.exec(QStringLiteral("SELECT \"AlamatPendaftaranSyarikat\" FROM kontraktor WHERE \"NoDaftar\" = 'ZRVA/KP/0002'"));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), nul);
        }
    }
};

ARB_TEST_MAIN(CopyTest)
#include "tst_copy.moc"
