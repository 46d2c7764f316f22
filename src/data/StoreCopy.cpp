#include "data/StoreCopy.h"

#include "data/BatchInsert.h"
#include "data/Connection.h"
#include "data/Convert.h"
#include "data/Fields.h"
#include "data/History.h"
#include "data/Locations.h"
#include "data/Schema.h"
#include "data/StoreError.h"
#include "data/Temporary.h"
#include "data/Failure.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

#include <memory>

namespace arb {

namespace {
int copyTable(Connection &from, Connection &to, const QString &table, const QStringList &fields)
{
    const QStringList have = from.columns(table);
    QStringList names, used;
    for (const QString &f : fields) {
        if (!have.contains(f))
            continue; // stays null
        used << f;
        names << Connection::ident(f);
    }
    QSqlQuery read = from.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY id").arg(names.join(QLatin1Char(',')), Connection::ident(table)));
    BatchInsert write(to, table, used, QStringLiteral("Salinan gagal."));
    while (read.next()) {
        QVariantList values;
        for (int i = 0; i < used.size(); ++i)
            values << read.value(i);
        write.add(values);
    }
    requireWholeRead(read, from.location());
    write.finish();
    return int(write.count());
}
} // namespace

QMap<QString, int> copyStore(const QString &source, const QString &destination)
{
    Connection from(source);
    const QStringList problems = Schema::problems(from);
    if (!problems.isEmpty())
        throw Failure(QStringLiteral("Pangkalan data sumber tidak lengkap."), problems.join(QLatin1Char(' ')));

    const bool server = Locations::isServerUrl(destination);
    if (!server && Temporary::occupied(destination))
        throw Failure(QStringLiteral("Fail sudah wujud dan tidak akan ditimpa: %1").arg(destination));
    std::unique_ptr<Temporary> temporary;
    if (!server)
        temporary = std::make_unique<Temporary>(destination, QStringLiteral("copy"));
    QMap<QString, int> counts;
    {
        auto to = Connection::create(server ? destination : temporary->path());
        if (to->hasTable(kContractorTable))
            throw Failure(QStringLiteral("Pangkalan data tujuan sudah mempunyai jadual kontraktor: %1").arg(destination));
        // Tables and rows in one transaction: on a server a failure, a kill
        // or a restart leaves none of our tables behind.
        // The history and each contractor's key come across as they are; the
        // triggers follow the rows, which are not registered anew. A store
        // made before the history gets new keys and an empty one.
        to->write([&] {
            Schema::createTables(*to, false);
            counts.insert(kContractorTable,
                          copyTable(from, *to, kContractorTable, QStringList(contractorFields()) << History::kKey));
            counts.insert(kPasswordTable, copyTable(from, *to, kPasswordTable, {QStringLiteral("password")}));
            counts.insert(kTestTable, copyTable(from, *to, kTestTable, {QStringLiteral("Tarikh_dapat_kerja")}));
            if (from.hasTable(History::kTable))
                counts.insert(History::kTable,
                              copyTable(from, *to, History::kTable,
                                        {QStringLiteral("kunci"), QStringLiteral("no_daftar"), QStringLiteral("nama_syarikat"),
                                         QStringLiteral("masa"), QStringLiteral("siapa"), QStringLiteral("komputer"),
                                         QStringLiteral("tindakan"), QStringLiteral("medan"), QStringLiteral("lama"),
                                         QStringLiteral("baru"), QStringLiteral("cincang")}));
            History::fillKeys(*to);
            History::createTriggers(*to);
        });
    }
    if (temporary)
        temporary->putInPlace();
    return counts;
}

} // namespace arb
