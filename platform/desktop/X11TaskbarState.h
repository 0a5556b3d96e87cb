#pragma once

class QWindow;

// The EWMH taskbar and pager states of one top-level window on X11: written as a property
// before the window is mapped, asked of the window manager with a client message after. Does
// nothing on other platforms.
namespace X11TaskbarState {

// mapped: whether the window is on screen now (a window being created is not).
void setSkipTaskbar(QWindow& window, bool skip, bool mapped);
// Whether the window's _NET_WM_STATE property lists "skip taskbar" (false off X11).
bool skipsTaskbar(QWindow& window);

} // namespace X11TaskbarState
