#include "TestSupport.h"

#include "data/Connection.h"
#include "data/Convert.h"
#include "data/DataControl.h"
#include "data/Locations.h"
#include "data/Numbering.h"
#include "data/Snapshot.h"
#include "data/StoreError.h"
#include "data/Failure.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QUrl>
#include <atomic>
#include <memory>
#include <thread>

using namespace arb;

namespace {
// A bound box without a window.
struct FakeBox : BoundValue
{
    QString field, text, shown;
    explicit FakeBox(QString f) : field(std::move(f)) {}
    QString boundField() const override { return field; }
    void showValue(const QString &t) override { text = shown = t; }
    bool valueChanged() const override { return text != shown; }
    QString valueText() const override { return text; }
};

QString serialAt(Cursor &c)
{
    return c.text("NoDaftar");
}

// A data control on the register, open.
std::unique_ptr<DataControl> opened(DataControl::Kind kind = DataControl::Kind::Table)
{
    auto dc = std::make_unique<DataControl>(Locations::kLocalPath, "kontraktor", kind);
    dc->open();
    return dc;
}
} // namespace

class DataTest : public QObject
{
    Q_OBJECT
private slots:
    void movesOnEmptyAndAtBothEnds()
    {
        test::TempStore store;
        for (auto kind : {DataControl::Kind::Table, DataControl::Kind::Dynaset}) {
            auto empty = opened(kind);
            QVERIFY(empty->eof() && empty->bof() && empty->recordCount() == 0);
            QVERIFY_THROWS_EXCEPTION(Failure, empty->moveFirst());
            QVERIFY_THROWS_EXCEPTION(Failure, empty->moveLast());
            QVERIFY_THROWS_EXCEPTION(Failure, empty->value("NoDaftar"));
        }
        Snapshot snap(Locations::kSharedPath, "kontraktor");
        QVERIFY(snap.eof() && snap.bof());
        QVERIFY_THROWS_EXCEPTION(Failure, snap.moveFirst());
        store.addContractors(3);
        auto dc = opened();
        QVERIFY(!dc->bof() && !dc->eof());
        dc->movePrevious();
        QVERIFY(dc->bof());
        QVERIFY_THROWS_EXCEPTION(Failure, dc->movePrevious());
        QVERIFY_THROWS_EXCEPTION(Failure, dc->value("NoDaftar"));
        dc->moveNext();
        QCOMPARE(serialAt(*dc), QStringLiteral("ZRVA/KP/0001"));
        dc->moveLast();
        dc->moveNext();
        QVERIFY(dc->eof());
        QVERIFY_THROWS_EXCEPTION(Failure, dc->moveNext());
        dc->movePrevious();
        QCOMPARE(serialAt(*dc), QStringLiteral("ZRVA/KP/0003"));
        dc->moveFirst();
        QCOMPARE(serialAt(*dc), QStringLiteral("ZRVA/KP/0001"));
    }

    // The proposal and the taken-number check read the store's index of
    // serials, and agree with the program's own reading of every number:
    // blanks of any kind around the serial, digits of another script,
    // irregular and empty numbers. A store made before the index gets it.
    void serialsReadThroughTheIndex()
    {
        test::TempStore store;
        const auto proposal = [] {
            return proposedRegistrationNumber(*Connection::shared(Locations::kLocalPath));
        };
        const auto stored = [](const QString &number) {
            auto c = Connection::shared(Locations::kLocalPath);
            QString out;
            c->write([&] { out = freeRegistrationNumber(*c, number); });
            return out;
        };
        QCOMPARE(proposal(), QStringLiteral("ZRVA/KP/0001"));
        const QList<std::pair<QVariant, qint64>> numbers{
            {"ZRVA/KP/0012", 13},       {" 0040 ", 41},          {"ZRVA/KP/0077\t", 78},    {"ZRVA/KP/\u00a00090", 91},
            {"ZRVA/KP/0100x", 91},      {"ZRVA/KP/\u0663\u0663\u0663", 91}, {"ZRVA/KP/1234567890123456789", 91},
            {"ZRVA/KP/0150\u3000", 151}, {"ZRVA/KP/0160\r\n", 161}, {"ZRVA/KP/0170\x1f", 161},  {"170/ZRVA", 161},
            {"a/b/0200", 201},          {"ZRVA/KP/+300", 201},   {"ZRVA/KP/", 201},          {QVariant(), 201}, {"-", 201}};
        for (const auto &[number, next] : numbers) {
            store.addContractor({{"NoDaftar", number}});
            QCOMPARE(proposal(), registrationNumber(next));
        }
        for (const qint64 serial : {12, 40, 77, 90, 150, 160, 200})
            QCOMPARE(stored(registrationNumber(serial)), QStringLiteral("ZRVA/KP/0201"));
        for (const qint64 serial : {41, 100, 170, 300, 663})
            QCOMPARE(stored(registrationNumber(serial)), registrationNumber(serial));
        // Never less than the row count + 1.
        store.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200) "
                                  "INSERT INTO kontraktor (\"NoDaftar\") SELECT '-' FROM n"));
        QCOMPARE(proposal(), QStringLiteral("ZRVA/KP/0217"));

        const QString index = test::onPostgres()
            ? "SELECT count(*) FROM pg_indexes WHERE indexname = 'kontraktor_nombor'"
            : "SELECT count(*) FROM sqlite_master WHERE name = 'kontraktor_nombor'";
        const auto indexed = [&] {
            Connection c(Locations::kLocalPath);
            QSqlQuery q = c.exec(index);
            return q.next() && q.value(0).toInt() == 1;
        };
        QVERIFY(indexed());
        store.exec("DROP INDEX kontraktor_nombor");
        QVERIFY(!indexed());
        QCOMPARE(proposal(), QStringLiteral("ZRVA/KP/0217"));
        QVERIFY(indexed());
    }

    // After a registration a table control lists the table as it is: the
    // rows other desktops added meanwhile follow, and rows they removed are
    // gone, without going back to the first row. An empty text stays text.
    void tableControlAfterARegistration()
    {
        test::TempStore store;
        store.addContractors(3);
        auto dc = opened();
        const auto backwards = [&] {
            dc->moveToId(dc->lastAddedId());
            QStringList out;
            for (; !dc->bof(); dc->movePrevious())
                out << serialAt(*dc).right(4);
            return out.join(QLatin1Char(' '));
        };
        const auto registerAs = [&](const QString &number) {
            dc->addNew();
            dc->setValue("NoDaftar", number);
            dc->setValue("NamaSyarikat", QString());
            dc->update();
        };
        store.addContractor({{"NoDaftar", "ZRVA/KP/0004"}});
        registerAs("ZRVA/KP/0005");
        QCOMPARE(backwards(), QStringLiteral("0005 0004 0003 0002 0001"));
        store.exec("DELETE FROM kontraktor WHERE \"NoDaftar\" = 'ZRVA/KP/0002'");
        store.addContractor({{"NoDaftar", "ZRVA/KP/0006"}});
        registerAs("ZRVA/KP/0007");
        QCOMPARE(backwards(), QStringLiteral("0007 0006 0005 0004 0003 0001"));
        const QVariant name = store.rows().last().value("NamaSyarikat");
        QVERIFY(!name.isNull() && name.toString().isEmpty());
    }

    // Another desktop holding the store (SQLite) or the row (server): a write
    // waits for it and keeps its change to another field; held past the lock
    // timeout, the write is reported as in use, nothing stays locked, and the
    // same window writes once the other desktop is gone.
    void lockWaitsAndLockHeldTooLong()
    {
        QCOMPARE(Connection::lockTimeout(), 10000);
        test::TempStore store;
        store.addContractors(2);
        const bool sqlite = !test::onPostgres();
        auto dc = opened();
        const auto setKelas = [&](const QString &v) {
            dc->edit();
            dc->setValue("kelas", v);
            dc->update();
        };
        const auto kelas = [&] { return store.value(0, "kelas").toString(); };
        const QString inUse = "Pangkalan data sedang digunakan oleh komputer lain";
        const QString begin = sqlite ? "BEGIN IMMEDIATE" : "BEGIN";
        std::atomic<bool> locked{false};
        std::thread briefly([&] {
            Connection c(store.path());
            c.exec(begin);
            c.exec("UPDATE kontraktor SET \"NoFaks\" = 'lain' WHERE id = 1");
            locked = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1500));
            c.exec("COMMIT");
        });
        while (!locked)
            std::this_thread::yield();
        QElapsedTimer t;
        t.start();
        setKelas("A");
        briefly.join();
        QVERIFY(t.elapsed() >= 1000);
        QCOMPARE(kelas(), QStringLiteral("A"));
        QCOMPARE(store.value(0, QStringLiteral("NoFaks")).toString(), QStringLiteral("lain"));
        Connection::setLockTimeout(300);
        dc.reset(); // its connection goes, and the next one waits no longer
        dc = opened();
        {
            Connection holder(store.path());
            holder.exec(begin);
            holder.exec("UPDATE kontraktor SET \"NoFaks\" = 'lain' WHERE id = 1");
            t.restart();
            const QString shown = test::failureOf([&] { setKelas("X"); });
            QVERIFY2(shown.startsWith(inUse), qPrintable(shown));
            QVERIFY(t.elapsed() >= 250 && t.elapsed() < 5000);
            holder.exec("COMMIT");
        }
        setKelas("B");
        QCOMPARE(kelas(), QStringLiteral("B"));
        if (sqlite) {
            // A reader keeps the file past the busy timeout: COMMIT fails.
            auto reader = std::make_unique<Connection>(store.path());
            reader->exec("BEGIN");
            QSqlQuery q = reader->exec("SELECT count(*) FROM kontraktor");
            QVERIFY(q.next());
            const QString shown = test::failureOf([&] { setKelas("C"); });
            QVERIFY2(shown.startsWith(inUse), qPrintable(shown));
            // The failed write is rolled back and holds no lock: others read
            // and open the store while the reader is still there.
            QCOMPARE(kelas(), QStringLiteral("B"));
            auto other = opened();
            QCOMPARE(other->text(QStringLiteral("kelas")), QStringLiteral("B"));
            q = QSqlQuery();
            reader.reset();
            setKelas("D");
            other->moveNext();
            other->moveFirst();
            QCOMPARE(other->text(QStringLiteral("kelas")), QStringLiteral("D"));
        }
        Connection::setLockTimeout(10000);
        QCOMPARE(store.count(), 2);
    }

    // The server drops the window's connection (a restart): only the action
    // that met the loss fails; the next one reconnects and works.
    void serverConnectionLost()
    {
        if (!test::onPostgres())
            QSKIP("only a server connection can be lost");
        test::TempStore store;
        store.addContractors(3);
        auto dc = opened();
        const auto kill = [&] {
            QSqlQuery q = dc->connection().exec("SELECT pg_backend_pid()");
            QVERIFY(q.next());
            const qint64 pid = q.value(0).toLongLong();
            Connection admin(store.path());
            admin.exec("SELECT pg_terminate_backend(?, 5000)", {pid});
        };
        kill();
        dc->moveNext();
        QVERIFY_THROWS_EXCEPTION(Failure, dc->text("NoDaftar"));
        QCOMPARE(dc->text(QStringLiteral("NoDaftar")), QStringLiteral("ZRVA/KP/0002"));
        // A write that meets the loss is reported and stores nothing; the next stores.
        kill();
        dc->edit();
        dc->setValue("kelas", "X");
        QVERIFY_THROWS_EXCEPTION(Failure, dc->update());
        QCOMPARE(store.value(1, QStringLiteral("kelas")).toString(), QStringLiteral("kelas 2"));
        dc->edit();
        dc->setValue("kelas", "Y");
        dc->update();
        QCOMPARE(store.value(1, QStringLiteral("kelas")).toString(), QStringLiteral("Y"));
        QCOMPARE(dc->recordCount(), 3);
        // A column added meanwhile spoils the kept statement once, not for good.
        dc->moveFirst();
        dc->moveNext();
        QCOMPARE(dc->text(QStringLiteral("NoDaftar")), QStringLiteral("ZRVA/KP/0002"));
        store.exec("ALTER TABLE kontraktor ADD COLUMN catatan TEXT");
        dc->moveFirst();
        QVERIFY_THROWS_EXCEPTION(Failure, dc->text("NoDaftar"));
        QCOMPARE(dc->text(QStringLiteral("NoDaftar")), QStringLiteral("ZRVA/KP/0001"));
    }

    // libpq settings ride in the URL: ?sslmode=require gets an encrypted
    // connection or none; a malformed setting is refused at open.
    void serverSettingsInUrl()
    {
        if (!test::onPostgres())
            QSKIP("server connections only");
        test::TempStore store;
        const auto encrypted = [&](const QString &query) {
            QUrl url(store.path());
            url.setQuery(query);
            Connection c(url.toString());
            QSqlQuery q = c.exec("SELECT ssl FROM pg_stat_ssl WHERE pid = pg_backend_pid()");
            return q.next() && q.value(0).toBool();
        };
        {
            Connection c(store.path());
            QSqlQuery q = c.exec("SHOW ssl");
            QVERIFY(q.next());
            if (q.value(0).toString() != QLatin1String("on"))
                QSKIP("the test server has TLS off (no openssl when it started)");
        }
        QVERIFY(encrypted("sslmode=require"));
        QVERIFY(!encrypted("sslmode=disable"));
        // The server options from the URL come on top of the lock timeout.
        QUrl url(store.path());
        url.setQuery("sslmode=require&application_name=meja%202&options=-c%20statement_timeout%3D5000");
        Connection c(url.toString());
        QSqlQuery q = c.exec(QStringLiteral("SELECT current_setting('application_name'), current_setting('statement_timeout'), "
                                            "current_setting('lock_timeout')"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("meja 2"));
        QCOMPARE(q.value(1).toString(), QStringLiteral("5s"));
        QCOMPARE(q.value(2).toString(), QStringLiteral("10s"));
        url.setQuery("sslmode=require;host=elsewhere");
        QVERIFY_THROWS_EXCEPTION(Failure, Connection(url.toString()));
        url.setQuery("sslmode=verify-full");
        QVERIFY_THROWS_EXCEPTION(Failure, Connection(url.toString())); // no CA for a self-signed certificate
    }

    // A text holding a NUL: the server refuses it, so the write is refused
    // naming the contractor and the field; SQLite stores it whole.
    void textWithNul()
    {
        test::TempStore store;
        store.addContractors(1);
        const QString nul = QStringLiteral("AB") + QChar(0) + QStringLiteral("CD");
        auto dc = opened();
        FakeBox box("Butiran_kerja");
        dc->bind(&box);
        dc->addNew();
        dc->setValue("NoDaftar", "ZRVA/KP/0002");
        dc->setValue("NamaSyarikat", "NUL SDN BHD");
        dc->setValue("NoFaks", nul);
        box.text = nul;
        if (test::onPostgres()) {
            const QString added = test::failureOf([&] { dc->update(); });
            QVERIFY2(added.contains("NoFaks") && added.contains("ZRVA/KP/0002 (NUL SDN BHD)"), qPrintable(added));
            QCOMPARE(store.count(), 1);
            dc->cancelUpdate();
            // The bound box of the work window on the first contractor.
            const QString written = test::failureOf([&] { dc->moveNext(); });
            QVERIFY2(written.contains("Butiran_kerja") && written.contains("ZRVA/KP/0001 (SYARIKAT 1)"), qPrintable(written));
            QCOMPARE(store.value(0, QStringLiteral("Butiran_kerja")).toString(), QStringLiteral("Butiran_kerja 1"));
        } else {
            dc->update();
            dc->moveNext();
            QCOMPARE(store.value(0, QStringLiteral("Butiran_kerja")).toString(), nul);
            QCOMPARE(store.value(1, QStringLiteral("NoFaks")).toString(), nul);
        }
        dc->unbind(&box);
    }

    // A write whose body fails after it stored something: nothing of it
    // stays, and neither this connection nor another desktop is locked out.
    void failedWriteEndsItsTransaction()
    {
        test::TempStore store;
        store.addContractors(1);
        Connection::setLockTimeout(500);
        const auto restoreTimeout = qScopeGuard([] { Connection::setLockTimeout(10000); });
        Connection c(store.path()), other(store.path());
        const auto insert = [&](Connection &on, const QString &name) {
            on.write([&] {
                on.exec("INSERT INTO kontraktor (\"NamaSyarikat\") VALUES (?)", {name});
                if (name == "SEPARUH")
                    on.exec("UPDATE tiada_jadual SET x = 1");
            });
        };
        QVERIFY(test::failureOf([&] { insert(c, "SEPARUH"); }) != "<no failure>");
        QCOMPARE(store.count(), 1);
        insert(c, "SELEPAS");
        insert(other, "LAIN");
        QCOMPARE(store.value(1, "NamaSyarikat").toString() + ' ' + store.value(2, "NamaSyarikat").toString(),
                 QStringLiteral("SELEPAS LAIN"));
    }

    // A SQLite read that stops part-way on an error that is neither damage
    // nor a lock (here a function failing on the second row) is still a
    // damaged store, never a shorter register.
    void readCutShortIsDamage()
    {
        if (test::onPostgres())
            QSKIP("the sentence for a file");
        test::TempStore store;
        store.addContractors(3);
        store.exec("UPDATE kontraktor SET \"NoDaftar\" = CASE id WHEN 2 THEN '{' ELSE '[]' END");
        Connection c(store.path());
        QSqlQuery q = c.exec("SELECT json(\"NoDaftar\") FROM kontraktor ORDER BY id");
        int rows = 0;
        while (q.next())
            ++rows;
        QCOMPARE(rows, 1);
        const QString shown = test::failureOf([&] { requireWholeRead(q, c.location()); });
        QVERIFY2(shown.startsWith("Pangkalan data rosak: " + store.path())
                     && shown.contains("arb-admin check"), qPrintable(shown));
    }

    // Numbers as typed in a box; a serial is every digit after the last "/"
    // (its other forms are pinned by the sort).
    void textToNumber()
    {
        for (const auto &[text, value] : std::initializer_list<std::pair<const char *, double>>{
                 {"0012", 12}, {"  7 ", 7}, {"-3.5", -3.5}, {"+.5", 0.5}, {"1e3", 1000}, {"2.", 2}})
            QCOMPARE(arb::textToNumber(QString::fromLatin1(text)), value);
        for (const char *bad : {"", " ", "KP", "/001", "12a", "1 2", "e5", ".", "-", "1e", "0x10"})
            QVERIFY2(!arb::textToNumber(QString::fromLatin1(bad)), bad);
        QCOMPARE(registrationSerial(QStringLiteral("LAMA/9/123456789012345678")), qint64(123456789012345678));
        for (const char *none : {"ZRVA/KP/", "ZRVA/KP/12A", "ZRVA/KP/1 2", "ZRVA/0012/KP", "ZRVA/KP/1234567890123456789"})
            QVERIFY2(!registrationSerial(QString::fromLatin1(none)), none);
    }

    void storeChoice()
    {
        qputenv("ARB_DATABASE", "/env/store.mdb");
        QCOMPARE(Locations::chooseStore({QStringLiteral("arb"), QStringLiteral("--database"), QStringLiteral("/a.mdb")}),
                 "/a.mdb");
        QCOMPARE(Locations::chooseStore({QStringLiteral("arb")}), QStringLiteral("/env/store.mdb"));
        qunsetenv("ARB_DATABASE");
        QVERIFY(Locations::chooseStore({"arb"}).endsWith("/kontraktor/kontraktor.mdb"));
        Locations::setStore("/x.mdb");
        QCOMPARE(Locations::resolve(Locations::kLocalPath), QStringLiteral("/x.mdb"));
        QCOMPARE(Locations::resolve(Locations::kSharedPath), QStringLiteral("/x.mdb"));
        Locations::setStore(QString());
    }
};

ARB_TEST_MAIN(DataTest)
#include "tst_data.moc"
