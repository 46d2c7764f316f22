#include "data/StoreCopy.h"

#include "data/Connection.h"
#include "data/Convert.h"
#include "data/Fields.h"
#include "data/Locations.h"
#include "data/Schema.h"
#include "platform/Failure.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

namespace arb {

namespace {
int copyTable(Connection &from, Connection &to, const QString &table, const QStringList &fields)
{
    const QStringList have = from.columns(table);
    QStringList names, marks, used;
    for (const QString &f : fields) {
        if (!have.contains(f))
            continue; // stays null
        used << f;
        names << Connection::ident(f);
        marks << QStringLiteral("?");
    }
    QSqlQuery read = from.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY id").arg(names.join(QLatin1Char(',')), Connection::ident(table)));
    QSqlQuery write = to.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                     .arg(Connection::ident(table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
    int n = 0;
    while (read.next()) {
        QVariantList values;
        for (int i = 0; i < used.size(); ++i)
            values << read.value(i);
        if (findNul(values) >= 0)
            to.refuseNul(used, values, describeRow(table, used, values));
        to.run(write, values, QStringLiteral("Salinan gagal."));
        ++n;
    }
    return n;
}
} // namespace

QMap<QString, int> copyStore(const QString &source, const QString &destination)
{
    Connection from(source);
    const QStringList problems = Schema::problems(from);
    if (!problems.isEmpty())
        throw Failure(QStringLiteral("Pangkalan data sumber tidak lengkap."), problems.join(QLatin1Char(' ')));

    const bool server = Locations::isServerUrl(destination);
    if (!server && QFileInfo::exists(destination))
        throw Failure(QStringLiteral("Fail sudah wujud dan tidak akan ditimpa: %1").arg(destination));
    const QString target = server ? destination
                                  : destination + QStringLiteral(".tmp-%1").arg(QCoreApplication::applicationPid());
    QMap<QString, int> counts;
    try {
        {
            auto to = Connection::create(target);
            if (to->hasTable(kContractorTable))
                throw Failure(QStringLiteral("Pangkalan data tujuan sudah mempunyai jadual kontraktor: %1").arg(destination));
            to->write([&] {
                Schema::createTables(*to);
                counts.insert(kContractorTable, copyTable(from, *to, kContractorTable, contractorFields()));
                counts.insert(kPasswordTable, copyTable(from, *to, kPasswordTable, {QStringLiteral("password")}));
                counts.insert(kTestTable, copyTable(from, *to, kTestTable, {QStringLiteral("Tarikh_dapat_kerja")}));
            });
        }
        if (!server && !QFile::rename(target, destination))
            throw Failure(QStringLiteral("Fail salinan tidak dapat dinamakan semula: %1").arg(destination));
    } catch (...) {
        if (!server) {
            QFile::remove(target);
            QFile::remove(target + QStringLiteral("-journal"));
        }
        throw;
    }
    return counts;
}

} // namespace arb
