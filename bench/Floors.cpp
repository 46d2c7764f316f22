#include "Floors.h"
#include "SortKey.h"

#include "data/Connection.h"
#include "data/Convert.h"
#include "data/Fields.h"
#include "data/Failure.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSqlQuery>
#include <vector>

namespace arb::bench {

namespace {
// The original sort's field order: key first, then these 23.
const QStringList &sortOrder()
{
    static const QStringList order{
        QStringLiteral("Bidang"), QStringLiteral("Butiran_kerja"), QStringLiteral("Nilai"), QStringLiteral("NoPendaftaranSyarikat"),
        QStringLiteral("Tarikh_dapat_kerja"), QStringLiteral("AlamatPendaftaranSyarikat"), QStringLiteral("NoDaftar"),
        QStringLiteral("NamaSyarikat"), QStringLiteral("NamaPengarahUrusan"), QStringLiteral("NoKadPengenalan"),
        QStringLiteral("NoTelHp"), QStringLiteral("NoTelPej"), QStringLiteral("NoFaks"), QStringLiteral("NDPKK"),
        QStringLiteral("KTPKK"), QStringLiteral("KTCIDB"), QStringLiteral("KTKKEW"), QStringLiteral("NDCIDB"),
        QStringLiteral("NDKKEW"), QStringLiteral("TarikhDaftar"), QStringLiteral("NoResit"), QStringLiteral("kelas"),
        QStringLiteral("No_I_LO")};
    return order;
}

QString updateSql(const QStringList &fields)
{
    QStringList sets;
    for (const QString &f : fields)
        sets << Connection::ident(f) + QStringLiteral(" = ?");
    return QStringLiteral("UPDATE kontraktor SET %1 WHERE id = ?").arg(sets.join(QLatin1Char(',')));
}

QString selectSql(const QStringList &fields)
{
    QStringList names;
    for (const QString &f : fields)
        names << Connection::ident(f);
    return QStringLiteral("SELECT id, %1 FROM kontraktor ORDER BY id").arg(names.join(QLatin1Char(',')));
}
} // namespace

void rewriteFloor(const QString &path)
{
    Connection c(path);
    const QStringList &fields = contractorFields();
    std::vector<QVariantList> rows;
    {
        QSqlQuery q = c.exec(selectSql(fields));
        while (q.next()) {
            QVariantList r;
            for (int i = 0; i <= fields.size(); ++i)
                r << q.value(i);
            rows.push_back(r);
        }
    }
    c.write([&] {
        QSqlQuery u = c.prepare(updateSql(fields));
        for (const QVariantList &r : rows) {
            QVariantList v = r.mid(1);
            v << r.first();
            c.run(u, v);
        }
    });
}

void insertionSortReference(const QString &path)
{
    Connection c(path);
    const QStringList &fields = sortOrder();
    std::vector<qint64> ids;
    std::vector<qint16> key(1, 0);
    std::vector<std::vector<QVariant>> arrays(fields.size(), std::vector<QVariant>(1));
    {
        QSqlQuery q = c.exec(selectSql(fields));
        while (q.next()) {
            ids.push_back(q.value(0).toLongLong());
            const int noDaftar = int(fields.indexOf(QStringLiteral("NoDaftar"))) + 1;
            key.push_back(*roundToInt16(*textToNumber(rightChars(q.value(noDaftar).toString(), 4))));
            for (int a = 0; a < fields.size(); ++a)
                arrays[a].push_back(q.value(a + 1));
        }
    }
    const int n = int(ids.size());
    for (int i = 1; i <= n; ++i) {
        const qint16 savedKey = key[i];
        std::vector<QVariant> saved(fields.size());
        for (int a = 0; a < fields.size(); ++a)
            saved[a] = arrays[a][i];
        int j = i;
        while (key[j - 1] > savedKey) {
            key[j] = key[j - 1];
            for (int a = 0; a < fields.size(); ++a)
                arrays[a][j] = arrays[a][j - 1];
            if (--j <= 0)
                break;
        }
        key[j] = savedKey;
        for (int a = 0; a < fields.size(); ++a)
            arrays[a][j] = saved[a];
    }
    c.write([&] {
        QSqlQuery u = c.prepare(updateSql(fields));
        for (int i = 1; i <= n; ++i) {
            QVariantList v;
            for (int a = 0; a < fields.size(); ++a)
                v << arrays[a][i];
            v << ids[i - 1];
            c.run(u, v);
        }
    });
}

void painterFloor(const RecordedJob &job, const QString &pdf)
{
    QPdfWriter writer(pdf);
    writer.setResolution(1200);
    writer.setPageOrientation(job.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter p(&writer);
    const double scale = 1200.0 / 1440.0;
    bool first = true;
    for (const RecordedPage &page : job.pages) {
        if (!first)
            writer.newPage();
        first = false;
        for (const RecordedLine &l : page.lines)
            p.drawLine(QPointF(l.x1 * scale, l.y1 * scale), QPointF(l.x2 * scale, l.y2 * scale));
        for (const RecordedText &t : page.texts) {
            QFont f(t.fontName);
            f.setPointSizeF(t.fontSize);
            f.setBold(t.bold);
            p.setFont(f);
            const QFontMetricsF m(f, &writer);
            p.drawText(QPointF(t.x * scale, t.y * scale + m.ascent()), t.text);
        }
    }
}

} // namespace arb::bench
