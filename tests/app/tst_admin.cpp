#include "TestSupport.h"

#include "data/Connection.h"
#include "data/Password.h"

#include <QSqlQuery>

using namespace arb;
using namespace arb::test;

class AdminTest : public QObject
{
    Q_OBJECT
private slots:
    void initRefusesExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("sub/kontraktor.mdb");
        Run r = admin({"init", "--password", "x y", path});
        QVERIFY2(r.status == 0 && r.out.contains(path.toUtf8()), qPrintable(r.err));
        const QByteArray before = readFile(path);
        r = admin({"init", path});
        QVERIFY2(r.status != 0 && r.err.contains("sudah wujud"), qPrintable(r.err));
        QCOMPARE(readFile(path), before);
        // Any other file is refused just the same.
        const QString other = dir.filePath("nota.txt");
        writeFile(other, "penting");
        QVERIFY(admin({"init", other}).status != 0);
        QCOMPARE(readFile(other), QByteArray("penting"));
        // An option without its value is named as such, and makes nothing.
        r = admin({"init", dir.filePath("lain.mdb"), "--password"});
        QVERIFY2(r.status == 2 && r.err.contains("--password memerlukan nilai"), qPrintable(r.err));
        QVERIFY(!QFile::exists(dir.filePath("lain.mdb")));
        QVERIFY(admin({"bukan-arahan"}).status != 0);
        QVERIFY(admin({"--help"}).out.contains("init"));
    }

    // The demo register: numbered contractors with work, the printed
    // password kept as its hash.
    void demoStore()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("kontraktor.mdb");
        const Run r = admin({"init", "--demo", path});
        QCOMPARE(r.status, 0);
        Connection c(path);
        QSqlQuery q = c.exec("SELECT (SELECT count(*) FROM kontraktor), (SELECT max(\"NoDaftar\") FROM kontraktor), "
                             "(SELECT count(*) FROM kontraktor WHERE length(\"Tarikh_dapat_kerja\") > 2), "
                             "(SELECT count(*) FROM test), (SELECT password FROM password)");
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString() + ' ' + q.value(1).toString() + ' ' + q.value(3).toString(), QStringLiteral("25 ZRVA/KP/0025 1"));
        QVERIFY(q.value(2).toInt() > 5);
        const QString printed = QString::fromUtf8(r.out).section("Kata laluan: ", 1).section('\n', 0, 0);
        QVERIFY(!printed.isEmpty() && Password::isHashed(q.value(4).toString()));
        QVERIFY(Password::matches(q.value(4).toString(), printed));
    }
};

ARB_TEST_MAIN(AdminTest)
#include "tst_admin.moc"
