#include "TestSupport.h"

#include "data/Connection.h"
#include "data/Fields.h"
#include "legacy/Frames.h"
#include "legacy/MdbReader.h"
#include "legacy/ReaderProcess.h"
#include "legacy/StoreLoader.h"
#include "platform/Failure.h"

#include <QBuffer>

using namespace arb;
using namespace arb::legacy;

namespace {

struct Table
{
    QString name;
    QStringList columns;
    QList<QVariantList> rows;
    qint64 reported = -1;

    QVariantList rowWhere(int column, const QString &value) const
    {
        for (const QVariantList &r : rows)
            if (r.value(column).toString() == value)
                return r;
        return {};
    }
};

// Keeps everything a reader hands over.
class Collect : public LegacySink
{
public:
    QStringList all;
    QList<Table> read;

    void tables(const QStringList &names) override { all = names; }
    void beginTable(const QString &name, const QStringList &columns) override { read.append(Table{name, columns, {}, -1}); }
    void row(const QVariantList &values) override { read.last().rows.append(values); }
    void endTable(qint64 rowCount) override { read.last().reported = rowCount; }
};

QString fixture(const QString &name)
{
    return qEnvironmentVariable("ARB_FIXTURES") + QStringLiteral("/legacy/") + name;
}

} // namespace

class TestLegacy : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo::exists(fixture(QStringLiteral("jet4-datetest.mdb"))), "ARB_FIXTURES/legacy missing");
    }

    void readsJet4File()
    {
        MdbReader reader(fixture(QStringLiteral("jet4-datetest.mdb")));
        QCOMPARE(reader.tables(), QStringList{QStringLiteral("DateTest")});
        Collect c;
        QVERIFY(reader.read(QStringLiteral("datetest"), c)); // names match without case
        QVERIFY(!reader.read(QStringLiteral("kontraktor"), c));
        QCOMPARE(c.read.size(), 1);
        const Table &t = c.read.first();
        QCOMPARE(t.columns, (QStringList{"IDCol", "DateTimeCol", "DateCol", "TimeCol", "LongTextCol", "ShortTextCol"}));
        QCOMPARE(t.rows.size(), 6);
        QCOMPARE(t.reported, 6);
        // Stored order, numbers as written, dates as the clerks write them.
        for (int i = 0; i < t.rows.size(); ++i)
            QCOMPARE(t.rows.at(i).at(0).toString(), QString::number(i + 1));
        QCOMPARE(t.rows.at(0), (QVariantList{"1", "02.12.2021", "02.12.2021", "02.12.2021", "Hello", "Hello"}));
        QCOMPARE(t.rows.at(1).at(1).toString(), QStringLiteral("01.01.9999"));
        QCOMPARE(t.rows.at(2).mid(1, 3), (QVariantList{"01.01.1898", "01.01.1899", "01.01.1900"}));
        QCOMPARE(t.rows.at(3).at(1).toString(), QStringLiteral("01.01.0632"));
        // A line break inside a memo is kept; backslashes are text, not escapes.
        QCOMPARE(t.rows.at(5).at(4).toString(), QStringLiteral("New line\r\nin field"));
        QCOMPARE(t.rows.at(4).at(4).toString(), QStringLiteral("Escaped new line \\r\\n in field"));
    }

    void readsJet3File()
    {
        MdbReader reader(fixture(QStringLiteral("jet3-northwind.mdb")));
        const QStringList tables = reader.tables();
        QVERIFY(tables.contains(QStringLiteral("Umsätze"))); // non-ASCII table name intact
        QVERIFY(tables.contains(QStringLiteral("Employees")));
        QVERIFY(!tables.contains(QStringLiteral("MSysObjects")));

        Collect c;
        QVERIFY(reader.read(QStringLiteral("Employees"), c));
        QVERIFY(reader.read(QStringLiteral("Orders"), c));
        QVERIFY(reader.read(QStringLiteral("Umsätze"), c));
        const Table &emp = c.read.at(0);
        QCOMPARE(emp.rows.size(), 9);
        const int notes = emp.columns.indexOf(QStringLiteral("Notes"));
        const int address = emp.columns.indexOf(QStringLiteral("Address"));
        // Memo whole, well past a text column's 255 characters.
        const QString fuller = emp.rowWhere(0, QStringLiteral("2")).at(notes).toString();
        QCOMPARE(fuller.size(), 448);
        QVERIFY(fuller.endsWith(QStringLiteral("and the Pacific Rim Importers Association.")));
        QCOMPARE(emp.rows.first().at(address).toString(), QStringLiteral("507 - 20th Ave. E.\r\nApt. 2A"));
        QCOMPARE(emp.rows.first().at(emp.columns.indexOf(QStringLiteral("BirthDate"))).toString(), QStringLiteral("08.12.1948"));

        const Table &orders = c.read.at(1);
        QCOMPARE(orders.rows.size(), 830);
        const int region = orders.columns.indexOf(QStringLiteral("ShipRegion"));
        const QVariantList bonap = orders.rowWhere(0, QStringLiteral("10331"));
        QVERIFY(bonap.at(region).isNull()); // null stays null, not empty text
        QCOMPARE(bonap.at(orders.columns.indexOf(QStringLiteral("Freight"))).toString(), QStringLiteral("10.19"));
        const QVariantList merep = orders.rowWhere(0, QStringLiteral("10332"));
        QCOMPARE(merep.at(orders.columns.indexOf(QStringLiteral("ShipName"))).toString(), QStringLiteral("Mère Paillarde"));
        QCOMPARE(merep.at(orders.columns.indexOf(QStringLiteral("ShipCity"))).toString(), QStringLiteral("Montréal"));
        QCOMPARE(merep.at(region).toString(), QStringLiteral("Québec"));
        QCOMPARE(c.read.at(2).name, QStringLiteral("Umsätze"));
        QCOMPARE(c.read.at(2).rows.size(), 830);
    }

    void childProcessGivesTheSameRows()
    {
        const QString file = fixture(QStringLiteral("jet3-northwind.mdb"));
        Collect inProcess, child;
        MdbReader(file).read(QStringLiteral("Employees"), inProcess);
        readInChild(QStringLiteral(ARB_ADMIN), file, {QStringLiteral("employees"), QStringLiteral("Orders")}, child);
        QVERIFY(child.all.contains(QStringLiteral("Umsätze")));
        QCOMPARE(child.read.size(), 2);
        QCOMPARE(child.read.first().columns, inProcess.read.first().columns);
        QCOMPARE(child.read.first().rows, inProcess.read.first().rows);
        QCOMPARE(child.read.at(1).rows.size(), 830);
    }

    void framesKeepNullsAndRefuseBrokenStreams()
    {
        const QVariantList values{QVariant(), QString(""), QStringLiteral("a\r\nb"), QStringLiteral("Québec")};
        const QVariantList back = decodeValues(encodeValues(values));
        QCOMPARE(back.size(), 4);
        QVERIFY(back.at(0).isNull());
        QVERIFY(!back.at(1).isNull());
        QCOMPARE(back.at(1).toString(), QString());
        QCOMPARE(back.mid(2), values.mid(2));

        QBuffer buf;
        buf.open(QIODevice::WriteOnly);
        FrameWriter w(buf);
        w.tables({QStringLiteral("kontraktor")});
        w.beginTable(QStringLiteral("kontraktor"), {QStringLiteral("NoDaftar")});
        w.row({QStringLiteral("ZRVA/KP/0001")});
        w.endTable(1);
        w.done();
        const QByteArray stream = buf.data();

        // Byte by byte, as a pipe may deliver it.
        Collect c;
        FrameReader r(c);
        for (char b : stream)
            r.feed(QByteArray(1, b));
        QVERIFY(r.done());
        QCOMPARE(c.read.first().rows.first().first().toString(), QStringLiteral("ZRVA/KP/0001"));

        // A reader that died halfway is not done.
        Collect cut;
        FrameReader partial(cut);
        partial.feed(stream.left(stream.size() - 3));
        QVERIFY(!partial.done());

        Collect junk;
        FrameReader garbage(junk);
        QVERIFY_THROWS_EXCEPTION(Failure, garbage.feed(QByteArray("X\0\0\0\4\0\0\0\0", 9)));

        QBuffer err;
        err.open(QIODevice::WriteOnly);
        FrameWriter(err).error(QStringLiteral("Fail Access ini rosak dan tidak dapat dibaca: x"), QStringLiteral("d"));
        Collect e;
        FrameReader er(e);
        try {
            er.feed(err.data());
            QFAIL("error frame not raised");
        } catch (const Failure &f) {
            QCOMPARE(f.message(), QStringLiteral("Fail Access ini rosak dan tidak dapat dibaca: x"));
        }
    }

    void loaderMapsTablesAndFields()
    {
        test::TempStore store;
        {
            Connection c(store.path());
            StoreLoader loader(c);
            c.write([&] {
                loader.tables({QStringLiteral("Lain"), QStringLiteral("KONTRAKTOR"), QStringLiteral("Password"), QStringLiteral("TEST")});
                // Columns in another order and case, one extra, most missing.
                loader.beginTable(QStringLiteral("KONTRAKTOR"),
                                  {QStringLiteral("namasyarikat"), QStringLiteral("Catatan"), QStringLiteral("NODAFTAR"),
                                   QStringLiteral("alamatPendaftaranSyarikat"), QStringLiteral("nilai")});
                loader.row({QStringLiteral("ZETA SDN BHD"), QStringLiteral("x"), QStringLiteral("ZRVA/KP/0009"),
                            QStringLiteral("Lot 1\r\nJalan 2"), QVariant()});
                loader.row({QStringLiteral("ALFA ENTERPRISE"), QStringLiteral("y"), QStringLiteral("ZRVA/KP/0002"),
                            QString(""), QStringLiteral("1500.50")});
                loader.row({QStringLiteral("Syarikat Ñandú"), QVariant(), QStringLiteral("ZRVA/KP/0001"), QVariant(),
                            QStringLiteral("-")});
                loader.endTable(3);
                loader.beginTable(QStringLiteral("Lain"), {QStringLiteral("NoDaftar")});
                loader.row({QStringLiteral("tidak dibawa")});
                loader.endTable(1);
                loader.beginTable(QStringLiteral("Password"), {QStringLiteral("ID"), QStringLiteral("PASSWORD")});
                loader.row({QStringLiteral("1"), QStringLiteral("lama123")});
                loader.row({QStringLiteral("2"), QStringLiteral("kedua")});
                loader.endTable(2);
                loader.beginTable(QStringLiteral("TEST"), {QStringLiteral("tarikh_dapat_kerja")});
                loader.row({QStringLiteral("01.02.2003")});
                loader.endTable(1);
            });
            QCOMPARE(loader.counts().value(kContractorTable), 3);
            QCOMPARE(loader.counts().value(kPasswordTable), 2);
            QCOMPARE(loader.counts().value(kTestTable), 1);
            QVERIFY(!loader.counts().contains(QStringLiteral("Lain")));
        }
        const QList<QVariantMap> rows = store.rows();
        QCOMPARE(rows.size(), 3);
        // Stored order as read, not sorted by number or name.
        QCOMPARE(rows.at(0).value(QStringLiteral("NoDaftar")).toString(), QStringLiteral("ZRVA/KP/0009"));
        QCOMPARE(rows.at(1).value(QStringLiteral("NoDaftar")).toString(), QStringLiteral("ZRVA/KP/0002"));
        QCOMPARE(rows.at(2).value(QStringLiteral("NamaSyarikat")).toString(), QStringLiteral("Syarikat Ñandú"));
        QCOMPARE(rows.at(0).value(QStringLiteral("AlamatPendaftaranSyarikat")).toString(), QStringLiteral("Lot 1\r\nJalan 2"));
        QVERIFY(rows.at(0).value(QStringLiteral("Nilai")).isNull());
        QCOMPARE(rows.at(1).value(QStringLiteral("Nilai")).toString(), QStringLiteral("1500.50"));
        // Empty text stays empty text, null stays null.
        QVERIFY(!rows.at(1).value(QStringLiteral("AlamatPendaftaranSyarikat")).isNull());
        QCOMPARE(rows.at(1).value(QStringLiteral("AlamatPendaftaranSyarikat")).toString(), QString());
        QVERIFY(rows.at(2).value(QStringLiteral("AlamatPendaftaranSyarikat")).isNull());
        for (const QString &missing : {QStringLiteral("NoTelHp"), QStringLiteral("kelas"), QStringLiteral("Tarikh_dapat_kerja")})
            QVERIFY(rows.at(0).value(missing).isNull());
        // The old password rows replace the new store's own.
        const QList<QVariantMap> pw = store.rows(kPasswordTable);
        QCOMPARE(pw.size(), 2);
        QCOMPARE(pw.first().value(QStringLiteral("password")).toString(), QStringLiteral("lama123"));
        QCOMPARE(store.value(0, QStringLiteral("Tarikh_dapat_kerja"), kTestTable).toString(), QStringLiteral("01.02.2003"));
    }

    void loaderRefusesWhatIsNotTheRegister()
    {
        test::TempStore store;
        Connection c(store.path());
        StoreLoader loader(c);
        QVERIFY_THROWS_EXCEPTION(Failure, loader.tables({QStringLiteral("DateTest")}));
        // Rows lost on the way are a failure, and the transaction leaves nothing.
        QVERIFY_THROWS_EXCEPTION(Failure, c.write([&] {
            loader.beginTable(QStringLiteral("kontraktor"), {QStringLiteral("NoDaftar")});
            loader.row({QStringLiteral("ZRVA/KP/0001")});
            loader.endTable(2);
        }));
        QCOMPARE(store.count(), 0);
        QCOMPARE(store.count(kPasswordTable), 1);
    }

    void valueTexts()
    {
        QCOMPARE(legacyDateText(2.0), QStringLiteral("01.01.1900"));
        QCOMPARE(legacyDateText(44532.5), QStringLiteral("02.12.2021 12:00:00"));
        QCOMPARE(legacyDateText(0.25), QStringLiteral("06:00:00"));
        QCOMPARE(legacyDateText(-1.5), QStringLiteral("29.12.1899 12:00:00"));
        QCOMPARE(legacyNumberText(double(1.1f), 7), QStringLiteral("1.1"));
        QCOMPARE(legacyNumberText(0.1 + 0.2, 15), QStringLiteral("0.3"));
        QCOMPARE(legacyNumberText(1500.5, 15), QStringLiteral("1500.5"));
        QCOMPARE(legacyNumberText(1e15, 15), QStringLiteral("1E+15"));
        QCOMPARE(trimDecimal(QStringLiteral("12.5000")), QStringLiteral("12.5"));
        QCOMPARE(trimDecimal(QStringLiteral("100")), QStringLiteral("100"));
        QCOMPARE(trimDecimal(QStringLiteral("7.0000")), QStringLiteral("7"));
        QCOMPARE(trimDecimal(QStringLiteral("0.0000")), QStringLiteral("0"));
    }
};

ARB_TEST_MAIN(TestLegacy)
#include "tst_legacy.moc"
