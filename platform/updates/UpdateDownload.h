#pragma once

#include "core/ports/UpdateFramework.h"
#include "platform/updates/Appcast.h"
#include "platform/updates/UpdateTransfer.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;

// Downloads one release and keeps it only when its length and Ed25519 signature are the
// feed's. The file waits in the cache folder when that is a folder of this user's that nobody
// else may write to, otherwise in a private temporary folder; it lives as long as this object.
class UpdateDownload
{
    Q_DECLARE_TR_FUNCTIONS(UpdateDownload)

public:
    using Completion = std::function<void(const std::optional<UpdateError>&)>;

    // limits.maxBytes is lowered to the item's length. The key is the raw 32-byte public key.
    UpdateDownload(QNetworkAccessManager& network, AppcastItem item, QByteArray publicKey,
                   const QString& cacheFolder, UpdateTransfer::Limits limits);
    ~UpdateDownload();

    // Starts the transfer; the completion runs once, from the event loop, unless this object
    // is destroyed first. An error found before any transfer is returned instead.
    std::optional<UpdateError> start(Completion completion);

    // The verified file, after a successful completion.
    const QString& file() const { return m_verifiedFile; }

    // The file at path still has the item's length and signature under the key.
    static std::optional<UpdateError> check(const QString& path, const AppcastItem& item,
                                            const QByteArray& publicKey);

private:
    QString folder();

    QNetworkAccessManager& m_network;
    AppcastItem m_item;
    QByteArray m_publicKey;
    QString m_cacheFolder;
    UpdateTransfer::Limits m_limits;
    std::unique_ptr<QTemporaryDir> m_privateFolder;
    std::unique_ptr<QFile> m_partial;
    std::unique_ptr<UpdateTransfer> m_transfer;
    QString m_verifiedFile;
    Completion m_completion;
};
