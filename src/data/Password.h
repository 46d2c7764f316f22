#pragma once

#include <QString>

namespace arb {

class Connection;

// The login password is kept as a salted Argon2id hash (libsodium's
// crypto_pwhash_str), never as the text itself. Stores made before hold the
// text; such a password still logs in and is replaced by its hash then.
namespace Password {

// A new hash of the text, a fresh salt each time.
QString hash(const QString &text);
// The stored value is a hash (else it is the old plain text).
bool isHashed(const QString &stored);
// The typed text is the password: checked against the hash, or compared
// exactly (case, spaces and length) with an old plain text.
bool matches(const QString &stored, const QString &typed);
// The stored value should be written again: plain text, or a hash made with
// weaker settings than today's.
bool needsRehash(const QString &stored);

// Replaces every plain-text password in table password by its hash, inside
// the caller's transaction. Returns how many were replaced.
int hashPlainPasswords(Connection &c);
// Rows of table password that hold plain text.
int plainPasswords(Connection &c);

} // namespace Password
} // namespace arb
