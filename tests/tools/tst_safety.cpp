#include "TestSupport.h"
#include "Fixture.h"

#include "app/DailyCopy.h"

#include "data/Connection.h"
#include "data/DataControl.h"
#include "data/Locations.h"
#include "data/SafetyCopy.h"
#include "data/Snapshot.h"
#include "data/StoreError.h"
#include "platform/Guard.h"
#include "platform/Windows.h"
#include "register/Search.h"
#include "reports/Form2.h"
#include "reports/Form3.h"
#include "reports/PainterDevice.h"
#include "reports/PrintRecorder.h"

#include <QDir>
#include <QtEndian>
#include <QPointer>
#include <QPushButton>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlError>
#include <QThread>

#include <unistd.h>

using namespace arb;

namespace {

struct Run { int status = -1; QString out; QString err; };

Run admin(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(ARB_ADMIN), args);
    p.waitForFinished(120000);
    const int status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return {status, QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// Starts a command and kills it after the given time; returns false when it had already finished.
bool killedAfter(const QStringList &args, int ms)
{
    QProcess p;
    p.start(QStringLiteral(ARB_ADMIN), args);
    p.waitForStarted();
    if (p.waitForFinished(ms))
        return false;
    p.kill();
    p.waitForFinished();
    return true;
}

int elapsedMs(const QStringList &args)
{
    QElapsedTimer t;
    t.start();
    const Run r = admin(args);
    if (r.status != 0)
        qWarning("%s", qPrintable(r.err));
    return int(t.elapsed());
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// A store of count contractors with long addresses, so that it spans many pages.
void makeRegister(const QString &path, int count)
{
    QVERIFY(admin({QStringLiteral("init"), path}).status == 0);
    Connection c(path);
    c.write([&] {
        QSqlQuery q = c.prepare(QStringLiteral("INSERT INTO kontraktor (NoDaftar, NamaSyarikat, AlamatPendaftaranSyarikat) "
                                               "VALUES (?, ?, ?)"));
        for (int i = 1; i <= count; ++i)
            c.run(q, {QStringLiteral("ZRVA/KP/%1").arg(i, 5, 10, QLatin1Char('0')), QStringLiteral("SYARIKAT %1").arg(i),
                      QStringLiteral("No. %1, Jalan Merbah, Lembah Serindit ").arg(i).repeated(4)});
    });
}

// Zeroes a run of pages in the middle of a SQLite file.
void zeroPages(const QString &path, int pages)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    const qint64 pageSize = 4096;
    const qint64 middle = f.size() / pageSize / 2;
    QVERIFY(middle > pages);
    f.seek((middle - pages / 2) * pageSize);
    f.write(QByteArray(pageSize * pages, '\0'));
    // As after any later write: open connections drop the pages they hold.
    f.seek(24);
    const QByteArray counter = f.read(4);
    const quint32 next = qFromBigEndian<quint32>(counter.constData()) + 1;
    f.seek(24);
    char bytes[4];
    qToBigEndian(next, bytes);
    f.write(bytes, 4);
}

bool namesDamage(const QString &text, const QString &store)
{
    return text.contains(QStringLiteral("Pangkalan data rosak")) && text.contains(QStringLiteral("arb-admin check"))
           && text.contains(store);
}

qint64 count(const QString &store)
{
    Connection c(store);
    QSqlQuery q = c.exec(QStringLiteral("SELECT count(*) FROM kontraktor"));
    q.next();
    return q.value(0).toLongLong();
}

bool sound(const QString &store)
{
    return admin({QStringLiteral("check"), store}).status == 0;
}

} // namespace

class SafetyTest : public QObject
{
    Q_OBJECT

private slots:
    void damagedStoreIsNeverReadAsAShorterOne()
    {
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("kontraktor.mdb"));
        makeRegister(store, 4000);
        Locations::setStore(store);
        // The print window is open when the damage happens.
        auto printing = std::make_unique<Form2>();
        zeroPages(store, 20);
        const QStringList before = entries(dir.path());
        test::shownBoxes();

        // The list window does not open.
        QVERIFY(!guard(nullptr, [] { showWindow<Form3>(); }));
        QVERIFY(!loadedWindow<Form3>());
        QStringList boxes = test::shownBoxes();
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(namesDamage(boxes.first(), store), qPrintable(boxes.first()));

        // Nor does the print window; and "Cetak Semua" in one already open
        // prints nothing and says no "Data telah dicetak".
        QVERIFY(!guard(nullptr, [] { new Form2(); }));
        QVERIFY(namesDamage(test::shownBoxes().value(0), store));
        {
            PrintRecorder rec;
            QTest::mouseClick(printing->Command2, Qt::LeftButton);
            boxes = test::shownBoxes();
            QCOMPARE(boxes.size(), 1);
            QVERIFY2(namesDamage(boxes.first(), store), qPrintable(boxes.first()));
            for (const RecordedJob &job : rec.jobs())
                QVERIFY(!job.ended);
        }

        // A search, and any snapshot of the register.
        DataControl position(store, QStringLiteral("kontraktor"), DataControl::Kind::Dynaset); // never reached
        QVERIFY(!guard(nullptr, [&] { searchContractors(nullptr, QStringLiteral("SYARIKAT 3999"), kSearchByName, position); }));
        boxes = test::shownBoxes();
        QVERIFY(!boxes.isEmpty() && namesDamage(boxes.last(), store));

        // The tools: failure, the message, and nothing made.
        const QList<QStringList> commands{
            {QStringLiteral("export-csv"), store, dir.filePath(QStringLiteral("daftar.csv"))},
            {QStringLiteral("export-csv"), store},
            {QStringLiteral("copy"), store, dir.filePath(QStringLiteral("salinan.mdb"))},
            {QStringLiteral("backup"), store, dir.filePath(QStringLiteral("sandaran.mdb"))},
        };
        for (const QStringList &args : commands) {
            const Run r = admin(args);
            QVERIFY2(r.status == 1, qPrintable(args.join(' ') + r.err));
            QVERIFY2(r.err.contains(QStringLiteral("rosak")) && r.err.contains(QStringLiteral("arb-admin check"))
                         || args.first() == QLatin1String("backup"),
                     qPrintable(args.join(' ') + QLatin1Char(' ') + r.err));
            QVERIFY2(r.out.isEmpty(), qPrintable(r.out.left(200))); // not a row, not a word of success
            QCOMPARE(entries(dir.path()), before);
        }
        // The daily copy refuses it too, and leaves nothing but the folder.
        QVERIFY_THROWS_EXCEPTION(Failure, makeDailyCopy(store, QDate(2026, 3, 1)));
        QCOMPARE(entries(dailyCopyFolder(store)), QStringList());
    }

    void eachCauseHasItsOwnSentence()
    {
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("kontraktor.mdb"));
        makeRegister(store, 50);

        // Disk full: the store may not grow.
        {
            Connection c(store);
            QSqlQuery q = c.exec(QStringLiteral("PRAGMA page_count"));
            q.next();
            c.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(q.value(0).toInt()));
            try {
                c.write([&] {
                    for (int i = 0; i < 50; ++i)
                        c.exec(QStringLiteral("INSERT INTO kontraktor (NamaSyarikat) VALUES (?)"), {QString(4000, QLatin1Char('x'))});
                });
                QFAIL("a full store took the rows");
            } catch (const Failure &f) {
                QVERIFY2(f.message().startsWith(QStringLiteral("Cakera penuh")) && f.message().contains(store), qPrintable(f.message()));
            }
        }
        QCOMPARE(count(store), 50);

        // Not a store of this program.
        const QString text = dir.filePath(QStringLiteral("teks.mdb"));
        QFile t(text);
        QVERIFY(t.open(QIODevice::WriteOnly));
        t.write(QByteArray(8192, 'a'));
        t.close();
        try {
            Connection c(text);
            QFAIL("a text file opened as a store");
        } catch (const Failure &f) {
            QVERIFY2(f.message().startsWith(QStringLiteral("Fail ini bukan pangkalan data aplikasi ini")), qPrintable(f.message()));
        }

        // In use by another desktop: a lock held past the wait at open.
        {
            Connection holder(store);
            holder.exec(QStringLiteral("BEGIN EXCLUSIVE"));
            holder.exec(QStringLiteral("INSERT INTO kontraktor (NamaSyarikat) VALUES ('A')"));
            const Run r = admin({QStringLiteral("check"), store});
            QCOMPARE(r.status, 1);
            QVERIFY2(r.err.startsWith(QStringLiteral("Pangkalan data sedang digunakan oleh komputer lain: ") + store), qPrintable(r.err));
            holder.exec(QStringLiteral("ROLLBACK"));
        }
        // The server's lock time-out gets the same sentence.
        const Failure f = storeFailure(QSqlError(QStringLiteral("driver"), QStringLiteral("lock timeout"), QSqlError::StatementError,
                                                 QStringLiteral("55P03")),
                                       store, QStringLiteral("lain"));
        QVERIFY2(f.message().contains(QStringLiteral("sedang digunakan oleh komputer lain")), qPrintable(f.message()));
    }

    void fullDiskOutputIsNeverSuccess()
    {
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("kontraktor.mdb"));
        makeRegister(store, 2000);
        // Standard output on a full disk.
        QProcess p;
        p.setStandardOutputFile(QStringLiteral("/dev/full"));
        p.start(QStringLiteral(ARB_ADMIN), {QStringLiteral("export-csv"), store});
        p.waitForFinished();
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("Cakera penuh")));

        // A file on a small full disk: needs a tmpfs, which needs root.
        const QString small = dir.filePath(QStringLiteral("kecil"));
        QDir().mkpath(small);
        if (geteuid() != 0 || QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=256k", "tmpfs", small}) != 0) {
            if (qgetenv("CI") == "true")
                QFAIL("a small tmpfs could not be mounted: CI runs as root and must test a full disk");
            QSKIP("not root: a file on a full disk is not tested here (only standard output and the store)");
        }
        const auto unmount = qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {small}); });
        for (const QStringList &args : QList<QStringList>{
                 {QStringLiteral("export-csv"), store, small + QStringLiteral("/daftar.csv")},
                 {QStringLiteral("backup"), store, small + QStringLiteral("/salinan.mdb")},
                 {QStringLiteral("copy"), store, small + QStringLiteral("/salinan.mdb")},
                 {QStringLiteral("init"), QStringLiteral("--demo"), small + QStringLiteral("/baru.mdb")}}) {
            // Fill the disk but for two pages, so that every command runs out on the way.
            QFile filler(small + QStringLiteral("/isi"));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
            }
            filler.close();
            QFile::resize(filler.fileName(), filler.size() - 2 * 4096);
            const Run r = admin(args);
            QVERIFY2(r.status == 1, qPrintable(args.join(' ') + r.out));
            QVERIFY2(r.err.contains(QStringLiteral("Cakera penuh")), qPrintable(args.join(' ') + QLatin1Char(' ') + r.err));
            QCOMPARE(entries(small), QStringList{QStringLiteral("isi")});
            QFile::remove(filler.fileName());
        }
        // A PDF that does not fit fails on the way or at its end, and is removed.
        auto pdf = PainterDevice::forPdf(small + QStringLiteral("/senarai.pdf"));
        try {
            pdf->beginJob(QStringLiteral("Senarai"), false, std::nullopt);
            for (int page = 0; page < 400; ++page) {
                for (int line = 0; line < 40; ++line)
                    pdf->drawText(500, 500 + line * 300,
                                  QStringLiteral("ZRVA/KP/%1 SYARIKAT %2 %3").arg(page).arg(line).arg(QString(60, QLatin1Char('x'))),
                                  QFont(QStringLiteral("Arial"), 10), QRectF());
                pdf->newPage();
            }
            pdf->endJob();
            QFAIL("a cut PDF passed for whole");
        } catch (const Failure &f) {
            QVERIFY2(f.message().startsWith(QStringLiteral("Cakera penuh")), qPrintable(f.message()));
        }
        pdf.reset();
        QCOMPARE(entries(small), QStringList());
    }

    void killedToolsLeaveTheTargetAbsentOrComplete()
    {
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("kontraktor.mdb"));
        makeRegister(store, 6000);
        const QString target = dir.filePath(QStringLiteral("sasaran/kontraktor.mdb"));
        struct Case { QString name; QStringList args; qint64 rows; };
        QList<Case> cases{
            {QStringLiteral("init"), {QStringLiteral("init"), QStringLiteral("--demo"), target}, 25},
            {QStringLiteral("copy"), {QStringLiteral("copy"), store, target}, 6000},
            {QStringLiteral("backup"), {QStringLiteral("backup"), store, target}, 6000},
        };
        // Northwind with Categories renamed kontraktor: a legacy register of eight rows.
        ARB_FIXTURE(northwindPath, "legacy/jet3-northwind.mdb");
        QFile northwind(northwindPath);
        QVERIFY(northwind.open(QIODevice::ReadOnly));
        {
            const QString legacy = dir.filePath(QStringLiteral("lama.mdb"));
            QFile out(legacy);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(northwind.readAll().replace("Categories", "kontraktor"));
            out.close();
            cases.append({QStringLiteral("import-mdb"), {QStringLiteral("import-mdb"), legacy, target}, 8});
        }
        int killed = 0, swept = 0;
        for (const Case &c : cases) {
            QDir(QFileInfo(target).absolutePath()).removeRecursively();
            QDir().mkpath(QFileInfo(target).absolutePath());
            const int full = qMax(elapsedMs(c.args), 5);
            const qint64 rows = c.rows >= 0 ? c.rows : count(target);
            for (int run = 0; run < 4; ++run) {
                QDir(QFileInfo(target).absolutePath()).removeRecursively();
                QDir().mkpath(QFileInfo(target).absolutePath());
                const int at = int(QRandomGenerator::global()->bounded(full));
                if (!killedAfter(c.args, at))
                    continue;
                ++killed;
                // Absent or complete.
                if (QFileInfo::exists(target)) {
                    QVERIFY2(sound(target) && count(target) == rows, qPrintable(c.name));
                    QFile::remove(target);
                }
                const bool litter = entries(QFileInfo(target).absolutePath()).size() > 0;
                // The next run works, removes the leftovers and says so.
                const Run again = admin(c.args);
                QVERIFY2(again.status == 0, qPrintable(c.name + again.err));
                QCOMPARE(again.err.contains(QStringLiteral("fail sementara")), litter);
                swept += litter;
                QCOMPARE(entries(QFileInfo(target).absolutePath()), QStringList{QFileInfo(target).fileName()});
                QVERIFY(sound(target) && count(target) == rows);
            }
        }
        qInfo("killed %d runs, %d of them left files that the next run removed", killed, swept);
        QVERIFY(killed > 0);
    }

    void neverTouchesWhatItDidNotMake()
    {
        QTemporaryDir dir;
        // A symlink loop where the store should go.
        const QString loop = dir.filePath(QStringLiteral("gelung.mdb"));
        QVERIFY(QFile::link(loop, loop));
        const Run r = admin({QStringLiteral("init"), loop});
        QCOMPARE(r.status, 1);
        QVERIFY(QFileInfo(loop).isSymLink());
        // A dangling link is not replaced either.
        const QString dangling = dir.filePath(QStringLiteral("hilang.mdb"));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("tiada/sini.mdb")), dangling));
        QCOMPARE(admin({QStringLiteral("init"), dangling}).status, 1);
        QCOMPARE(admin({QStringLiteral("copy"), loop, dangling}).status, 1);
        QVERIFY(QFileInfo(dangling).isSymLink());
        QCOMPARE(entries(dir.path()), (QStringList{QStringLiteral("gelung.mdb"), QStringLiteral("hilang.mdb")}));
    }

    void dailyCopyOnceADaySevenKeptAndRestored()
    {
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("kontraktor.mdb"));
        makeRegister(store, 30);
        const QString folder = dailyCopyFolder(store);
        QCOMPARE(folder, dir.filePath(QStringLiteral("sandaran")));
        const QDate first(2026, 1, 28);
        QCOMPARE(makeDailyCopy(store, first), folder + QStringLiteral("/kontraktor-2026-01-28.mdb"));
        QCOMPARE(makeDailyCopy(store, first), QString()); // once a day
        for (int d = 1; d <= 9; ++d)
            QVERIFY(!makeDailyCopy(store, first.addDays(d)).isEmpty());
        QStringList kept;
        for (int d = 3; d <= 9; ++d)
            kept << first.addDays(d).toString(QStringLiteral("'kontraktor-'yyyy-MM-dd'.mdb'"));
        QCOMPARE(entries(folder), kept);

        // Restore: the copy comes back, the replaced store is kept.
        const QString copy = folder + QLatin1Char('/') + kept.last();
        {
            Connection c(store);
            c.exec(QStringLiteral("DELETE FROM kontraktor"));
        }
        Run r = admin({QStringLiteral("restore"), copy, store});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(count(store), 30);
        const QStringList replaced = QDir(dir.path()).entryList({QStringLiteral("kontraktor-replaced-*.mdb")});
        QCOMPARE(replaced.size(), 1);
        QCOMPARE(count(dir.filePath(replaced.first())), 0);

        // Refused while the store is open, and for a damaged copy.
        {
            Connection open(store);
            r = admin({QStringLiteral("restore"), copy, store});
            QCOMPARE(r.status, 1);
            QVERIFY2(r.err.contains(QStringLiteral("sedang dibuka")), qPrintable(r.err));
        }
        const QString bad = dir.filePath(QStringLiteral("rosak.mdb"));
        makeRegister(bad, 4000);
        zeroPages(bad, 20);
        r = admin({QStringLiteral("restore"), bad, store});
        QCOMPARE(r.status, 1);
        QCOMPARE(count(store), 30);
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("kontraktor-replaced-*.mdb")}).size(), 1);
    }

    void dailyCopyAtStartNeverStopsTheProgram()
    {
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("kontraktor.mdb"));
        makeRegister(store, 20);
        test::shownBoxes();
        // In the background, and made.
        QPointer<QThread> copying = startDailyCopy(store, QDate(2026, 2, 1));
        QVERIFY(copying);
        QTRY_VERIFY(copying.isNull());
        QCoreApplication::processEvents();
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("sandaran/kontraktor-2026-02-01.mdb"))));
        QCOMPARE(test::shownBoxes(), QStringList());

        // A copy that cannot be made is reported once, and the program goes on.
        QVERIFY(QDir(dir.filePath(QStringLiteral("sandaran"))).removeRecursively());
        QFile blocker(dir.filePath(QStringLiteral("sandaran")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        copying = startDailyCopy(store, QDate(2026, 2, 2));
        QTRY_VERIFY(copying.isNull());
        QCoreApplication::processEvents();
        const QStringList boxes = test::shownBoxes();
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes.first().contains(QStringLiteral("Salinan harian pangkalan data tidak dapat dibuat")), qPrintable(boxes.first()));
        QCOMPARE(entries(dir.path()), (QStringList{QStringLiteral("kontraktor.mdb"), QStringLiteral("sandaran")}));
        QVERIFY(!startDailyCopy(QStringLiteral("postgresql://arb@localhost/arb"), QDate(2026, 2, 2)));

        // The program makes the day's copy when it starts.
        QFile::remove(blocker.fileName());
        QProcess arb;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ARB_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
        arb.setProcessEnvironment(env);
        arb.start(QStringLiteral(ARB_APP), {QStringLiteral("--database"), store});
        QVERIFY(arb.waitForFinished(30000));
        QCOMPARE(arb.exitCode(), 0);
        const QString today = QDate::currentDate().toString(QStringLiteral("'kontraktor-'yyyy-MM-dd'.mdb'"));
        QCOMPARE(entries(dir.filePath(QStringLiteral("sandaran"))), QStringList{today});
        QCOMPARE(count(dir.filePath(QStringLiteral("sandaran/")) + today), 20);
    }
};

ARB_TEST_MAIN(SafetyTest)
#include "tst_safety.moc"
