#include "platform/updates/UpdateDownload.h"

#include "platform/updates/UpdateErrors.h"
#include "platform/updates/UpdatePolicy.h"
#include "platform/updates/UpdateSignature.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace {

// Owned by this user and writable by nobody else, so no one can swap a verified file.
bool isPrivateFolder(const QString& path)
{
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink() && info.ownerId() == ::getuid() &&
           !(info.permissions() & (QFileDevice::WriteGroup | QFileDevice::WriteOther));
}

} // namespace

UpdateDownload::UpdateDownload(QNetworkAccessManager& network, AppcastItem item,
                               QByteArray publicKey, const QString& cacheFolder,
                               UpdateTransfer::Limits limits)
    : m_network(network), m_item(std::move(item)), m_publicKey(std::move(publicKey)),
      m_cacheFolder(cacheFolder), m_limits(limits)
{
}

// Nothing of a download outlives it: by then it is installed, copied for the user, postponed
// (the next cycle fetches afresh) or refused.
UpdateDownload::~UpdateDownload()
{
    m_transfer.reset();
    if (m_partial)
        m_partial->remove();
    if (!m_verifiedFile.isEmpty())
        QFile::remove(m_verifiedFile);
}

QString UpdateDownload::folder()
{
    if (!m_cacheFolder.isEmpty() && QDir().mkpath(m_cacheFolder) && isPrivateFolder(m_cacheFolder))
        return m_cacheFolder;
    // mkdtemp(3): a new folder only this user may enter.
    m_privateFolder = std::make_unique<QTemporaryDir>();
    return m_privateFolder->isValid() ? m_privateFolder->path() : QString();
}

std::optional<UpdateError> UpdateDownload::start(Completion completion)
{
    if (m_item.edSignature.isEmpty())
        return frameworkError(UpdateErrorCode::signatureInvalid,
                              tr("The update %1 is not signed.").arg(m_item.displayVersion()));
    if (m_item.enclosureLength <= 0)
        return frameworkError(
            UpdateErrorCode::lengthMismatch,
            tr("The feed gives no size for the update %1.").arg(m_item.displayVersion()));
    const QString where = folder();
    if (where.isEmpty())
        return frameworkError(UpdateErrorCode::downloadFailed,
                              tr("The update could not be saved: no private folder."));
    const QString target =
        QDir(where).filePath(UpdatePolicy::downloadFileName(m_item.enclosureUrl));
    m_partial = std::make_unique<QFile>(target + QStringLiteral(".part"));
    if (!m_partial->open(QIODevice::WriteOnly | QIODevice::Truncate))
        return frameworkError(
            UpdateErrorCode::downloadFailed,
            tr("The update could not be saved: %1").arg(m_partial->errorString()));
    m_completion = std::move(completion);
    UpdateTransfer::Limits limits = m_limits;
    limits.maxBytes = m_item.enclosureLength;
    m_transfer = std::make_unique<UpdateTransfer>(
        m_network, m_item.enclosureUrl, limits, m_partial.get(),
        [this, target](const QByteArray&, const std::optional<UpdateError>& error) {
            std::optional<UpdateError> outcome = error;
            m_partial->close();
            if (!outcome)
                outcome = check(m_partial->fileName(), m_item, m_publicKey);
            QFile::remove(target);
            if (!outcome && !m_partial->rename(target))
                outcome = frameworkError(
                    UpdateErrorCode::downloadFailed,
                    tr("The update could not be saved: %1").arg(m_partial->errorString()));
            if (outcome)
                m_partial->remove();
            else
                m_verifiedFile = target;
            m_partial.reset();
            // The transfer is being destroyed from its own callback; it tolerates that.
            const Completion done = std::exchange(m_completion, nullptr);
            done(outcome);
        });
    return std::nullopt;
}

std::optional<UpdateError> UpdateDownload::check(const QString& path, const AppcastItem& item,
                                                 const QByteArray& publicKey)
{
    if (QFileInfo(path).size() != item.enclosureLength)
        return frameworkError(
            UpdateErrorCode::lengthMismatch,
            tr("The update %1 does not have the size the feed gives.").arg(item.displayVersion()));
    if (!UpdateSignature::verifyFile(path, item.edSignature, publicKey))
        return frameworkError(UpdateErrorCode::signatureInvalid,
                              tr("The update %1 is improperly signed and was not offered.")
                                  .arg(item.displayVersion()));
    return std::nullopt;
}
