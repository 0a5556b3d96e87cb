#include "platform/sampling/ScreenSamplerChoice.h"

#include "core/Log.h"
#include "platform/sampling/UnavailableScreenSampler.h"
#include "platform/sampling/portal/PortalScreenSampler.h"
#include "platform/sampling/wlroots/WlrootsDisplay.h"
#include "platform/sampling/wlroots/WlrootsScreenSampler.h"
#include "platform/sampling/x11/X11OverlayScreenSampler.h"

SamplerKind chooseSamplerKind(const DesktopSession& session, const CompositorOffers& offers)
{
    if (session.isWaylandSession())
        return offers.layerShell && offers.screenCopy ? SamplerKind::wlrootsOverlay
                                                      : SamplerKind::portal;
    if (session.isX11Client())
        return SamplerKind::x11Overlay;
    return SamplerKind::unavailable;
}

std::unique_ptr<ScreenSampler> makeScreenSampler(const DesktopSession& session)
{
    const Log log("sampler");
    std::unique_ptr<WlrootsDisplay> display;
    CompositorOffers offers;
    if (session.isWaylandSession()) {
        display = WlrootsDisplay::connect();
        if (display)
            offers = {display->offersLayerShell(), display->offersScreenCopy()};
    }
    switch (chooseSamplerKind(session, offers)) {
    case SamplerKind::wlrootsOverlay:
        log.info("picking with the overlay: the Wayland compositor offers layer-shell and "
                 "screen copy");
        return std::make_unique<WlrootsScreenSampler>(std::move(display));
    case SamplerKind::portal: {
        log.info(!display             ? "picking through the desktop portal: no Wayland "
                                        "compositor answered"
                 : !offers.layerShell ? "picking through the desktop portal: the Wayland "
                                        "compositor offers no layer-shell"
                                      : "picking through the desktop portal: the Wayland "
                                        "compositor offers no screen copy");
        auto sampler = std::make_unique<PortalScreenSampler>(
            QDBusConnection::sessionBus(), PortalScreenSampler::parentWindowFor(session));
        sampler->setSession(session);
        return sampler;
    }
    case SamplerKind::x11Overlay:
        return std::make_unique<X11OverlayScreenSampler>();
    case SamplerKind::unavailable:
        break;
    }
    log.warning("screen colour picking is unavailable on this display platform");
    return std::make_unique<UnavailableScreenSampler>();
}
