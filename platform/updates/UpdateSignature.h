#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Ed25519 verification of downloaded updates (libsodium). Keys and signatures travel as
// base64 text.
namespace UpdateSignature {

// The 32-byte public key, or nothing when the text is not strict base64 of that size.
std::optional<QByteArray> decodePublicKey(const QString& base64);

// True only when the signature is strict base64 of a 64-byte Ed25519 signature that the key
// verifies over the whole message.
bool verify(const QByteArray& message, const QString& signatureBase64, const QByteArray& publicKey);

// The same over a file's contents; false when the file cannot be read.
bool verifyFile(const QString& path, const QString& signatureBase64, const QByteArray& publicKey);

} // namespace UpdateSignature
