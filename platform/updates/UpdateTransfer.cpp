#include "platform/updates/UpdateTransfer.h"

#include "platform/updates/UpdateErrors.h"

#include <QFile>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <utility>

bool UpdateTransfer::isLoopbackHost(const QString& host)
{
    const QString name = host.toLower();
    if (name == u"localhost" || name.endsWith(u".localhost") || name == u"localhost.")
        return true;
    const QHostAddress address(name);
    if (address.isNull())
        return false;
    bool mapped = false;
    const QHostAddress ipv4(address.toIPv4Address(&mapped));
    return address.isLoopback() || address == QHostAddress::AnyIPv4 ||
           address == QHostAddress::AnyIPv6 ||
           (mapped && (ipv4.isLoopback() || ipv4.isNull() || ipv4 == QHostAddress::AnyIPv4));
}

bool UpdateTransfer::isAllowedUrl(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == u"https")
        return !url.host().isEmpty();
    return scheme == u"http" && isLoopbackHost(url.host());
}

bool UpdateTransfer::isAllowedRedirect(bool remoteSoFar, const QUrl& target)
{
    return isAllowedUrl(target) && !(remoteSoFar && isLoopbackHost(target.host()));
}

UpdateTransfer::UpdateTransfer(QNetworkAccessManager& network, const QUrl& url,
                               const Limits& limits, QFile* file, Completion completion,
                               QObject* parent)
    : QObject(parent), m_file(file), m_maxBytes(limits.maxBytes),
      m_remoteSoFar(!isLoopbackHost(url.host())), m_completion(std::move(completion))
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
    request.setTransferTimeout(static_cast<int>(limits.idleTimeout.count()));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    m_reply = network.get(request);
    connect(m_reply, &QNetworkReply::redirected, this, [this](const QUrl& target) {
        if (isAllowedRedirect(m_remoteSoFar, target)) {
            m_remoteSoFar = m_remoteSoFar || !isLoopbackHost(target.host());
            emit m_reply->redirectAllowed();
            return;
        }
        fail(frameworkError(UpdateErrorCode::insecureAddress,
                            tr("The update server redirected to %1, which is not allowed.")
                                .arg(target.toDisplayString(QUrl::RemoveUserInfo))));
    });
    connect(m_reply, &QNetworkReply::readyRead, this, &UpdateTransfer::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &UpdateTransfer::onFinished);
    // The idle timeout alone lets a server that sends a byte now and then hold on forever.
    m_timeLimit.setSingleShot(true);
    connect(&m_timeLimit, &QTimer::timeout, this, [this] {
        fail(UpdateError{networkErrorDomain, QNetworkReply::TimeoutError,
                         tr("The update server did not finish sending in time.")});
    });
    m_timeLimit.start(limits.timeLimit);
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
    m_timeLimit.stop();
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
    m_timeLimit.stop();
    if (!m_completion)
        return;
    // The handler may destroy this transfer; it runs from a moved-out copy.
    const Completion completion = std::exchange(m_completion, nullptr);
    const QByteArray body = std::exchange(m_body, {});
    const std::optional<UpdateError> outcome = error;
    completion(body, outcome);
}
