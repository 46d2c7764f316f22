#include "data/HistoryLog.h"

#include "data/Connection.h"
#include "data/DataControl.h"
#include "data/Fields.h"
#include "data/History.h"
#include "data/Numbering.h"
#include "data/StoreError.h"
#include "data/Failure.h"

#include <QHash>
#include <QSqlQuery>

namespace arb {

namespace {

const QString kColumns =
    QStringLiteral("s.id, s.kunci, s.no_daftar, s.nama_syarikat, s.masa, s.siapa, s.komputer, s.tindakan, s.medan, s.lama, s.baru");
const QString kTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");

QString storedTime(const QDateTime &t)
{
    return t.toUTC().toString(kTimeFormat);
}

QList<HistoryEntry> readEntries(Connection &c, const QString &sql, const QVariantList &values)
{
    QList<HistoryEntry> out;
    QSqlQuery q = c.exec(sql, values);
    while (q.next()) {
        HistoryEntry e;
        e.id = q.value(0).toLongLong();
        e.key = q.value(1).toString();
        e.noDaftar = q.value(2).toString();
        e.company = q.value(3).toString();
        e.when = QDateTime::fromString(q.value(4).toString(), kTimeFormat);
        e.when.setTimeSpec(Qt::UTC);
        e.who = q.value(5).toString();
        e.computer = q.value(6).toString();
        e.action = q.value(7).toString();
        e.field = q.value(8).toString();
        e.before = q.value(9);
        e.after = q.value(10);
        out.append(e);
    }
    requireWholeRead(q, c.location());
    return out;
}

} // namespace

QList<HistoryEntry> historyEntries(Connection &c, const HistoryFilter &filter)
{
    QStringList where;
    QVariantList values;
    if (!filter.key.isEmpty()) {
        where << QStringLiteral("s.kunci = ?");
        values << filter.key;
    }
    if (!filter.noDaftar.isEmpty()) {
        where << QStringLiteral("s.kunci IN (SELECT kunci FROM sejarah WHERE no_daftar = ? UNION "
                                "SELECT kunci FROM kontraktor WHERE %1 = ?)")
                     .arg(Connection::ident(QStringLiteral("NoDaftar")));
        values << filter.noDaftar << filter.noDaftar;
    }
    if (filter.since.isValid()) {
        where << QStringLiteral("s.masa >= ?");
        values << storedTime(filter.since);
    }
    if (filter.until.isValid()) {
        where << QStringLiteral("s.masa < ?");
        values << storedTime(filter.until);
    }
    const QString sql = QStringLiteral("SELECT %1 FROM sejarah s%2 ORDER BY s.id %3")
                            .arg(kColumns,
                                 where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND ")),
                                 filter.newestFirst ? QStringLiteral("DESC") : QStringLiteral("ASC"));
    return readEntries(c, sql, values);
}

QList<HistoryEntry> deletedContractors(Connection &c)
{
    const QString sql = QStringLiteral(
                            "SELECT %1 FROM sejarah s WHERE s.tindakan = ? AND s.id = (SELECT max(t.id) FROM sejarah t "
                            "WHERE t.kunci = s.kunci AND t.tindakan = ?) AND s.kunci NOT IN (SELECT kunci FROM "
                            "kontraktor WHERE kunci IS NOT NULL) ORDER BY s.id DESC")
                            .arg(kColumns);
    return readEntries(c, sql, {History::kDeleted, History::kDeleted});
}

QString fieldCaption(const QString &field)
{
    static const QHash<QString, QString> captions{
        {QStringLiteral("NoDaftar"), QStringLiteral("No Daftar")},
        {QStringLiteral("TarikhDaftar"), QStringLiteral("Tarikh Daftar")},
        {QStringLiteral("NamaSyarikat"), QStringLiteral("Nama Syarikat/Perniagaan")},
        {QStringLiteral("AlamatPendaftaranSyarikat"), QStringLiteral("Alamat Pendaftaran Syarikat/Perniagaan")},
        {QStringLiteral("NoPendaftaranSyarikat"), QStringLiteral("No Pendaftaran Syarikat/Perniagaan")},
        {QStringLiteral("NamaPengarahUrusan"), QStringLiteral("Nama Pengarah Urusan")},
        {QStringLiteral("NoKadPengenalan"), QStringLiteral("No Kad Pengenalan")},
        {QStringLiteral("NoTelHp"), QStringLiteral("No Telefon H/p")},
        {QStringLiteral("NoTelPej"), QStringLiteral("No Telefon Pejabat")},
        {QStringLiteral("NoFaks"), QStringLiteral("No Faks")},
        {QStringLiteral("NDPKK"), QStringLiteral("No Daftar PKK")},
        {QStringLiteral("NDCIDB"), QStringLiteral("No Daftar CIDB")},
        {QStringLiteral("NDKKEW"), QStringLiteral("No Daftar K/KEW")},
        {QStringLiteral("KTPKK"), QStringLiteral("Kelas/Tajuk PKK")},
        {QStringLiteral("KTCIDB"), QStringLiteral("Kelas/Tajuk CIDB")},
        {QStringLiteral("KTKKEW"), QStringLiteral("Kelas/Tajuk K/KEW")},
        {QStringLiteral("NoResit"), QStringLiteral("No Resit")},
        {QStringLiteral("Bidang"), QStringLiteral("Bidang")},
        {QStringLiteral("kelas"), QStringLiteral("Kelas")},
        {QStringLiteral("No_I_LO"), QStringLiteral("No Inden / LO")},
        {QStringLiteral("Tarikh_dapat_kerja"), QStringLiteral("Tarikh Kerja")},
        {QStringLiteral("Butiran_kerja"), QStringLiteral("Butiran Kerja")},
        {QStringLiteral("Nilai"), QStringLiteral("Nilai Projek")},
        {History::kKey, QStringLiteral("Kunci")},
    };
    return captions.value(field, field);
}

RestoredContractor restoreContractor(DataControl &dc, const QString &key)
{
    Connection &c = dc.connection();
    // The fields as the last deletion found them: its entries share its time.
    QVariantMap fields;
    {
        QSqlQuery q = c.exec(QStringLiteral("SELECT medan, lama FROM sejarah WHERE kunci = ? AND tindakan = ? AND masa = "
                                            "(SELECT masa FROM sejarah WHERE kunci = ? AND tindakan = ? ORDER BY id DESC "
                                            "LIMIT 1) ORDER BY id"),
                             {key, History::kDeleted, key, History::kDeleted});
        while (q.next())
            if (contractorFields().contains(q.value(0).toString()))
                fields.insert(q.value(0).toString(), q.value(1));
        requireWholeRead(q, c.location());
    }
    if (fields.isEmpty())
        throw Failure(QStringLiteral("Sejarah tidak menyimpan kontraktor ini sebagai dipadam."), key);

    RestoredContractor out;
    const QString noDaftar = QStringLiteral("NoDaftar");
    out.oldNumber = fields.value(noDaftar).toString();
    out.number = out.oldNumber;
    dc.addNew([&](Connection &w) {
        // Another desktop restoring or registering waits for this one.
        w.lockTable(kContractorTable);
        QSqlQuery there = w.exec(QStringLiteral("SELECT 1 FROM kontraktor WHERE kunci = ?"), {key});
        if (there.next())
            throw Failure(QStringLiteral("Kontraktor ini sudah ada semula dalam daftar."), key);
        there.finish();
        if (!fields.value(noDaftar).isNull()) {
            QSqlQuery taken = w.exec(QStringLiteral("SELECT 1 FROM kontraktor WHERE %1 = ?").arg(Connection::ident(noDaftar)),
                                     {out.oldNumber});
            const bool inUse = taken.next();
            taken.finish();
            out.number = inUse ? proposedRegistrationNumber(w) : freeRegistrationNumber(w, out.oldNumber);
            dc.setValue(noDaftar, out.number);
        }
    });
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        if (it.key() != noDaftar)
            dc.setValue(it.key(), it.value());
    dc.setValue(History::kKey, key);
    {
        History::Action restored(c, History::kRestored);
        dc.update();
    }
    out.id = dc.lastAddedId();
    return out;
}

} // namespace arb
