#include "Commands.h"

#include "data/Connection.h"
#include "data/DemoData.h"
#include "data/Locations.h"
#include "data/Schema.h"
#include "data/Temporary.h"
#include "data/Failure.h"

#include <QDir>
#include <QFileInfo>

namespace arb::admin {

int init(const QStringList &args, Io io)
{
    QString password = QStringLiteral("abc123");
    bool demo = false;
    QString path;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--password")) {
            if (i + 1 == args.size()) {
                io.err << "Pilihan --password memerlukan nilai: --password TEKS" << Qt::endl;
                return 2;
            }
            password = args.at(++i);
        } else if (a.startsWith(QLatin1String("--password=")))
            password = a.mid(11);
        else if (a == QLatin1String("--demo"))
            demo = true;
        else if (a.startsWith(QLatin1String("--"))) {
            io.err << "Pilihan tidak dikenali: " << a << Qt::endl;
            return 2;
        } else if (path.isEmpty())
            path = a;
        else {
            io.err << "Terlalu banyak hujah: " << a << Qt::endl;
            return 2;
        }
    }
    if (path.isEmpty())
        path = Locations::chooseStore({});
    const bool server = Locations::isServerUrl(path);
    // Tables, password and demo rows in one transaction; a new file is
    // written under a temporary name and appears only when complete.
    const auto fillStore = [&](Connection &c) {
        c.write([&] {
            Schema::fill(c, password);
            if (demo)
                addDemoData(c, true);
        });
    };
    try {
        if (server) {
            auto c = Connection::create(path);
            if (c->hasTable(QStringLiteral("kontraktor")))
                throw Failure(QStringLiteral("Pangkalan data ini sudah mempunyai jadual kontraktor: %1").arg(path));
            fillStore(*c);
        } else {
            path = QFileInfo(path).absoluteFilePath();
            if (Temporary::occupied(path))
                throw Failure(QStringLiteral("Fail sudah wujud dan tidak akan ditimpa: %1").arg(path));
            const QString folder = QFileInfo(path).absolutePath();
            if (!QDir().mkpath(folder))
                throw Failure(QStringLiteral("Folder tidak dapat dicipta: %1").arg(folder));
            sweepLeftovers(path, QStringLiteral("init"), io);
            Temporary temporary(path, QStringLiteral("init"));
            {
                auto c = Connection::create(temporary.path());
                fillStore(*c);
            }
            temporary.putInPlace();
        }
    } catch (const Failure &f) {
        return fail(io, f);
    }
    io.out << "Pangkalan data dicipta: " << path << Qt::endl;
    io.out << "Kata laluan: " << password << Qt::endl;
    if (demo)
        io.out << "Data contoh: 25 kontraktor." << Qt::endl;
    return 0;
}

} // namespace arb::admin
