#include "platform/BusyPointer.h"

#include <QApplication>

namespace arb {

BusyPointer::BusyPointer()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();
}

BusyPointer::~BusyPointer()
{
    // The failure report may already have put the pointer back.
    if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

} // namespace arb
