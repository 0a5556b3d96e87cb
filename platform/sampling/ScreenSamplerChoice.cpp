#include "ScreenSamplerChoice.h"

#include "Log.h"
#include "OverlayScreenSampler.h"
#include "PortalScreenSampler.h"
#include "UnavailableScreenSampler.h"

#include <QGuiApplication>

namespace {

bool isWaylandSession(const QString& platformName, const QString& sessionType,
                      bool waylandDisplaySet)
{
    return platformName.startsWith(QLatin1String("wayland")) ||
           sessionType.compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0 ||
           waylandDisplaySet;
}

} // namespace

SamplerKind chooseSamplerKind(const QString& platformName, const QString& sessionType,
                              bool waylandDisplaySet)
{
    if (isWaylandSession(platformName, sessionType, waylandDisplaySet))
        return SamplerKind::Portal;
    if (platformName == QLatin1String("xcb"))
        return SamplerKind::Overlay;
    return SamplerKind::Unavailable;
}

std::unique_ptr<ScreenSampler> makeScreenSampler()
{
    switch (chooseSamplerKind(QGuiApplication::platformName(),
                              qEnvironmentVariable("XDG_SESSION_TYPE"),
                              qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))) {
    case SamplerKind::Portal:
        return std::make_unique<PortalScreenSampler>();
    case SamplerKind::Overlay:
        return std::make_unique<OverlayScreenSampler>();
    case SamplerKind::Unavailable:
        break;
    }
    Log("sampler").warning("screen colour picking is unavailable on this display platform");
    return std::make_unique<UnavailableScreenSampler>();
}
