#pragma once

#include <QString>

// The image this process runs from: the AppImage file when it runs from one, else the
// executable. Worked out here only; the update installer and its clean-up, the autostart
// entry, the relocation check and "--pick" starting a copy all ask it.
//
// The AppImage runtime sets $APPIMAGE to the image and $APPDIR to the folder it mounted the
// image on, and every program started from there inherits both, ours too when another
// AppImage starts us. So $APPIMAGE is believed only when it names a regular file (by an
// absolute path) and our own executable lies inside $APPDIR.
struct RunningImage
{
    QString path;            // absolute
    bool isAppImage = false; // path is the AppImage file, not the executable

    // The decision for these values of $APPIMAGE and $APPDIR and this executable. *ignored,
    // when given, says why a set $APPIMAGE was not believed (empty otherwise).
    static RunningImage decide(const QString& appImage, const QString& appDir,
                               const QString& executable, QString* ignored = nullptr);
    // This process's, from its environment and executable (a QCoreApplication must exist).
    // An $APPIMAGE that is not ours is logged once (again only when its value changes).
    static RunningImage current();

    friend bool operator==(const RunningImage&, const RunningImage&) = default;
};
