#include "platform/sampling/x11/X11Pointer.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>

namespace X11Pointer {

namespace {

xcb_connection_t* connection()
{
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

} // namespace

bool available()
{
    return connection() != nullptr;
}

std::optional<QPoint> positionIn(const QWindow* window)
{
    xcb_connection_t* x = connection();
    if (!x || !window || !window->handle())
        return std::nullopt;
    const auto cookie = xcb_query_pointer(x, xcb_window_t(window->winId()));
    xcb_query_pointer_reply_t* reply = xcb_query_pointer_reply(x, cookie, nullptr);
    if (!reply)
        return std::nullopt;
    std::optional<QPoint> position;
    if (reply->same_screen)
        position = QPoint(reply->win_x, reply->win_y);
    std::free(reply);
    return position;
}

bool warpTo(const QWindow* window, QPoint devicePixel)
{
    xcb_connection_t* x = connection();
    if (!x || !window || !window->handle())
        return false;
    xcb_warp_pointer(x, XCB_NONE, xcb_window_t(window->winId()), 0, 0, 0, 0,
                     int16_t(devicePixel.x()), int16_t(devicePixel.y()));
    xcb_flush(x);
    return true;
}

} // namespace X11Pointer
