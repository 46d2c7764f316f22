#pragma once

#include <QDate>
#include <QString>

class QThread;

namespace arb {

// Starts the day's safety copy of a SQLite store on a thread of its own, so
// that the login window does not wait for it. A failed copy is reported
// once, after the current event, and never stops the program. The
// application waits for the copy before it quits. Returns the thread.
QThread *startDailyCopy(const QString &store, const QDate &today);

} // namespace arb
