#include "Commands.h"

#include "data/Connection.h"
#include "data/Fields.h"
#include "data/History.h"
#include "data/Locations.h"
#include "data/Password.h"
#include "data/Schema.h"
#include "data/StoreCopy.h"
#include "legacy/MdbReader.h"
#include "legacy/ReaderProcess.h"
#include "legacy/StoreLoader.h"
#include "data/Failure.h"

#include <QCoreApplication>
#include <QFileInfo>


namespace arb::admin {

namespace {

// Creates the tables and fills them from the legacy file, in the new
// store's one transaction.
QMap<QString, qint64> load(Connection &c, const QString &legacyFile, bool &defaultPassword,
                           QList<legacy::StoreLoader::Alteration> &alterations)
{
    legacy::StoreLoader loader(c);
    Schema::create(c, kDefaultPassword);
    // Every contractor enters the history as imported, with a new key.
    History::Action imported(c, History::kImported);
    legacy::readInChild(QCoreApplication::applicationFilePath(), legacyFile, legacy::StoreLoader::wanted().keys(),
                        loader);
    // The old file keeps the password as text; the new store keeps its hash.
    Password::hashPlainPasswords(c);
    defaultPassword = !loader.loaded(kPasswordTable);
    alterations = loader.alterations();
    return loader.counts();
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
    QMap<QString, qint64> counts;
    bool defaultPassword = false;
    QList<legacy::StoreLoader::Alteration> alterations;
    try {
        sweepLeftovers(target, QStringLiteral("import"), io);
        makeStore(target, QStringLiteral("import"),
                  [&](Connection &c) { counts = load(c, legacyFile, defaultPassword, alterations); });
    } catch (const Failure &f) {
        return fail(io, f);
    }

    io.out << "Dibawa masuk ke " << target << ":" << Qt::endl;
    for (const QString &t : {kContractorTable, kPasswordTable, kTestTable})
        io.out << "  " << t << ": " << counts.value(t) << " baris" << Qt::endl;
    if (defaultPassword)
        io.out << "Fail lama tiada jadual password; kata laluan: " << kDefaultPassword << Qt::endl;
    if (!alterations.isEmpty()) {
        io.out << alterations.size() << " nilai tidak dapat dibawa masuk dengan tepat (semak dan betulkan dalam program):"
               << Qt::endl;
        for (const auto &a : std::as_const(alterations))
            io.out << "  " << a.table << " " << a.row << ", " << a.field << ": " << a.what << Qt::endl;
    }
    return 0;
}

int readMdb(const QStringList &args)
{
    if (args.isEmpty())
        return 2;
    const qint64 megabytes = qEnvironmentVariableIsSet("ARB_READER_MEMORY_MB")
                                 ? qEnvironmentVariableIntValue("ARB_READER_MEMORY_MB")
                                 : 512;
    legacy::boundReader(megabytes);
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return 3;
    const int status = legacy::runReader(args.first(), args.mid(1), out);
    out.flush();
    return status;
}

} // namespace arb::admin
