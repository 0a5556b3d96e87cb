#include "platform/clipboard/ClipboardChoice.h"

#include "platform/clipboard/QtClipboard.h"
#include "platform/clipboard/WaylandClipboard.h"

ClipboardKind chooseClipboardKind(const DesktopSession& session)
{
    return session.isWaylandClient() ? ClipboardKind::focusAware : ClipboardKind::plain;
}

std::unique_ptr<Clipboard> makeClipboard(const DesktopSession& session,
                                         std::function<void()> bringForward)
{
    if (chooseClipboardKind(session) == ClipboardKind::focusAware)
        return std::make_unique<WaylandClipboard>(std::move(bringForward));
    return std::make_unique<QtClipboard>();
}
