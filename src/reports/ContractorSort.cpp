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
const QStringList &textFields()
{
    static const QStringList fields{QStringLiteral("NoPendaftaranSyarikat"), QStringLiteral("NamaSyarikat"),
                                    QStringLiteral("NDPKK"), QStringLiteral("kelas")};
    return fields;
}

QStringList prefixed(const QStringList &names, const QString &prefix)
{
    QStringList out;
    for (const QString &n : names)
        out << prefix + n;
    return out;
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
    QStringList columns;
    for (const QString &f : fields)
        columns << Connection::ident(f);
    const QString table = Connection::ident(kContractorTable);

    int rewritten = 0;
    // Read and write under the one write lock, so that no other desktop's
    // change can slip in between and be overwritten by what was read.
    c.write([&] {
        // Read pass: the key of every row, and the fields that must hold text.
        QStringList checks;
        for (const QString &f : textFields())
            checks << Connection::ident(f) + QStringLiteral(" IS NULL");
        QSqlQuery read = c.exec(QStringLiteral("SELECT id, %1, %2 FROM %3 ORDER BY id")
                                    .arg(Connection::ident(QStringLiteral("NoDaftar")), checks.join(QStringLiteral(", ")), table));
        std::vector<qint64> ids;
        std::vector<qint16> keys;
        while (read.next()) {
            const int rowNumber = int(ids.size()) + 1;
            const QVariant noDaftar = read.value(1);
            keys.push_back(keyOf(noDaftar, rowNumber));
            for (int i = 0; i < textFields().size(); ++i)
                if (read.value(2 + i).toBool())
                    throw Failure(QStringLiteral("Rekod No Daftar \"%1\" tidak mempunyai nilai dalam medan \"%2\".")
                                          .arg(noDaftar.toString(), textFields().at(i))
                                      + kNothingSorted,
                                  QStringLiteral("null in %1, row %2 of the stored order").arg(textFields().at(i)).arg(rowNumber));
            ids.push_back(read.value(0).toLongLong());
        }
        if (read.lastError().isValid())
            throw Failure(QStringLiteral("Jadual kontraktor tidak dapat dibaca.") + kNothingSorted,
                          read.lastError().text());
        read.finish();
        if (ids.empty())
            return;

        // Stable: equal serials keep the order in which they were read.
        std::vector<int> order(ids.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a] < keys[b]; });

        // Which row takes which contractor, handed over in one statement as one
        // text of [target, source] pairs, so that a server across a network
        // is reached the same few times at any size. The store then copies the
        // values itself, so each keeps its type, nulls included, and no value
        // passes through the program.
        const QString failed = QStringLiteral("Susunan tidak dapat disimpan; jadual kontraktor tidak berubah.");
        c.exec(QStringLiteral("CREATE TEMPORARY TABLE arb_order (target BIGINT PRIMARY KEY, source BIGINT NOT NULL)"), {}, failed);
        QByteArray pairs;
        pairs.reserve(qsizetype(ids.size() * 16));
        pairs += '[';
        for (size_t k = 0; k < ids.size(); ++k) {
            if (k)
                pairs += ',';
            pairs += '[' + QByteArray::number(ids[k]) + ',' + QByteArray::number(ids[size_t(order[k])]) + ']';
        }
        pairs += ']';
        c.exec(QStringLiteral("INSERT INTO arb_order (target, source) ") + c.selectPairs(), {QString::fromLatin1(pairs)}, failed);
        c.exec(QStringLiteral("CREATE TEMPORARY TABLE arb_susun AS SELECT o.target AS target, %1 FROM arb_order o "
                              "JOIN %2 k ON k.id = o.source")
                   .arg(prefixed(columns, QStringLiteral("k.")).join(QStringLiteral(", ")), table),
               {}, failed);
        // Row k of the stored order takes the contractor of sorted place k; the
        // copy above holds the rows as they were, so no row reads a value
        // this statement already replaced.
        QStringList assignments;
        for (const QString &col : columns)
            assignments << col + QStringLiteral(" = s.") + col;
        c.exec(QStringLiteral("UPDATE %1 SET %2 FROM arb_susun s WHERE %1.id = s.target")
                   .arg(table, assignments.join(QStringLiteral(", "))),
               {}, failed);
        c.exec(QStringLiteral("DROP TABLE arb_susun"), {}, failed);
        c.exec(QStringLiteral("DROP TABLE arb_order"), {}, failed);
        rewritten = int(ids.size());
    });
    return rewritten;
}

int sortContractors(const QString &databaseName)
{
    Connection c(databaseName);
    if (c.engine() == Connection::Engine::Sqlite) {
        // This connection lives for the sort only: room for the whole
        // register in memory, and the working copy never on disk.
        c.exec(QStringLiteral("PRAGMA cache_size = -65536"));
        c.exec(QStringLiteral("PRAGMA temp_store = MEMORY"));
    }
    return sortContractors(c);
}

} // namespace arb
