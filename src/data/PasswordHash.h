#pragma once
// The login password as stored in UserPass: "sha256$<salt hex>$<hash hex>",
// the SHA-256 of the salt bytes followed by the password in UTF-8. Older
// files hold the password itself; such a value still logs in, and the next
// change stores the hash. An empty stored value means "no password".

#include <QString>

#include <QByteArray>

namespace PasswordHash {

// SHA-256 of the salt followed by the password in UTF-8 (also the database files' password record).
QByteArray digest(const QByteArray& salt, const QString& password);
// Random bytes from the system's generator.
QByteArray newSalt();

// A fresh salt each time, so two equal passwords are stored differently.
QString hash(const QString& password);
// Whether the typed password opens a stored value (hashed, plain or empty).
bool matches(const QString& stored, const QString& typed);
bool isHashed(const QString& stored);

} // namespace PasswordHash
