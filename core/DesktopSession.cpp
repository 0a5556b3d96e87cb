#include "DesktopSession.h"

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
