#pragma once

#include "DesktopSession.h"
#include "ScreenSampler.h"

#include <memory>

// Which sampler fits the session the application runs in.
enum class SamplerKind
{
    portal,
    x11Overlay,
    unavailable
};

// Portal in a Wayland session (also for an X11 client there: XWayland sees no other
// client's pixels), the overlay on a plain X11 session, none elsewhere (for instance the
// offscreen platform).
SamplerKind chooseSamplerKind(const DesktopSession& session);

// The sampler for the session. Needs a QApplication for the overlay.
std::unique_ptr<ScreenSampler> makeScreenSampler(const DesktopSession& session);
