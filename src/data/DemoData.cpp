#include "data/DemoData.h"

#include "data/Connection.h"
#include "data/Fields.h"

#include <QSqlQuery>

namespace arb {

namespace {
struct Demo
{
    const char *name;
    const char *director;
    const char *town;
    const char *bidang;
    const char *kelas;
};

// All invented.
const Demo kDemo[] = {
    {"SYARIKAT JAYA MAJU", "Ahmad Fauzi bin Hassan", "Kuala Serindit", "Pembinaan", "G2"},
    {"PERUSAHAAN SERI INDAH", "Norazlina binti Yusof", "Bukit Lembah", "Pembekalan/Perkhidmatan", "F"},
    {"TEGUH BINA ENTERPRISE", "Lim Chee Keong", "Kampung Tebing", "Pembinaan", "G3"},
    {"CAHAYA TIMUR SDN BHD", "Rajendran a/l Muthu", "Kuala Serindit", "Pembinaan", "G4"},
    {"MUTIARA KASIH TRADING", "Siti Hajar binti Omar", "Pekan Lembah", "Pembekalan/Perkhidmatan", "F"},
    {"BINAAN SETIA JAYA", "Mohd Rizal bin Ismail", "Sungai Serindit", "Pembinaan", "G1"},
    {"ALAM HIJAU LANDSKAP", "Tan Mei Ling", "Bukit Lembah", "Pembekalan/Perkhidmatan", "F"},
    {"PERKASA ELEKTRIK & KEJURUTERAAN", "Zulkifli bin Abdullah", "Kuala Serindit", "Pembinaan", "G2"},
    {"SINAR BAKTI ENTERPRISE", "Faridah binti Karim", "Kampung Tebing", "Pembekalan/Perkhidmatan", "F"},
    {"GEMILANG KONTRAKTOR", "Wong Kah Wai", "Pekan Lembah", "Pembinaan", "G5"},
    {"DESA MURNI SERVICES", "Azman bin Che Mat", "Sungai Serindit", "Pembekalan/Perkhidmatan", "F"},
    {"USAHA TEGAS BINAAN", "Kamarul Ariffin bin Salleh", "Kuala Serindit", "Pembinaan", "G3"},
    {"PELANGI CERIA RESOURCES", "Nurul Ain binti Hamid", "Bukit Lembah", "Pembekalan/Perkhidmatan", "F"},
    {"BERKAT JAYA", "Subramaniam a/l Krishnan", "Kampung Tebing", "Pembinaan", "G1"},
    {"RIMBA SEJATI ENTERPRISE", "Hafiz bin Rahman", "Pekan Lembah", "Pembinaan", "G2"},
    {"ANGGUN PERABOT", "Chong Siew Lan", "Sungai Serindit", "Pembekalan/Perkhidmatan", "F"},
    {"KILAUAN MAJU TRADING", "Roslan bin Daud", "Kuala Serindit", "Pembekalan/Perkhidmatan", "F"},
    {"PUNCAK WIBAWA SDN BHD", "Aminah binti Ali", "Bukit Lembah", "Pembinaan", "G6"},
    {"SERINDIT AIR & SANITASI", "Lee Boon Huat", "Kampung Tebing", "Pembinaan", "G2"},
    {"NUR IMAN CATERING", "Rohana binti Ibrahim", "Pekan Lembah", "Pembekalan/Perkhidmatan", "F"},
    {"JALUR GEMILANG BINAAN", "Syed Azhar bin Syed Ahmad", "Sungai Serindit", "Pembinaan", "G4"},
    {"MEGA LESTARI ENTERPRISE", "Govindasamy a/l Raman", "Kuala Serindit", "Pembinaan", "G3"},
    {"SURIA PERKASA TRADING", "Zainab binti Hussin", "Bukit Lembah", "Pembekalan/Perkhidmatan", "F"},
    {"TERAS KUKUH KONTRAKTOR", "Ong Teck Seng", "Kampung Tebing", "Pembinaan", "G1"},
    {"INDAH PERMAI SERVICES", "Mazlan bin Yaakob", "Pekan Lembah", "Pembekalan/Perkhidmatan", "F"},
};

const char *kJobs[] = {"Membaiki longkang Jalan Pasar", "Menurap jalan Taman Seri", "Membekal alat tulis pejabat",
                       "Mengecat dewan orang ramai", "Membina wakaf bas", "Menyelenggara lampu jalan",
                       "Membersih kawasan rekreasi", "Membina pagar tadika"};
} // namespace

void addDemoData(Connection &c)
{
    const QStringList &fields = contractorFields();
    QStringList names, marks;
    for (const QString &f : fields) {
        names << Connection::ident(f);
        marks << QStringLiteral("?");
    }
    const auto body = [&] {
        QSqlQuery q = c.prepare(QStringLiteral("INSERT INTO kontraktor (%1) VALUES (%2)")
                                    .arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        int n = 0;
        for (const Demo &d : kDemo) {
            ++n;
            const QString serial = QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
            QStringList dates, jobs, values;
            const int jobCount = (n % 4 == 0) ? 0 : n % 5;
            for (int j = 0; j < jobCount; ++j) {
                dates << QStringLiteral("%1.%2.20%3").arg((n * 3 + j * 7) % 28 + 1, 2, 10, QLatin1Char('0'))
                             .arg((n + j * 5) % 12 + 1, 2, 10, QLatin1Char('0')).arg(24 + (j % 3));
                jobs << QString::fromLatin1(kJobs[(n + j) % 8]);
                values << QStringLiteral("RM %1.00").arg(1500 + (n * 731 + j * 977) % 45000);
            }
            const QMap<QString, QString> row{
                {QStringLiteral("NoDaftar"), QStringLiteral("ZRVA/KP/") + serial},
                {QStringLiteral("TarikhDaftar"), QStringLiteral("%1.%2.2024").arg(n % 28 + 1, 2, 10, QLatin1Char('0')).arg(n % 12 + 1, 2, 10, QLatin1Char('0'))},
                {QStringLiteral("NamaSyarikat"), QString::fromLatin1(d.name)},
                {QStringLiteral("AlamatPendaftaranSyarikat"),
                 QStringLiteral("No. %1, Jalan %2\r\n%3 %4\r\nLembah Serindit").arg(n * 7).arg(n % 2 ? QStringLiteral("Merbah") : QStringLiteral("Kenari"))
                     .arg(27000 + n * 10).arg(QString::fromLatin1(d.town))},
                {QStringLiteral("NoPendaftaranSyarikat"), QStringLiteral("%1-%2").arg(100000 + n * 4321).arg(QChar(QLatin1Char('A' + n % 20)))},
                {QStringLiteral("NamaPengarahUrusan"), QString::fromLatin1(d.director)},
                {QStringLiteral("NoKadPengenalan"), QStringLiteral("%1-%2-%3").arg(600101 + n * 1013).arg(10 + n % 4).arg(5000 + n * 37)},
                {QStringLiteral("NoTelHp"), QStringLiteral("01%1-%2").arg(n % 10).arg(2000000 + n * 12345)},
                {QStringLiteral("NoTelPej"), QStringLiteral("09-%1").arg(5100000 + n * 111)},
                {QStringLiteral("NoFaks"), n % 3 ? QStringLiteral("09-%1").arg(5200000 + n * 111) : QStringLiteral("-")},
                {QStringLiteral("NDPKK"), QStringLiteral("PKK/%1").arg(3000 + n)},
                {QStringLiteral("NDCIDB"), QStringLiteral("0120%1").arg(n * 97, 6, 10, QLatin1Char('0'))},
                {QStringLiteral("NDKKEW"), n % 2 ? QStringLiteral("357-0%1").arg(2000 + n * 3) : QStringLiteral("-")},
                {QStringLiteral("KTPKK"), QStringLiteral("Kelas %1").arg(QString::fromLatin1(d.kelas))},
                {QStringLiteral("KTCIDB"), QStringLiteral("%1 CE21 B04").arg(QString::fromLatin1(d.kelas))},
                {QStringLiteral("KTKKEW"), n % 2 ? QStringLiteral("220101 221001") : QStringLiteral("-")},
                {QStringLiteral("NoResit"), QStringLiteral("R%1").arg(880000 + n * 13)},
                {QStringLiteral("Bidang"), QString::fromLatin1(d.bidang)},
                {QStringLiteral("kelas"), QString::fromLatin1(d.kelas)},
                {QStringLiteral("No_I_LO"), jobCount ? QStringLiteral("LO/%1/2025").arg(400 + n) : QStringLiteral("")},
                {QStringLiteral("Tarikh_dapat_kerja"), jobCount ? dates.join(QStringLiteral("\r\n")) : QStringLiteral(" ")},
                {QStringLiteral("Butiran_kerja"), jobs.join(QStringLiteral("\r\n"))},
                {QStringLiteral("Nilai"), values.join(QStringLiteral("\r\n"))},
            };
            QVariantList values2;
            for (const QString &f : fields) {
                const QString v = row.value(f);
                values2 << (v.isNull() ? QStringLiteral("") : v); // empty text, not null
            }
            c.run(q, values2);
        }
        c.exec(QStringLiteral("INSERT INTO test (%1) VALUES (?)").arg(Connection::ident(QStringLiteral("Tarikh_dapat_kerja"))),
               {QStringLiteral("12.05.2024\r\n3.6.2024\r\n28.11.2024")});
    };
    c.write(body);
}

} // namespace arb
