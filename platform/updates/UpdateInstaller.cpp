#include "platform/updates/UpdateInstaller.h"

#include "core/ports/FileManagerReveal.h"
#include "platform/updates/UpdateErrors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

UpdateError installationError(const QString& reason)
{
    return frameworkError(UpdateErrorCode::installationFailed,
                          UpdateInstaller::tr("The update could not be installed: %1").arg(reason));
}

// Copies the file into an open temporary file and flushes it to disk.
bool copyInto(const QString& source, QTemporaryFile& target, QString& reason)
{
    QFile input(source);
    if (!input.open(QIODevice::ReadOnly)) {
        reason = input.errorString();
        return false;
    }
    while (!input.atEnd()) {
        const QByteArray chunk = input.read(1 << 20);
        if (chunk.isEmpty() && input.error() != QFile::NoError) {
            reason = input.errorString();
            return false;
        }
        if (target.write(chunk) != chunk.size()) {
            reason = target.errorString();
            return false;
        }
    }
    if (!target.flush() || ::fsync(target.handle()) != 0) {
        reason = target.errorString();
        return false;
    }
    return true;
}

QString uniquePath(const QDir& folder, const QString& fileName)
{
    const QFileInfo info(fileName);
    QString candidate = folder.filePath(fileName);
    for (int n = 2; QFileInfo::exists(candidate); ++n) {
        const QString suffix = info.completeSuffix();
        candidate = folder.filePath(info.baseName() + QStringLiteral(" (%1)").arg(n) +
                                    (suffix.isEmpty() ? QString() : u'.' + suffix));
    }
    return candidate;
}

// The new copy starts only once this process is gone, so the single-instance rule does not
// turn it away as a second copy.
void relaunchWhenGone(const QString& appImagePath)
{
    const QString script =
        QStringLiteral("while kill -0 %1 2>/dev/null; do sleep 0.2; done; exec \"$0\" \"$@\"")
            .arg(QCoreApplication::applicationPid());
    QStringList arguments{QStringLiteral("-c"), script, appImagePath};
    arguments += QCoreApplication::arguments().mid(1);
    QProcess::startDetached(QStringLiteral("/bin/sh"), arguments);
    QCoreApplication::quit();
}

} // namespace

UpdateInstaller::UpdateInstaller(QString appImagePath, QString downloadsFolder, Hooks hooks)
    : m_appImagePath(std::move(appImagePath)), m_downloadsFolder(std::move(downloadsFolder)),
      m_hooks(std::move(hooks))
{
}

UpdateInstaller::Hooks UpdateInstaller::systemHooks(FileManagerReveal& fileManager)
{
    return Hooks{relaunchWhenGone,
                 [&fileManager](const QString& path) { fileManager.reveal(path); }};
}

// The temporary replacement: a hidden file beside the image, QTemporaryFile's six characters
// at the end.
QString UpdateInstaller::replacementPattern() const
{
    return QStringLiteral(".") + QFileInfo(m_appImagePath).fileName() +
           QStringLiteral(".update-XXXXXX");
}

void UpdateInstaller::removeLeftovers() const
{
    if (m_appImagePath.isEmpty())
        return;
    const QDir folder = QFileInfo(m_appImagePath).absoluteDir();
    QString pattern = replacementPattern();
    pattern.replace(QStringLiteral("XXXXXX"), QStringLiteral("??????"));
    for (const QString& name : folder.entryList({pattern}, QDir::Files | QDir::Hidden))
        QFile::remove(folder.filePath(name));
}

std::optional<UpdateError> UpdateInstaller::replaceAppImage(const QString& verifiedFile,
                                                            const Check& check)
{
    const QFileInfo image(m_appImagePath);
    QTemporaryFile replacement(image.absolutePath() + u'/' + replacementPattern());
    if (!replacement.open())
        return installationError(replacement.errorString());
    QString reason;
    if (!copyInto(verifiedFile, replacement, reason))
        return installationError(reason);
    // The copy is what takes the image's place, so the copy is what is checked.
    if (const std::optional<UpdateError> changed = check(replacement.fileName()))
        return changed;
    const QFileDevice::Permissions executable = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::ExeOther;
    if (!replacement.setPermissions(executable))
        return installationError(replacement.errorString());
    replacement.close();
    // rename(2) swaps the directory entry in one step: the path names the old image or the new
    // one, never a partial file.
    if (std::rename(QFile::encodeName(replacement.fileName()).constData(),
                    QFile::encodeName(image.absoluteFilePath()).constData()) != 0)
        return installationError(QString::fromLocal8Bit(std::strerror(errno)));
    replacement.setAutoRemove(false);
    if (m_hooks.relaunch)
        m_hooks.relaunch(image.absoluteFilePath());
    return std::nullopt;
}

std::optional<UpdateError> UpdateInstaller::revealDownload(const QString& verifiedFile,
                                                           const Check& check, QString& placedAt)
{
    QDir folder(m_downloadsFolder);
    if (!folder.mkpath(QStringLiteral(".")))
        return installationError(tr("cannot create %1").arg(m_downloadsFolder));
    const QString target = uniquePath(folder, QFileInfo(verifiedFile).fileName());
    if (!QFile::copy(verifiedFile, target))
        return installationError(tr("cannot write %1").arg(target));
    if (std::optional<UpdateError> changed = check(target)) {
        QFile::remove(target);
        return changed;
    }
    placedAt = target;
    if (m_hooks.reveal)
        m_hooks.reveal(target);
    return std::nullopt;
}
