#pragma once

#include <QString>

namespace arb {

class Form6;

// Prints the work sheet from its template as filled: the heading (number,
// name, every line of the address, indent/LO number) at the template's
// places, then the jobs in the three columns, one row per job. A long
// description wraps inside its column while the job's date and value stay
// on its first line; jobs that do not fit above the template's bottom edge
// go on further pages under the same heading. One print job; printer
// failures throw Failure.
void printWorkSheet(Form6 *sheet, const QString &jobName);

} // namespace arb
