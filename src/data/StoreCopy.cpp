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

#include <QDir>
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

void makeStore(const QString &target, const QString &command, const std::function<void(Connection &)> &fill)
{
    if (Locations::isServerUrl(target)) {
        auto c = Connection::create(target);
        if (c->hasTable(kContractorTable))
            throw Failure(QStringLiteral("Pangkalan data ini sudah mempunyai jadual kontraktor: %1").arg(target));
        c->write([&] { fill(*c); });
        return;
    }
    if (Temporary::occupied(target))
        throw fileExists(target);
    const QString folder = QFileInfo(target).absolutePath();
    const bool newFolder = !QFileInfo::exists(folder);
    Temporary::makeFolder(folder);
    try {
        Temporary temporary(target, command);
        {
            auto c = Connection::create(temporary.path());
            c->write([&] { fill(*c); });
        }
        temporary.putInPlace();
    } catch (...) {
        if (newFolder)
            QDir().rmdir(folder);
        throw;
    }
}

QMap<QString, int> copyStore(const QString &source, const QString &destination)
{
    Connection from(source);
    const QStringList problems = Schema::problems(from);
    if (!problems.isEmpty())
        throw Failure(QStringLiteral("Pangkalan data sumber tidak lengkap."), problems.join(QLatin1Char(' ')));

    QMap<QString, int> counts;
    // The history and each contractor's key come across as they are; the
    // triggers follow the rows, which are not registered anew. A store made
    // before the history gets new keys and an empty one.
    makeStore(destination, QStringLiteral("copy"), [&](Connection &to) {
        Schema::createTables(to, false);
        counts.insert(kContractorTable,
                      copyTable(from, to, kContractorTable, QStringList(contractorFields()) << History::kKey));
        counts.insert(kPasswordTable, copyTable(from, to, kPasswordTable, {QStringLiteral("password")}));
        counts.insert(kTestTable, copyTable(from, to, kTestTable, {QStringLiteral("Tarikh_dapat_kerja")}));
        if (from.hasTable(History::kTable))
            counts.insert(History::kTable,
                          copyTable(from, to, History::kTable,
                                    {QStringLiteral("kunci"), QStringLiteral("no_daftar"), QStringLiteral("nama_syarikat"),
                                     QStringLiteral("masa"), QStringLiteral("siapa"), QStringLiteral("komputer"),
                                     QStringLiteral("tindakan"), QStringLiteral("medan"), QStringLiteral("lama"),
                                     QStringLiteral("baru"), QStringLiteral("cincang")}));
        History::fillKeys(to);
        History::createTriggers(to);
    });
    return counts;
}

} // namespace arb
