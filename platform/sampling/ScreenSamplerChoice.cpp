#include "ScreenSamplerChoice.h"

#include "Log.h"
#include "OverlayScreenSampler.h"
#include "PortalScreenSampler.h"
#include "UnavailableScreenSampler.h"

SamplerKind chooseSamplerKind(const DesktopSession& session)
{
    if (session.isWaylandSession())
        return SamplerKind::portal;
    if (session.isX11Client())
        return SamplerKind::overlay;
    return SamplerKind::unavailable;
}

std::unique_ptr<ScreenSampler> makeScreenSampler(const DesktopSession& session)
{
    switch (chooseSamplerKind(session)) {
    case SamplerKind::portal: {
        auto sampler = std::make_unique<PortalScreenSampler>(
            QDBusConnection::sessionBus(), PortalScreenSampler::parentWindowFor(session));
        sampler->setSession(session);
        return sampler;
    }
    case SamplerKind::overlay:
        return std::make_unique<OverlayScreenSampler>();
    case SamplerKind::unavailable:
        break;
    }
    Log("sampler").warning("screen colour picking is unavailable on this display platform");
    return std::make_unique<UnavailableScreenSampler>();
}
