#include "ClipboardChoice.h"

#include "QtClipboard.h"
#include "WaylandClipboard.h"

#include <QGuiApplication>

std::unique_ptr<Clipboard> makeClipboard(std::function<void()> bringForward)
{
    // The focus rule binds Wayland clients; an X11 client keeps the plain clipboard.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return std::make_unique<WaylandClipboard>(std::move(bringForward));
    return std::make_unique<QtClipboard>();
}
