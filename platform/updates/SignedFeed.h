#pragma once

#include "core/ports/UpdateFramework.h"
#include "platform/updates/Appcast.h"
#include "platform/updates/UpdateTransfer.h"

#include <QCoreApplication>

#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;

// Fetches the update feed, then its detached signature beside it (the feed's address with
// ".sig" appended to the path: base64 of an Ed25519 signature over the feed's exact bytes), and
// reads the items only when the signature verifies. Whoever serves the feed cannot change
// versions, lengths or channels, or serve an old feed, without the release key.
class SignedFeed
{
    Q_DECLARE_TR_FUNCTIONS(SignedFeed)

public:
    using Completion =
        std::function<void(const QList<AppcastItem>& items, const std::optional<UpdateError>&)>;

    static constexpr qint64 maximumSignatureBytes = 1024;

    // The key is the raw 32-byte public key. The completion runs once, from the event loop,
    // unless this object is destroyed first.
    SignedFeed(QNetworkAccessManager& network, const QUrl& feedUrl, QByteArray publicKey,
               const UpdateTransfer::Limits& limits, Completion completion);

    static QUrl signatureUrl(const QUrl& feedUrl);

    // The items of a feed whose signature text verifies under the key, or the error.
    static std::optional<QList<AppcastItem>> read(const QByteArray& feed,
                                                  const QByteArray& signatureText,
                                                  const QByteArray& publicKey, UpdateError& error);

private:
    void onFeed(const QByteArray& body, const std::optional<UpdateError>& error);
    void onSignature(const QByteArray& body, const std::optional<UpdateError>& error);

    QNetworkAccessManager& m_network;
    QUrl m_feedUrl;
    QByteArray m_publicKey;
    UpdateTransfer::Limits m_limits;
    QByteArray m_feed;
    std::unique_ptr<UpdateTransfer> m_transfer;
    Completion m_completion;
};
