#pragma once

#include <QProcessEnvironment>
#include <QString>

// The desktop session this process runs in, decided once at start-up and handed to whoever
// adapts to it: Qt's platform plugin, the login session's type, whether a Wayland compositor
// runs (so an X11 client is an Xwayland client) and the desktop's name.
struct DesktopSession
{
    QString platformName;        // QGuiApplication::platformName(): "xcb", "wayland", ...
    QString sessionType;         // $XDG_SESSION_TYPE
    bool waylandDisplay = false; // $WAYLAND_DISPLAY is set
    QString desktop;             // $XDG_CURRENT_DESKTOP, e.g. "ubuntu:GNOME"

    static DesktopSession from(const QString& platformName, const QProcessEnvironment& environment);

    // The process talks Wayland itself.
    bool isWaylandClient() const;
    // The process talks X11 (on an X server or through Xwayland).
    bool isX11Client() const;
    // A Wayland session by any sign: the platform, the session type or a compositor's socket.
    bool isWaylandSession() const;
    // An X11 client inside a Wayland session: it sees no other client's pixels.
    bool isXwayland() const;

    friend bool operator==(const DesktopSession&, const DesktopSession&) = default;
};
