#include "data/Locations.h"

#include "data/FileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcessEnvironment>

namespace arb::Locations {

namespace {
QString &current()
{
    static QString s;
    return s;
}
} // namespace

QString programFolderPath()
{
    QString folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + kFileName;
}

QString defaultStore()
{
    return fs::defaultStoreFolder() + QLatin1Char('/') + kFileName;
}

QString chooseStore(const QStringList &arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--database") && i + 1 < arguments.size())
            return arguments.at(i + 1);
        if (a.startsWith(QLatin1String("--database=")))
            return a.mid(11);
    }
    const QString env = QProcessEnvironment::systemEnvironment().value(QStringLiteral("ARB_DATABASE"));
    if (!env.isEmpty())
        return env;
    return defaultStore();
}

void setStore(const QString &store)
{
    current() = store;
}

QString store()
{
    return current().isEmpty() ? defaultStore() : current();
}

QString resolve(const QString &name)
{
    if (name == kLocalPath || name == kSharedPath)
        return store();
    return name;
}

bool isServerUrl(const QString &store)
{
    return store.startsWith(QLatin1String("postgresql://")) || store.startsWith(QLatin1String("postgres://"));
}

} // namespace arb::Locations
