#include "Fixture.h"
#include "TestSupport.h"

#include "data/Connection.h"
#include "data/Fields.h"
#include "legacy/Frames.h"
#include "legacy/MdbReader.h"
#include "legacy/ReaderProcess.h"
#include "legacy/StoreLoader.h"
#include "data/Failure.h"

#include <QBuffer>

using namespace arb;
using namespace arb::legacy;

namespace {

// Null shown apart from empty text.
QString text(const QVariant &v)
{
    return v.isNull() ? QStringLiteral("<null>") : v.toString();
}

struct Table
{
    QString name;
    QStringList columns;
    QList<QVariantList> rows;
    qint64 reported = -1;

    // Column `field` of the row whose first column is `key`.
    QString at(const QString &key, const QString &field) const
    {
        for (const QVariantList &r : rows)
            if (r.value(0).toString() == key && columns.contains(field))
                return text(r.value(columns.indexOf(field)));
        return QStringLiteral("<no such row>");
    }
};

// Keeps everything a reader hands over.
struct Collect : LegacySink
{
    QStringList all;
    QList<Table> read;
    void tables(const QStringList &names) override { all = names; }
    void beginTable(const QString &name, const QStringList &columns) override { read.append({name, columns}); }
    void row(const QVariantList &values) override { read.last().rows.append(values); }
    void endTable(qint64 rowCount) override { read.last().reported = rowCount; }
    void altered(int column, const QString &what) override
    {
        alterations << QStringLiteral("%1 %2: %3").arg(read.last().rows.size()).arg(read.last().columns.value(column), what);
    }
    QStringList alterations;
};

void feed(LegacySink &s, const QString &table, const QStringList &columns, const QList<QVariantList> &rows, qint64 reported)
{
    s.beginTable(table, columns);
    for (const QVariantList &r : rows)
        s.row(r);
    s.endTable(reported);
}

QStringList column(const QList<QVariantMap> &rows, const QString &field)
{
    QStringList out;
    for (const QVariantMap &r : rows)
        out << (r.contains(field) ? text(r.value(field)) : QStringLiteral("<no such field>"));
    return out;
}

} // namespace

class TestLegacy : public QObject
{
    Q_OBJECT

private slots:
    // A Jet 3 memo and text the conversion cuts at a NUL byte, and a byte with no character: each said.
    void saysWhatTheReaderAltered()
    {
        ARB_NEEDS_ACCESS_READER();
        QTemporaryDir dir;
        ARB_FIXTURE(northwind, "legacy/jet3-northwind.mdb");
        QByteArray bytes = test::readFile(northwind);
        bytes[bytes.indexOf("Soft drinks") + 4] = '\0';
        bytes[bytes.indexOf("Condiments") + 4] = char(0x9d);
        const QString path = dir.filePath("lama.mdb");
        test::writeFile(path, bytes);
        Collect read;
        readInChild(QStringLiteral(ARB_ADMIN), path, {"Categories"}, read);
        QCOMPARE(read.alterations, (QStringList{"1 Description: dipotong: 4 daripada 43 aksara dibawa",
                                                "2 CategoryName: bait 0x9d (kedudukan 5) tiada aksara; ditukar kepada \"?\""}));
        QCOMPARE(read.read.first().rows.at(0).at(2).toString(), QStringLiteral("Soft"));
    }

    // Both fixtures, read as import reads them: in the child process.
    void readsBothFixtures()
    {
        ARB_NEEDS_ACCESS_READER();
        ARB_FIXTURE(jet4File, "legacy/jet4-datetest.mdb");
        ARB_FIXTURE(jet3File, "legacy/jet3-northwind.mdb");
        Collect jet4, jet3;
        readInChild(QStringLiteral(ARB_ADMIN), jet4File, {"datetest", "kontraktor"}, jet4);
        QCOMPARE(jet4.all, QStringList{"DateTest"});
        QCOMPARE(jet4.read.size(), 1); // names match without case; a missing table is passed over
        QCOMPARE(jet4.read.first().columns, (QStringList{"IDCol", "DateTimeCol", "DateCol", "TimeCol", "LongTextCol", "ShortTextCol"}));
        QCOMPARE(jet4.read.first().reported, 6);
        // Stored order, dates as the clerks write them, memo line breaks kept, backslashes are text.
        QCOMPARE(jet4.read.first().rows, (QList<QVariantList>{
            {"1", "02.12.2021", "02.12.2021", "02.12.2021", "Hello", "Hello"},
            {"2", "01.01.9999", "01.01.9999", "01.01.9999", "Year 9999", "Year 1999"},
            {"3", "01.01.1898", "01.01.1899", "01.01.1900", "Pre-1900 years", "Pre-1900 years"},
            {"4", "01.01.0632", "01.01.0633", "01.01.0634", "Pre-1000 years", "Pre-1000 years"},
            {"5", "02.12.2021", "02.12.2021", "02.12.2021", "Escaped new line \\r\\n in field", "Escaped new line \\r\\n in field"},
            {"6", "02.12.2021", "02.12.2021", "02.12.2021", "New line\r\nin field", "No new line"}}));

        readInChild(QStringLiteral(ARB_ADMIN), jet3File, {"employees", "Orders", "Umsätze"}, jet3);
        QVERIFY(jet3.all.contains("Umsätze") && jet3.all.contains("Employees") && !jet3.all.contains("MSysObjects"));
        QCOMPARE(jet3.read.size(), 3);
        const Table &emp = jet3.read.at(0), &orders = jet3.read.at(1);
        QCOMPARE((QList<qsizetype>{emp.rows.size(), orders.rows.size(), jet3.read.at(2).rows.size()}), (QList<qsizetype>{9, 830, 830}));
        QCOMPARE(jet3.read.at(2).name, QStringLiteral("Umsätze"));
        QCOMPARE(jet4.alterations + jet3.alterations, QStringList()); // read whole: nothing said
        // Memo whole, well past a text column's 255 characters.
        QCOMPARE(emp.at("2", "Notes").size(), 448);
        QVERIFY(emp.at("2", "Notes").endsWith("and the Pacific Rim Importers Association."));
        // Null stays null, not empty text; non-ASCII text intact.
        QCOMPARE((QStringList{emp.at("1", "Address"), emp.at("1", "BirthDate"), orders.at("10331", "ShipRegion"),
                              orders.at("10331", "Freight"), orders.at("10332", "ShipName"), orders.at("10332", "ShipCity"),
                              orders.at("10332", "ShipRegion")}),
                 (QStringList{"507 - 20th Ave. E.\r\nApt. 2A", "08.12.1948", "<null>", "10.19", "Mère Paillarde", "Montréal", "Québec"}));

        // Dates, times and numbers of other column types as the old program showed them.
        QCOMPARE((QStringList{legacyDateText(2.0), legacyDateText(44532.5), legacyDateText(0.25), legacyDateText(-1.5)}),
                 (QStringList{"01.01.1900", "02.12.2021 12:00:00", "06:00:00", "29.12.1899 12:00:00"}));
        QCOMPARE((QStringList{legacyNumberText(double(1.1f), 7), legacyNumberText(0.1 + 0.2, 15), legacyNumberText(1500.5, 15),
                              legacyNumberText(1e15, 15)}),
                 (QStringList{"1.1", "0.3", "1500.5", "1E+15"}));
        QCOMPARE((QStringList{trimDecimal("12.5000"), trimDecimal("100"), trimDecimal("7.0000"), trimDecimal("0.0000")}),
                 (QStringList{"12.5", "100", "7", "0"}));
    }

    void framesKeepNullsAndRefuseBrokenStreams()
    {
        const QVariantList back = decodeValues(encodeValues({QVariant(), QString(""), "Québec"}));
        QCOMPARE(back.size(), 3);
        QCOMPARE((QStringList{text(back.at(0)), text(back.at(1)), text(back.at(2))}), (QStringList{"<null>", "", "Québec"}));
        QBuffer buf;
        buf.open(QIODevice::WriteOnly);
        FrameWriter(buf).error("Fail Access ini rosak", "d");
        Collect c;
        FrameReader cut(c), whole(c), garbage(c);
        cut.feed(buf.data().chopped(1)); // a reader that died before its last frame
        QVERIFY(!cut.done());
        QVERIFY_THROWS_EXCEPTION(Failure, whole.feed(buf.data()));
        QVERIFY_THROWS_EXCEPTION(Failure, garbage.feed(QByteArray("X\0\0\0\4\0\0\0\0", 9)));
    }

    void loaderMapsTablesAndFields()
    {
        test::TempStore store;
        {
            Connection c(store.path());
            StoreLoader loader(c);
            c.write([&] {
                loader.tables({"Lain", "KONTRAKTOR", "Password", "TEST"});
                // Columns in another order and case, one extra, most missing.
                feed(loader, "KONTRAKTOR", {"namasyarikat", "Catatan", "NODAFTAR", "alamatPendaftaranSyarikat", "nilai"},
                     {{"ZETA SDN BHD", "x", "ZRVA/KP/0009", "Lot 1\r\nJalan 2", QVariant()},
                      {"ALFA ENTERPRISE", "y", "ZRVA/KP/0002", QString(""), "1500.50"},
                      {"Syarikat Ñandú", QVariant(), "ZRVA/KP/0001", QVariant(), "-"}}, 3);
                feed(loader, "Password", {"ID", "PASSWORD"}, {{"1", "lama123"}, {"2", "kedua"}}, 2);
                feed(loader, "TEST", {"tarikh_dapat_kerja"}, {{"01.02.2003"}}, 1);
            });
            QCOMPARE(loader.counts(), (QMap<QString, qint64>{{kContractorTable, 3}, {kPasswordTable, 2}, {kTestTable, 1}}));
        }
        // Stored order as read; empty text stays empty, null stays null.
        const QList<QVariantMap> rows = store.rows();
        QCOMPARE(column(rows, "NoDaftar"), (QStringList{"ZRVA/KP/0009", "ZRVA/KP/0002", "ZRVA/KP/0001"}));
        QCOMPARE(column(rows, "NamaSyarikat"), (QStringList{"ZETA SDN BHD", "ALFA ENTERPRISE", "Syarikat Ñandú"}));
        QCOMPARE(column(rows, "AlamatPendaftaranSyarikat"), (QStringList{"Lot 1\r\nJalan 2", "", "<null>"}));
        QCOMPARE(column(rows, "Nilai"), (QStringList{"<null>", "1500.50", "-"}));
        QCOMPARE(column(rows, "NoTelHp") + column(rows, "kelas") + column(rows, "Tarikh_dapat_kerja"), QStringList(9, "<null>"));
        // The old password rows replace the new store's own.
        QCOMPARE(column(store.rows(kPasswordTable), "password"), (QStringList{"lama123", "kedua"}));
        QCOMPARE(column(store.rows(kTestTable), "Tarikh_dapat_kerja"), QStringList{"01.02.2003"});

        // Not the register; rows lost on the way fail and the transaction leaves nothing.
        test::TempStore other;
        Connection c(other.path());
        StoreLoader loader(c);
        QVERIFY_THROWS_EXCEPTION(Failure, loader.tables({"DateTest"}));
        QVERIFY_THROWS_EXCEPTION(Failure, c.write([&] { feed(loader, "kontraktor", {"NoDaftar"}, {{"ZRVA/KP/0001"}}, 2); }));
        QCOMPARE(other.count(), 0);
        QCOMPARE(other.count(kPasswordTable), 1);
    }
};

ARB_TEST_MAIN(TestLegacy)
#include "tst_legacy.moc"
