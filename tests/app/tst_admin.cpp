#include "TestSupport.h"

#include "data/DataControl.h"
#include "data/Fields.h"
#include "data/Locations.h"

#include <QProcess>

using namespace arb;

namespace {
struct Run
{
    int code;
    QString out;
    QString err;
};

Run admin(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(ARB_ADMIN), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
} // namespace

class AdminTest : public QObject
{
    Q_OBJECT
private slots:
    void initRefusesExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sub/kontraktor.mdb"));
        Run r = admin({QStringLiteral("init"), QStringLiteral("--password"), QStringLiteral("x y"), path});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains(path));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        r = admin({QStringLiteral("init"), path});
        QVERIFY(r.code != 0);
        QVERIFY(r.err.contains(QStringLiteral("sudah wujud")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        // Any other file is refused just the same.
        const QString other = dir.filePath(QStringLiteral("nota.txt"));
        QFile o(other);
        QVERIFY(o.open(QIODevice::WriteOnly));
        o.write("penting");
        o.close();
        QVERIFY(admin({QStringLiteral("init"), other}).code != 0);
        QVERIFY(o.open(QIODevice::ReadOnly));
        QCOMPARE(o.readAll(), QByteArray("penting"));
        QVERIFY(admin({QStringLiteral("bukan-arahan")}).code != 0);
        QVERIFY(admin({QStringLiteral("--help")}).out.contains(QStringLiteral("init")));
    }

    void demoStoreCanBeBrowsed()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kontraktor.mdb"));
        const Run r = admin({QStringLiteral("init"), QStringLiteral("--demo"), path});
        QCOMPARE(r.code, 0);
        Locations::setStore(path);
        DataControl dc(Locations::kLocalPath, QStringLiteral("kontraktor"), DataControl::Kind::Table);
        dc.open();
        QVERIFY(dc.recordCount() >= 20);
        int n = 0;
        int withWork = 0;
        while (!dc.eof()) {
            ++n;
            QCOMPARE(dc.text(QStringLiteral("NoDaftar")), QStringLiteral("ZRVA/KP/%1").arg(n, 4, 10, QLatin1Char('0')));
            for (const QString &field : contractorFields())
                dc.text(field); // every field has a value the windows can show
            if (dc.text(QStringLiteral("Tarikh_dapat_kerja")).size() > 2)
                ++withWork;
            dc.moveNext();
        }
        QCOMPARE(n, dc.recordCount());
        QVERIFY(withWork > 5);
        DataControl pw(Locations::kLocalPath, QStringLiteral("password"), DataControl::Kind::Dynaset);
        pw.open();
        QVERIFY(r.out.contains(pw.text(QStringLiteral("password"))));
        DataControl t(Locations::kLocalPath, QStringLiteral("test"), DataControl::Kind::Dynaset);
        t.open();
        QCOMPARE(t.recordCount(), 1);
        Locations::setStore(QString());
    }
};

ARB_TEST_MAIN(AdminTest)
#include "tst_admin.moc"
