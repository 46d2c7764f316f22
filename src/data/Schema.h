#pragma once

#include <QStringList>

namespace arb {

class Connection;

namespace Schema {

// The three tables and the history's, empty, inside the caller's
// transaction; without the history's triggers for a copy that loads its
// rows first.
void createTables(Connection &c, bool triggers = true);

// Creates the three tables in an empty store, and one password row (its
// hash); inside the caller's write when there is one.
void create(Connection &c, const QString &password);

// What is missing for the program: tables and fields. Empty when sound.
QStringList problems(Connection &c);

} // namespace Schema
} // namespace arb
