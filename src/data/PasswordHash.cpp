#include "data/PasswordHash.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QStringList>
#include <sodium.h>

namespace {

const QString kScheme = QStringLiteral("sha256");
const QString kArgon2id = QStringLiteral("$argon2id$");
constexpr int kSaltBytes = 16;

// Compares every byte, so the time taken does not tell how much of a guess was right.
bool sameBytes(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

bool isSha256(const QString& stored)
{
    return stored.startsWith(kScheme + QLatin1Char('$')) && stored.count(QLatin1Char('$')) == 2;
}

} // namespace

namespace PasswordHash {

QByteArray digest(const QByteArray& salt, const QString& password)
{
    return QCryptographicHash::hash(salt + password.toUtf8(), QCryptographicHash::Sha256);
}

QByteArray newSalt()
{
    QByteArray salt(kSaltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->generate(salt.begin(), salt.end());
    return salt;
}

QString hash(const QString& password)
{
    if (sodium_init() < 0)
        return QString();
    const QByteArray typed = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, typed.constData(), quint64(typed.size()),
                              crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE,
                              crypto_pwhash_ALG_ARGON2ID13) != 0)
        return QString();
    return QString::fromLatin1(out);
}

bool needsUpgrade(const QString& stored)
{
    return !stored.isEmpty() && !stored.startsWith(kArgon2id);
}

bool matches(const QString& stored, const QString& typed)
{
    if (stored.startsWith(kArgon2id)) {
        const QByteArray text = stored.toLatin1();
        const QByteArray password = typed.toUtf8();
        return sodium_init() >= 0 && crypto_pwhash_str_verify(text.constData(), password.constData(),
                                                              quint64(password.size())) == 0;
    }
    if (!isSha256(stored))
        return sameBytes(stored.toUtf8(), typed.toUtf8());
    const QStringList parts = stored.split(QLatin1Char('$'));
    const QByteArray salt = QByteArray::fromHex(parts[1].toLatin1());
    const QByteArray expected = QByteArray::fromHex(parts[2].toLatin1());
    return !expected.isEmpty() && sameBytes(digest(salt, typed), expected);
}

} // namespace PasswordHash
