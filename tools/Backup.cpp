#include "Commands.h"

#include "data/Connection.h"
#include "data/Locations.h"
#include "platform/Failure.h"

#include <QDir>
#include <QFileInfo>

namespace arb::admin {

int backup(const QStringList &args, Io io)
{
    if (args.size() != 2 || args.first().startsWith(QLatin1String("--"))) {
        io.err << "Penggunaan: arb-admin backup STORE SALINAN" << Qt::endl;
        return 2;
    }
    const QString store = Locations::resolve(args.at(0));
    const QString dest = QFileInfo(args.at(1)).absoluteFilePath();
    if (Locations::isServerUrl(store)) {
        io.err << "Salinan hanya untuk fail SQLite; untuk PostgreSQL gunakan pg_dump." << Qt::endl;
        return 1;
    }
    if (QFileInfo::exists(dest)) {
        io.err << "Fail sudah wujud dan tidak akan ditimpa: " << dest << Qt::endl;
        return 1;
    }
    bool started = false;
    try {
        Connection c(store);
        QDir().mkpath(QFileInfo(dest).absolutePath());
        started = true;
        // One read transaction: the copy is the store as one moment saw it,
        // while other desktops go on writing.
        c.exec(QStringLiteral("VACUUM INTO ?"), {dest}, QStringLiteral("Salinan tidak dapat dibuat: %1").arg(dest));
        Connection copy(dest);
        const QStringList problems = storeProblems(copy);
        if (!problems.isEmpty())
            throw Failure(QStringLiteral("Salinan tidak lengkap: %1").arg(dest), problems.join(QLatin1Char(' ')));
    } catch (const Failure &f) {
        if (started)
            QFile::remove(dest);
        io.err << f.message() << (f.detail().isEmpty() ? QString() : QStringLiteral(" (") + f.detail() + QLatin1Char(')'))
               << Qt::endl;
        return 1;
    }
    io.out << "Salinan dibuat: " << dest << Qt::endl;
    return 0;
}

} // namespace arb::admin
