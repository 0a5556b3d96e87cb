#pragma once

#include "Clipboard.h"

#include <functional>
#include <memory>

// The clipboard for this process: for a Wayland client one that brings a window of the
// application forward before copying (`bringForward`; a small window of its own when
// empty), elsewhere the plain Qt clipboard.
std::unique_ptr<Clipboard> makeClipboard(std::function<void()> bringForward = {});
