#include "UpdateTransfer.h"

#include "UpdateErrors.h"

#include <QFile>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <utility>

bool UpdateTransfer::isAllowedUrl(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == u"https")
        return !url.host().isEmpty();
    if (scheme != u"http")
        return false;
    const QString host = url.host();
    return host.compare(u"localhost", Qt::CaseInsensitive) == 0 || QHostAddress(host).isLoopback();
}

UpdateTransfer::UpdateTransfer(QNetworkAccessManager& network, const QUrl& url, qint64 maxBytes,
                               std::chrono::milliseconds timeout, QFile* file,
                               Completion completion, QObject* parent)
    : QObject(parent), m_file(file), m_maxBytes(maxBytes), m_completion(std::move(completion))
{
    if (!isAllowedUrl(url)) {
        // Reported from the event loop, like every other outcome.
        m_failure = frameworkError(UpdateErrorCode::insecureAddress,
                                   tr("The update address %1 does not use HTTPS.")
                                       .arg(url.toDisplayString(QUrl::RemoveUserInfo)));
        QMetaObject::invokeMethod(
            this, [this] { complete(m_failure); }, Qt::QueuedConnection);
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setTransferTimeout(static_cast<int>(timeout.count()));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    m_reply = network.get(request);
    connect(m_reply, &QNetworkReply::redirected, this, [this](const QUrl& target) {
        if (isAllowedUrl(target)) {
            emit m_reply->redirectAllowed();
            return;
        }
        fail(frameworkError(UpdateErrorCode::insecureAddress,
                            tr("The update server redirected to %1, which does not use HTTPS.")
                                .arg(target.toDisplayString(QUrl::RemoveUserInfo))));
    });
    connect(m_reply, &QNetworkReply::readyRead, this, &UpdateTransfer::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &UpdateTransfer::onFinished);
}

UpdateTransfer::~UpdateTransfer()
{
    m_completion = nullptr;
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
}

void UpdateTransfer::onReadyRead()
{
    if (m_failure)
        return;
    const QByteArray chunk = m_reply->readAll();
    m_received += chunk.size();
    if (m_received > m_maxBytes) {
        fail(frameworkError(UpdateErrorCode::lengthMismatch,
                            tr("The update server sent more data than expected.")));
        return;
    }
    if (!m_file) {
        m_body += chunk;
    } else if (m_file->write(chunk) != chunk.size()) {
        fail(frameworkError(UpdateErrorCode::downloadFailed,
                            tr("The update could not be saved: %1").arg(m_file->errorString())));
    }
}

void UpdateTransfer::onFinished()
{
    if (m_failure)
        return;
    onReadyRead();
    if (m_failure)
        return;
    if (m_reply->error() != QNetworkReply::NoError) {
        complete(UpdateError{networkErrorDomain, static_cast<int>(m_reply->error()),
                             m_reply->errorString()});
        return;
    }
    complete(std::nullopt);
}

// Stops the transfer; the reply's own abort error is not what is reported.
void UpdateTransfer::fail(const UpdateError& error)
{
    m_failure = error;
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
    QMetaObject::invokeMethod(
        this, [this] { complete(m_failure); }, Qt::QueuedConnection);
}

void UpdateTransfer::complete(const std::optional<UpdateError>& error)
{
    if (!m_completion)
        return;
    // The handler may destroy this transfer; it runs from a moved-out copy.
    const Completion completion = std::exchange(m_completion, nullptr);
    const QByteArray body = std::exchange(m_body, {});
    const std::optional<UpdateError> outcome = error;
    completion(body, outcome);
}
