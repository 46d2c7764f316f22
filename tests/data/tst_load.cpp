// Several processes registering, updating, editing work and sorting one
// 2,000-contractor register at once: afterwards every contractor is there
// exactly once, no value sits in another contractor's row, and the history
// holds every change once with a sound chain.
#include "TestSupport.h"

#include <QProcess>

class LoadTest : public QObject
{
    Q_OBJECT
private slots:
    void severalDesktopsLoseNothing()
    {
        arb::test::TempStore store;
        QProcess load;
        load.setProcessChannelMode(QProcess::MergedChannels);
        load.start(QStringLiteral(ARB_LOAD), {QStringLiteral("--store"), store.path(), QStringLiteral("--fill"),
                                              QStringLiteral("2000"), QStringLiteral("--workers"), QStringLiteral("4"),
                                              QStringLiteral("--seconds"), QStringLiteral("8")});
        QVERIFY(load.waitForFinished(180000));
        const QByteArray output = load.readAll();
        qInfo("%s", output.constData());
        QVERIFY(output.contains("lost 0, duplicated 0, written into another contractor's row 0"));
        QVERIFY(output.contains("changes missing 0, doubled 0, rows unlike their latest entry 0"));
        QVERIFY(output.contains(" entries, chain sound"));
        QCOMPARE(load.exitCode(), 0);
    }
};

ARB_TEST_MAIN(LoadTest)
#include "tst_load.moc"
