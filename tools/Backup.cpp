#include "Commands.h"

#include "data/Locations.h"
#include "data/SafetyCopy.h"
#include "data/Temporary.h"
#include "data/Failure.h"

#include <QDateTime>
#include <QFileInfo>

namespace arb::admin {

int fail(Io io, const Failure &f)
{
    io.err << f.message() << (f.detail().isEmpty() ? QString() : QStringLiteral(" (") + f.detail() + QLatin1Char(')'))
           << Qt::endl;
    return 1;
}

void sweepLeftovers(const QString &target, const QString &command, Io io)
{
    if (Locations::isServerUrl(target))
        return;
    if (const int n = Temporary::sweep(target, command))
        io.err << Temporary::sweptLine(n) << Qt::endl;
}

int backup(const QStringList &args, Io io)
{
    if (args.size() != 2 || args.first().startsWith(QLatin1String("--"))) {
        io.err << "Penggunaan: arb-admin backup STORE SALINAN" << Qt::endl;
        return 2;
    }
    const QString dest = QFileInfo(args.at(1)).absoluteFilePath();
    try {
        sweepLeftovers(dest, QStringLiteral("backup"), io);
        backupStore(args.at(0), dest);
    } catch (const Failure &f) {
        return fail(io, f);
    }
    io.out << "Salinan dibuat: " << dest << Qt::endl;
    return 0;
}

int restore(const QStringList &args, Io io)
{
    if (args.size() != 2 || args.first().startsWith(QLatin1String("--"))) {
        io.err << "Penggunaan: arb-admin restore SALINAN STORE" << Qt::endl;
        return 2;
    }
    const QString store = QFileInfo(Locations::resolve(args.at(1))).absoluteFilePath();
    // What a killed restore left: the copy it was putting in place, and
    // the old store it was copying aside where the disk keeps no links.
    const auto sweep = [&] {
        if (const int n = Temporary::sweep(store, QStringLiteral("restore")) + Temporary::sweep(store, QStringLiteral("replaced")))
            io.err << Temporary::sweptLine(n) << Qt::endl;
    };
    try {
        // The copy an interrupted restore left is what this run puts in place.
        const bool finishing = leftByRestore(args.at(0), store);
        if (!finishing)
            sweep();
        const QString kept = restoreStore(args.at(0), store, QDateTime::currentDateTime());
        if (finishing)
            sweep();
        io.out << "Dipulihkan daripada " << args.at(0) << ": " << store << Qt::endl;
        if (!kept.isEmpty())
            io.out << "Pangkalan data yang diganti disimpan sebagai: " << kept << Qt::endl;
    } catch (const Failure &f) {
        return fail(io, f);
    }
    return 0;
}

} // namespace arb::admin
