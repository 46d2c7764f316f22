#include "Commands.h"

#include "data/Connection.h"
#include "data/DemoData.h"
#include "data/Locations.h"
#include "data/Schema.h"
#include "platform/Failure.h"

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
        if (a == QLatin1String("--password") && i + 1 < args.size())
            password = args.at(++i);
        else if (a.startsWith(QLatin1String("--password=")))
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
    if (!server) {
        if (QFileInfo::exists(path)) {
            io.err << "Fail sudah wujud dan tidak akan ditimpa: " << path << Qt::endl;
            return 1;
        }
        QDir().mkpath(QFileInfo(path).absolutePath());
    }
    try {
        auto c = Connection::create(path);
        if (c->hasTable(QStringLiteral("kontraktor"))) {
            io.err << "Pangkalan data ini sudah mempunyai jadual kontraktor: " << path << Qt::endl;
            return 1;
        }
        Schema::create(*c, password);
        if (demo)
            addDemoData(*c);
    } catch (const Failure &f) {
        io.err << f.message() << (f.detail().isEmpty() ? QString() : QStringLiteral(" (") + f.detail() + QLatin1Char(')'))
               << Qt::endl;
        if (!server)
            QFile::remove(path);
        return 1;
    }
    io.out << "Pangkalan data dicipta: " << path << Qt::endl;
    io.out << "Kata laluan: " << password << Qt::endl;
    if (demo)
        io.out << "Data contoh: 25 kontraktor." << Qt::endl;
    return 0;
}

} // namespace arb::admin
