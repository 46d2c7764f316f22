// arb-bench: times the register's operations through the program's own code
// on a generated store, next to the floors the engine itself sets.

#include "Floors.h"
#include "Generator.h"
#include "Harness.h"
#include "Operations.h"
#include "Postgres.h"

#include "data/Locations.h"
#include "platform/Look.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

using namespace arb;
using namespace arb::bench;

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    installFontSubstitutes();
    MessageBox::setScripted(true);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times the register's operations at a given size."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("count"), QStringLiteral("Contractors in the generated store."), QStringLiteral("N"), QStringLiteral("10000")});
    parser.addOption({QStringLiteral("history"), QStringLiteral("Entries in the generated store's change history (default 10 per contractor)."), QStringLiteral("H")});
    parser.addOption({QStringLiteral("reps"), QStringLiteral("Runs of each operation."), QStringLiteral("R"), QStringLiteral("5")});
    parser.addOption({QStringLiteral("json"), QStringLiteral("Also write the table as JSON to FILE."), QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("only"), QStringLiteral("Only the groups named so, once or more or with commas: susun, search, reports, windows, history, start (server: windows, susun, copy)."), QStringLiteral("GROUP")});
    parser.addOption({QStringLiteral("arb"), QStringLiteral("The program, for the start-up time."), QStringLiteral("PATH")});
    parser.addOption({QStringLiteral("engine"), QStringLiteral("sqlite (default) or postgres."), QStringLiteral("ENGINE"), QStringLiteral("sqlite")});
    parser.addOption({QStringLiteral("server"), QStringLiteral("postgres: a server to create databases on (default $ARB_TEST_PG)."), QStringLiteral("URL")});
    parser.addOption({QStringLiteral("rtt-ms"), QStringLiteral("postgres: round-trip time the relay adds, ms."), QStringLiteral("R"), QStringLiteral("0")});
    parser.process(app);
    const int count = parser.value(QStringLiteral("count")).toInt();
    const int reps = qMax(1, parser.value(QStringLiteral("reps")).toInt());
    const int history = parser.isSet(QStringLiteral("history")) ? parser.value(QStringLiteral("history")).toInt() : 10 * count;
    QStringList only;
    for (const QString &value : parser.values(QStringLiteral("only")))
        for (const QString &group : value.split(QLatin1Char(','), Qt::SkipEmptyParts))
            only << group.trimmed();
    QString arbPath = parser.value(QStringLiteral("arb"));
    if (arbPath.isEmpty())
        arbPath = QCoreApplication::applicationDirPath() + QStringLiteral("/../arb");

    QTextStream out(stdout);
    if (parser.value(QStringLiteral("engine")) == QLatin1String("postgres")) {
        ServerRun run;
        run.server = parser.isSet(QStringLiteral("server")) ? parser.value(QStringLiteral("server"))
                                                            : QString::fromLocal8Bit(qgetenv("ARB_TEST_PG"));
        run.rttMs = parser.value(QStringLiteral("rtt-ms")).toDouble();
        run.count = count;
        run.history = history;
        run.reps = reps;
        run.only = only;
        if (run.server.isEmpty()) {
            out << "SKIP: no PostgreSQL server (ARB_TEST_PG is not set); server bench not run" << Qt::endl;
            return qgetenv("CI") == "true" ? 1 : 77;
        }
        Table table;
        runOnServer(run, out, table);
        out << Qt::endl << "PostgreSQL, N = " << count << ", R = " << run.rttMs << " ms added per round trip, " << reps
            << " runs each" << Qt::endl << table.text();
        return 0;
    }
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("base.mdb"));
    const QString work = dir.filePath(QStringLiteral("kontraktor.mdb"));
    QElapsedTimer t;
    t.start();
    generateStore(base, count, history);
    out << "Generated " << count << " contractors and " << history << " history entries in " << t.elapsed() << " ms ("
        << QFileInfo(base).size() / 1024 << " KiB)" << Qt::endl;

    const auto fresh = [&] {
        QFile::remove(work);
        QFile::copy(base, work);
    };
    fresh();
    Locations::setStore(work);

    Table table;
    Context ctx{reps, count, work, base, dir.path(), arbPath, fresh, out, only};
    runOperations(ctx, table);

    Row mem;
    // The program's, over the groups run (which name it).
    mem.operation = only.isEmpty() ? QStringLiteral("peak resident memory")
                                   : QStringLiteral("peak resident memory (%1)").arg(only.join(QStringLiteral(", ")));
    mem.time.median = ctx.peakMB;
    mem.budget = QStringLiteral("<= 150 MB");
    mem.holds = mem.time.median <= 150;
    table.add(mem);

    out << Qt::endl << "N = " << count << ", " << reps << " runs each" << Qt::endl << table.text();
    if (parser.isSet(QStringLiteral("json"))) {
        QFile f(parser.value(QStringLiteral("json")));
        if (f.open(QIODevice::WriteOnly))
            f.write(table.json(count).toUtf8());
    }
    return 0;
}
