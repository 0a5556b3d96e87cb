// Asks an X11 window to close the way a window manager does: a WM_DELETE_WINDOW client
// message. Usage: x11-close-window WINDOW-ID (decimal or 0x hexadecimal).
#include "XcbAtom.h"

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: x11-close-window WINDOW-ID\n", stderr);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fputs("x11-close-window: no X display\n", stderr);
        return 1;
    }
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    event.type = internAtom(connection, "WM_PROTOCOLS");
    event.data.data32[0] = internAtom(connection, "WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    // Checked, so this waits until the server has handled the request. A client that only
    // flushes and disconnects may be torn down before the server reads the request, and the
    // message is then silently lost.
    xcb_generic_error_t* error = xcb_request_check(
        connection, xcb_send_event_checked(connection, 0, event.window, XCB_EVENT_MASK_NO_EVENT,
                                           reinterpret_cast<const char*>(&event)));
    const int status = error ? 1 : 0;
    if (error)
        std::fprintf(stderr, "x11-close-window: X error %d for window %s\n", error->error_code,
                     argv[1]);
    std::free(error);
    xcb_disconnect(connection);
    return status;
}
