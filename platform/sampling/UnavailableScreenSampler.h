#pragma once

#include "core/ports/ScreenSampler.h"

// The sampler where no real one can run: every pick ends at once as a cancel.
class UnavailableScreenSampler : public ScreenSampler
{
public:
    void showSampler(SelectionHandler handler) override { handler(std::nullopt); }
    std::string unavailableReason() const override
    {
        return "Screen picking works in an X11 or Wayland desktop session; this display has "
               "neither.";
    }
};
