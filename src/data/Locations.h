#pragma once

#include <QString>
#include <QStringList>

namespace arb::Locations {

// The three names by which the program reaches its database file. Local and
// shared must lead to one store: the resolver below maps both to the store
// in use, as a drive mapping would.
inline const QString kLocalPath = QStringLiteral("D:\\kontraktor\\kontraktor.mdb");
inline const QString kSharedPath = QStringLiteral("//ZRVA-FS01/kontraktor/kontraktor.mdb");
inline const QString kFileName = QStringLiteral("kontraktor.mdb");

// The running program's folder with the file name appended.
QString programFolderPath();

// ~/kontraktor/kontraktor.mdb; on Windows D:\kontraktor\kontraktor.mdb when
// drive D: exists, else %USERPROFILE%\kontraktor\kontraktor.mdb.
QString defaultStore();

// --database PATH (or --database=PATH), else ARB_DATABASE, else the default.
QString chooseStore(const QStringList &arguments);

void setStore(const QString &store);
QString store();

// Local and shared path map to the store in use; anything else stays as given.
QString resolve(const QString &name);

bool isServerUrl(const QString &store);

} // namespace arb::Locations
