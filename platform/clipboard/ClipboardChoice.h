#pragma once

#include "core/DesktopSession.h"
#include "core/ports/Clipboard.h"

#include <functional>
#include <memory>

enum class ClipboardKind
{
    plain,     // QClipboard as it is
    focusAware // a Wayland client's: copies only with a window of its own focused
};

// The focus rule binds Wayland clients; an X11 client (Xwayland too) keeps the plain one.
ClipboardKind chooseClipboardKind(const DesktopSession& session);

// The clipboard for the session. The focus-aware one calls `bringForward` to get a window of
// the application focused before a copy (a small window of its own when empty).
std::unique_ptr<Clipboard> makeClipboard(const DesktopSession& session,
                                         std::function<void()> bringForward = {});
