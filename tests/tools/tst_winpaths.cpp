// What only Windows has: drive letters, forbidden characters, long paths,
// files held open by another program, and no Access driver.
#include "Fixture.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include <windows.h>

using namespace arb::test;

class TstWinPaths : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(); }

    void badTargetsGetASentenceAndLeaveNothing()
    {
        QTemporaryDir dir;
        // A drive that is not there, characters Windows forbids, a path past 260.
        const QString longFolder = dir.filePath(QString(120, QLatin1Char('a')) + QLatin1Char('/') + QString(120, QLatin1Char('b')));
        QVERIFY(QDir().mkpath(longFolder));
        const QStringList targets{QStringLiteral("Q:\\tiada\\kontraktor.mdb"), dir.filePath(QStringLiteral("kontraktor<1>.mdb")),
                                  longFolder + QStringLiteral("/kontraktor-dengan-nama-yang-panjang.mdb")};
        for (const QString &target : targets) {
            const Run r = admin({"init", target});
            QVERIFY2(r.status != 0, qPrintable(target));
            QVERIFY2(!r.err.trimmed().isEmpty() && !r.err.contains(QLatin1String("Error")), qPrintable(r.err));
            QVERIFY2(!QFileInfo::exists(target), qPrintable(target));
        }
        QCOMPARE(entries(dir.path()), QStringList{QString(120, QLatin1Char('a'))});
    }

    void aStoreHeldOpenIsNotReplaced()
    {
        QTemporaryDir dir;
        const QString store = dir.filePath("kontraktor.mdb");
        const QString copy = dir.filePath("salinan.mdb");
        QCOMPARE(admin({"init", store}).status, 0);
        QCOMPARE(admin({"backup", store, copy}).status, 0);
        const QByteArray before = readFile(store);
        // Another program holds the store open without sharing it.
        const HANDLE held = CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(store).utf16()),
                                        GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        QVERIFY(held != INVALID_HANDLE_VALUE);
        const Run r = admin({"restore", copy, store});
        CloseHandle(held);
        QVERIFY2(r.status != 0, r.out.constData());
        QVERIFY(!r.err.trimmed().isEmpty());
        QCOMPARE(readFile(store), before);
        QCOMPARE(admin({"check", store}).status, 0);
    }

    void importWithoutTheAccessDriverNamesIt()
    {
        ARB_FIXTURE(legacy, "legacy/jet4-datetest.mdb");
        QTemporaryDir dir;
        const QString target = dir.filePath("baru.mdb");
        const Run r = admin({"import-mdb", legacy, target});
        QVERIFY(r.status != 0);
        QVERIFY2(r.err.contains(QLatin1String("Microsoft Access Driver")) && r.err.contains(QLatin1String("Debian")),
                 qPrintable(r.err));
        QVERIFY(!QFileInfo::exists(target));
        // A file that is not an Access file never reaches the driver.
        const QString text = dir.filePath("bukan.mdb");
        writeFile(text, QByteArray(4096, 'x'));
        const Run notMdb = admin({"import-mdb", text, target});
        QVERIFY(notMdb.status != 0);
        QVERIFY2(notMdb.err.contains(QLatin1String("bukan pangkalan data Access")), qPrintable(notMdb.err));
        QVERIFY(!QFileInfo::exists(target));
    }
};

QTEST_MAIN(TstWinPaths)
#include "tst_winpaths.moc"
