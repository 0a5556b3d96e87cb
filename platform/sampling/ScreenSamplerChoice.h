#pragma once

#include "core/DesktopSession.h"
#include "core/ports/ScreenSampler.h"

#include <memory>

// Which sampler fits the session the application runs in.
enum class SamplerKind
{
    portal,
    x11Overlay,
    wlrootsOverlay,
    unavailable
};

// What the Wayland compositor offers for picking without the portal: a layer shell to put
// surfaces above everything (zwlr_layer_shell_v1, with the viewporter and a seat) and a screen
// copy (zwlr_screencopy_manager_v1, into shared memory). Nothing when it was not asked.
struct CompositorOffers
{
    bool layerShell = false;
    bool screenCopy = false;
};

// In a Wayland session: the wlroots overlay where the compositor offers both a layer shell and
// a screen copy (also for an X11 client there: the overlay talks to the compositor itself),
// otherwise the portal (an X11 client under XWayland sees no other client's pixels). The X11
// overlay on a plain X11 session; none elsewhere (for instance the offscreen platform).
SamplerKind chooseSamplerKind(const DesktopSession& session, const CompositorOffers& offers = {});

// The sampler for the session, asking a Wayland session's compositor what it offers; the
// choice is logged. Needs a QApplication for the overlays.
std::unique_ptr<ScreenSampler> makeScreenSampler(const DesktopSession& session);
