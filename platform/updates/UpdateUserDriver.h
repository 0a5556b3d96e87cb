#pragma once

#include "core/ports/UpdateFramework.h"

#include <QString>
#include <QUrl>

#include <functional>

// A verified update, ready to install.
struct UpdateOffer
{
    QString displayVersion;
    QString version;
    QString currentVersion;
    QString releaseNotes;   // the feed item's inline notes (may hold HTML); may be empty
    QUrl releaseNotesLink;  // may be empty
    QString downloadedFile; // the verified download
};

enum class UpdateChoice
{
    install,
    later,
    skip
};

// The update framework's windows. Text from the feed is shown as plain text. The offer waits
// for the user's choice, which arrives through the reply; an informational window calls
// closed when the user dismissed it. Each reply or closed runs at most once, and never after
// the driver is destroyed.
class UpdateUserDriver
{
public:
    using Closed = std::function<void()>;

    virtual ~UpdateUserDriver() = default;

    virtual void showUpToDate(const QString& currentVersion, Closed closed) = 0;
    virtual void showUpdateAvailable(const UpdateOffer& offer,
                                     std::function<void(UpdateChoice)> reply) = 0;
    virtual void showError(const UpdateError& error, Closed closed) = 0;
    // The verified download waits in a folder the file manager now shows; the user replaces
    // the installed copy with it.
    virtual void showDownloadReady(const QString& displayVersion, const QString& path,
                                   Closed closed) = 0;
    // Brings the window of the running cycle to the front, if any.
    virtual void raiseWindows() = 0;
};
