#pragma once

#include "ScreenSampler.h"

#include <QString>

#include <memory>

// Which sampler fits the session the application runs in.
enum class SamplerKind
{
    Portal,
    Overlay,
    Unavailable
};

// Portal in a Wayland session (also for an X11 client there: XWayland sees no other
// client's pixels), the overlay on a plain X11 session, none elsewhere (for instance the
// offscreen platform).
SamplerKind chooseSamplerKind(const QString& platformName, const QString& sessionType,
                              bool waylandDisplaySet);

// The sampler for this process's session. Needs a QApplication for the overlay.
std::unique_ptr<ScreenSampler> makeScreenSampler();
