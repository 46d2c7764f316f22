#include "data/History.h"

#include "data/Connection.h"
#include "data/Fields.h"
#include "data/StoreError.h"
#include "data/Failure.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>

namespace arb::History {

namespace {

const QString kRefused = QStringLiteral("Sejarah perubahan tidak boleh diubah atau dipadam.");
// The store's clock, UTC, to the millisecond; the same text on both engines.
const QString kSqliteNow = QStringLiteral("strftime('%Y-%m-%d %H:%M:%f', 'now')");
const QString kServerNow = QStringLiteral("to_char(statement_timestamp() AT TIME ZONE 'UTC', 'YYYY-MM-DD HH24:MI:SS.MS')");
// The columns an entry's seal covers, in order.
const QString kEntryColumns =
    QStringLiteral("kunci, no_daftar, nama_syarikat, masa, siapa, komputer, tindakan, medan, lama, baru");

bool sqlite(const Connection &c)
{
    return c.engine() == Connection::Engine::Sqlite;
}

// Statements without values: one round trip to a server for all of them.
void runAll(Connection &c, const QStringList &statements)
{
    if (sqlite(c)) {
        for (const QString &s : statements)
            c.exec(s);
    } else if (!statements.isEmpty()) {
        c.exec(statements.join(QStringLiteral(";\n")));
    }
}

QString quoted(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

QString col(const QString &prefix, const QString &field)
{
    return prefix + Connection::ident(field);
}

// The fields an entry can name, in table order; the key last, for a key
// changed by hand.
QStringList trackedFields(bool withKey)
{
    QStringList f = contractorFields();
    if (withKey)
        f << kKey;
    return f;
}

// SQLite: one row per field, (medan, lama, baru), from OLD and NEW.
QString sqliteRows(const QString &before, const QString &after, bool withKey)
{
    QStringList rows;
    for (const QString &f : trackedFields(withKey))
        rows << QStringLiteral("SELECT %1 AS medan, %2 AS lama, %3 AS baru")
                    .arg(quoted(f), before.isEmpty() ? QStringLiteral("NULL") : col(before, f),
                         after.isEmpty() ? QStringLiteral("NULL") : col(after, f));
    return rows.join(QStringLiteral(" UNION ALL "));
}

// Server: VALUES rows (nomor, medan, lama, baru) for a LATERAL join.
QString serverRows(const QString &before, const QString &after, bool withKey)
{
    QStringList rows;
    int n = 0;
    for (const QString &f : trackedFields(withKey))
        rows << QStringLiteral("(%1, %2, %3, %4)")
                    .arg(++n)
                    .arg(quoted(f), before.isEmpty() ? QStringLiteral("NULL::text") : col(before, f),
                         after.isEmpty() ? QStringLiteral("NULL::text") : col(after, f));
    return QStringLiteral("(VALUES %1) AS f(nomor, medan, lama, baru)").arg(rows.join(QStringLiteral(", ")));
}

QString sessionValue(const QString &column)
{
    return QStringLiteral("(SELECT %1 FROM sejarah_sesi LIMIT 1)").arg(column);
}

// The action of the program's session when it is one of allowed, else plain.
QString sqliteAction(const QStringList &allowed, const QString &plain)
{
    QStringList quotedAllowed;
    for (const QString &a : allowed)
        quotedAllowed << quoted(a);
    return QStringLiteral("CASE WHEN %1 IN (%2) THEN %1 ELSE %3 END")
        .arg(sessionValue(QStringLiteral("tindakan")), quotedAllowed.join(QLatin1Char(',')), quoted(plain));
}

QString serverAction(const QStringList &allowed, const QString &plain)
{
    QStringList quotedAllowed;
    for (const QString &a : allowed)
        quotedAllowed << quoted(a);
    return QStringLiteral("CASE WHEN current_setting('arb.tindakan', true) IN (%1) THEN current_setting('arb.tindakan', "
                          "true) ELSE %2 END")
        .arg(quotedAllowed.join(QLatin1Char(',')), quoted(plain));
}

void createSqliteTriggers(Connection &c)
{
    const QString insert = QStringLiteral("INSERT INTO sejarah (kunci, no_daftar, nama_syarikat, masa, siapa, komputer, "
                                          "tindakan, medan, lama, baru) ");
    const QString who = QStringLiteral("%1, %2, %3").arg(kSqliteNow, sessionValue(QStringLiteral("siapa")),
                                                        sessionValue(QStringLiteral("komputer")));
    const QString noDaftar = Connection::ident(QStringLiteral("NoDaftar"));
    const QString company = Connection::ident(QStringLiteral("NamaSyarikat"));

    // A row written without a key (by sqlite3, say) gets one first.
    c.exec(QStringLiteral("CREATE TRIGGER sejarah_daftar AFTER INSERT ON kontraktor BEGIN "
                          "UPDATE kontraktor SET kunci = lower(hex(randomblob(16))) WHERE id = NEW.id AND kunci IS NULL; ")
           + insert
           + QStringLiteral("SELECT (SELECT kunci FROM kontraktor WHERE id = NEW.id), NEW.%1, NEW.%2, %3, %4, f.medan, "
                            "NULL, f.baru FROM (%5) AS f WHERE f.baru IS NOT NULL; END")
                 .arg(noDaftar, company, who, sqliteAction({kRestored, kImported}, kRegistered),
                      sqliteRows(QString(), QStringLiteral("NEW."), false)));

    QStringList updated;
    for (const QString &f : trackedFields(true))
        updated << Connection::ident(f);
    // Not the key given to a new row above. "Susun" changes only ids.
    c.exec(QStringLiteral("CREATE TRIGGER sejarah_ubah AFTER UPDATE OF %1 ON kontraktor "
                          "WHEN NOT (OLD.kunci IS NULL AND NEW.kunci IS NOT NULL) BEGIN ")
               .arg(updated.join(QLatin1Char(',')))
           + insert
           + QStringLiteral("SELECT OLD.kunci, NEW.%1, NEW.%2, %3, %4, f.medan, f.lama, f.baru FROM (%5) AS f "
                            "WHERE f.lama IS NOT f.baru; END")
                 .arg(noDaftar, company, who, sqliteAction({kRestored}, kChanged),
                      sqliteRows(QStringLiteral("OLD."), QStringLiteral("NEW."), true)));

    c.exec(QStringLiteral("CREATE TRIGGER sejarah_padam AFTER DELETE ON kontraktor BEGIN ") + insert
           + QStringLiteral("SELECT OLD.kunci, OLD.%1, OLD.%2, %3, %4, f.medan, f.lama, NULL FROM (%5) AS f "
                            "WHERE f.lama IS NOT NULL; END")
                 .arg(noDaftar, company, who, quoted(kDeleted), sqliteRows(QStringLiteral("OLD."), QString(), false)));

    // Entries are only added; the program only seals those not yet sealed.
    const QString refuse = QStringLiteral("BEGIN SELECT RAISE(ABORT, %1); END").arg(quoted(kRefused));
    c.exec(QStringLiteral("CREATE TRIGGER sejarah_tetap BEFORE UPDATE OF id, %1 ON sejarah ").arg(kEntryColumns) + refuse);
    c.exec(QStringLiteral("CREATE TRIGGER sejarah_tetap_meterai BEFORE UPDATE OF cincang ON sejarah "
                          "WHEN OLD.cincang IS NOT NULL ")
           + refuse);
    c.exec(QStringLiteral("CREATE TRIGGER sejarah_tetap_padam BEFORE DELETE ON sejarah ") + refuse);
}

void createServerTriggers(Connection &c)
{
    QStringList ddl;
    const QString insert = QStringLiteral("INSERT INTO sejarah (kunci, no_daftar, nama_syarikat, tindakan, medan, lama, baru) ");
    const QString noDaftar = Connection::ident(QStringLiteral("NoDaftar"));
    const QString company = Connection::ident(QStringLiteral("NamaSyarikat"));
    // Whole statements at once (an import, a copy's batch): one INSERT for
    // all their rows. The planner knows nothing of the transition tables;
    // compiling such a plan would cost more than running it.
    ddl << QStringLiteral("CREATE OR REPLACE FUNCTION sejarah_daftar() RETURNS trigger LANGUAGE plpgsql SET jit = off AS $f$ BEGIN ")
           + insert
           + QStringLiteral("SELECT n.kunci, n.%1, n.%2, %3, f.medan, f.lama, f.baru FROM baru n CROSS JOIN LATERAL %4 "
                            "WHERE f.baru IS NOT NULL ORDER BY n.id, f.nomor; RETURN NULL; END $f$")
                 .arg(noDaftar, company, serverAction({kRestored, kImported}, kRegistered),
                      serverRows(QString(), QStringLiteral("n."), false));
    ddl << QStringLiteral("CREATE TRIGGER sejarah_daftar AFTER INSERT ON kontraktor REFERENCING NEW TABLE AS baru "
                          "FOR EACH STATEMENT EXECUTE FUNCTION sejarah_daftar()");

    ddl << QStringLiteral("CREATE OR REPLACE FUNCTION sejarah_padam() RETURNS trigger LANGUAGE plpgsql SET jit = off AS $f$ BEGIN ")
           + insert
           + QStringLiteral("SELECT o.kunci, o.%1, o.%2, %3, f.medan, f.lama, f.baru FROM lama o CROSS JOIN LATERAL %4 "
                            "WHERE f.lama IS NOT NULL ORDER BY o.id, f.nomor; RETURN NULL; END $f$")
                 .arg(noDaftar, company, quoted(kDeleted), serverRows(QStringLiteral("o."), QString(), false));
    ddl << QStringLiteral("CREATE TRIGGER sejarah_padam AFTER DELETE ON kontraktor REFERENCING OLD TABLE AS lama "
                          "FOR EACH STATEMENT EXECUTE FUNCTION sejarah_padam()");

    // Row by row, and only for the fields: "Susun" changes ids, which fires nothing.
    QStringList updated;
    for (const QString &f : trackedFields(true))
        updated << Connection::ident(f);
    ddl << QStringLiteral("CREATE OR REPLACE FUNCTION sejarah_ubah() RETURNS trigger LANGUAGE plpgsql AS $f$ BEGIN ") + insert
           + QStringLiteral("SELECT OLD.kunci, NEW.%1, NEW.%2, %3, f.medan, f.lama, f.baru FROM %4 "
                            "WHERE f.lama IS DISTINCT FROM f.baru ORDER BY f.nomor; RETURN NULL; END $f$")
                 .arg(noDaftar, company, serverAction({kRestored}, kChanged),
                      serverRows(QStringLiteral("OLD."), QStringLiteral("NEW."), true));
    ddl << QStringLiteral("CREATE TRIGGER sejarah_ubah AFTER UPDATE OF %1 ON kontraktor FOR EACH ROW "
                          "EXECUTE FUNCTION sejarah_ubah()")
               .arg(updated.join(QLatin1Char(',')));

    // An entry added by hand carries the true time and writer, and nobody
    // rewrites entries; a role granted INSERT only cannot drop these.
    ddl << QStringLiteral("CREATE OR REPLACE FUNCTION sejarah_jujur() RETURNS trigger LANGUAGE plpgsql AS $f$ BEGIN "
                          "NEW.masa := %1; NEW.siapa := session_user; NEW.komputer := current_setting('application_name'); "
                          "NEW.cincang := NULL; RETURN NEW; END $f$")
               .arg(kServerNow);
    ddl << QStringLiteral("CREATE TRIGGER sejarah_jujur BEFORE INSERT ON sejarah FOR EACH ROW "
                          "WHEN (pg_trigger_depth() < 1) EXECUTE FUNCTION sejarah_jujur()");
    ddl << QStringLiteral("CREATE OR REPLACE FUNCTION sejarah_tetap() RETURNS trigger LANGUAGE plpgsql AS $f$ BEGIN "
                          "RAISE EXCEPTION %1; END $f$")
               .arg(quoted(kRefused));
    ddl << QStringLiteral("CREATE TRIGGER sejarah_tetap BEFORE UPDATE OR DELETE ON sejarah FOR EACH STATEMENT "
                          "EXECUTE FUNCTION sejarah_tetap()");
    ddl << QStringLiteral("CREATE TRIGGER sejarah_tetap_kosong BEFORE TRUNCATE ON sejarah FOR EACH STATEMENT "
                          "EXECUTE FUNCTION sejarah_tetap()");
    runAll(c, ddl);
}

// The triggers each engine must have, by table.
QStringList triggerNames(const Connection &c)
{
    QStringList names{QStringLiteral("sejarah_daftar"), QStringLiteral("sejarah_ubah"), QStringLiteral("sejarah_padam"),
                      QStringLiteral("sejarah_tetap")};
    if (sqlite(c))
        names << QStringLiteral("sejarah_tetap_meterai") << QStringLiteral("sejarah_tetap_padam");
    else
        names << QStringLiteral("sejarah_jujur") << QStringLiteral("sejarah_tetap_kosong");
    return names;
}

QString userName()
{
    for (const char *name : {"USER", "LOGNAME", "USERNAME"})
        if (const QString u = qEnvironmentVariable(name); !u.isEmpty())
            return u;
    // Started without a login's environment: the home folder bears the name.
    return QDir::home().dirName();
}

QByteArray seal(const QByteArray &before, const QSqlQuery &q, int first)
{
    QJsonArray fields;
    for (int i = first; i < first + 10; ++i) {
        const QVariant v = q.value(i);
        fields.append(v.isNull() ? QJsonValue() : QJsonValue(v.toString()));
    }
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(before);
    h.addData("\n");
    h.addData(QJsonDocument(fields).toJson(QJsonDocument::Compact));
    return h.result().toHex();
}

// Seals every entry after the last sealed one, in order; a few thousand at
// a time, so that a long unsealed history (a copy from a server) does not
// have to fit in memory.
void sealEntries(Connection &c)
{
    qint64 from = 0;
    QByteArray before;
    {
        QSqlQuery last = c.exec(QStringLiteral("SELECT id, cincang FROM sejarah WHERE cincang IS NOT NULL ORDER BY id DESC LIMIT 1"));
        if (last.next()) {
            from = last.value(0).toLongLong();
            before = last.value(1).toString().toLatin1();
        }
    }
    QSqlQuery update;
    bool prepared = false;
    for (;;) {
        QList<std::pair<qint64, QByteArray>> seals;
        {
            QSqlQuery q = c.exec(QStringLiteral("SELECT id, %1 FROM sejarah WHERE id > ? ORDER BY id LIMIT 5000").arg(kEntryColumns),
                                 {from});
            while (q.next()) {
                before = seal(before, q, 1);
                seals.append({q.value(0).toLongLong(), before});
            }
            requireWholeRead(q, c.location());
        }
        if (seals.isEmpty())
            return;
        if (!prepared) {
            update = c.prepare(QStringLiteral("UPDATE sejarah SET cincang = ? WHERE id = ?"));
            prepared = true;
        }
        for (const auto &[id, hash] : std::as_const(seals))
            c.run(update, {QString::fromLatin1(hash), id}, QStringLiteral("Sejarah perubahan tidak dapat disimpan."));
        from = seals.last().first;
    }
}

bool hasKeyColumn(Connection &c)
{
    // Asked of the store itself: another desktop may have just added it.
    QSqlQuery q = sqlite(c) ? c.exec(QStringLiteral("SELECT 1 FROM pragma_table_info('kontraktor') WHERE name = 'kunci'"))
                            : c.exec(QStringLiteral("SELECT 1 FROM information_schema.columns WHERE table_schema = "
                                                    "current_schema() AND table_name = 'kontraktor' AND column_name = 'kunci'"));
    return q.next();
}

} // namespace

QString keyColumn(const Connection &c)
{
    return sqlite(c) ? QStringLiteral("kunci TEXT")
                     : QStringLiteral("kunci TEXT NOT NULL DEFAULT replace(gen_random_uuid()::text, '-', '')");
}

void createTables(Connection &c)
{
    QStringList ddl;
    const QString now = sqlite(c) ? QStringLiteral("(%1)").arg(kSqliteNow) : kServerNow;
    const QString who = sqlite(c) ? QStringLiteral("siapa TEXT, komputer TEXT")
                                  : QStringLiteral("siapa TEXT DEFAULT session_user, komputer TEXT DEFAULT "
                                                   "current_setting('application_name')");
    ddl << QStringLiteral("CREATE TABLE sejarah (%1, kunci TEXT, no_daftar TEXT, nama_syarikat TEXT, "
                          "masa TEXT NOT NULL DEFAULT %2, %3, tindakan TEXT NOT NULL, medan TEXT, lama TEXT, "
                          "baru TEXT, cincang TEXT)")
               .arg(c.idColumn(), now, who);
    // One contractor's entries, newest first, and the deleted contractors.
    ddl << QStringLiteral("CREATE INDEX sejarah_kunci ON sejarah (kunci, id)");
    ddl << QStringLiteral("CREATE INDEX sejarah_dipadam ON sejarah (kunci, id) WHERE tindakan = %1").arg(quoted(kDeleted));
    if (sqlite(c))
        ddl << QStringLiteral("CREATE TABLE sejarah_sesi (siapa TEXT, komputer TEXT, tindakan TEXT)");
    runAll(c, ddl);
}

void createTriggers(Connection &c)
{
    if (sqlite(c))
        createSqliteTriggers(c);
    else
        createServerTriggers(c);
}

void fillKeys(Connection &c)
{
    c.exec(sqlite(c) ? QStringLiteral("UPDATE kontraktor SET kunci = lower(hex(randomblob(16))) WHERE kunci IS NULL")
                     : QStringLiteral("UPDATE kontraktor SET kunci = replace(gen_random_uuid()::text, '-', '') WHERE kunci IS NULL"));
}

bool installed(Connection &c)
{
    return c.columns(kContractorTable).contains(kKey);
}

void prepare(Connection &c)
{
    if (!c.hasTable(kContractorTable) || installed(c))
        return;
    try {
        c.write([&] {
            if (!sqlite(c))
                c.exec(QStringLiteral("LOCK TABLE kontraktor IN ACCESS EXCLUSIVE MODE"));
            if (hasKeyColumn(c))
                return;
            if (sqlite(c)) {
                c.exec(QStringLiteral("ALTER TABLE kontraktor ADD COLUMN ") + keyColumn(c));
                fillKeys(c);
            } else {
                // Filled with a key per row as it is added. "Susun" gives
                // contractors their new ids in one statement, so the ids
                // are unique at its end, not after each row.
                c.exec(QStringLiteral("ALTER TABLE kontraktor ADD COLUMN ") + keyColumn(c));
                QSqlQuery pk = c.exec(QStringLiteral("SELECT conname FROM pg_constraint WHERE conrelid = "
                                                     "'kontraktor'::regclass AND contype = 'p'"));
                const QString name = pk.next() ? pk.value(0).toString() : QStringLiteral("kontraktor_pkey");
                pk.finish();
                c.exec(QStringLiteral("ALTER TABLE kontraktor DROP CONSTRAINT %1, ADD CONSTRAINT %1 PRIMARY KEY (id) "
                                      "DEFERRABLE INITIALLY IMMEDIATE")
                           .arg(Connection::ident(name)));
            }
            createTables(c);
            createTriggers(c);
        });
    } catch (const Failure &f) {
        throw Failure(QStringLiteral("Pangkalan data ini belum mempunyai sejarah perubahan dan tidak dapat dinaik taraf. "
                                     "Bukanya sekali sebagai pemilik jadualnya (contohnya: arb-admin history --verify "
                                     "STORE)."),
                      f.message() + QStringLiteral(" ") + f.detail());
    }
}

void beginWrite(Connection &c)
{
    if (sqlite(c)) {
        if (c.hasTable(kSessionTable))
            c.exec(QStringLiteral("INSERT OR REPLACE INTO sejarah_sesi (rowid, siapa, komputer, tindakan) VALUES (1, ?, ?, ?)"),
                   {userName(), QSysInfo::machineHostName(), c.historyAction()});
    } else if (!c.historyAction().isEmpty()) {
        c.exec(QStringLiteral("SELECT set_config('arb.tindakan', ?, true)"), {c.historyAction()});
    }
}

void endWrite(Connection &c)
{
    if (!sqlite(c) || !c.hasTable(kSessionTable))
        return;
    sealEntries(c);
    c.exec(QStringLiteral("DELETE FROM sejarah_sesi"));
}

Action::Action(Connection &c, const QString &action)
    : m_c(c)
    , m_before(c.historyAction())
{
    c.setHistoryAction(action);
    if (c.inWrite())
        beginWrite(c);
}

Action::~Action()
{
    m_c.setHistoryAction(m_before);
    if (!m_c.inWrite())
        return;
    try {
        if (sqlite(m_c))
            beginWrite(m_c);
        else
            m_c.exec(QStringLiteral("SELECT set_config('arb.tindakan', ?, true)"), {m_before});
    } catch (const Failure &) {
        // The transaction fails at its next statement and is rolled back.
    }
}

QString sortEntry(const Connection &c)
{
    return sqlite(c) ? QStringLiteral("INSERT INTO sejarah (masa, siapa, komputer, tindakan, baru) VALUES (%1, %2, %3, %4, ?)")
                           .arg(kSqliteNow, sessionValue(QStringLiteral("siapa")), sessionValue(QStringLiteral("komputer")),
                                quoted(kSorted))
                     : QStringLiteral("INSERT INTO sejarah (tindakan, baru) VALUES (%1, ?)").arg(quoted(kSorted));
}

void recordSort(Connection &c, int moved)
{
    if (c.hasTable(kTable))
        c.exec(sortEntry(c), {QString::number(moved)});
}

Chain verifyChain(Connection &c)
{
    Chain chain;
    if (!sqlite(c) || !c.hasTable(kTable))
        return chain;
    QSqlQuery q = c.exec(QStringLiteral("SELECT id, %1, cincang FROM sejarah ORDER BY id").arg(kEntryColumns));
    QByteArray before;
    qint64 previous = 0;
    qint64 firstUnsealed = -1;
    while (q.next()) {
        const qint64 id = q.value(0).toLongLong();
        ++chain.entries;
        const QByteArray expected = seal(before, q, 1);
        const QVariant stored = q.value(11);
        const bool gap = id != previous + 1;
        previous = id;
        before = expected;
        if (stored.isNull()) {
            if (firstUnsealed < 0)
                firstUnsealed = id;
            ++chain.unsealed;
            // Outside the program nobody fills the session: its writer is unknown.
            if (!q.value(5).isNull()) {
                chain.firstBad = id;
                chain.fault = QStringLiteral("entri %1 tidak bermeterai tetapi ditulis oleh program: telah diubah").arg(id);
                break;
            }
            continue;
        }
        if (firstUnsealed >= 0) {
            chain.firstBad = firstUnsealed;
            chain.fault = QStringLiteral("meterai entri %1 telah dibuang").arg(firstUnsealed);
            break;
        }
        if (stored.toString().toLatin1() != expected) {
            chain.firstBad = id;
            chain.fault = gap ? QStringLiteral("entri sebelum entri %1 telah dibuang").arg(id)
                              : QStringLiteral("entri %1 telah diubah").arg(id);
            break;
        }
    }
    requireWholeRead(q, c.location());
    q.finish();
    if (chain.firstBad < 0) {
        // Entries taken off the end leave the counter beyond the last one.
        QSqlQuery seq = c.exec(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = 'sejarah'"));
        if (seq.next() && seq.value(0).toLongLong() > previous) {
            chain.firstBad = previous + 1;
            chain.fault = QStringLiteral("entri selepas entri %1 telah dibuang").arg(previous);
        }
    }
    if (chain.firstBad >= 0)
        chain.unsealed = 0;
    return chain;
}

QStringList problems(Connection &c, Chain *chainOut)
{
    QStringList out;
    if (!c.hasTable(kContractorTable) || !installed(c))
        return out;
    for (const QString &t : sqlite(c) ? QStringList{kTable, kSessionTable} : QStringList{kTable})
        if (!c.hasTable(t))
            out << QStringLiteral("Jadual \"%1\" tiada.").arg(t);
    if (!out.isEmpty())
        return out;

    QSqlQuery triggers = sqlite(c)
        ? c.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger'"))
        : c.exec(QStringLiteral("SELECT tgname FROM pg_trigger WHERE NOT tgisinternal AND tgenabled <> 'D' AND tgrelid IN "
                                "('kontraktor'::regclass, 'sejarah'::regclass)"));
    QStringList have;
    while (triggers.next())
        have << triggers.value(0).toString();
    requireWholeRead(triggers, c.location());
    for (const QString &t : triggerNames(c))
        if (!have.contains(t))
            out << (t.startsWith(QLatin1String("sejarah_tetap")) || t == QLatin1String("sejarah_jujur")
                        ? QStringLiteral("Pencetus \"%1\" tiada: sejarah boleh diubah dengan tangan.").arg(t)
                        : QStringLiteral("Pencetus \"%1\" tiada: perubahan tidak direkodkan dalam sejarah.").arg(t));

    QSqlQuery keys = c.exec(QStringLiteral("SELECT count(*) - count(kunci), count(kunci) - count(DISTINCT kunci) FROM kontraktor"));
    if (keys.next()) {
        if (keys.value(0).toLongLong() > 0)
            out << QStringLiteral("%1 kontraktor tiada kunci.").arg(keys.value(0).toLongLong());
        if (keys.value(1).toLongLong() > 0)
            out << QStringLiteral("%1 kunci kontraktor berulang.").arg(keys.value(1).toLongLong());
    }
    keys.finish();
    if (sqlite(c)) {
        QSqlQuery session = c.exec(QStringLiteral("SELECT count(*) FROM sejarah_sesi"));
        if (session.next() && session.value(0).toLongLong() > 0)
            out << QStringLiteral("Jadual sejarah_sesi tidak kosong: penulis luar akan dicatat atas nama orang lain.");
        session.finish();
        const Chain chain = verifyChain(c);
        if (chain.firstBad >= 0)
            out << QStringLiteral("Rantaian sejarah rosak: %1.").arg(chain.fault);
        if (chainOut)
            *chainOut = chain;
    }
    return out;
}

} // namespace arb::History
