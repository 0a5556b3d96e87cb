#pragma once

#include "core/ports/UpdateFramework.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <optional>

class FileManagerReveal;

// Installs a verified download. Running from an AppImage, the new image atomically replaces
// the running one (same folder, so the rename cannot cross file systems; the old image stays
// whole if anything fails) and the application relaunches from it. Otherwise the download is
// copied into the user's downloads folder and revealed in the file manager, for the user to
// install by hand. Either way the copy is checked again just before it takes its place, so a
// download changed after its first check is never installed.
class UpdateInstaller
{
    Q_DECLARE_TR_FUNCTIONS(UpdateInstaller)

public:
    struct Hooks
    {
        // Starts the image again once this process has ended, then quits this process.
        std::function<void(const QString& appImagePath)> relaunch;
        // Shows the file in the file manager.
        std::function<void(const QString& path)> reveal;
    };

    // The error when the file at the path is not the verified release (any more).
    using Check = std::function<std::optional<UpdateError>(const QString& path)>;

    // appImagePath: the AppImage we run from (RunningImage), empty when not running from one.
    UpdateInstaller(QString appImagePath, QString downloadsFolder, Hooks hooks);

    bool replacesItself() const { return !m_appImagePath.isEmpty(); }

    // Removes the temporary files an interrupted replacement left beside the AppImage.
    void removeLeftovers() const;

    // The AppImage case: replaces the image and relaunches. Returns the error that stopped it.
    std::optional<UpdateError> replaceAppImage(const QString& verifiedFile, const Check& check);
    // Otherwise: the path the download now has in the downloads folder, after revealing it,
    // or the error.
    std::optional<UpdateError> revealDownload(const QString& verifiedFile, const Check& check,
                                              QString& placedAt);

    // Relaunch through /bin/sh once this process has exited; reveal through the file manager,
    // which must outlive the hooks.
    static Hooks systemHooks(FileManagerReveal& fileManager);

private:
    QString replacementPattern() const;

    QString m_appImagePath;
    QString m_downloadsFolder;
    Hooks m_hooks;
};
