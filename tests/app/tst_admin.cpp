#include "TestSupport.h"

#include "data/DataControl.h"
#include "data/Fields.h"
#include "data/Locations.h"
#include "data/Password.h"

using namespace arb;
using namespace arb::test;

class AdminTest : public QObject
{
    Q_OBJECT
private slots:
    void initRefusesExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sub/kontraktor.mdb"));
        Run r = admin({QStringLiteral("init"), QStringLiteral("--password"), QStringLiteral("x y"), path});
        QVERIFY2(r.status == 0 && r.out.contains(path.toUtf8()), qPrintable(r.err));
        const QByteArray before = readFile(path);
        r = admin({QStringLiteral("init"), path});
        QVERIFY2(r.status != 0 && r.err.contains(QStringLiteral("sudah wujud")), qPrintable(r.err));
        QCOMPARE(readFile(path), before);
        // Any other file is refused just the same.
        const QString other = dir.filePath(QStringLiteral("nota.txt"));
        writeFile(other, "penting");
        QVERIFY(admin({QStringLiteral("init"), other}).status != 0);
        QCOMPARE(readFile(other), QByteArray("penting"));
        // An option without its value is named as such, and makes nothing.
        r = admin({QStringLiteral("init"), dir.filePath(QStringLiteral("lain.mdb")), QStringLiteral("--password")});
        QVERIFY2(r.status == 2 && r.err.contains(QStringLiteral("--password memerlukan nilai")), qPrintable(r.err));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("lain.mdb"))));
        QVERIFY(admin({QStringLiteral("bukan-arahan")}).status != 0);
        QVERIFY(admin({QStringLiteral("--help")}).out.contains("init"));
    }

    void demoStoreCanBeBrowsed()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kontraktor.mdb"));
        const Run r = admin({QStringLiteral("init"), QStringLiteral("--demo"), path});
        QCOMPARE(r.status, 0);
        Locations::setStore(path);
        DataControl dc(Locations::kLocalPath, QStringLiteral("kontraktor"), DataControl::Kind::Table);
        dc.open();
        int n = 0, withWork = 0;
        for (; !dc.eof(); dc.moveNext()) {
            QCOMPARE(dc.text(QStringLiteral("NoDaftar")), QStringLiteral("ZRVA/KP/%1").arg(++n, 4, 10, QLatin1Char('0')));
            for (const QString &field : contractorFields())
                dc.text(field); // every field has a value the windows can show
            withWork += dc.text(QStringLiteral("Tarikh_dapat_kerja")).size() > 2;
        }
        QVERIFY(n >= 20 && n == dc.recordCount() && withWork > 5);
        DataControl pw(Locations::kLocalPath, QStringLiteral("password"), DataControl::Kind::Dynaset);
        pw.open();
        // The password printed; the store keeps its hash.
        const QString printed = QString::fromUtf8(r.out).section(QStringLiteral("Kata laluan: "), 1).section(QLatin1Char('\n'), 0, 0);
        QVERIFY(!printed.isEmpty() && Password::isHashed(pw.text(QStringLiteral("password"))));
        QVERIFY(Password::matches(pw.text(QStringLiteral("password")), printed));
        DataControl t(Locations::kLocalPath, QStringLiteral("test"), DataControl::Kind::Dynaset);
        t.open();
        QCOMPARE(t.recordCount(), 1);
        Locations::setStore(QString());
    }
};

ARB_TEST_MAIN(AdminTest)
#include "tst_admin.moc"
