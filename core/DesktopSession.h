#pragma once

#include <QProcessEnvironment>
#include <QString>

#include <string>

// Why the desktop portal could not pick a colour, as it answered.
enum class PortalPickFailure
{
    noBus,         // no session bus to reach it
    noPortal,      // nothing owns the portal's name
    noScreenshot,  // a portal without the screenshot interface
    oldScreenshot, // a screenshot interface older than version 2
    pickRefused,   // PickColor answered with an error
    pickFailed,    // PickColor ended with response 2, or without a colour
    portalLeft     // the portal left the bus during the pick
};

// Desktops whose words differ when picking cannot work.
enum class DesktopFamily
{
    other,
    gnome,
    kde,
    wlroots, // Sway, river, Wayfire, labwc, dwl: the wlroots portal back-end picks
    cosmic,  // its portal answers PickColor with an error
    lxqt     // its portal has no screenshot back-end
};

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

    // From $XDG_CURRENT_DESKTOP (a colon-separated list; the first known name counts).
    DesktopFamily family() const;
    // The desktop as the user knows it ("Sway", "COSMIC"); empty when unnamed.
    QString desktopName() const;
    // What kept a portal pick from running, for the user: this desktop's name and what fixes
    // it. `version`: the screenshot interface's, for oldScreenshot.
    std::string pickUnavailableReason(PortalPickFailure failure, unsigned version = 0) const;

    friend bool operator==(const DesktopSession&, const DesktopSession&) = default;
};
