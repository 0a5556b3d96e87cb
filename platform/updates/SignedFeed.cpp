#include "platform/updates/SignedFeed.h"

#include "platform/updates/UpdateErrors.h"
#include "platform/updates/UpdateSignature.h"

#include <QCoreApplication>
#include <QNetworkReply>

namespace {

UpdateError unsignedFeed()
{
    return frameworkError(
        UpdateErrorCode::feedSignatureInvalid,
        SignedFeed::tr("The update feed is not signed with the application's key."));
}

} // namespace

SignedFeed::SignedFeed(QNetworkAccessManager& network, const QUrl& feedUrl, QByteArray publicKey,
                       const UpdateTransfer::Limits& limits, Completion completion)
    : m_network(network), m_feedUrl(feedUrl), m_publicKey(std::move(publicKey)), m_limits(limits),
      m_completion(std::move(completion))
{
    m_transfer = std::make_unique<UpdateTransfer>(
        m_network, m_feedUrl, m_limits, nullptr,
        [this](const QByteArray& body, const std::optional<UpdateError>& error) {
            onFeed(body, error);
        });
}

QUrl SignedFeed::signatureUrl(const QUrl& feedUrl)
{
    QUrl url = feedUrl;
    url.setPath(feedUrl.path() + QStringLiteral(".sig"));
    return url;
}

std::optional<QList<AppcastItem>> SignedFeed::read(const QByteArray& feed,
                                                   const QByteArray& signatureText,
                                                   const QByteArray& publicKey, UpdateError& error)
{
    // The text may be wrapped over lines, as base64 tools write it.
    const QString signature = QString::fromLatin1(signatureText).simplified().remove(u' ');
    if (!UpdateSignature::verify(feed, signature, publicKey)) {
        error = unsignedFeed();
        return std::nullopt;
    }
    std::optional<QList<AppcastItem>> items = Appcast::parse(feed);
    if (!items)
        error = frameworkError(UpdateErrorCode::malformedFeed,
                               tr("The update feed could not be read."));
    return items;
}

// The handlers below run from the finished transfer, which they replace or keep: the transfer
// allows that.
void SignedFeed::onFeed(const QByteArray& body, const std::optional<UpdateError>& error)
{
    if (error)
        return std::exchange(m_completion, nullptr)({}, error);
    m_feed = body;
    UpdateTransfer::Limits limits = m_limits;
    limits.maxBytes = maximumSignatureBytes;
    m_transfer = std::make_unique<UpdateTransfer>(
        m_network, signatureUrl(m_feedUrl), limits, nullptr,
        [this](const QByteArray& signature, const std::optional<UpdateError>& signatureError) {
            onSignature(signature, signatureError);
        });
}

void SignedFeed::onSignature(const QByteArray& body, const std::optional<UpdateError>& error)
{
    const Completion done = std::exchange(m_completion, nullptr);
    // A server that has no signature to give refuses the feed; other failures are what they are.
    const bool missing = error && error->domain == UpdateTransfer::networkErrorDomain &&
                         (error->code == QNetworkReply::ContentNotFoundError ||
                          error->code == QNetworkReply::ContentGoneError);
    if (missing)
        return done({}, unsignedFeed());
    if (error)
        return done({}, error);
    UpdateError refusal;
    const std::optional<QList<AppcastItem>> items = read(m_feed, body, m_publicKey, refusal);
    if (!items)
        return done({}, refusal);
    done(*items, std::nullopt);
}
