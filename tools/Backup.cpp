#include "Commands.h"

#include "data/Connection.h"
#include "data/Locations.h"
#include "platform/Failure.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

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
    // Copy under a temporary name beside the destination, check it, then
    // put it in place: the destination is never a half copy.
    const QFileInfo destInfo(dest);
    QString temporary;
    do {
        temporary = destInfo.absoluteDir().filePath(QStringLiteral(".%1.backup-%2.tmp")
                                                        .arg(destInfo.fileName())
                                                        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    } while (QFileInfo::exists(temporary));
    bool started = false;
    try {
        Connection c(store);
        QDir().mkpath(destInfo.absolutePath());
        started = true;
        // One read transaction: the copy is the store as one moment saw it,
        // while other desktops go on writing.
        c.exec(QStringLiteral("VACUUM INTO ?"), {temporary}, QStringLiteral("Salinan tidak dapat dibuat: %1").arg(dest));
        {
            Connection copy(temporary);
            const QStringList problems = storeProblems(copy);
            if (!problems.isEmpty())
                throw Failure(QStringLiteral("Salinan tidak lengkap: %1").arg(dest), problems.join(QLatin1Char(' ')));
        }
        if (!QFile::rename(temporary, dest))
            throw Failure(QStringLiteral("Fail sudah wujud dan tidak akan ditimpa: %1").arg(dest));
    } catch (const Failure &f) {
        if (started)
            QFile::remove(temporary);
        io.err << f.message() << (f.detail().isEmpty() ? QString() : QStringLiteral(" (") + f.detail() + QLatin1Char(')'))
               << Qt::endl;
        return 1;
    }
    io.out << "Salinan dibuat: " << dest << Qt::endl;
    return 0;
}

} // namespace arb::admin
