// arb-bench: times the register's operations through the program's own code
// on a generated store, next to the floors the engine itself sets.

#include "Floors.h"
#include "Generator.h"
#include "Harness.h"
#include "Operations.h"

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
#include <sys/resource.h>

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
    parser.addOption({QStringLiteral("reps"), QStringLiteral("Runs of each operation."), QStringLiteral("R"), QStringLiteral("5")});
    parser.addOption({QStringLiteral("json"), QStringLiteral("Also write the table as JSON to FILE."), QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("only"), QStringLiteral("Only the groups named so: susun, search, reports, windows, start."), QStringLiteral("GROUP")});
    parser.addOption({QStringLiteral("arb"), QStringLiteral("The program, for the start-up time."), QStringLiteral("PATH")});
    parser.process(app);
    const int count = parser.value(QStringLiteral("count")).toInt();
    const int reps = qMax(1, parser.value(QStringLiteral("reps")).toInt());
    QString arbPath = parser.value(QStringLiteral("arb"));
    if (arbPath.isEmpty())
        arbPath = QCoreApplication::applicationDirPath() + QStringLiteral("/../arb");

    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("base.mdb"));
    const QString work = dir.filePath(QStringLiteral("kontraktor.mdb"));
    QElapsedTimer t;
    t.start();
    generateStore(base, count);
    out << "Generated " << count << " contractors in " << t.elapsed() << " ms (" << QFileInfo(base).size() / 1024 << " KiB)" << Qt::endl;

    const auto fresh = [&] {
        QFile::remove(work);
        QFile::copy(base, work);
    };
    fresh();
    Locations::setStore(work);

    Table table;
    Context ctx{reps, count, work, base, dir.path(), arbPath, fresh, out, parser.value(QStringLiteral("only"))};
    runOperations(ctx, table);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    Row mem;
    mem.operation = QStringLiteral("peak resident memory");
    mem.time.median = usage.ru_maxrss / 1024.0;
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
