#pragma once

namespace arb {

// The program speaks Malay whatever the desktop's language: Qt's own texts
// (the buttons of the message boxes, the printer and file dialogs) come
// from our catalogue, built into the program. Installed once, at start.
void installMalay();

} // namespace arb
