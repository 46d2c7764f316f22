#pragma once

#include <QMap>
#include <QString>
#include <functional>

namespace arb {

class Connection;

// Makes a new store at target, whole or not at all: fill runs in one write
// transaction on it. A file target is refused when anything is there; its
// folder is made, and the file is written under a temporary name of
// command's and put in place only once fill has returned (a folder made for
// it goes again on failure). A server database is refused when it already
// holds the register's tables. Throws Failure.
void makeStore(const QString &target, const QString &command, const std::function<void(Connection &)> &fill);

// Copies a whole store (three tables, rows in stored order) into a new one
// made by makeStore, from either engine to either engine. Returns the rows
// copied per table; throws Failure.
QMap<QString, int> copyStore(const QString &source, const QString &destination);

} // namespace arb
