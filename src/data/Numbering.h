#pragma once

#include <QString>

namespace arb {

class Connection;

// The registration number of a serial: "ZRVA/KP/" and the serial in at
// least four digits (ZRVA/KP/0012, ZRVA/KP/10001).
QString registrationNumber(qint64 serial);

// The store's index of the serials, which the proposal and the check below
// read instead of the whole register. Made with the tables; a store made
// before it gets it at its first open by the program.
void addSerialIndex(Connection &c);

// The number proposed for a new contractor: one more than the highest
// serial in use, and never less than the row count + 1, so that a deletion
// does not bring back a number still in use.
QString proposedRegistrationNumber(Connection &c);

// Inside the write transaction that stores a new contractor: the number to
// store for `number`. A number written as proposals are whose serial another
// row already holds gives way to the proposal as it stands now; any other
// number (typed by hand in another form, irregular) is stored as it is.
QString freeRegistrationNumber(Connection &c, const QString &number);

} // namespace arb
