#include "platform/updates/UpdateSignature.h"

#include <QFile>

#include <sodium.h>

namespace {

std::optional<QByteArray> decodeExactly(const QString& base64, qsizetype size)
{
    const auto decoded = QByteArray::fromBase64Encoding(base64.trimmed().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != size)
        return std::nullopt;
    return decoded.decoded;
}

bool verifyBytes(const unsigned char* message, qsizetype size, const QString& signatureBase64,
                 const QByteArray& publicKey)
{
    if (sodium_init() < 0 || publicKey.size() != crypto_sign_PUBLICKEYBYTES)
        return false;
    const auto signature = decodeExactly(signatureBase64, crypto_sign_BYTES);
    if (!signature)
        return false;
    return crypto_sign_verify_detached(
               reinterpret_cast<const unsigned char*>(signature->constData()), message,
               static_cast<unsigned long long>(size),
               reinterpret_cast<const unsigned char*>(publicKey.constData())) == 0;
}

} // namespace

std::optional<QByteArray> UpdateSignature::decodePublicKey(const QString& base64)
{
    return decodeExactly(base64, crypto_sign_PUBLICKEYBYTES);
}

bool UpdateSignature::verify(const QByteArray& message, const QString& signatureBase64,
                             const QByteArray& publicKey)
{
    return verifyBytes(reinterpret_cast<const unsigned char*>(message.constData()), message.size(),
                       signatureBase64, publicKey);
}

bool UpdateSignature::verifyFile(const QString& path, const QString& signatureBase64,
                                 const QByteArray& publicKey)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() == 0)
        return verifyBytes(nullptr, 0, signatureBase64, publicKey);
    // Mapped rather than read, so a large image is not copied into memory.
    const uchar* data = file.map(0, file.size());
    if (!data)
        return false;
    const bool valid = verifyBytes(data, file.size(), signatureBase64, publicKey);
    file.unmap(const_cast<uchar*>(data));
    return valid;
}
