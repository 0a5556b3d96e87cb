#pragma once

#include <QPoint>

#include <optional>

class QWindow;

// The pointer in a window's native (device) pixels, straight from the X server. Qt hands
// widgets pointer positions in logical pixels rounded to whole numbers, which on a scaled
// screen cannot name every device pixel; the X server can.
namespace X11Pointer {

// Whether the application talks to an X server.
bool available();

// The pointer's position relative to the window's top-left corner, in device pixels. None
// when not running on X11, or when the pointer is on another X screen.
std::optional<QPoint> positionIn(const QWindow* window);

// Moves the pointer to a device pixel of the window. False when not running on X11.
bool warpTo(const QWindow* window, QPoint devicePixel);

} // namespace X11Pointer
