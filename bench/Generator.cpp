#include "Generator.h"

#include "data/Connection.h"
#include "data/Fields.h"
#include "data/History.h"
#include "data/Schema.h"

#include <QDateTime>
#include <QSqlQuery>
#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace arb::bench {

namespace {
const char *kWords[] = {"JAYA", "MAJU", "SERI", "INDAH", "BINA", "TEGUH", "MUTIARA", "CAHAYA", "TIMUR", "SETIA",
                        "GEMILANG", "PERKASA", "SINAR", "BAKTI", "HIJAU", "ALAM", "PUNCAK", "WIBAWA", "MEGA", "LESTARI"};
const char *kKinds[] = {"ENTERPRISE", "SDN BHD", "TRADING", "RESOURCES", "SERVICES", "KONTRAKTOR", "BINAAN"};
const char *kNames[] = {"Ahmad", "Siti", "Lim", "Rajendran", "Norazlina", "Tan", "Mohd", "Faridah", "Wong", "Azman"};
const char *kJobs[] = {"Membaiki longkang Jalan Pasar", "Menurap jalan Taman Seri Lembah", "Membekal alat tulis pejabat",
                       "Mengecat dewan orang ramai", "Membina wakaf bas di Kampung Tebing", "Menyelenggara lampu jalan"};

template<class T, size_t N>
const char *pick(std::mt19937 &rng, const T (&list)[N])
{
    return list[rng() % N];
}
// Changes of fields, oldest first, a few minutes apart.
void addHistory(Connection &c, int entries, std::mt19937 &rng)
{
    if (entries <= 0)
        return;
    struct Who
    {
        QString key, number, name;
    };
    std::vector<Who> contractors;
    {
        QSqlQuery q = c.exec(QStringLiteral("SELECT kunci, \"NoDaftar\", \"NamaSyarikat\" FROM kontraktor ORDER BY id"));
        while (q.next())
            contractors.push_back({q.value(0).toString(), q.value(1).toString(), q.value(2).toString()});
    }
    if (contractors.empty())
        return;
    const QStringList &fields = contractorFields();
    QSqlQuery q = c.prepare(QStringLiteral("INSERT INTO sejarah (kunci, no_daftar, nama_syarikat, masa, siapa, komputer, "
                                           "tindakan, medan, lama, baru) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    QDateTime when(QDate(2024, 1, 2), QTime(8, 0), Qt::UTC);
    for (int i = 0; i < entries; ++i) {
        const Who &w = contractors[rng() % contractors.size()];
        const int clerk = int(rng() % 4) + 1;
        when = when.addSecs(30 + rng() % 300);
        const QString field = fields.at(int(rng() % fields.size()));
        c.run(q, {w.key, w.number, w.name, when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")),
                  QStringLiteral("kerani%1").arg(clerk), QStringLiteral("meja-%1").arg(clerk), History::kChanged, field,
                  QStringLiteral("%1 lama %2").arg(field.left(6)).arg(rng() % 100000),
                  QStringLiteral("%1 baru %2").arg(field.left(6)).arg(rng() % 100000)});
    }
    q.finish();
}

} // namespace

void generateStore(const QString &path, int count, int history)
{
    auto c = Connection::create(path);
    std::mt19937 rng(20261206);
    std::vector<int> serials(count);
    std::iota(serials.begin(), serials.end(), 1);
    std::shuffle(serials.begin(), serials.end(), rng);

    const QStringList &fields = contractorFields();
    QStringList names, marks;
    for (const QString &f : fields) {
        names << Connection::ident(f);
        marks << QStringLiteral("?");
    }
    c->write([&] {
        Schema::createTables(*c, false);
        c->exec(QStringLiteral("INSERT INTO password (password) VALUES ('bench')"));
        QSqlQuery q = c->prepare(QStringLiteral("INSERT INTO kontraktor (%1) VALUES (%2)")
                                     .arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        for (int i = 0; i < count; ++i) {
            const int n = serials[i];
            QMap<QString, QString> row;
            for (const QString &f : fields)
                row.insert(f, QStringLiteral("%1-%2").arg(f.left(6)).arg(rng() % 100000));
            row[QStringLiteral("NoDaftar")] = QStringLiteral("ZRVA/KP/%1").arg(n, 4, 10, QLatin1Char('0'));
            row[QStringLiteral("NamaSyarikat")] = QStringLiteral("%1 %2 %3").arg(QLatin1String(pick(rng, kWords)),
                                                                                 QLatin1String(pick(rng, kWords)),
                                                                                 QLatin1String(pick(rng, kKinds)));
            QStringList address{QStringLiteral("No. %1, Jalan %2 %3").arg(rng() % 300 + 1).arg(QLatin1String(pick(rng, kWords))).arg(rng() % 20 + 1)};
            const int lines = 1 + int(rng() % 3);
            for (int l = 0; l < lines; ++l)
                address << QStringLiteral("%1 %2").arg(27000 + rng() % 999).arg(QLatin1String(pick(rng, kWords)));
            row[QStringLiteral("AlamatPendaftaranSyarikat")] = address.join(QStringLiteral("\r\n"));
            row[QStringLiteral("NamaPengarahUrusan")] = QStringLiteral("%1 bin %2").arg(QLatin1String(pick(rng, kNames)), QLatin1String(pick(rng, kNames)));
            row[QStringLiteral("Bidang")] = rng() % 2 ? QStringLiteral("Pembinaan") : QStringLiteral("Pembekalan/Perkhidmatan");
            row[QStringLiteral("kelas")] = QStringLiteral("G%1").arg(rng() % 7 + 1);
            const int jobs = int(rng() % 13);
            QStringList dates, work, values;
            for (int j = 0; j < jobs; ++j) {
                dates << QStringLiteral("%1.%2.20%3").arg(rng() % 28 + 1, 2, 10, QLatin1Char('0')).arg(rng() % 12 + 1, 2, 10, QLatin1Char('0')).arg(20 + rng() % 6);
                work << QLatin1String(pick(rng, kJobs));
                values << QStringLiteral("RM %1.00").arg(1000 + rng() % 90000);
            }
            row[QStringLiteral("Tarikh_dapat_kerja")] = jobs ? dates.join(QStringLiteral("\r\n")) : QStringLiteral(" ");
            row[QStringLiteral("Butiran_kerja")] = work.join(QStringLiteral("\r\n"));
            row[QStringLiteral("Nilai")] = values.join(QStringLiteral("\r\n"));
            QVariantList v;
            for (const QString &f : fields) {
                const QString s = row.value(f);
                v << (s.isNull() ? QStringLiteral("") : s);
            }
            c->run(q, v);
        }
        q.finish();
        History::fillKeys(*c);
        addHistory(*c, history, rng);
        History::createTriggers(*c);
    });
}

} // namespace arb::bench
