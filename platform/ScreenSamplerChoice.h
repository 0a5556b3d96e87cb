#pragma once

#include "Clipboard.h"
#include "ScreenSampler.h"

#include <QString>

#include <functional>
#include <memory>

// Which sampler and clipboard fit the session the application runs in.
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

// The clipboard for this process: for a Wayland client one that brings a window of the
// application forward before copying (`bringForward`; a small window of its own when
// empty), elsewhere the plain Qt clipboard.
std::unique_ptr<Clipboard> makeClipboard(std::function<void()> bringForward = {});
