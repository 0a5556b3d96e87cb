#pragma once

#include "core/ports/UpdateFramework.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>

class QFile;
class QNetworkAccessManager;
class QNetworkReply;

// One GET over HTTPS (plain HTTP only to loopback hosts, also after redirects; a redirect never
// leads from a remote host to a loopback one), into memory or into a file, with a size cap,
// an idle timeout and a time limit for the whole transfer. Reports once through the
// completion handler, on the thread it was started on, unless it is destroyed first (which
// aborts the request).
class UpdateTransfer : public QObject
{
    Q_OBJECT

public:
    // The body in memory (empty when writing to a file), or the error.
    using Completion =
        std::function<void(const QByteArray& body, const std::optional<UpdateError>&)>;

    static inline const QString networkErrorDomain = QStringLiteral("QNetworkReply");

    struct Limits
    {
        // A body that grows beyond it ends the transfer with an error of the framework's domain.
        qint64 maxBytes = 0;
        // Without any data for this long, or not done after the time limit, the transfer ends
        // with an error of the network's domain.
        std::chrono::milliseconds idleTimeout = std::chrono::seconds(60);
        std::chrono::milliseconds timeLimit = std::chrono::minutes(2);
    };

    // localhost and its subdomains, 127.0.0.0/8, ::1 and their IPv4-mapped forms, and the
    // unspecified addresses (which connect to this machine).
    static bool isLoopbackHost(const QString& host);
    // True for https, and for http to a loopback host.
    static bool isAllowedUrl(const QUrl& url);
    // A redirect target must be allowed, and loopback only while every address so far was.
    static bool isAllowedRedirect(bool remoteSoFar, const QUrl& target);

    // file: when set, the body goes there instead of memory.
    UpdateTransfer(QNetworkAccessManager& network, const QUrl& url, const Limits& limits,
                   QFile* file, Completion completion, QObject* parent = nullptr);
    ~UpdateTransfer() override;

private:
    void onReadyRead();
    void onFinished();
    void fail(const UpdateError& error);
    void complete(const std::optional<UpdateError>& error);

    QPointer<QNetworkReply> m_reply;
    QTimer m_timeLimit;
    QFile* m_file;
    qint64 m_maxBytes;
    bool m_remoteSoFar = false;
    qint64 m_received = 0;
    QByteArray m_body;
    std::optional<UpdateError> m_failure;
    Completion m_completion;
};
