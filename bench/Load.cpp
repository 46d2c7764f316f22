// arb-load: several processes registering, updating, editing work and
// sorting one register at once, the way several desktops do; then every
// contractor is counted. Exits 1 when one was lost, doubled or written into
// another contractor's row.
//
//   arb-load --store LOC [--fill N] [--workers W] [--seconds S]
//
// Every value a worker writes carries the name of the contractor it meant to
// write, so a write that landed in another contractor's row shows. Every
// value is written once, so the store's history must hold each change a
// worker reported stored exactly once, one "Susun" entry per sort, the
// values the rows end with as each field's latest entry, and (SQLite) a
// sound chain.

#include "data/Connection.h"
#include "data/DataControl.h"
#include "data/Fields.h"
#include "data/FileSystem.h"
#include "data/History.h"
#include "data/HistoryLog.h"
#include "data/Locations.h"
#include "data/Failure.h"
#include "data/ContractorSort.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlQuery>
#include <QTextStream>

using namespace arb;

namespace {

const QString kPhone = QStringLiteral("NoTelHp");
const QString kDates = QStringLiteral("Tarikh_dapat_kerja");

// A box on the work dates, as the work window binds one.
class Box : public BoundValue
{
public:
    QString boundField() const override { return kDates; }
    void showValue(const QString &text) override { m_text = m_shown = text; }
    bool valueChanged() const override { return m_text != m_shown; }
    QString valueText() const override { return m_text; }
    void type(const QString &text) { m_text = text; }

private:
    QString m_text, m_shown;
};

void fill(const QString &store, int count)
{
    Connection c(store);
    QStringList names, marks;
    for (const QString &f : contractorFields()) {
        names << Connection::ident(f);
        marks << QStringLiteral("?");
    }
    c.write([&] {
        QSqlQuery q = c.prepare(QStringLiteral("INSERT INTO kontraktor (%1) VALUES (%2)")
                                    .arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        QRandomGenerator rng(7);
        for (int i = 1; i <= count; ++i) {
            QVariantList values;
            for (const QString &f : contractorFields()) {
                if (f == QLatin1String("NoDaftar"))
                    values << QStringLiteral("ZRVA/KP/%1").arg(rng.bounded(1, count + 1), 4, 10, QLatin1Char('0'));
                else if (f == QLatin1String("NamaSyarikat"))
                    values << QStringLiteral("C%1").arg(i);
                else if (f == kDates)
                    values << QString(QLatin1String(""));
                else
                    values << QStringLiteral("-");
            }
            c.run(q, values);
        }
    });
}

// To a random row: the first, then some steps on.
void wander(DataControl &dc, QRandomGenerator &rng)
{
    // Stepped as the search steps: the box shows only the row reached.
    dc.setRefreshDeferred(true);
    dc.moveFirst();
    const int steps = int(rng.bounded(quint32(std::max(1, dc.recordCount()))));
    for (int i = 0; i < steps && !dc.eof(); ++i)
        dc.moveNext();
    if (dc.eof())
        dc.movePrevious();
    dc.setRefreshDeferred(false);
    dc.refreshBound();
}

int worker(const QString &store, int id, int seconds)
{
    QTextStream out(stdout);
    QRandomGenerator rng(quint32(1000 + id));
    DataControl dc(store, kContractorTable, DataControl::Kind::Table);
    dc.open();
    Box box;
    dc.bind(&box);
    int stored = 0, reported = 0, n = 0;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < seconds * 1000) {
        ++n;
        const int r = int(rng.bounded(100));
        try {
            if (r < 20) {
                const QString name = QStringLiteral("W%1-%2").arg(id).arg(n);
                dc.addNew();
                for (const QString &f : contractorFields())
                    dc.setValue(f, QStringLiteral("-"));
                dc.setValue(QStringLiteral("NoDaftar"), QStringLiteral("ZRVA/KP/%1").arg(9000 + n));
                dc.setValue(QStringLiteral("NamaSyarikat"), name);
                dc.setValue(kDates, QString(QLatin1String("")));
                dc.update();
                out << "REG " << name << Qt::endl;
            } else if (r < 55) {
                wander(dc, rng);
                const QString name = dc.text(QStringLiteral("NamaSyarikat"));
                dc.edit();
                const QString phone = QStringLiteral("T%1-%2:%3").arg(id).arg(n).arg(name);
                dc.setValue(kPhone, phone);
                dc.update();
                out << "SET " << phone << Qt::endl;
            } else if (r < 90) {
                // Stored by the next move's write-back, as in the work window.
                wander(dc, rng);
                box.type(QStringLiteral("D%1-%2:%3").arg(id).arg(n).arg(dc.text(QStringLiteral("NamaSyarikat"))));
            } else {
                if (sortContractors(store) > 0)
                    out << "SORT" << Qt::endl;
            }
            ++stored;
        } catch (const StaleRow &) {
            ++reported;
        } catch (const Failure &f) {
            ++reported;
            QTextStream(stderr) << "worker " << id << ": " << f.message() << " | " << f.detail() << Qt::endl;
        }
    }
    try {
        dc.close();
    } catch (const Failure &) {
        ++reported;
    }
    out << "DONE " << stored << ' ' << reported << Qt::endl;
    return 0;
}

// The history against what the workers reported stored and the rows as
// they ended; returns the faults found.
int checkHistory(const QString &store, const QSet<QString> &names, const QStringList &phones, int sorts, QTextStream &out)
{
    Connection c(store);
    HistoryFilter all;
    all.newestFirst = false;
    QHash<QString, int> times;           // "field value" -> entries
    QHash<QString, QString> latest;      // "key field" -> the newest value
    int sorted = 0;
    const QList<HistoryEntry> entries = historyEntries(c, all);
    for (const HistoryEntry &e : entries) {
        if (e.action == History::kSorted)
            ++sorted;
        if (e.field.isEmpty())
            continue;
        ++times[e.field + QLatin1Char(' ') + e.after.toString()];
        latest.insert(e.key + QLatin1Char(' ') + e.field, e.after.toString());
    }
    int missing = 0, doubled = 0, stale = 0;
    for (const QString &name : names)
        missing += times.value(QStringLiteral("NamaSyarikat ") + name) == 0;
    for (const QString &phone : phones)
        missing += times.value(kPhone + QLatin1Char(' ') + phone) == 0;
    for (auto it = times.cbegin(); it != times.cend(); ++it)
        if (it.value() > 1 && it.key().contains(QLatin1Char(':')))
            doubled += it.value() - 1;
    QSqlQuery q = c.exec(QStringLiteral("SELECT kunci, \"NoTelHp\", \"Tarikh_dapat_kerja\" FROM kontraktor"));
    while (q.next())
        for (int i : {1, 2}) {
            const QString field = i == 1 ? kPhone : kDates;
            stale += latest.value(q.value(0).toString() + QLatin1Char(' ') + field) != q.value(i).toString();
        }
    q.finish();
    const History::Chain chain = History::verifyChain(c);
    out << "history: " << entries.size() << " entries, changes missing " << missing << ", doubled " << doubled
        << ", rows unlike their latest entry " << stale << ", sorts " << sorts << " with " << sorted << " entries, chain "
        << (chain.firstBad < 0 ? QStringLiteral("sound") : chain.fault) << Qt::endl;
    return missing + doubled + stale + (sorted != sorts) + (chain.firstBad >= 0);
}

} // namespace

int main(int argc, char *argv[])
{
    fs::binaryStandardStreams(); // the workers' lines are read as written
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.addOptions({{QStringLiteral("store"), QStringLiteral("The store."), QStringLiteral("LOC")},
                  {QStringLiteral("fill"), QStringLiteral("First add N contractors."), QStringLiteral("N"), QStringLiteral("0")},
                  {QStringLiteral("workers"), QStringLiteral("Processes."), QStringLiteral("W"), QStringLiteral("4")},
                  {QStringLiteral("seconds"), QStringLiteral("How long they work."), QStringLiteral("S"), QStringLiteral("10")},
                  {QStringLiteral("worker"), QStringLiteral("Run as worker K."), QStringLiteral("K")}});
    p.process(app);
    const QString store = p.value(QStringLiteral("store"));
    const int seconds = p.value(QStringLiteral("seconds")).toInt();
    Locations::setStore(store);
    QTextStream out(stdout);
    try {
        if (p.isSet(QStringLiteral("worker")))
            return worker(store, p.value(QStringLiteral("worker")).toInt(), seconds);
        if (const int n = p.value(QStringLiteral("fill")).toInt(); n > 0)
            fill(store, n);

        QSet<QString> expected;
        {
            Connection c(store);
            QSqlQuery q = c.exec(QStringLiteral("SELECT \"NamaSyarikat\" FROM kontraktor"));
            while (q.next())
                expected.insert(q.value(0).toString());
        }
        const int before = int(expected.size());

        QList<QProcess *> workers;
        const int count = p.value(QStringLiteral("workers")).toInt();
        for (int k = 1; k <= count; ++k) {
            auto *w = new QProcess(&app);
            w->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            w->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--store"), store, QStringLiteral("--worker"), QString::number(k),
                      QStringLiteral("--seconds"), QString::number(seconds)});
            workers << w;
        }
        int stored = 0, reported = 0, crashed = 0, sorts = 0;
        QStringList phones;
        for (QProcess *w : workers) {
            if (!w->waitForFinished((seconds + 120) * 1000) || w->exitStatus() != QProcess::NormalExit || w->exitCode() != 0)
                ++crashed;
            for (const QByteArray &line : w->readAllStandardOutput().split('\n')) {
                if (line.startsWith("REG "))
                    expected.insert(QString::fromUtf8(line.mid(4)));
                if (line.startsWith("SET "))
                    phones << QString::fromUtf8(line.mid(4));
                if (line == "SORT")
                    ++sorts;
                if (line.startsWith("DONE ")) {
                    const QList<QByteArray> parts = line.split(' ');
                    stored += parts.value(1).toInt();
                    reported += parts.value(2).toInt();
                }
            }
        }

        QHash<QString, int> seen;
        int misplaced = 0;
        {
            Connection c(store);
            QSqlQuery q = c.exec(QStringLiteral("SELECT \"NamaSyarikat\", \"NoTelHp\", \"Tarikh_dapat_kerja\" FROM kontraktor"));
            while (q.next()) {
                const QString name = q.value(0).toString();
                ++seen[name];
                const QString mine = QLatin1Char(':') + name;
                const QString phone = q.value(1).toString(), dates = q.value(2).toString();
                if ((phone != QLatin1String("-") && !phone.endsWith(mine)) || (!dates.isEmpty() && !dates.endsWith(mine)))
                    ++misplaced;
            }
        }
        int lost = 0, duplicated = 0;
        QStringList which;
        for (const QString &name : std::as_const(expected))
            if (!seen.contains(name)) {
                ++lost;
                which << QStringLiteral("lost ") + name;
            }
        for (auto it = seen.cbegin(); it != seen.cend(); ++it)
            if (it.value() > 1 || !expected.contains(it.key())) {
                duplicated += it.value() - (expected.contains(it.key()) ? 1 : 0);
                which << QStringLiteral("%1 x%2%3").arg(it.key()).arg(it.value()).arg(expected.contains(it.key()) ? QString() : QStringLiteral(" (never reported stored)"));
            }
        if (!which.isEmpty())
            out << which.mid(0, 20).join(QStringLiteral(", ")) << Qt::endl;
        out << count << " processes, " << seconds << " s, " << before << " contractors before, " << expected.size()
            << " expected after: " << stored << " operations stored, " << reported << " reported, " << crashed
            << " processes failed" << Qt::endl;
        out << "lost " << lost << ", duplicated " << duplicated << ", written into another contractor's row "
            << misplaced << Qt::endl;
        const int unrecorded = checkHistory(store, expected, phones, sorts, out);
        return lost + duplicated + misplaced + crashed + unrecorded == 0 && stored > 0 ? 0 : 1;
    } catch (const Failure &f) {
        QTextStream(stderr) << f.message() << " | " << f.detail() << Qt::endl;
        return 1;
    }
}
