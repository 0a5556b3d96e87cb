// A minimal X11 clipboard manager for tests: owns CLIPBOARD_MANAGER and, when a quitting
// application asks it to SAVE_TARGETS, copies that application's CLIPBOARD as UTF-8 text,
// prints "saved TEXT" and confirms, then exits 0. Prints "ready" once it owns the selection.
// Usage: x11-clipboard-manager (exits 1 when it cannot own the selection).
#include "XcbAtom.h"

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

xcb_connection_t* connection = nullptr;

xcb_atom_t atom(const char* name)
{
    return internAtom(connection, name);
}

void answer(const xcb_selection_request_event_t& request, xcb_atom_t property)
{
    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = request.target;
    notify.property = property;
    xcb_send_event(connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
    xcb_flush(connection);
}

// Converts CLIPBOARD to UTF-8 text on our window; empty when the owner refuses.
std::string fetchClipboard(xcb_window_t window, xcb_timestamp_t time)
{
    const xcb_atom_t saved = atom("MORVANE_SAVED");
    xcb_convert_selection(connection, window, atom("CLIPBOARD"), atom("UTF8_STRING"), saved, time);
    xcb_flush(connection);
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const bool done = (event->response_type & ~0x80) == XCB_SELECTION_NOTIFY;
        const bool refused =
            done &&
            reinterpret_cast<xcb_selection_notify_event_t*>(event)->property == XCB_ATOM_NONE;
        std::free(event);
        if (refused)
            return {};
        if (done)
            break;
    }
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 1, window, saved, XCB_ATOM_ANY, 0, 1024), nullptr);
    std::string text;
    if (reply)
        text.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                    static_cast<size_t>(xcb_get_property_value_length(reply)));
    std::free(reply);
    return text;
}

} // namespace

int main()
{
    connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fputs("x11-clipboard-manager: no X display\n", stderr);
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_window_t window = xcb_generate_id(connection);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, XCB_CW_EVENT_MASK, &events);
    const xcb_atom_t manager = atom("CLIPBOARD_MANAGER");
    const xcb_atom_t saveTargets = atom("SAVE_TARGETS");
    xcb_set_selection_owner(connection, window, manager, XCB_CURRENT_TIME);
    xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, manager), nullptr);
    const bool owning = owner && owner->owner == window;
    std::free(owner);
    if (!owning) {
        std::fputs("x11-clipboard-manager: CLIPBOARD_MANAGER is taken\n", stderr);
        return 1;
    }
    std::puts("ready");
    std::fflush(stdout);

    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        if ((event->response_type & ~0x80) != XCB_SELECTION_REQUEST) {
            std::free(event);
            continue;
        }
        const auto request = *reinterpret_cast<xcb_selection_request_event_t*>(event);
        std::free(event);
        if (request.selection != manager || request.target != saveTargets) {
            answer(request, XCB_ATOM_NONE);
            continue;
        }
        const std::string text = fetchClipboard(window, request.time);
        std::printf("saved %s\n", text.c_str());
        std::fflush(stdout);
        answer(request, request.property);
        // Until the server has the answer: see x11-close-window.
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
        xcb_disconnect(connection);
        return 0;
    }
    return 1;
}
