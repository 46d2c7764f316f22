#pragma once

#include "reports/PrintDevice.h"

#include <QString>

namespace arb::bench {

// Rewrite of every row (23 fields) in one transaction with one prepared
// UPDATE and nothing else: the least any sort can cost.
void rewriteFloor(const QString &path);

// The register's original sort: read into 24 parallel arrays, insertion sort
// shifting every array, rewrite. Reference only.
void insertionSortReference(const QString &path);

// A recorded job's lines and texts drawn with QPainter straight into a PDF:
// the least a report can cost.
void painterFloor(const RecordedJob &job, const QString &pdf);

} // namespace arb::bench
