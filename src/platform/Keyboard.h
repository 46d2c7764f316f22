#pragma once

#include <QString>

class QAbstractButton;

namespace arb {

// Keys as the clerks' desktop has them, for every window of the program:
// Enter presses the button that has the focus, and the underlines of the
// Alt accelerators ("&Baru") show only while Alt is held. Installed once,
// on the application.
void installKeyboard();

// Alt is held now: the accelerators are underlined.
bool altHeld();

// A button's caption as the clerk reads it, without its accelerator mark.
QString caption(const QAbstractButton *button);

} // namespace arb
