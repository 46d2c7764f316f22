#include "TestSupport.h"

#include "data/Connection.h"
#include "data/DataControl.h"
#include "data/Fields.h"
#include "data/History.h"
#include "data/HistoryLog.h"
#include "data/Locations.h"
#include "data/Failure.h"
#include "data/ContractorSort.h"

#include <QDir>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QSysInfo>
#include <QUrl>

using namespace arb;

namespace {

// Every entry, oldest first, as "action field old>new".
QStringList changes(const QString &key = {})
{
    auto c = Connection::shared(Locations::kLocalPath);
    HistoryFilter f;
    f.key = key;
    f.newestFirst = false;
    QStringList out;
    for (const HistoryEntry &e : historyEntries(*c, f))
        out << QStringLiteral("%1 %2 %3>%4").arg(e.action, e.field, e.before.toString(), e.after.toString());
    return out;
}

QList<HistoryEntry> entries()
{
    auto c = Connection::shared(Locations::kLocalPath);
    HistoryFilter f;
    f.newestFirst = false;
    return historyEntries(*c, f);
}

// Who the program writes as: the user and computer here, or on the server
// the login role and the program's name at this computer.
std::pair<QString, QString> programWriter()
{
    if (test::onPostgres())
        return {QUrl(qEnvironmentVariable("ARB_TEST_PG")).userName(),
                QCoreApplication::applicationName() + QLatin1Char('@') + QSysInfo::machineHostName()};
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME");
    if (user.isEmpty())
        user = QDir::home().dirName();
    return {user, QSysInfo::machineHostName()};
}

QString keyAt(test::TempStore &store, int row)
{
    return store.value(row, QStringLiteral("kunci")).toString();
}

// The tables of a store made before the history, with rows.
void makeOldStore(const QString &path, bool server)
{
    std::unique_ptr<Connection> c = server ? std::make_unique<Connection>(path) : Connection::create(path);
    const QString id = c->idColumn();
    QStringList cols{id};
    for (const QString &f : contractorFields())
        cols << Connection::ident(f) + QStringLiteral(" TEXT");
    c->exec(QStringLiteral("CREATE TABLE kontraktor (%1)").arg(cols.join(',')));
    c->exec(QStringLiteral("CREATE TABLE password (%1, password TEXT)").arg(id));
    c->exec(QStringLiteral("CREATE TABLE test (%1, \"Tarikh_dapat_kerja\" TEXT)").arg(id));
    for (const char *n : {"ZRVA/KP/0003", "ZRVA/KP/0001", "ZRVA/KP/0002"})
        c->exec(QStringLiteral("INSERT INTO kontraktor (\"NoDaftar\", \"NamaSyarikat\") VALUES (?, ?)"),
                {QString::fromLatin1(n), QStringLiteral("NAMA ") + QString::fromLatin1(n)});
}

} // namespace

class HistoryTest : public QObject
{
    Q_OBJECT
private slots:
    // Registration, update, "Susun", deletion and both restores, each with
    // its writer and what it changed; the key goes with the contractor.
    void everyWriteRecorded()
    {
        test::TempStore store;
        DataControl dc(Locations::kLocalPath, kContractorTable, DataControl::Kind::Table);
        dc.open();
        dc.addNew();
        dc.setValue("NoDaftar", "ZRVA/KP/0009");
        dc.setValue("NamaSyarikat", "JAYA");
        dc.setValue("NoTelHp", "-");
        dc.setValue("Nilai", "100");
        dc.update();
        dc.moveToId(dc.lastAddedId());
        const QString key = dc.value("kunci").toString();
        QCOMPARE(key.size(), 32);
        QCOMPARE(changes(key), QStringList({"Didaftar NoDaftar >ZRVA/KP/0009", "Didaftar NamaSyarikat >JAYA",
                                            "Didaftar NoTelHp >-", "Didaftar Nilai >100"}));
        dc.edit();
        dc.setValue("NoTelHp", "012");
        dc.update();
        QCOMPARE(changes(key).last(), QStringLiteral("Diubah NoTelHp ->012"));
        for (const HistoryEntry &e : entries()) {
            QCOMPARE(std::pair(e.who, e.computer), programWriter());
            QCOMPARE(e.noDaftar + e.company, QStringLiteral("ZRVA/KP/0009JAYA"));
            QVERIFY(qAbs(e.when.secsTo(QDateTime::currentDateTimeUtc())) < 60);
        }

        // "Susun": one entry with the rows that changed place; the key moves along.
        store.addContractor({{"NoDaftar", "ZRVA/KP/0001"}, {"NamaSyarikat", "ALFA"}});
        const qsizetype before = entries().size();
        QCOMPARE(sortContractors(QString(Locations::kLocalPath)), 2);
        QCOMPARE(entries().size(), before + 1);
        QCOMPARE(entries().last().action + ' ' + entries().last().after.toString(), QStringLiteral("Susun 2"));
        QCOMPARE(store.value(1, "NamaSyarikat").toString(), QStringLiteral("JAYA"));
        QCOMPARE(keyAt(store, 1), key);
        QCOMPARE(dc.value("NamaSyarikat").toString(), QStringLiteral("JAYA")); // the control followed it

        // Deleted: every field it held; brought back as restored, once.
        dc.remove();
        QCOMPARE(changes(key).mid(5), QStringList({"Dipadam NoDaftar ZRVA/KP/0009>", "Dipadam NamaSyarikat JAYA>",
                                                   "Dipadam NoTelHp 012>", "Dipadam Nilai 100>"}));
        RestoredContractor r = restoreContractor(dc, key);
        QCOMPARE(changes(key).last(), QStringLiteral("Dipulihkan Nilai >100"));
        QVERIFY_THROWS_EXCEPTION(Failure, restoreContractor(dc, key)); // it is back already
        dc.moveToId(r.id);

        // Its number taken meanwhile: back under the next free one.
        dc.remove();
        store.addContractor({{"NoDaftar", "ZRVA/KP/0009"}, {"NamaSyarikat", "LAIN"}});
        r = restoreContractor(dc, key);
        QCOMPARE(r.oldNumber + ' ' + r.number, QStringLiteral("ZRVA/KP/0009 ZRVA/KP/0010"));
        QCOMPARE(History::problems(*Connection::shared(Locations::kLocalPath)), QStringList());
    }

    // sqlite3 or psql writing directly goes through the triggers too.
    void outsideWritersRecorded()
    {
        test::TempStore store;
        store.addContractors(1);
        const QString sql = QStringLiteral("UPDATE kontraktor SET \"NoTelHp\" = 'luar' WHERE id = 1; "
                                           "INSERT INTO kontraktor (\"NoDaftar\") VALUES ('ZRVA/KP/0002');");
        const test::Run r = test::onPostgres() ? test::run("psql", {"-q", "-v", "ON_ERROR_STOP=1", "-c", sql, "-d", store.path()})
                                               : test::run("sqlite3", {store.path(), sql});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QList<HistoryEntry> all = entries();
        const HistoryEntry changed = all.at(all.size() - 2);
        QCOMPARE(changed.action + ' ' + changed.field + ' ' + changed.after.toString(), QStringLiteral("Diubah NoTelHp luar"));
        QCOMPARE(changed.key, keyAt(store, 0));
        QCOMPARE(all.last().action + ' ' + all.last().after.toString(), QStringLiteral("Didaftar ZRVA/KP/0002"));
        QVERIFY(all.last().key == keyAt(store, 1) && keyAt(store, 1).size() == 32);
        if (test::onPostgres()) {
            QCOMPARE(changed.who, QUrl(qEnvironmentVariable("ARB_TEST_PG")).userName());
            QCOMPARE(changed.computer, QStringLiteral("psql"));
        } else {
            QVERIFY(changed.who.isEmpty() && changed.computer.isEmpty()); // nobody's session
        }
    }

    // Entries cannot be changed by a plain statement; one changed after the
    // guards were dropped, or removed, is found by the chain.
    void handEditsDetected()
    {
        test::TempStore store;
        store.addContractors(2);
        {
            // Entry 47 is the program's; its write seals all.
            DataControl dc(Locations::kLocalPath, kContractorTable, DataControl::Kind::Table);
            dc.open();
            dc.edit();
            dc.setValue("NoTelHp", "baru");
            dc.update();
        }
        QString detail;
        QVERIFY(!test::failureOf([&] { store.exec("UPDATE sejarah SET baru = 'x' WHERE id = 3"); }, &detail).isEmpty());
        QVERIFY2(detail.contains("tidak boleh diubah"), qPrintable(detail));
        if (test::onPostgres()) {
            QVERIFY(test::failureOf([&] { store.exec("DELETE FROM sejarah"); }, &detail) != "<no failure>");
            QVERIFY(test::failureOf([&] { store.exec("TRUNCATE sejarah"); }, &detail) != "<no failure>");
            QSKIP("the server keeps history by the roles' rights: limitedRoleRefused");
        }
        QVERIFY(test::failureOf([&] { store.exec("DELETE FROM sejarah WHERE id = 3"); }) != "<no failure>");

        const auto faultAfter = [&](const QString &edit) {
            QTemporaryDir dir;
            const QString copy = dir.filePath("salinan.mdb");
            QFile::copy(store.path(), copy);
            const test::Run r = test::run("sqlite3", {copy, "DROP TRIGGER sejarah_tetap; DROP TRIGGER sejarah_tetap_padam; "
                                                            "DROP TRIGGER sejarah_tetap_meterai; " + edit});
            Connection c(copy);
            return r.err + History::verifyChain(c).fault;
        };
        QCOMPARE(faultAfter("UPDATE sejarah SET baru = 'x' WHERE id = 3"), QStringLiteral("entri 3 telah diubah"));
        QCOMPARE(faultAfter("DELETE FROM sejarah WHERE id = 3"), QStringLiteral("entri sebelum entri 4 telah dibuang"));
        QCOMPARE(faultAfter("DELETE FROM sejarah WHERE id = (SELECT max(id) FROM sejarah)"),
                 QStringLiteral("entri selepas entri 46 telah dibuang"));
        QCOMPARE(faultAfter("UPDATE sejarah SET cincang = NULL WHERE id = 7"), QStringLiteral("meterai entri 7 telah dibuang"));
        // An edit passed off as an outside writer's still names the program as its writer.
        QCOMPARE(faultAfter("UPDATE sejarah SET cincang = NULL, baru = 'x' WHERE id = 47"),
                 QStringLiteral("entri 47 tidak bermeterai tetapi ditulis oleh program: telah diubah"));
    }

    // A role granted INSERT only on the history (README) writes the register,
    // is recorded under its name, and cannot rewrite, empty or switch off
    // the history.
    void limitedRoleRefused()
    {
        if (!test::onPostgres())
            QSKIP("roles are the server's; SQLite has the chain");
        test::TempStore store;
        store.addContractors(1);
        const QString role = QStringLiteral("kerani_%1").arg(QCoreApplication::applicationPid());
        store.exec(QStringLiteral("CREATE ROLE %1 LOGIN").arg(role));
        const auto dropRole = qScopeGuard([&] {
            try {
                store.exec(QStringLiteral("DROP OWNED BY %1").arg(role));
                store.exec(QStringLiteral("DROP ROLE %1").arg(role));
            } catch (...) {
            }
        });
        for (const QString &grant : {QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON kontraktor, password, test TO %1"),
                                     QStringLiteral("GRANT SELECT, INSERT ON sejarah TO %1"),
                                     QStringLiteral("GRANT USAGE ON ALL SEQUENCES IN SCHEMA public TO %1")})
            store.exec(grant.arg(role));
        QUrl url(store.path());
        url.setUserName(role);
        Connection clerk(url.toString());
        clerk.write([&] { clerk.exec("UPDATE kontraktor SET \"NoTelHp\" = 'kerani' WHERE id = 1"); });
        clerk.exec("INSERT INTO sejarah (tindakan, siapa, komputer) VALUES ('Diubah', 'orang lain', 'meja lain')");
        const QList<HistoryEntry> all = entries();
        QCOMPARE(all.at(all.size() - 2).after.toString() + ' ' + all.at(all.size() - 2).who, QStringLiteral("kerani ") + role);
        QCOMPARE(all.last().who + ' ' + all.last().computer, role + ' ' + QCoreApplication::applicationName() + '@'
                                                                 + QSysInfo::machineHostName());
        for (const char *sql : {"UPDATE sejarah SET baru = 'x'", "DELETE FROM sejarah", "TRUNCATE sejarah",
                                "DROP TRIGGER sejarah_ubah ON kontraktor", "ALTER TABLE kontraktor DISABLE TRIGGER ALL",
                                "ALTER TABLE sejarah DISABLE TRIGGER sejarah_tetap", "DROP TABLE sejarah"}) {
            QString detail;
            QVERIFY2(test::failureOf([&] { clerk.exec(QString::fromLatin1(sql)); }, &detail) != "<no failure>", sql);
            QVERIFY2(detail.contains("permission denied") || detail.contains("must be owner"), qPrintable(detail));
        }
        QCOMPARE(entries().size(), all.size());
    }

    // A store made before the history gets the key and the history at its
    // first open, in one transaction; nothing else changes.
    void oldStoreUpgraded()
    {
        test::TempStore store{test::TempStore::Empty{}};
        makeOldStore(store.path(), test::onPostgres());
        Locations::setStore(store.path());
        {
            DataControl dc(Locations::kLocalPath, kContractorTable, DataControl::Kind::Table);
            dc.open();
            QCOMPARE(dc.text("NoDaftar"), QStringLiteral("ZRVA/KP/0003"));
            const QList<QVariantMap> rows = store.rows();
            const QSet<QString> keys{keyAt(store, 0), keyAt(store, 1), keyAt(store, 2)};
            QVERIFY(keys.size() == 3 && !keys.contains(QString()));
            QVERIFY(entries().isEmpty());
            dc.edit();
            dc.setValue("NoTelHp", "baru");
            dc.update();
            QCOMPARE(changes(rows.first().value("kunci").toString()), QStringList{"Diubah NoTelHp >baru"});
            QCOMPARE(History::problems(dc.connection()), QStringList());
        }
        Locations::setStore(QString());
    }

    // A history entry that cannot be stored fails the write it belongs to:
    // the row keeps its value, the clerk is told.
    void failedEntryFailsTheWrite()
    {
        test::TempStore store;
        store.addContractors(1);
        if (test::onPostgres()) {
            store.exec("CREATE FUNCTION penuh() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN RAISE EXCEPTION 'penuh'; END $$");
            store.exec("CREATE TRIGGER penuh BEFORE INSERT ON sejarah FOR EACH ROW EXECUTE FUNCTION penuh()");
        } else {
            store.exec("CREATE TRIGGER penuh BEFORE INSERT ON sejarah BEGIN SELECT RAISE(ABORT, 'penuh'); END");
        }
        const qsizetype before = entries().size();
        DataControl dc(Locations::kLocalPath, kContractorTable, DataControl::Kind::Table);
        dc.open();
        dc.edit();
        dc.setValue("NoTelHp", "baru");
        QCOMPARE(test::failureOf([&] { dc.update(); }), QStringLiteral("Rekod tidak dapat dikemas kini."));
        QCOMPARE(store.value(0, "NoTelHp").toString(), QStringLiteral("NoTelHp 1"));
        QCOMPARE(entries().size(), before);
    }
};

ARB_TEST_MAIN(HistoryTest)
#include "tst_history.moc"
