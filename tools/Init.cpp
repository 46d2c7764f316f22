#include "Commands.h"

#include "data/Connection.h"
#include "data/DemoData.h"
#include "data/Locations.h"
#include "data/Schema.h"
#include "data/StoreCopy.h"
#include "data/Failure.h"

#include <QFileInfo>

namespace arb::admin {

int init(const QStringList &args, Io io)
{
    QString password = kDefaultPassword;
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
    if (!Locations::isServerUrl(path))
        path = QFileInfo(path).absoluteFilePath();
    try {
        sweepLeftovers(path, QStringLiteral("init"), io);
        // Tables, password and demo rows in one transaction.
        makeStore(path, QStringLiteral("init"), [&](Connection &c) {
            Schema::create(c, password);
            if (demo)
                addDemoData(c);
        });
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
