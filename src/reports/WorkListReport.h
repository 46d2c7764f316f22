#pragma once

#include <QStringList>

namespace arb {

class Printer;
class Snapshot;

// The ruled work list: every record of the snapshot, fourteen to a
// landscape page, with its works counted per calendar month. Pages break as
// in the contractor list. The job is left open for the caller's EndDoc.
void printWorkList(Printer &printer, Snapshot &rows);
// The fields it prints: all the snapshot needs to hold.
const QStringList &workListFields();

inline constexpr int kWorkRowsPerPage = 14;

} // namespace arb
