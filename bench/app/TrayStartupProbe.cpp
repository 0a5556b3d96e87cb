// Starts a program and reports how long it took until its tray icon was embedded: the moment
// the tray host reparents a window that carries the program's _NET_WM_PID out of the root.
// Usage: tray-startup-probe TIMEOUT-SECONDS PROGRAM [ARGUMENT...]
// Prints "PID MILLISECONDS" on standard output and leaves the program running.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>

extern char** environ;

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const auto cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

long windowPid(xcb_connection_t* c, xcb_window_t window, xcb_atom_t pidAtom)
{
    const auto cookie = xcb_get_property(c, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
    long pid = -1;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 4)
        pid = *static_cast<const uint32_t*>(xcb_get_property_value(reply));
    std::free(reply);
    return pid;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fputs("usage: tray-startup-probe TIMEOUT-SECONDS PROGRAM [ARGUMENT...]\n", stderr);
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fputs("tray-startup-probe: no X display\n", stderr);
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t pidAtom = atom(c, "_NET_WM_PID");
    xcb_flush(c);

    const auto started = std::chrono::steady_clock::now();
    // The program's output goes nowhere: it outlives this probe, and a caller reading this
    // probe's output must not wait for the program to close it.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    if (posix_spawn(&child, argv[2], &actions, nullptr, argv + 2, environ) != 0) {
        std::perror("tray-startup-probe: spawn");
        return 1;
    }
    const auto deadline = started + std::chrono::seconds(std::atoi(argv[1]));

    pollfd descriptor{xcb_get_file_descriptor(c), POLLIN, 0};
    while (std::chrono::steady_clock::now() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            const bool reparented = (event->response_type & 0x7f) == XCB_REPARENT_NOTIFY;
            const auto* notify = reinterpret_cast<xcb_reparent_notify_event_t*>(event);
            const bool embedded = reparented && notify->parent != root &&
                                  windowPid(c, notify->window, pidAtom) == child;
            std::free(event);
            if (embedded) {
                const auto elapsed = std::chrono::duration<double, std::milli>(
                    std::chrono::steady_clock::now() - started);
                std::printf("%d %.1f\n", static_cast<int>(child), elapsed.count());
                return 0;
            }
        }
        if (xcb_connection_has_error(c))
            break;
        poll(&descriptor, 1, 50);
    }
    std::printf("%d timeout\n", static_cast<int>(child));
    return 1;
}
