#pragma once

namespace arb {

class Connection;

// About 25 invented contractors (companies and people made up), numbered
// ZRVA/KP/0001 onward, some with work lines, and one row in table test.
// In a transaction of its own unless the caller holds one.
void addDemoData(Connection &c);

} // namespace arb
