#pragma once

#include <QString>

// Argon2id password hashes (libsodium). No password is ever stored or compared in plain text.
namespace PasswordHash {

enum class Cost { Interactive, Minimal };

// Minimal cost is for test suites only: it keeps thousands of logins fast.
void setCost(Cost cost);

QString hash(const QString &password);
bool verify(const QString &storedHash, const QString &password);

} // namespace PasswordHash
