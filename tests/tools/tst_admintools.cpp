#include "TestSupport.h"

#include "data/Connection.h"
#include "data/Fields.h"
#include "platform/Failure.h"

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>

using namespace arb;

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
    QByteArray rawOut;
};

Run admin(const QStringList &args, const QStringList &environment = {})
{
    QProcess p;
    if (!environment.isEmpty())
        p.setEnvironment(QProcess::systemEnvironment() + environment);
    p.start(QStringLiteral(ARB_ADMIN), args);
    p.waitForFinished(120000);
    Run r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.rawOut = p.readAllStandardOutput();
    r.out = QString::fromUtf8(r.rawOut);
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString fixture(const QString &name)
{
    return qEnvironmentVariable("ARB_FIXTURES") + QStringLiteral("/legacy/") + name;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// RFC 4180 reader: quoted fields with doubled quotes and line breaks.
QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (quoted) {
            if (ch == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                field += ch;
                ++i;
            } else if (ch == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += ch;
            }
        } else if (ch == QLatin1Char('"')) {
            quoted = true;
        } else if (ch == QLatin1Char(',')) {
            row << field;
            field.clear();
        } else if (ch == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
            row << field;
            field.clear();
            rows << row;
            row.clear();
            ++i;
        } else {
            field += ch;
        }
    }
    if (!field.isEmpty() || !row.isEmpty())
        rows << (row << field);
    return rows;
}

} // namespace

class TestAdminTools : public QObject
{
    Q_OBJECT

private slots:
    void badLegacyFilesLeaveNothing()
    {
        if (test::onPostgres())
            QSKIP("reads files only: the same on either engine");
        QTemporaryDir dir;
        const QByteArray jet4 = readAll(fixture(QStringLiteral("jet4-datetest.mdb")));
        QVERIFY(jet4.size() > 65536);
        QByteArray noise(65536, '\0');
        for (char &b : noise)
            b = char(QRandomGenerator::global()->bounded(256));
        QByteArray jetNoise = jet4.left(4096) + noise; // right header, nonsense after it
        QByteArray pageCut = jet4.left(8 * 4096);     // cut on a page boundary

        const QList<QPair<QString, QByteArray>> files{
            {QStringLiteral("teks.mdb"), QByteArray("NoDaftar,NamaSyarikat\r\nZRVA/KP/0001,A\r\n")},
            {QStringLiteral("kosong.mdb"), QByteArray()},
            {QStringLiteral("separuh.mdb"), jet4.left(jet4.size() / 2 + 100)},
            {QStringLiteral("halaman.mdb"), pageCut},
            {QStringLiteral("rawak.mdb"), noise},
            {QStringLiteral("jetrawak.mdb"), jetNoise},
        };
        for (const auto &[name, bytes] : files)
            writeFile(dir.filePath(name), bytes);

        QStringList inputs;
        for (const auto &f : files)
            inputs << dir.filePath(f.first);
        inputs << fixture(QStringLiteral("jet4-datetest.mdb")) // an Access file without kontraktor
               << dir.filePath(QStringLiteral("tiada.mdb"));
        const QByteArray fixtureBefore = QCryptographicHash::hash(jet4, QCryptographicHash::Sha256);

        // One byte in a property page sends libmdb into a loop that eats
        // memory until it dies; the command must outlive it.
        QByteArray loops = readAll(fixture(QStringLiteral("jet3-northwind.mdb")));
        QCOMPARE(loops.at(1505765), '\0');
        loops[1505765] = char(0xab);
        writeFile(dir.filePath(QStringLiteral("gelung.mdb")), loops);
        inputs.prepend(dir.filePath(QStringLiteral("gelung.mdb")));
        const int made = inputs.size() - 2;

        for (const QString &input : inputs) {
            const QString target = dir.filePath(QStringLiteral("baru/kontraktor.mdb"));
            const Run r = admin({QStringLiteral("import-mdb"), input, target}, {QStringLiteral("ARB_READER_MEMORY_MB=200")});
            QVERIFY2(r.status > 0, qPrintable(input));
            const QStringList lines = r.err.trimmed().split(QLatin1Char('\n'));
            QVERIFY2(lines.size() == 1 && lines.first().startsWith(QLatin1String("Fail")), qPrintable(input + QLatin1String(": ") + r.err));
            QVERIFY2(!QFileInfo::exists(dir.filePath(QStringLiteral("baru"))), qPrintable(input));
            // No half store under a temporary name either.
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), made);
        }
        QVERIFY(admin({QStringLiteral("import-mdb"), fixture(QStringLiteral("jet4-datetest.mdb")), dir.filePath("x.mdb")})
                    .err.contains(QLatin1String("tiada jadual kontraktor")));
        QCOMPARE(QCryptographicHash::hash(readAll(fixture(QStringLiteral("jet4-datetest.mdb"))), QCryptographicHash::Sha256),
                 fixtureBefore);
        // The program itself, started on the old file, points to the import.
        try {
            Connection c(fixture(QStringLiteral("jet4-datetest.mdb")));
            QFAIL("an Access file opened as a store");
        } catch (const Failure &f) {
            QVERIFY(f.detail().contains(QLatin1String("arb-admin import-mdb")));
        }
    }

    void importsARegisterFile()
    {
        // Northwind with its table Categories renamed kontraktor (same length)
        // and CategoryName renamed NAMASYARIKAT, Shippers renamed PASSWORD.
        QTemporaryDir dir;
        QByteArray bytes = readAll(fixture(QStringLiteral("jet3-northwind.mdb")));
        bytes.replace("Categories", "kontraktor").replace("CategoryName", "NAMASYARIKAT").replace("Shippers", "PASSWORD");
        const QString legacyFile = dir.filePath(QStringLiteral("kontraktor-lama.mdb"));
        writeFile(legacyFile, bytes);
        const QByteArray before = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);

        test::TempStore server{test::TempStore::Empty{}};
        const QString target = test::onPostgres() ? server.path() : dir.filePath(QStringLiteral("data/kontraktor.mdb"));
        const Run r = admin({QStringLiteral("import-mdb"), legacyFile, target});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(r.out.contains(QLatin1String("kontraktor: 8 baris")));
        QVERIFY(r.out.contains(QLatin1String("password: 3 baris")));
        QVERIFY(r.out.contains(QLatin1String("test: 0 baris")));
        QCOMPARE(QCryptographicHash::hash(readAll(legacyFile), QCryptographicHash::Sha256), before);
        if (!test::onPostgres())
            QCOMPARE(QDir(dir.filePath(QStringLiteral("data"))).entryList(QDir::Files | QDir::Hidden),
                     QStringList{QStringLiteral("kontraktor.mdb")});

        Connection c(target);
        QSqlQuery q = c.exec(QStringLiteral("SELECT \"NamaSyarikat\", \"NoDaftar\" FROM kontraktor ORDER BY id"));
        QStringList names;
        while (q.next()) {
            names << q.value(0).toString();
            QVERIFY(q.value(1).isNull()); // no such column in the old table
        }
        QCOMPARE(names, (QStringList{"Beverages", "Condiments", "Confections", "Dairy Products", "Grains/Cereals",
                                     "Meat/Poultry", "Produce", "Seafood"}));
        QCOMPARE(admin({QStringLiteral("check"), target}).status, 0);

        // A second import onto the same store is refused and changes nothing.
        if (test::onPostgres()) {
            const Run again = admin({QStringLiteral("import-mdb"), legacyFile, target});
            QCOMPARE(again.status, 1);
            QSqlQuery n = c.exec(QStringLiteral("SELECT count(*) FROM kontraktor"));
            QVERIFY(n.next());
            QCOMPARE(n.value(0).toInt(), 8);
            return;
        }
        const QByteArray store = readAll(target);
        const Run again = admin({QStringLiteral("import-mdb"), legacyFile, target});
        QCOMPARE(again.status, 1);
        QVERIFY(again.err.contains(QLatin1String("tidak akan ditimpa")));
        QCOMPARE(readAll(target), store);
    }

    void exportRoundTrip()
    {
        test::TempStore store;
        const QList<QVariantMap> rows{
            {{"NoDaftar", "ZRVA/KP/0002"}, {"NamaSyarikat", "Syarikat \"Maju\", Sdn. Bhd."},
             {"AlamatPendaftaranSyarikat", "Lot 5,\r\nJalan Kebun\nKampung Baru"}, {"Nilai", "1,500.00"}},
            {{"NoDaftar", "ZRVA/KP/0001"}, {"NamaSyarikat", "Perniagaan Ñandú & Anak ™ 中文"}, {"NoTelHp", ""},
             {"Butiran_kerja", "\"\"\n\""}},
        };
        for (const QVariantMap &r : rows)
            store.addContractor(r);

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("daftar.csv"));
        const Run r = admin({QStringLiteral("export-csv"), store.path(), file});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QByteArray bytes = readAll(file);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QList<QStringList> csv = parseCsv(QString::fromUtf8(bytes.mid(3)));
        QCOMPARE(csv.size(), 3);
        QCOMPARE(csv.first(), contractorFields());
        for (int i = 0; i < rows.size(); ++i)
            for (int f = 0; f < contractorFields().size(); ++f)
                QCOMPARE(csv.at(i + 1).at(f), rows.at(i).value(contractorFields().at(f)).toString());

        // The same bytes on standard output; an existing file is not overwritten.
        QCOMPARE(admin({QStringLiteral("export-csv"), store.path()}).rawOut, bytes);
        const Run again = admin({QStringLiteral("export-csv"), store.path(), file});
        QCOMPARE(again.status, 1);
        QCOMPARE(readAll(file), bytes);
        QVERIFY(admin({QStringLiteral("export-csv"), dir.filePath("tiada.mdb"), dir.filePath("x.csv")}).status != 0);
        QVERIFY(!QFileInfo::exists(dir.filePath("x.csv")));
    }

    void backupWhileAnotherConnectionWrites()
    {
        if (test::onPostgres())
            QSKIP("backup copies SQLite files; a server is backed up with its own tools");
        test::TempStore store;
        {
            Connection c(store.path());
            QSqlQuery ins = c.prepare(QStringLiteral("INSERT INTO kontraktor (NoDaftar, Butiran_kerja) VALUES (?, ?)"));
            c.write([&] {
                for (int i = 0; i < 3000; ++i)
                    c.run(ins, {QStringLiteral("ZRVA/KP/%1").arg(i), QString(200, QLatin1Char('x'))});
            });
        }
        QTemporaryDir dir;
        const QString dest = dir.filePath(QStringLiteral("salinan.mdb"));
        QProcess p;
        p.start(QStringLiteral(ARB_ADMIN), {QStringLiteral("backup"), store.path(), dest});
        QVERIFY(p.waitForStarted());
        // Every write adds one contractor and one test row together.
        int writes = 0;
        {
            Connection c(store.path());
            while (p.state() != QProcess::NotRunning || writes < 5) {
                c.write([&] {
                    c.exec(QStringLiteral("INSERT INTO kontraktor (NoDaftar) VALUES (?)"), {QStringLiteral("W%1").arg(writes)});
                    c.exec(QStringLiteral("INSERT INTO test (Tarikh_dapat_kerja) VALUES (?)"), {QString::number(writes)});
                });
                ++writes;
                p.waitForFinished(1);
            }
        }
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
        QCOMPARE(admin({QStringLiteral("check"), dest}).status, 0);
        Connection copy(dest);
        QSqlQuery q = copy.exec(QStringLiteral("SELECT (SELECT count(*) FROM kontraktor), (SELECT count(*) FROM test)"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt() - 3000, q.value(1).toInt());
        QVERIFY(q.value(1).toInt() <= writes);

        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("salinan.mdb")});
        const QByteArray copied = readAll(dest);
        const Run again = admin({QStringLiteral("backup"), store.path(), dest});
        QCOMPARE(again.status, 1);
        QCOMPARE(readAll(dest), copied);
    }

    void checkSaysWhatIsWrong()
    {
        test::TempStore store;
        const Run sound = admin({QStringLiteral("check"), store.path()});
        QCOMPARE(sound.status, 0);
        QVERIFY(sound.out.contains(QLatin1String("baik")));
        if (test::onPostgres()) {
            store.exec(QStringLiteral("DROP TABLE test"));
            const Run missing = admin({QStringLiteral("check"), store.path()});
            QCOMPARE(missing.status, 1);
            QVERIFY(missing.out.contains(QLatin1String("Jadual \"test\" tiada")));
            return;
        }

        QTemporaryDir dir;
        const QString partial = dir.filePath(QStringLiteral("separa.mdb"));
        {
            auto c = Connection::create(partial);
            c->exec(QStringLiteral("CREATE TABLE kontraktor (id INTEGER PRIMARY KEY, NoDaftar TEXT)"));
            c->exec(QStringLiteral("CREATE TABLE password (id INTEGER PRIMARY KEY, password TEXT)"));
        }
        const Run missing = admin({QStringLiteral("check"), partial});
        QCOMPARE(missing.status, 1);
        QVERIFY(missing.out.contains(QLatin1String("\"NamaSyarikat\"")));
        QVERIFY(missing.out.contains(QLatin1String("Jadual \"test\" tiada")));

        // A page in the middle of the register overwritten.
        {
            Connection c(store.path());
            QSqlQuery ins = c.prepare(QStringLiteral("INSERT INTO kontraktor (NoDaftar, Butiran_kerja) VALUES (?, ?)"));
            c.write([&] {
                for (int i = 0; i < 400; ++i)
                    c.run(ins, {QStringLiteral("ZRVA/KP/%1").arg(i), QString(300, QLatin1Char('k'))});
            });
        }
        QByteArray bytes = readAll(store.path());
        QVERIFY(bytes.size() > 16 * 4096);
        const qsizetype page = (bytes.size() / 4096 / 2) * 4096;
        for (qsizetype i = page; i < page + 4096; ++i)
            bytes[i] = char(0x5a);
        const QString damaged = dir.filePath(QStringLiteral("rosak.mdb"));
        writeFile(damaged, bytes);
        const Run bad = admin({QStringLiteral("check"), damaged});
        QCOMPARE(bad.status, 1);
        QVERIFY(bad.out.contains(QLatin1String("Kerosakan fail")) || !bad.err.isEmpty());

        writeFile(dir.filePath(QStringLiteral("teks.mdb")), "bukan pangkalan data");
        QCOMPARE(admin({QStringLiteral("check"), dir.filePath(QStringLiteral("teks.mdb"))}).status, 1);
        QCOMPARE(admin({QStringLiteral("check"), fixture(QStringLiteral("jet4-datetest.mdb"))}).status, 1);
    }
};

ARB_TEST_MAIN(TestAdminTools)
#include "tst_admintools.moc"
