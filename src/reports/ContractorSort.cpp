#include "reports/ContractorSort.h"

#include "data/Connection.h"
#include "data/Convert.h"
#include "data/Fields.h"
#include "platform/Failure.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>
#include <algorithm>
#include <numeric>
#include <vector>

namespace arb {

namespace {
const QString kNothingSorted = QStringLiteral(" Tiada rekod disusun.");

// The sort has always read these four as text: a null there cannot be sorted.
bool readAsText(const QString &field)
{
    return field == QLatin1String("NoPendaftaranSyarikat") || field == QLatin1String("NamaSyarikat")
        || field == QLatin1String("NDPKK") || field == QLatin1String("kelas");
}

qint16 keyOf(const QVariant &noDaftar, int rowNumber)
{
    if (noDaftar.isNull())
        throw Failure(QStringLiteral("Rekod ke-%1 tidak mempunyai No Daftar.").arg(rowNumber) + kNothingSorted,
                      QStringLiteral("NoDaftar is null in row %1 of the stored order").arg(rowNumber));
    const QString text = noDaftar.toString();
    const std::optional<qint16> key = serialKey(text);
    if (!key)
        throw Failure(QStringLiteral("No Daftar \"%1\" tidak berakhir dengan nombor siri yang sah.").arg(text)
                          + kNothingSorted,
                      QStringLiteral("last four characters \"%1\" are not a number within -32768..32767")
                          .arg(rightChars(text, 4)));
    return *key;
}
} // namespace

std::optional<qint16> serialKey(const QString &noDaftar)
{
    const std::optional<double> number = textToNumber(rightChars(noDaftar, 4));
    if (!number)
        return std::nullopt;
    return roundToInt16(*number);
}

int sortContractors(Connection &c)
{
    const QStringList &fields = contractorFields();
    const int noDaftarColumn = int(fields.indexOf(QStringLiteral("NoDaftar")));
    QStringList columns, assignments;
    for (const QString &f : fields) {
        columns << Connection::ident(f);
        assignments << Connection::ident(f) + QStringLiteral(" = ?");
    }

    int rewritten = 0;
    // Read and write under the one write lock, so that no other desktop's
    // change can slip in between and be overwritten by what was read.
    c.write([&] {
        std::vector<qint64> ids;
        std::vector<qint16> keys;
        std::vector<QVariantList> rows;

        QSqlQuery read = c.exec(QStringLiteral("SELECT id, %1 FROM %2 ORDER BY id")
                                    .arg(columns.join(QStringLiteral(", ")), Connection::ident(kContractorTable)));
        while (read.next()) {
            QVariantList row;
            row.reserve(fields.size() + 1);
            for (int i = 0; i < fields.size(); ++i)
                row << read.value(i + 1);
            const int rowNumber = int(ids.size()) + 1;
            keys.push_back(keyOf(row.at(noDaftarColumn), rowNumber));
            for (int i = 0; i < fields.size(); ++i) {
                if (!readAsText(fields.at(i)))
                    continue;
                if (row.at(i).isNull())
                    throw Failure(QStringLiteral("Rekod No Daftar \"%1\" tidak mempunyai nilai dalam medan \"%2\".")
                                          .arg(row.at(noDaftarColumn).toString(), fields.at(i))
                                      + kNothingSorted,
                                  QStringLiteral("null in %1, row %2 of the stored order").arg(fields.at(i)).arg(rowNumber));
                row[i] = row.at(i).toString();
            }
            ids.push_back(read.value(0).toLongLong());
            rows.push_back(std::move(row));
        }
        if (read.lastError().isValid())
            throw Failure(QStringLiteral("Jadual kontraktor tidak dapat dibaca.") + kNothingSorted,
                          read.lastError().text());
        read.finish();

        // Stable: equal serials keep the order in which they were read.
        std::vector<int> order(ids.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a] < keys[b]; });

        // Row k of the stored order takes the contractor of sorted place k.
        QSqlQuery update = c.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE id = ?")
                                         .arg(Connection::ident(kContractorTable), assignments.join(QStringLiteral(", "))));
        const QString failed = QStringLiteral("Susunan tidak dapat disimpan; jadual kontraktor tidak berubah.");
        for (size_t k = 0; k < ids.size(); ++k) {
            QVariantList &values = rows[size_t(order[k])];
            values << ids[k];
            c.run(update, values, failed);
        }
        rewritten = int(ids.size());
    });
    return rewritten;
}

int sortContractors(const QString &databaseName)
{
    Connection c(databaseName);
    return sortContractors(c);
}

} // namespace arb
