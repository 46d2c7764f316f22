#include "TestSupport.h"
#include "Fixture.h"

#include "app/DailyCopy.h"
#include "app/Form1.h"

#include "data/Connection.h"
#include "data/DataControl.h"
#include "data/Locations.h"
#include "data/SafetyCopy.h"
#include "data/Snapshot.h"
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
#include <QStandardPaths>
#include <QThread>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using namespace arb;
using namespace arb::test;

namespace {

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
    const quint32 next = qToBigEndian(qFromBigEndian<quint32>(f.read(4).constData()) + 1);
    f.seek(24);
    f.write(reinterpret_cast<const char *>(&next), 4);
}

bool namesDamage(const QString &text, const QString &store)
{
    return text.contains(QStringLiteral("Pangkalan data rosak")) && text.contains(QStringLiteral("arb-admin check"))
           && text.contains(store);
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
        makeRegisterFile(store, 4000);
        Locations::setStore(store);
        // The print window is open when the damage happens.
        auto printing = std::make_unique<Form2>();
        zeroPages(store, 20);
        const QStringList before = entries(dir.path());
        shownBoxes();
        // The list window does not open.
        QVERIFY(!guard(nullptr, [] { showWindow<Form3>(); }));
        QVERIFY(!loadedWindow<Form3>());
        QStringList boxes = shownBoxes();
        QVERIFY2(boxes.size() == 1 && namesDamage(boxes.first(), store), qPrintable(boxes.join('\n')));
        // Nor does the print window; and "Cetak Semua" in one already open
        // prints nothing and says no "Data telah dicetak".
        QVERIFY(!guard(nullptr, [] { new Form2(); }));
        QVERIFY(namesDamage(shownBoxes().value(0), store));
        {
            PrintRecorder rec;
            QTest::mouseClick(printing->Command2, Qt::LeftButton);
            boxes = shownBoxes();
            QVERIFY2(boxes.size() == 1 && namesDamage(boxes.first(), store), qPrintable(boxes.join('\n')));
            for (const RecordedJob &job : rec.jobs())
                QVERIFY(!job.ended);
        }

        // A search, and any snapshot of the register.
        DataControl position(store, QStringLiteral("kontraktor"), DataControl::Kind::Dynaset); // never reached
        QVERIFY(!guard(nullptr, [&] { searchContractors(nullptr, QStringLiteral("SYARIKAT 3999"), kSearchByName, position); }));
        boxes = shownBoxes();
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
            QVERIFY2(r.status == 1 && (namesDamage(r.err, store) || args.first() == "backup"),
                     qPrintable(args.join(' ') + ' ' + r.err));
            QVERIFY2(r.out.isEmpty(), r.out.left(200).constData()); // not a row, not a word of success
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
        makeRegisterFile(store, 50);

        // Disk full: the store may not grow.
        {
            Connection c(store);
            QSqlQuery q = c.exec(QStringLiteral("PRAGMA page_count"));
            q.next();
            c.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(q.value(0).toInt()));
            const QString full = failureOf([&] {
                c.write([&] {
                    for (int i = 0; i < 50; ++i)
                        c.exec(QStringLiteral("INSERT INTO kontraktor (NamaSyarikat) VALUES (?)"), {QString(4000, 'x')});
                });
            });
            QVERIFY2(full.startsWith(QStringLiteral("Cakera penuh")) && full.contains(store), qPrintable(full));
        }
        QCOMPARE(contractorsIn(store), 50);
        // Not a store of this program.
        const QString text = dir.filePath(QStringLiteral("teks.mdb"));
        writeFile(text, QByteArray(8192, 'a'));
        const QString notOurs = failureOf([&] { Connection c(text); });
        QVERIFY2(notOurs.startsWith(QStringLiteral("Fail ini bukan pangkalan data aplikasi ini")), qPrintable(notOurs));
        // In use by another desktop: a lock held past the wait at open.
        Connection holder(store);
        holder.exec(QStringLiteral("BEGIN EXCLUSIVE"));
        holder.exec(QStringLiteral("INSERT INTO kontraktor (NamaSyarikat) VALUES ('A')"));
        const Run r = admin({QStringLiteral("check"), store});
        QVERIFY2(r.status == 1 && r.err.startsWith(QStringLiteral("Pangkalan data sedang digunakan oleh komputer lain: ") + store),
                 qPrintable(r.err));
        holder.exec(QStringLiteral("ROLLBACK"));
    }

    void fullDiskOutputIsNeverSuccess()
    {
#ifdef Q_OS_WIN
        QSKIP("a full disk is made with /dev/full and a small tmpfs, which Windows has not");
#else
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("kontraktor.mdb"));
        makeRegisterFile(store, 2000);
        // Standard output on a full disk: a register written in one go, and
        // one small enough to wait in the buffer until the end. Standard
        // output is not ours to remove: it is said to be incomplete.
        const QString little = dir.filePath(QStringLiteral("sedikit.mdb"));
        makeRegisterFile(little, 3);
        const auto exportToFull = [&](const QString &from, const QString &output) {
            QProcess p;
            p.setStandardOutputFile(output);
            p.start(QStringLiteral(ARB_ADMIN), {QStringLiteral("export-csv"), from});
            p.waitForFinished();
            const QString err = QString::fromUtf8(p.readAllStandardError());
            QVERIFY2(p.exitCode() == 1 && err.startsWith(QStringLiteral("Cakera penuh"))
                         && err.contains(QStringLiteral("output standard")) && err.contains(QStringLiteral("tidak lengkap"))
                         && !err.contains(QStringLiteral("dibuang")),
                     qPrintable(err));
        };
        for (const QString &from : {store, little})
            exportToFull(from, QStringLiteral("/dev/full"));

        // A file on a small full disk: needs a tmpfs, which needs root.
        const QString small = dir.filePath(QStringLiteral("kecil"));
        QDir().mkpath(small);
        if (geteuid() != 0 || QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=256k", "tmpfs", small}) != 0) {
            if (qgetenv("CI") == "true")
                QFAIL("a small tmpfs could not be mounted: CI runs as root and must test a full disk");
            QSKIP("not root: a file on a full disk is not tested here (only standard output and the store)");
        }
        const auto unmount = qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {small}); });
        // A store of its own on the small disk, with the folder of its daily copies.
        const QString onSmall = small + QStringLiteral("/kontraktor.mdb");
        makeRegisterFile(onSmall, 20);
        QVERIFY(QDir().mkpath(dailyCopyFolder(onSmall)));
        const QStringList present{QStringLiteral("isi"), QStringLiteral("kontraktor.mdb"), QStringLiteral("sandaran")};
        // Fills the disk but for two pages, so that every command runs out on the way.
        QFile filler(small + QStringLiteral("/isi"));
        const auto fill = [&] {
            QVERIFY(filler.open(QIODevice::WriteOnly));
            while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
            }
            filler.close();
            QFile::resize(filler.fileName(), filler.size() - 2 * 4096);
        };
        // The message names the file that could not be written, never the source.
        for (const QStringList &args : QList<QStringList>{
                 {QStringLiteral("export-csv"), store, small + QStringLiteral("/daftar.csv")},
                 {QStringLiteral("backup"), store, small + QStringLiteral("/salinan.mdb")},
                 {QStringLiteral("copy"), store, small + QStringLiteral("/salinan.mdb")},
                 {QStringLiteral("init"), QStringLiteral("--demo"), small + QStringLiteral("/baru.mdb")},
                 {QStringLiteral("restore"), little, onSmall}}) {
            fill();
            const Run r = admin(args);
            const QString first = r.err.section(QLatin1Char('\n'), 0, 0);
            QVERIFY2(r.status == 1 && first.startsWith(QStringLiteral("Cakera penuh")) && first.endsWith(args.last())
                         && !first.contains(args.at(args.size() - 2)) && !r.err.contains(QStringLiteral(".arb-tmp")),
                     qPrintable(args.join(' ') + ' ' + r.err));
            QCOMPARE(entries(small), present);
            QFile::remove(filler.fileName());
        }
        QCOMPARE(contractorsIn(onSmall), 20); // the store a restore could not replace is whole
        // The daily copy names its own file.
        fill();
        const QString daily = dailyCopyFolder(onSmall) + QStringLiteral("/kontraktor-2026-03-02.mdb");
        const QString full = failureOf([&] { makeDailyCopy(onSmall, QDate(2026, 3, 2)); });
        QVERIFY2(full.startsWith(QStringLiteral("Cakera penuh")) && full.contains(daily), qPrintable(full));
        QCOMPARE(entries(dailyCopyFolder(onSmall)), QStringList());
        // Standard output sent to a file on the full disk.
        exportToFull(store, small + QStringLiteral("/keluaran.csv"));
        QFile::remove(small + QStringLiteral("/keluaran.csv"));
        QFile::remove(filler.fileName());

        // A folder that cannot be written is named, never the hidden name a
        // command writes under.
        QCOMPARE(QProcess::execute(QStringLiteral("mount"), {"-o", "remount,ro", small}), 0);
        for (const QStringList &args : QList<QStringList>{
                 {QStringLiteral("backup"), store, small + QStringLiteral("/salinan.mdb")},
                 {QStringLiteral("copy"), store, small + QStringLiteral("/salinan.mdb")},
                 {QStringLiteral("init"), small + QStringLiteral("/baru.mdb")},
                 {QStringLiteral("restore"), little, onSmall}}) {
            const Run r = admin(args);
            QVERIFY2(r.status == 1 && r.err.section(QLatin1Char('\n'), 0, 0).contains(args.last())
                         && !r.err.contains(QStringLiteral(".arb-tmp")),
                     qPrintable(args.join(' ') + ' ' + r.err));
        }
        QCOMPARE(QProcess::execute(QStringLiteral("mount"), {"-o", "remount,rw", small}), 0);
        QFile::remove(onSmall);
        QDir(dailyCopyFolder(onSmall)).removeRecursively();
        // A PDF that does not fit fails on the way or at its end, and is removed.
        auto pdf = PainterDevice::forPdf(small + QStringLiteral("/senarai.pdf"));
        const QString cut = failureOf([&] {
            pdf->beginJob(QStringLiteral("Senarai"), false, std::nullopt);
            for (int page = 0; page < 400; ++page) {
                for (int line = 0; line < 40; ++line)
                    pdf->drawText(500, 500 + line * 300,
                                  QStringLiteral("ZRVA/KP/%1 SYARIKAT %2 %3").arg(page).arg(line).arg(QString(60, QLatin1Char('x'))),
                                  QFont(QStringLiteral("Arial"), 10), QRectF());
                pdf->newPage();
            }
            pdf->endJob();
        });
        QVERIFY2(cut.startsWith(QStringLiteral("Cakera penuh")), qPrintable(cut));
        pdf.reset();
        QCOMPARE(entries(small), QStringList());
#endif
    }

    void killedToolsLeaveTheTargetAbsentOrComplete()
    {
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("kontraktor.mdb"));
        makeRegisterFile(store, 6000);
        const QString folder = dir.filePath(QStringLiteral("sasaran")), target = folder + QStringLiteral("/kontraktor.mdb");
        // Northwind with Categories renamed kontraktor: a legacy register of eight rows.
        ARB_FIXTURE(northwind, "legacy/jet3-northwind.mdb");
        const QString legacy = dir.filePath(QStringLiteral("lama.mdb"));
        writeFile(legacy, readFile(northwind).replace("Categories", "kontraktor"));
        const QList<std::pair<QStringList, qint64>> cases{{{"init", "--demo", target}, 25},
                                                          {{"copy", store, target}, 6000},
                                                          {{"backup", store, target}, 6000},
                                                          {{"import-mdb", legacy, target}, 8}};
        int killed = 0, swept = 0;
        for (const auto &[args, rows] : cases) {
            if (args.first() == QLatin1String("import-mdb") && !accessReaderHere())
                continue;
            QDir(folder).removeRecursively();
            QDir().mkpath(folder);
            QElapsedTimer timer;
            timer.start();
            QVERIFY2(admin(args).status == 0, qPrintable(args.join(' ')));
            const int full = qMax(int(timer.elapsed()), 5);
            for (int run = 0; run < 4; ++run) {
                QDir(folder).removeRecursively();
                QDir().mkpath(folder);
                if (!killedAfter(QStringLiteral(ARB_ADMIN), args, int(QRandomGenerator::global()->bounded(full))))
                    continue;
                ++killed;
                // Absent or complete.
                if (QFileInfo::exists(target)) {
                    QVERIFY2(sound(target) && contractorsIn(target) == rows, qPrintable(args.first()));
                    QFile::remove(target);
                }
                const bool litter = !entries(folder).isEmpty();
                // The next run works, removes the leftovers and says so.
                const Run again = admin(args);
                QVERIFY2(again.status == 0, qPrintable(args.first() + again.err));
                QCOMPARE(again.err.contains(QStringLiteral("fail sementara")), litter);
                swept += litter;
                QCOMPARE(entries(folder), QStringList{QStringLiteral("kontraktor.mdb")});
                QVERIFY(sound(target) && contractorsIn(target) == rows);
            }
        }
        qInfo("killed %d runs, %d of them left files that the next run removed", killed, swept);
        QVERIFY(killed > 0);
    }

    void neverTouchesWhatItDidNotMake()
    {
#ifdef Q_OS_WIN
        QSKIP("symbolic links need an administrator on Windows; QFile::link makes a shortcut there");
#endif
        QTemporaryDir dir;
        // A symlink loop where the store should go.
        const QString loop = dir.filePath(QStringLiteral("gelung.mdb"));
        QVERIFY(QFile::link(loop, loop));
        QCOMPARE(admin({QStringLiteral("init"), loop}).status, 1);
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
        makeRegisterFile(store, 30);
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
        Connection(store).exec(QStringLiteral("DELETE FROM kontraktor"));
        Run r = admin({QStringLiteral("restore"), copy, store});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(contractorsIn(store), 30);
        const QStringList replaced = QDir(dir.path()).entryList({QStringLiteral("kontraktor-replaced-*.mdb")});
        QCOMPARE(replaced.size(), 1);
        QCOMPARE(contractorsIn(dir.filePath(replaced.first())), 0);

        // Refused while the store is open, and for a damaged copy.
        {
            Connection open(store);
            r = admin({QStringLiteral("restore"), copy, store});
            QVERIFY2(r.status == 1 && r.err.contains(QStringLiteral("sedang dibuka")), qPrintable(r.err));
        }
        const QString bad = dir.filePath(QStringLiteral("rosak.mdb"));
        makeRegisterFile(bad, 4000);
        zeroPages(bad, 20);
        QCOMPARE(admin({QStringLiteral("restore"), bad, store}).status, 1);
        QCOMPARE(contractorsIn(store), 30);
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("kontraktor-replaced-*.mdb")}).size(), 1);
    }

    // The store's name holds a whole store however a restore is stopped:
    // killed as it enters each rename or link in turn, then run again.
    void restoreKilledAtEveryStepLeavesAWholeStore()
    {
#ifdef Q_OS_WIN
        QSKIP("each step is killed through strace, which Windows has not");
#endif
        const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
        if (strace.isEmpty()) {
            if (qgetenv("CI") == "true")
                QFAIL("strace is missing: scripts/lib.sh installs it so that a restore is killed at each step");
            QSKIP("strace is not installed: a restore killed at each step is not tested here");
        }
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("kontraktor.mdb")), old = dir.filePath(QStringLiteral("lama.mdb")),
                      copy = dir.filePath(QStringLiteral("salinan.mdb"));
        makeRegisterFile(old, 300);
        makeRegisterFile(copy, 40);
        const QStringList others{QStringLiteral("lama.mdb"), QStringLiteral("salinan.mdb")};
        int killed = 0;
        // Where the disk keeps no second link to a file (error=EPERM), the old store is copied instead.
        for (const bool links : {true, false}) {
            const QStringList calls = links ? QStringList{"rename", "renameat", "renameat2", "link", "linkat"}
                                            : QStringList{"rename", "renameat", "renameat2"};
            for (const QString &call : calls) {
                for (int n = 1;; ++n) {
                    for (const QString &name : entries(dir.path()))
                        if (!others.contains(name))
                            QFile::remove(dir.filePath(name));
                    QVERIFY(QFile::copy(old, store));
                    const QString at = QStringLiteral("%1 #%2%3").arg(call).arg(n).arg(links ? "" : " (no links)");
                    QStringList args{QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("-e"),
                                     QStringLiteral("inject=%1:signal=SIGKILL:when=%2").arg(call).arg(n)};
                    if (!links)
                        args << QStringLiteral("-e") << QStringLiteral("inject=link,linkat:error=EPERM");
                    args << QStringLiteral(ARB_ADMIN) << QStringLiteral("restore") << copy << store;
                    const Run r = run(strace, args);
                    // The old store or the copy, whole; never none.
                    QVERIFY2(sound(store), qPrintable(at));
                    const qint64 rows = contractorsIn(store);
                    QVERIFY2(rows == 300 || rows == 40, qPrintable(at));
                    if (r.status == 0) {
                        QCOMPARE(rows, 40);
                        const QStringList replaced = QDir(dir.path()).entryList({QStringLiteral("kontraktor-replaced-*.mdb")});
                        QVERIFY(replaced.size() == 1 && contractorsIn(dir.filePath(replaced.first())) == 300);
                        break;
                    }
                    QVERIFY2(r.status == -1, qPrintable(at + ' ' + r.err)); // strace dies of its child's signal
                    ++killed;
                    // Run again, it finishes and sweeps what the killed run left.
                    const Run again = admin({QStringLiteral("restore"), copy, store});
                    QVERIFY2(again.status == 0, qPrintable(at + ' ' + again.err));
                    QCOMPARE(contractorsIn(store), 40);
                    for (const QString &name : entries(dir.path()))
                        QVERIFY2(!name.startsWith(QLatin1Char('.')), qPrintable(at + ' ' + name));
                }
            }
        }
        qInfo("restore killed at %d steps", killed);
        QVERIFY(killed >= 4); // the second name or copy of the old store, and the rename that replaces it
    }

    // What an interrupted restore of an older version left: the old store
    // put aside and the copy staged, no store. arb and arb-admin name the
    // leftover and the command that finishes the restore, never init.
    void interruptedRestoreIsFinished()
    {
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("kontraktor.mdb"));
        const QString kept = dir.filePath(QStringLiteral("kontraktor-replaced-20260301-120000.mdb"));
        const QString staged = dir.filePath(QStringLiteral(".kontraktor.mdb.restore-meja2-4242.arb-tmp"));
        makeRegisterFile(kept, 30);
        makeRegisterFile(dir.filePath(QStringLiteral("baru.mdb")), 12);
        QVERIFY(QFile::rename(dir.filePath(QStringLiteral("baru.mdb")), staged));
        const auto namesTheWayBack = [&](const QString &leftover) {
            const Run r = admin({QStringLiteral("check"), store});
            const QString command = QStringLiteral("arb-admin restore \"%1\" \"%2\"").arg(leftover, store);
            QVERIFY2(r.status == 1 && r.err.contains(command) && !r.err.contains(QStringLiteral("init")), qPrintable(r.err));
            Locations::setStore(store);
            QString detail;
            failureOf([] { Form1 window; }, &detail);
            QVERIFY2(detail.contains(command) && !detail.contains(QStringLiteral("init")), qPrintable(detail));
            Locations::setStore(QString());
        };
        namesTheWayBack(staged);
        // The command named puts the staged copy in place.
        Run r = admin({QStringLiteral("restore"), staged, store});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(contractorsIn(store), 12);
        QCOMPARE(entries(dir.path()), (QStringList{QFileInfo(kept).fileName(), QStringLiteral("kontraktor.mdb")}));
        // With only the old store put aside, that one is named.
        QFile::remove(store);
        namesTheWayBack(kept);
        r = admin({QStringLiteral("restore"), kept, store});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(contractorsIn(store), 30);
    }

    void twoStoresInOneFolderKeepTheirOwnDailyCopies()
    {
        QTemporaryDir dir;
        const QString main = dir.filePath(QStringLiteral("kontraktor.mdb")), branch = dir.filePath(QStringLiteral("cawangan.mdb"));
        makeRegisterFile(main, 30);
        makeRegisterFile(branch, 8);
        // Both started on one day, the branch first.
        for (const QString &store : {branch, main})
            QCOMPARE(run(QStringLiteral(ARB_APP), {QStringLiteral("--database"), store}, {"ARB_EXIT_WHEN_SHOWN=1"}).status, 0);
        const QDate today = QDate::currentDate();
        const QString folder = dailyCopyFolder(main);
        const auto copyOf = [&](const QString &name, const QDate &day) {
            return folder + QLatin1Char('/') + name + day.toString(QStringLiteral("'-'yyyy-MM-dd'.mdb'"));
        };
        QCOMPARE(entries(folder),
                 (QStringList{QFileInfo(copyOf("cawangan", today)).fileName(), QFileInfo(copyOf("kontraktor", today)).fileName()}));
        QCOMPARE(contractorsIn(copyOf("kontraktor", today)), 30);
        QCOMPARE(contractorsIn(copyOf("cawangan", today)), 8);
        // Seven kept of each.
        for (int d = 1; d <= 9; ++d)
            for (const QString &store : {main, branch})
                QVERIFY(!makeDailyCopy(store, today.addDays(d)).isEmpty());
        QCOMPARE(entries(folder).size(), 2 * kDailyCopiesKept);
        QVERIFY(QFile::exists(copyOf("cawangan", today.addDays(3))) && !QFile::exists(copyOf("cawangan", today.addDays(2))));

        // The day's name taken by the branch's copy (older versions named
        // every copy kontraktor-DATE.mdb), then by a cut file: each is
        // replaced by a whole copy of this store, with a one-line notice.
        const QDate later = today.addDays(20);
        const QString taken = copyOf("kontraktor", later);
        QVERIFY(QFile::copy(copyOf("cawangan", today.addDays(9)), taken));
        for (int round = 0; round < 2; ++round) {
            QString notice;
            QCOMPARE(makeDailyCopy(main, later, &notice), taken);
            QVERIFY2(notice.contains(taken) && !notice.contains(QLatin1Char('\n')), qPrintable(notice));
            QVERIFY(sound(taken));
            QCOMPARE(contractorsIn(taken), 30);
            QCOMPARE(makeDailyCopy(main, later, &notice), QString()); // the day has its copy now
            writeFile(taken, readFile(taken).left(3 * 4096));
        }
        // The program tells it in a box, and goes on.
        shownBoxes();
        QPointer<QThread> copying = startDailyCopy(main, later);
        QTRY_VERIFY(copying.isNull());
        QCoreApplication::processEvents();
        const QStringList boxes = shownBoxes();
        QVERIFY2(boxes.size() == 1 && boxes.first().startsWith(QStringLiteral("Mesej|Salinan harian diganti")),
                 qPrintable(boxes.join('\n')));
        QCOMPARE(contractorsIn(taken), 30);
    }

    void dailyCopyAtStartNeverStopsTheProgram()
    {
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("kontraktor.mdb"));
        makeRegisterFile(store, 20);
        shownBoxes();
        // In the background, and made.
        QPointer<QThread> copying = startDailyCopy(store, QDate(2026, 2, 1));
        QVERIFY(copying);
        QTRY_VERIFY(copying.isNull());
        QCoreApplication::processEvents();
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("sandaran/kontraktor-2026-02-01.mdb"))));
        QCOMPARE(shownBoxes(), QStringList());

        // A copy that cannot be made is reported once, and the program goes on.
        QVERIFY(QDir(dir.filePath(QStringLiteral("sandaran"))).removeRecursively());
        writeFile(dir.filePath(QStringLiteral("sandaran")), {});
        copying = startDailyCopy(store, QDate(2026, 2, 2));
        QTRY_VERIFY(copying.isNull());
        QCoreApplication::processEvents();
        const QStringList boxes = shownBoxes();
        QVERIFY2(boxes.size() == 1 && boxes.first().contains(QStringLiteral("Salinan harian pangkalan data tidak dapat dibuat")),
                 qPrintable(boxes.join('\n')));
        QCOMPARE(entries(dir.path()), (QStringList{QStringLiteral("kontraktor.mdb"), QStringLiteral("sandaran")}));
        QVERIFY(!startDailyCopy(QStringLiteral("postgresql://arb@localhost/arb"), QDate(2026, 2, 2)));

        // The program makes the day's copy when it starts.
        QFile::remove(dir.filePath(QStringLiteral("sandaran")));
        QCOMPARE(run(QStringLiteral(ARB_APP), {QStringLiteral("--database"), store}, {"ARB_EXIT_WHEN_SHOWN=1"}).status, 0);
        const QString today = QDate::currentDate().toString(QStringLiteral("'kontraktor-'yyyy-MM-dd'.mdb'"));
        QCOMPARE(entries(dir.filePath(QStringLiteral("sandaran"))), QStringList{today});
        QCOMPARE(contractorsIn(dir.filePath(QStringLiteral("sandaran/")) + today), 20);
    }
};

ARB_TEST_MAIN(SafetyTest)
#include "tst_safety.moc"
