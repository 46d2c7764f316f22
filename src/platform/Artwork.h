#pragma once

#include <QPixmap>

namespace arb {

// The council's emblem and name banner, drawn in code (our own artwork).
QPixmap emblem(int size = 200);
QPixmap banner(int width = 984, int height = 76);

} // namespace arb
