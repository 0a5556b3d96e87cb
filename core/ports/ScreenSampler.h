#pragma once

#include <functional>
#include <optional>
#include <string>

// A colour as the screen sampler reports it: sRGB red, green and blue in 0...1.
struct SrgbComponents
{
    double red = 0;
    double green = 0;
    double blue = 0;
};

// Shows a screen-colour sampler that the user dismisses or clicks a pixel in.
class ScreenSampler
{
public:
    // Called exactly once per showSampler(), on any thread: the picked colour, or none when
    // the user dismissed the sampler or no colour could be read.
    using SelectionHandler = std::function<void(std::optional<SrgbComponents>)>;

    virtual ~ScreenSampler() = default;

    virtual void showSampler(SelectionHandler handler) = 0;

    // A pick follows at once (a launch that begins with one): what its first showing would
    // load is begun now, beside the caller, where the sampler can.
    virtual void prepareForPick() {}

    // After a pick ended without a colour: what kept it from running, in plain words for the
    // user (what is missing on this system); empty when the user ended it. Read on the
    // thread that called showSampler(), after the handler ran.
    virtual std::string unavailableReason() const { return {}; }
};
