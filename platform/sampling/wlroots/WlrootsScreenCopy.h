#pragma once

#include <QImage>

#include <chrono>
#include <optional>
#include <vector>

class WlrootsDisplay;
struct wl_output;

// Freezes the outputs: one frame of each, copied by the compositor into shared memory
// (zwlr_screencopy_manager_v1, without the pointer) and turned upright (WlrootsFrame).
namespace WlrootsScreenCopy {

struct Shot
{
    wl_output* output;
    QImage image; // device pixels, as the output shows them
};

// Every output's frame, all asked for at once; none when a copy fails, is refused or does not
// come within `timeout`.
std::optional<std::vector<Shot>> captureAll(WlrootsDisplay& display,
                                            std::chrono::milliseconds timeout);

} // namespace WlrootsScreenCopy
