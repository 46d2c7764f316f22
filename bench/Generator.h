#pragma once

#include <QString>

namespace arb::bench {

// A store of `count` invented contractors, the same for the same count:
// realistic field lengths, addresses of two to four lines, 0-12 work lines
// each, serials shuffled.
void generateStore(const QString &path, int count);

} // namespace arb::bench
