#pragma once
// The login password as stored in UserPass: an Argon2id string of libsodium
// ("$argon2id$v=19$m=...,t=...,p=1$<salt>$<hash>", crypto_pwhash_str).
// Older files hold "sha256$<salt hex>$<hash hex>" (SHA-256 of the salt bytes
// followed by the password in UTF-8) or the password itself; both still log
// in, and the login replaces them with the Argon2id string (`needsUpgrade`).
// An empty stored value means "no password".

#include <QByteArray>
#include <QString>

namespace PasswordHash {

// SHA-256 of the salt followed by the password in UTF-8 (the database files' password record).
QByteArray digest(const QByteArray& salt, const QString& password);
// Random bytes from the system's generator.
QByteArray newSalt();

// Argon2id with a fresh salt each time, so two equal passwords are stored differently.
QString hash(const QString& password);
// Whether the typed password opens a stored value (Argon2id, SHA-256, plain or empty).
bool matches(const QString& stored, const QString& typed);
// A stored password in one of the older forms.
bool needsUpgrade(const QString& stored);

} // namespace PasswordHash
