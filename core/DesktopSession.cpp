#include "core/DesktopSession.h"

#include <QCoreApplication>

DesktopSession DesktopSession::from(const QString& platformName,
                                    const QProcessEnvironment& environment)
{
    return {platformName, environment.value(QStringLiteral("XDG_SESSION_TYPE")),
            environment.contains(QStringLiteral("WAYLAND_DISPLAY")),
            environment.value(QStringLiteral("XDG_CURRENT_DESKTOP"))};
}

bool DesktopSession::isWaylandClient() const
{
    return platformName.startsWith(QLatin1String("wayland"));
}

bool DesktopSession::isX11Client() const
{
    return platformName == QLatin1String("xcb");
}

bool DesktopSession::isWaylandSession() const
{
    return isWaylandClient() ||
           sessionType.compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0 ||
           waylandDisplay;
}

bool DesktopSession::isXwayland() const
{
    return isX11Client() && isWaylandSession();
}

namespace {

struct KnownDesktop
{
    const char* name; // as $XDG_CURRENT_DESKTOP writes it, compared without case
    DesktopFamily family;
    const char* shown;
};

constexpr KnownDesktop knownDesktops[] = {
    {"GNOME", DesktopFamily::gnome, "GNOME"},
    {"KDE", DesktopFamily::kde, "KDE Plasma"},
    {"sway", DesktopFamily::wlroots, "Sway"},
    {"river", DesktopFamily::wlroots, "river"},
    {"Wayfire", DesktopFamily::wlroots, "Wayfire"},
    {"labwc", DesktopFamily::wlroots, "labwc"},
    {"dwl", DesktopFamily::wlroots, "dwl"},
    {"wlroots", DesktopFamily::wlroots, "this wlroots desktop"},
    {"COSMIC", DesktopFamily::cosmic, "COSMIC"},
    {"LXQt", DesktopFamily::lxqt, "LXQt"},
};

const KnownDesktop* knownDesktop(const QString& desktops)
{
    for (const QString& name : desktops.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        for (const KnownDesktop& known : knownDesktops) {
            if (name.compare(QLatin1String(known.name), Qt::CaseInsensitive) == 0)
                return &known;
        }
    }
    return nullptr;
}

// The reasons are shown to the user, so they are translated here, where they are worded.
std::string translated(const char* text, const QString& argument = {})
{
    QString reason = QCoreApplication::translate("DesktopSession", text);
    if (!argument.isNull())
        reason = reason.arg(argument);
    return reason.toStdString();
}

std::string generalReason(PortalPickFailure failure, unsigned version)
{
    switch (failure) {
    case PortalPickFailure::noBus:
        return translated(QT_TRANSLATE_NOOP(
            "DesktopSession",
            "Screen picking needs the desktop portal (xdg-desktop-portal), and no "
            "session bus (D-Bus) is running to reach it."));
    case PortalPickFailure::noPortal:
        return translated(QT_TRANSLATE_NOOP(
            "DesktopSession", "Screen picking needs the desktop portal (xdg-desktop-portal) with a "
                              "screenshot back-end."));
    case PortalPickFailure::noScreenshot:
        return translated(QT_TRANSLATE_NOOP(
            "DesktopSession",
            "Screen picking needs a screenshot back-end for the desktop portal that "
            "can pick colours (for instance xdg-desktop-portal-gnome, -kde or -wlr); "
            "the portal here has none."));
    case PortalPickFailure::oldScreenshot:
        return translated(
            QT_TRANSLATE_NOOP("DesktopSession",
                              "Screen picking needs a newer desktop portal: its screenshot "
                              "interface is version %1, and picking colours needs version 2."),
            QString::number(version));
    case PortalPickFailure::pickRefused:
    case PortalPickFailure::pickFailed:
        return translated(QT_TRANSLATE_NOOP(
            "DesktopSession", "The desktop portal could not pick a colour: its screenshot back-end "
                              "failed or is missing."));
    case PortalPickFailure::portalLeft:
        return translated(
            QT_TRANSLATE_NOOP("DesktopSession", "The desktop portal stopped during the pick."));
    }
    return {};
}

} // namespace

DesktopFamily DesktopSession::family() const
{
    const KnownDesktop* known = knownDesktop(desktop);
    return known ? known->family : DesktopFamily::other;
}

QString DesktopSession::desktopName() const
{
    const KnownDesktop* known = knownDesktop(desktop);
    return known ? QString::fromLatin1(known->shown) : QString();
}

std::string DesktopSession::pickUnavailableReason(PortalPickFailure failure, unsigned version) const
{
    // Only the portal's own inability has desktop-specific words; a missing bus or a portal
    // that stopped mid-pick reads the same everywhere.
    const bool portalCannotPick =
        failure != PortalPickFailure::noBus && failure != PortalPickFailure::portalLeft;
    const QString name = desktopName();
    if (portalCannotPick) {
        switch (family()) {
        case DesktopFamily::wlroots:
            return translated(
                QT_TRANSLATE_NOOP(
                    "DesktopSession",
                    "Screen picking on %1 needs the desktop portal's wlroots back-end: "
                    "install xdg-desktop-portal-wlr with grim and slurp, then log in "
                    "again."),
                name);
        case DesktopFamily::cosmic:
        case DesktopFamily::lxqt:
            return translated(
                QT_TRANSLATE_NOOP(
                    "DesktopSession",
                    "%1's desktop portal cannot pick colours yet. In an X11 session "
                    "(chosen at the login screen) the picker reads the screen itself."),
                name);
        case DesktopFamily::gnome:
            if (failure == PortalPickFailure::noPortal ||
                failure == PortalPickFailure::noScreenshot)
                return translated(QT_TRANSLATE_NOOP(
                    "DesktopSession",
                    "Screen picking on GNOME needs the desktop portal: install "
                    "xdg-desktop-portal and xdg-desktop-portal-gnome, then log in "
                    "again."));
            break;
        case DesktopFamily::kde:
            if (failure == PortalPickFailure::noPortal ||
                failure == PortalPickFailure::noScreenshot)
                return translated(QT_TRANSLATE_NOOP(
                    "DesktopSession",
                    "Screen picking on KDE Plasma needs the desktop portal: install "
                    "xdg-desktop-portal and xdg-desktop-portal-kde, then log in "
                    "again."));
            break;
        case DesktopFamily::other:
            break;
        }
    }
    return generalReason(failure, version);
}
