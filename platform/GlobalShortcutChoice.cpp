#include "GlobalShortcutChoice.h"

#include "X11GlobalShortcut.h"

std::unique_ptr<GlobalShortcut> makeGlobalShortcut(const DesktopSession& session)
{
    if (session.isX11Client() && !session.isXwayland())
        return std::make_unique<X11GlobalShortcut>();
    return std::make_unique<UnsupportedGlobalShortcut>();
}
