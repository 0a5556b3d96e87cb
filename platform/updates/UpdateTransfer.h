#pragma once

#include "UpdateFramework.h"

#include <QObject>
#include <QPointer>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>

class QFile;
class QNetworkAccessManager;
class QNetworkReply;

// One GET over HTTPS (plain HTTP only to loopback hosts, also after redirects), into memory
// or into a file, with a size cap. Reports once through the completion handler, on the
// thread it was started on, unless it is destroyed first (which aborts the request).
class UpdateTransfer : public QObject
{
    Q_OBJECT

public:
    // The body in memory (empty when writing to a file), or the error.
    using Completion =
        std::function<void(const QByteArray& body, const std::optional<UpdateError>&)>;

    static inline const QString networkErrorDomain = QStringLiteral("QNetworkReply");

    // True for https, and for http to localhost, 127.0.0.0/8 or ::1.
    static bool isAllowedUrl(const QUrl& url);

    // maxBytes: a body that grows beyond it ends the transfer with an error of the framework's
    // own domain. file: when set, the body goes there instead of memory.
    UpdateTransfer(QNetworkAccessManager& network, const QUrl& url, qint64 maxBytes,
                   std::chrono::milliseconds timeout, QFile* file, Completion completion,
                   QObject* parent = nullptr);
    ~UpdateTransfer() override;

private:
    void onReadyRead();
    void onFinished();
    void fail(const UpdateError& error);
    void complete(const std::optional<UpdateError>& error);

    QPointer<QNetworkReply> m_reply;
    QFile* m_file;
    qint64 m_maxBytes;
    qint64 m_received = 0;
    QByteArray m_body;
    std::optional<UpdateError> m_failure;
    Completion m_completion;
};
