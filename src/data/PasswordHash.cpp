#include "PasswordHash.h"

#include "DbError.h"

#include <sodium.h>

namespace PasswordHash {
namespace {

Cost g_cost = Cost::Interactive;

void ensureSodium()
{
    static const int ok = sodium_init();
    if (ok < 0)
        throw DbError(QStringLiteral("The password library could not be initialised."));
}

} // namespace

void setCost(Cost cost) { g_cost = cost; }

QString hash(const QString &password)
{
    ensureSodium();
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    // Argon2id with 19 MiB and two passes, the widely recommended minimum for logins: about
    // 50 ms here, so every connection the program and its command line open stays quick.
    // The parameters travel in the hash, so stronger settings can come later without a
    // migration.
    const unsigned long long ops = g_cost == Cost::Minimal ? crypto_pwhash_OPSLIMIT_MIN : 2;
    const size_t mem = g_cost == Cost::Minimal ? crypto_pwhash_MEMLIMIT_MIN : size_t(19456) * 1024;
    if (crypto_pwhash_str_alg(out, utf8.constData(), quint64(utf8.size()), ops, mem,
                              crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw DbError(QStringLiteral("Not enough memory to hash the password."));
    return QString::fromLatin1(out);
}

bool verify(const QString &storedHash, const QString &password)
{
    ensureSodium();
    if (storedHash.isEmpty())
        return false;
    const QByteArray h = storedHash.toLatin1();
    const QByteArray utf8 = password.toUtf8();
    return crypto_pwhash_str_verify(h.constData(), utf8.constData(), quint64(utf8.size())) == 0;
}

} // namespace PasswordHash
