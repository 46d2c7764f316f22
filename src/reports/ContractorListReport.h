#pragma once

#include <QStringList>

namespace arb {

class Printer;
class Snapshot;

// The ruled contractor list: the records at positions first to last of the
// snapshot (counted from 1, both included; a last past the end stops at the
// end), nine to a landscape page. The page skeleton is drawn before the first
// row and after every page break; a page is broken only when another row
// follows, so an empty snapshot gives one page with the empty skeleton.
// The job is left open for the caller's EndDoc.
void printContractorList(Printer &printer, Snapshot &rows, int first, int last);
// The fields it prints: all the snapshot needs to hold.
const QStringList &contractorListFields();

inline constexpr int kContractorRowsPerPage = 9;

} // namespace arb
