#include "Postgres.h"

#include "Generator.h"
#include "Relay.h"

#include "data/Connection.h"
#include "data/DataControl.h"
#include "data/Locations.h"
#include "data/StoreCopy.h"
#include "platform/MessageBox.h"
#include "platform/Windows.h"
#include "register/Form4.h"
#include "register/HistoryWindow.h"
#include "data/ContractorSort.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>

namespace arb::bench {

namespace {

QString withDatabase(const QString &server, const QString &database, int port = 0)
{
    QUrl url(server);
    url.setPath(QLatin1Char('/') + database);
    if (port)
        url.setPort(port);
    return url.toString();
}

enum class Limit { ExactRoundTrips, RoundTrips, Bytes, None };

} // namespace

void runOnServer(const ServerRun &run, QTextStream &out, Table &table)
{
    const QUrl url(run.server);
    const QString base = QStringLiteral("arb_bench_base");
    const QString work = QStringLiteral("arb_bench_work");
    const QString copied = QStringLiteral("arb_bench_copy");
    Connection admin(run.server);
    const auto drop = [&](const QString &db) { admin.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(db)); };

    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("base.mdb"));
        generateStore(file, run.count, run.history);
        drop(base);
        admin.exec(QStringLiteral("CREATE DATABASE %1").arg(base));
        copyStore(file, withDatabase(run.server, base));
    }
    out << "Generated " << run.count << " contractors and " << run.history << " history entries on the server" << Qt::endl;

    Relay relay(url.host().isEmpty() ? QStringLiteral("127.0.0.1") : url.host(), url.port(5432), run.rttMs);
    const QString store = withDatabase(run.server, work, relay.port());
    const auto fresh = [&] {
        drop(work);
        admin.exec(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(work, base));
    };
    fresh();
    Locations::setStore(store);

    QString group; // of the rows being added; the others are passed over
    // One row: time of the operation, what crossed the relay in its last run
    // (per step when it is made of `steps` equal steps), and the budget.
    const auto add = [&](const QString &name, const std::function<void()> &setup, const std::function<void()> &op,
                         int steps, Limit limit, double bound) {
        if (!run.wants(group))
            return;
        const Timing t = measure(run.reps, [&] {
            if (setup)
                setup();
            relay.reset();
        }, op);
        const Relay::Counts c = relay.counts();
        const double trips = double(c.roundTrips) / steps;
        Row r;
        r.operation = name;
        r.time = t;
        r.against = QStringLiteral("relay: %1 RT, %2 KB, %3 conn")
                        .arg(trips, 0, 'f', steps > 1 ? 2 : 0)
                        .arg(c.bytesToClient / 1024)
                        .arg(c.connections);
        switch (limit) {
        case Limit::ExactRoundTrips:
            r.budget = QStringLiteral("= %1 RT").arg(bound);
            r.holds = trips == bound;
            break;
        case Limit::RoundTrips:
            r.budget = QStringLiteral("<= %1 RT").arg(bound);
            r.holds = trips <= bound;
            break;
        case Limit::Bytes:
            r.budget = QStringLiteral("<= %1 MB read").arg(bound);
            r.holds = c.bytesToClient <= bound * 1024 * 1024;
            break;
        case Limit::None:
            r.hasBudget = false;
            break;
        }
        table.add(r);
        out << "  " << name << Qt::endl;
    };

    group = QStringLiteral("windows");
    out << "Windows..." << Qt::endl;
    Form4 *record = nullptr;
    add(QStringLiteral("open record window on first row"), closeAll, [&] {
            record = showWindow<Form4>();
            record->satu(false);
            record->gerak(1);
            settle();
        }, 1, Limit::None, 0);
    constexpr int steps = 100;
    add(QStringLiteral("move \">\" x100, record window (RT per move)"), [&] { record->Command9->click(); settle(); }, [&] {
            for (int i = 0; i < steps; ++i)
                record->Command6->click();
            settle();
        }, steps, Limit::ExactRoundTrips, 1);
    const auto search = [&](int mode, const QString &word) {
        record->Combo1->setCurrentIndex(mode);
        record->Text16->setText(word);
        record->Command8->click();
        settle();
    };
    add(QStringLiteral("search, no match, by number (Form4)"), {}, [&] { search(0, QStringLiteral("99999")); }, 1,
        Limit::Bytes, 1);
    add(QStringLiteral("search, no match, by name (Form4)"), {}, [&] { search(1, QStringLiteral("TIADAPADAN")); }, 1,
        Limit::Bytes, 1);
    add(QStringLiteral("open one contractor's history (\"Sejarah\")"), {}, [&] {
            record->Command11->click();
            settle();
            for (QWidget *w : record->findChildren<HistoryWindow *>())
                w->close();
            settle();
        }, 1, Limit::None, 0);
    closeAll();

    {
        std::unique_ptr<DataControl> dc;
        const auto open = [&] {
            dc.reset();
            dc = std::make_unique<DataControl>(Locations::kLocalPath, QStringLiteral("kontraktor"), DataControl::Kind::Dynaset);
            dc->open();
        };
        int n = 0;
        const auto write = [&] {
            dc->edit();
            dc->setValue(QStringLiteral("NoTelHp"), QStringLiteral("012-%1").arg(++n));
            dc->update();
        };
        add(QStringLiteral("first one-row write of a window"), open, write, 1, Limit::None, 0);
        add(QStringLiteral("one-row write (data control update)"), {}, write, 1, Limit::RoundTrips, 3);
    }

    add(QStringLiteral("open a connection"), {}, [&] { Connection c(Locations::kLocalPath); }, 1, Limit::None, 0);

    group = QStringLiteral("susun");
    out << "Susun..." << Qt::endl;
    {
        // As in the program: the main window's data control holds the
        // process's connection while the list window sorts.
        std::shared_ptr<Connection> held;
        add(QStringLiteral("\"Susun\" (list window)"), [&] {
                held.reset();
                fresh();
                held = Connection::shared(Locations::kLocalPath);
            },
            [&] { sortContractors(QString(Locations::kLocalPath)); }, 1, Limit::RoundTrips, 10);
    }

    group = QStringLiteral("copy");
    out << "Copy..." << Qt::endl;
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("base.mdb"));
        generateStore(file, run.count);
        add(QStringLiteral("copy into the server (arb-admin copy)"), [&] { drop(copied); admin.exec(QStringLiteral("CREATE DATABASE %1").arg(copied)); },
            [&] { copyStore(file, withDatabase(run.server, copied, relay.port())); }, 1, Limit::RoundTrips, 50);
        drop(copied);
    }
    Locations::setStore(QString());
    drop(work);
    drop(base);
}

} // namespace arb::bench
