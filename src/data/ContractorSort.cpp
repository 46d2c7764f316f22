#include "data/ContractorSort.h"

#include "data/Connection.h"
#include "data/Convert.h"
#include "data/DataControl.h"
#include "data/Fields.h"
#include "data/History.h"
#include "data/Failure.h"
#include "data/StoreError.h"

#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>
#include <algorithm>
#include <numeric>
#include <vector>

namespace arb {

int sortContractors(Connection &c, QHash<qint64, qint64> *moves)
{
    const QString table = Connection::ident(kContractorTable);

    int rewritten = 0;
    // Read and write under the one write lock, so that no other desktop's
    // change can slip in between and be overwritten by what was read.
    c.write([&] {
        // Two sorts, or a sort and a registration, must not interleave: a
        // sort writing what it read before another's commit would put one
        // contractor into two rows.
        c.lockTable(kContractorTable);
        // Read pass: the serial of every row, none for an irregular number.
        QSqlQuery read = c.exec(QStringLiteral("SELECT id, %1 FROM %2 ORDER BY id")
                                    .arg(Connection::ident(QStringLiteral("NoDaftar")), table));
        std::vector<qint64> ids;
        std::vector<std::optional<qint64>> keys;
        while (read.next()) {
            ids.push_back(read.value(0).toLongLong());
            keys.push_back(registrationSerial(read.value(1).toString()));
        }
        requireWholeRead(read, c.location());
        read.finish();
        if (ids.empty())
            return;

        // Stable: equal serials keep the order in which they were read, and so
        // do the rows without a serial, placed after all the others.
        std::vector<int> order(ids.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return keys[a] && (!keys[b] || *keys[a] < *keys[b]);
        });

        // Which row takes which contractor, handed over in one statement as one
        // text of [target, source] pairs, so that a server across a network
        // is reached the same few times at any size. Only the contractors
        // whose place changes are named. Each takes the id of its new place:
        // its values, its hidden key among them, stay in its own row, so
        // nothing of any contractor is written and the store's history has
        // no field to record, only the sort itself.
        const QString failed = QStringLiteral("Susunan tidak dapat disimpan; jadual kontraktor tidak berubah.");
        QByteArray pairs;
        pairs.reserve(qsizetype(ids.size() * 16));
        pairs += '[';
        int moved = 0;
        for (size_t k = 0; k < ids.size(); ++k) {
            const qint64 source = ids[size_t(order[k])];
            if (source == ids[k])
                continue;
            if (moved++)
                pairs += ',';
            pairs += '[' + QByteArray::number(ids[k]) + ',' + QByteArray::number(source) + ']';
        }
        pairs += ']';
        const QVariantList bound{QString::fromLatin1(pairs)};
        bool recorded = false;
        if (moved > 0 && c.engine() == Connection::Engine::Sqlite) {
            // Ids must be unique after every row here: out of the way first.
            c.exec(QStringLiteral("UPDATE %1 SET id = -id WHERE id IN (SELECT b FROM (%2))").arg(table, c.selectPairs()),
                   bound, failed);
            c.exec(QStringLiteral("WITH p AS MATERIALIZED (%2) UPDATE %1 SET id = p.a FROM p WHERE %1.id = -p.b")
                       .arg(table, c.selectPairs()),
                   bound, failed);
        } else if (moved > 0 && c.hasTable(History::kTable)) {
            // The server checks the ids' uniqueness at the statement's end,
            // and records the sort in the same round trip.
            c.exec(QStringLiteral("WITH entry AS (%3) UPDATE %1 SET id = p.a FROM (%2) p WHERE %1.id = p.b")
                       .arg(table, c.selectPairs(), History::sortEntry(c)),
                   {QString::number(moved), bound.first()}, failed);
            recorded = true;
        } else if (moved > 0) {
            c.exec(QStringLiteral("UPDATE %1 SET id = p.a FROM (%2) p WHERE %1.id = p.b").arg(table, c.selectPairs()),
                   bound, failed);
        }
        if (!recorded)
            History::recordSort(c, moved);
        rewritten = int(ids.size());
        if (moves) {
            moves->clear();
            for (size_t k = 0; k < ids.size(); ++k)
                moves->insert(ids[size_t(order[k])], ids[k]);
        }
    });
    return rewritten;
}

int sortContractors(const QString &databaseName, QHash<qint64, qint64> *movesOut)
{
    DataControl::storeAllPending(kContractorTable);
    const std::shared_ptr<Connection> shared = Connection::shared(databaseName);
    Connection &c = *shared;
    QHash<qint64, qint64> moves;
    int rewritten = 0;
    if (c.engine() == Connection::Engine::Sqlite) {
        // Room for much of the register in the cache while it sorts; the
        // program's usual cache afterwards. The statements' working copies
        // go to SQLite's temporary files, as quick, not into memory: at
        // 100,000 contractors they would hold some 130 MB more.
        c.exec(QStringLiteral("PRAGMA cache_size = -65536"));
        const auto usual = qScopeGuard([&c] {
            try {
                c.exec(QStringLiteral("PRAGMA cache_size = -2000"));
            } catch (const Failure &) {
            }
        });
        rewritten = sortContractors(c, &moves);
    } else {
        rewritten = sortContractors(c, &moves);
    }
    DataControl::followMoves(kContractorTable, moves);
    if (movesOut)
        *movesOut = moves;
    return rewritten;
}

} // namespace arb
