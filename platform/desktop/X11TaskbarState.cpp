#include "platform/desktop/X11TaskbarState.h"

#include <QGuiApplication>
#include <QWindow>
#include <qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace X11TaskbarState {
namespace {

struct FreeDeleter
{
    void operator()(void* pointer) const { std::free(pointer); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_connection_t* connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const auto cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name);
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::vector<xcb_atom_t> stateAtoms(xcb_connection_t* c, xcb_window_t window, xcb_atom_t state)
{
    const auto cookie = xcb_get_property(c, 0, window, state, XCB_ATOM_ATOM, 0, 1024);
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, nullptr));
    if (!reply || reply->format != 32 || reply->type != XCB_ATOM_ATOM)
        return {};
    const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    return {data, data + xcb_get_property_value_length(reply.get()) / sizeof(xcb_atom_t)};
}

void writeUnmapped(xcb_connection_t* c, xcb_window_t window, xcb_atom_t state,
                   const xcb_atom_t (&ours)[2], bool skip)
{
    std::vector<xcb_atom_t> atoms = stateAtoms(c, window, state);
    std::erase_if(atoms, [&](xcb_atom_t a) { return a == ours[0] || a == ours[1]; });
    if (skip)
        atoms.insert(atoms.end(), std::begin(ours), std::end(ours));
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, state, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(atoms.size()), atoms.data());
}

void requestMapped(xcb_connection_t* c, xcb_window_t window, xcb_atom_t state,
                   const xcb_atom_t (&ours)[2], bool skip)
{
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = state;
    event.data.data32[0] = skip ? 1 : 0; // _NET_WM_STATE_ADD / _NET_WM_STATE_REMOVE
    event.data.data32[1] = ours[0];
    event.data.data32[2] = ours[1];
    event.data.data32[3] = 1; // source: a normal application
    xcb_send_event(c, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
}

} // namespace

void setSkipTaskbar(QWindow& window, bool skip, bool mapped)
{
    xcb_connection_t* c = connection();
    if (!c || !window.handle())
        return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t state = atom(c, "_NET_WM_STATE");
    const xcb_atom_t ours[2] = {atom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                atom(c, "_NET_WM_STATE_SKIP_PAGER")};
    // The property is the window manager's once the window is mapped.
    if (mapped)
        requestMapped(c, id, state, ours, skip);
    else
        writeUnmapped(c, id, state, ours, skip);
    xcb_flush(c);
}

bool skipsTaskbar(QWindow& window)
{
    xcb_connection_t* c = connection();
    if (!c || !window.handle())
        return false;
    const auto atoms =
        stateAtoms(c, static_cast<xcb_window_t>(window.winId()), atom(c, "_NET_WM_STATE"));
    const xcb_atom_t skip = atom(c, "_NET_WM_STATE_SKIP_TASKBAR");
    return std::find(atoms.begin(), atoms.end(), skip) != atoms.end();
}

} // namespace X11TaskbarState
