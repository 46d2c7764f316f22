#include "SortKey.h"

#include <QTest>

using namespace arb::bench;

class SortKeyTest : public QObject
{
    Q_OBJECT

private slots:
    void roundsHalvesToEvenAndTakesTheLastCharacters()
    {
        QCOMPARE((QList<qint16>{*roundToInt16(2.5), *roundToInt16(3.5), *roundToInt16(-0.5)}), (QList<qint16>{2, 4, 0}));
        QVERIFY(!roundToInt16(40000));
        QCOMPARE(rightChars(QStringLiteral("ZRVA/KP/0012"), 4) + rightChars(QStringLiteral("12"), 4), QStringLiteral("001212"));
    }
};

QTEST_GUILESS_MAIN(SortKeyTest)
#include "tst_sortkey.moc"
