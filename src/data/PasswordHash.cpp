#include "data/PasswordHash.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QStringList>

namespace {

const QString kScheme = QStringLiteral("sha256");
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
    const QByteArray salt = newSalt();
    return kScheme + QLatin1Char('$') + QString::fromLatin1(salt.toHex()) + QLatin1Char('$') +
           QString::fromLatin1(digest(salt, password).toHex());
}

bool isHashed(const QString& stored)
{
    return stored.startsWith(kScheme + QLatin1Char('$')) && stored.count(QLatin1Char('$')) == 2;
}

bool matches(const QString& stored, const QString& typed)
{
    if (!isHashed(stored))
        return sameBytes(stored.toUtf8(), typed.toUtf8());
    const QStringList parts = stored.split(QLatin1Char('$'));
    const QByteArray salt = QByteArray::fromHex(parts[1].toLatin1());
    const QByteArray expected = QByteArray::fromHex(parts[2].toLatin1());
    return !expected.isEmpty() && sameBytes(digest(salt, typed), expected);
}

} // namespace PasswordHash
