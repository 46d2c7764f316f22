#include "Commands.h"

#include "data/Connection.h"
#include "data/History.h"
#include "data/HistoryLog.h"
#include "data/Locations.h"
#include "data/Failure.h"

#include <QDate>

namespace arb::admin {

namespace {

const char *kUsage = "Penggunaan: arb-admin history [--contractor NODAFTAR] [--since TARIKH] [--until TARIKH] [--csv] [STORE]\n"
                     "            arb-admin history --verify [STORE]";

// DD.MM.YYYY as the clerks write it, or YYYY-MM-DD.
QDate parseDate(const QString &text)
{
    QDate d = QDate::fromString(text, QStringLiteral("d.M.yyyy"));
    if (!d.isValid())
        d = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    return d;
}

QString shown(const QVariant &v)
{
    if (v.isNull())
        return QStringLiteral("(tiada)");
    QString t = v.toString();
    t.replace(QLatin1Char('\n'), QStringLiteral(" / "));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

QString writer(const HistoryEntry &e)
{
    if (e.who.isEmpty() && e.computer.isEmpty())
        return QStringLiteral("(tidak diketahui)");
    return QStringLiteral("%1 (%2)").arg(e.who.isEmpty() ? QStringLiteral("?") : e.who,
                                         e.computer.isEmpty() ? QStringLiteral("?") : e.computer);
}

int verify(Connection &c, Io io)
{
    History::Chain chain;
    const QStringList problems = History::problems(c, &chain);
    if (!problems.isEmpty()) {
        io.out << "Sejarah perubahan bermasalah: " << c.location() << Qt::endl;
        for (const QString &p : problems)
            io.out << "  " << p << Qt::endl;
        return 1;
    }
    if (c.engine() != Connection::Engine::Sqlite) {
        io.out << "Sejarah perubahan lengkap dengan pencetusnya. Di pelayan, sejarah dilindungi oleh hak peranan "
                  "(lihat README), bukan oleh rantaian."
               << Qt::endl;
        return 0;
    }
    if (chain.unsealed > 0) {
        c.write([] {}); // seals them
        io.out << chain.unsealed << " entri ditulis di luar program (contohnya dengan sqlite3) dan kini dimeterai." << Qt::endl;
    }
    io.out << "Rantaian sejarah baik: " << chain.entries << " entri." << Qt::endl;
    return 0;
}

} // namespace

int history(const QStringList &args, Io io)
{
    HistoryFilter filter;
    filter.newestFirst = false;
    bool csv = false;
    bool verifyOnly = false;
    QString store;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const auto value = [&]() -> QString { return i + 1 < args.size() ? args.at(++i) : QString(); };
        if (a == QLatin1String("--contractor")) {
            filter.noDaftar = value();
            if (filter.noDaftar.isEmpty()) {
                io.err << kUsage << Qt::endl;
                return 2;
            }
        } else if (a == QLatin1String("--since") || a == QLatin1String("--until")) {
            const QString text = value();
            const QDate d = parseDate(text);
            if (!d.isValid()) {
                io.err << "Tarikh tidak sah: " << text << " (DD.MM.YYYY)" << Qt::endl;
                return 2;
            }
            // Whole local days: from the start of one, up to the end of the other.
            if (a == QLatin1String("--since"))
                filter.since = d.startOfDay();
            else
                filter.until = d.addDays(1).startOfDay();
        } else if (a == QLatin1String("--csv")) {
            csv = true;
        } else if (a == QLatin1String("--verify")) {
            verifyOnly = true;
        } else if (a.startsWith(QLatin1String("--")) || !store.isEmpty()) {
            io.err << kUsage << Qt::endl;
            return 2;
        } else {
            store = a;
        }
    }
    if (verifyOnly && (csv || filter.since.isValid() || filter.until.isValid() || !filter.noDaftar.isEmpty())) {
        io.err << kUsage << Qt::endl;
        return 2;
    }
    if (store.isEmpty())
        store = Locations::chooseStore({});
    try {
        Connection c(store);
        History::prepare(c);
        if (verifyOnly)
            return verify(c, io);
        const QList<HistoryEntry> entries = historyEntries(c, filter);
        if (csv) {
            // As export-csv writes: UTF-8 with its mark, for a spreadsheet.
            io.out << QChar(0xFEFF) << "masa,siapa,komputer,tindakan,no_daftar,nama_syarikat,medan,lama,baru,kunci\r\n";
            for (const HistoryEntry &e : entries) {
                const QStringList line{e.when.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                       csvField(e.who), csvField(e.computer), csvField(e.action), csvField(e.noDaftar),
                                       csvField(e.company), csvField(e.field), csvField(e.before), csvField(e.after),
                                       csvField(e.key)};
                io.out << line.join(QLatin1Char(',')) << "\r\n";
            }
            io.out.flush();
            return 0;
        }
        for (const HistoryEntry &e : entries) {
            QString what;
            if (e.action == History::kSorted)
                what = QStringLiteral("%1 baris berubah tempat").arg(e.after.toString());
            else
                what = QStringLiteral("%1 %2  %3: %4 -> %5")
                           .arg(e.noDaftar, e.company, e.field, shown(e.before), shown(e.after));
            io.out << e.when.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")) << "  " << writer(e) << "  "
                   << e.action << "  " << what << Qt::endl;
        }
        if (entries.isEmpty())
            io.out << "Tiada entri sejarah." << Qt::endl;
    } catch (const Failure &f) {
        return fail(io, f);
    }
    return 0;
}

} // namespace arb::admin
