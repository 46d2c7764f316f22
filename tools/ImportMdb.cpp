#include "Commands.h"

#include "data/Connection.h"
#include "data/Fields.h"
#include "data/Locations.h"
#include "data/Schema.h"
#include "legacy/ReaderProcess.h"
#include "legacy/StoreLoader.h"
#include "platform/Failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <sys/resource.h>

namespace arb::admin {

namespace {

const QString kDefaultPassword = QStringLiteral("abc123");

// Fills an empty store from the legacy file in one transaction.
QMap<QString, qint64> load(Connection &c, const QString &legacyFile, bool &defaultPassword)
{
    legacy::StoreLoader loader(c);
    c.write([&] {
        legacy::readInChild(QCoreApplication::applicationFilePath(), legacyFile,
                            legacy::StoreLoader::wanted().keys(), loader);
    });
    defaultPassword = !loader.loaded(kPasswordTable);
    return loader.counts();
}

QString freeTemporaryName(const QString &target)
{
    const QFileInfo info(target);
    QString name;
    do {
        name = info.absoluteDir().filePath(QStringLiteral(".%1.import-%2.tmp")
                                               .arg(info.fileName())
                                               .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    } while (QFileInfo::exists(name));
    return name;
}

} // namespace

int importMdb(const QStringList &args, Io io)
{
    if (args.isEmpty() || args.size() > 2 || args.first().startsWith(QLatin1String("--"))) {
        io.err << "Penggunaan: arb-admin import-mdb FAIL_LAMA.mdb [STORE]" << Qt::endl;
        return 2;
    }
    const QString legacyFile = args.at(0);
    const QString target = Locations::resolve(args.size() > 1 ? args.at(1) : Locations::chooseStore({}));
    const bool server = Locations::isServerUrl(target);
    if (!server && QFileInfo(target).absoluteFilePath() == QFileInfo(legacyFile).absoluteFilePath()) {
        io.err << "Fail lama dan pangkalan data baru mesti berlainan: " << target << Qt::endl;
        return 1;
    }
    if (!server && QFileInfo::exists(target)) {
        io.err << "Fail sudah wujud dan tidak akan ditimpa: " << target << Qt::endl;
        return 1;
    }

    QMap<QString, qint64> counts;
    bool defaultPassword = false;
    QString temporary;
    const QString folder = QFileInfo(target).absolutePath();
    const bool newFolder = !server && !QFileInfo::exists(folder);
    try {
        if (server) {
            auto c = Connection::create(target);
            if (c->hasTable(kContractorTable)) {
                io.err << "Pangkalan data ini sudah mempunyai jadual kontraktor: " << target << Qt::endl;
                return 1;
            }
            Schema::create(*c, kDefaultPassword);
            try {
                counts = load(*c, legacyFile, defaultPassword);
            } catch (...) {
                // Leave the server database as empty as it was found.
                for (const QString &t : {kContractorTable, kPasswordTable, kTestTable})
                    c->db().exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(Connection::ident(t)));
                throw;
            }
        } else {
            QDir().mkpath(folder);
            temporary = freeTemporaryName(target);
            {
                auto c = Connection::create(temporary);
                Schema::create(*c, kDefaultPassword);
                counts = load(*c, legacyFile, defaultPassword);
            }
            if (!QFile::rename(temporary, target))
                throw Failure(QStringLiteral("Fail sudah wujud dan tidak akan ditimpa: %1").arg(target));
            temporary.clear();
        }
    } catch (const Failure &f) {
        if (!temporary.isEmpty())
            QFile::remove(temporary);
        if (newFolder)
            QDir().rmdir(folder);
        io.err << f.message() << Qt::endl;
        return 1;
    }

    io.out << "Dibawa masuk ke " << target << ":" << Qt::endl;
    for (const QString &t : {kContractorTable, kPasswordTable, kTestTable})
        io.out << "  " << t << ": " << counts.value(t) << " baris" << Qt::endl;
    if (defaultPassword)
        io.out << "Fail lama tiada jadual password; kata laluan: " << kDefaultPassword << Qt::endl;
    return 0;
}

int readMdb(const QStringList &args)
{
    if (args.isEmpty())
        return 2;
    // A damaged file can send libmdb into an endless loop that eats memory:
    // bound the reader so that it dies instead of the machine.
    const qint64 megabytes = qEnvironmentVariableIsSet("ARB_READER_MEMORY_MB")
                                 ? qEnvironmentVariableIntValue("ARB_READER_MEMORY_MB")
                                 : 512;
    const rlimit memory{rlim_t(megabytes) << 20, rlim_t(megabytes) << 20};
    setrlimit(RLIMIT_AS, &memory);
    const rlimit cpu{300, 300};
    setrlimit(RLIMIT_CPU, &cpu);
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return 3;
    const int status = legacy::runReader(args.first(), args.mid(1), out);
    out.flush();
    return status;
}

} // namespace arb::admin
