#pragma once
#include <QString>

// Stored passwords: "pbkdf2$<rounds>$<salt b64>$<hash b64>", PBKDF2-HMAC-SHA256 of the
// lower-cased password, so the check ignores letter case.
namespace PasswordHash {

constexpr int DefaultRounds = 100000;

// A new stored text with a fresh 16-byte random salt.
QString make(const QString &password, int rounds = DefaultRounds);

// True when the password matches the stored text; a malformed text matches nothing.
bool verify(const QString &password, const QString &stored);

} // namespace PasswordHash
