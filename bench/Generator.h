#pragma once

#include <QString>

namespace arb::bench {

// A store of `count` invented contractors, the same for the same count:
// realistic field lengths, addresses of two to four lines, 0-12 work lines
// each, serials shuffled; and `history` entries of changes spread over them
// by four clerks at four desktops, sealed (their registrations are not
// recorded, so that the history holds as many entries as asked).
void generateStore(const QString &path, int count, int history = 0);

} // namespace arb::bench
