#include "ScreenSamplerChoice.h"

#include "Log.h"
#include "PortalScreenSampler.h"
#include "UnavailableScreenSampler.h"
#include "X11OverlayScreenSampler.h"

SamplerKind chooseSamplerKind(const DesktopSession& session)
{
    if (session.isWaylandSession())
        return SamplerKind::portal;
    if (session.isX11Client())
        return SamplerKind::x11Overlay;
    return SamplerKind::unavailable;
}

std::unique_ptr<ScreenSampler> makeScreenSampler(const DesktopSession& session)
{
    switch (chooseSamplerKind(session)) {
    case SamplerKind::portal:
        return std::make_unique<PortalScreenSampler>(QDBusConnection::sessionBus(),
                                                     PortalScreenSampler::parentWindowFor(session));
    case SamplerKind::x11Overlay:
        return std::make_unique<X11OverlayScreenSampler>();
    case SamplerKind::unavailable:
        break;
    }
    Log("sampler").warning("screen colour picking is unavailable on this display platform");
    return std::make_unique<UnavailableScreenSampler>();
}
