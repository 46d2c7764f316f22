#include "Generator.h"

#include "data/Connection.h"
#include "data/Fields.h"
#include "data/Schema.h"

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
} // namespace

void generateStore(const QString &path, int count)
{
    auto c = Connection::create(path);
    Schema::create(*c, QStringLiteral("bench"));
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
    });
}

} // namespace arb::bench
