// The outside view of a pick in the running application, for run-pick-bench.sh. A separate
// X client clicks as a person would and watches the screen and the clipboard:
//
//   pick-latency-probe panel PID ICON-WINDOW
//     Opens the panel of the copy PID with a click on its tray icon (unless it shows), then
//     clicks "Pick a color" and times, from that click, the overlay mapped over the screen
//     and the loupe on screen; then clicks the pixel under the pointer and times, from that
//     click, the clipboard owned by a new owner and its text readable as the pixel's hex.
//     Prints "MAP LOUPE OWNED READABLE" in milliseconds (-1 for what never came), and waits
//     for the panel that returns after a pick.
//   pick-latency-probe close PID
//     Closes the copy's panel with a click elsewhere, if it shows.
//   pick-latency-probe command PROGRAM [ARGUMENT...]
//     Runs PROGRAM (morvane-color-picker --pick) with the pointer on the desktop and times,
//     from its exec, the overlay mapped and the loupe on screen; then clicks and checks that
//     the program prints the pixel's hex and exits 0. Prints "MAP LOUPE OVERLAY-PID".
#include "XProbe.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>

extern char** environ;

namespace {

using Clock = XProbe::Clock;
using namespace std::chrono_literals;

// The loupe as the application draws it (MagnifierLoupe): 15 cells of 10 pixels square and
// a 22-pixel label beneath, 24 pixels right of and below the pointer, flipped at the edges.
// Its label and border are painted in a grey the test desktop never shows.
constexpr int loupeWidth = 150;
constexpr int loupeHeight = 150 + 22;
constexpr int loupeGap = 24;
constexpr std::uint32_t labelColour = 0x1E1E1E;
// "Pick a color": its middle from the panel's left edge, and its fill (the theme's accent).
// Its height changes with what the panel shows above it (a colour's name, once there is a
// colour), so it is found on the screen.
constexpr int pickButtonX = 150;
constexpr std::uint32_t pickButtonFill = 0x34D399;
constexpr int panelWidth = 300;

double since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long windowPid(XProbe& x, xcb_window_t window)
{
    xcb_connection_t* c = x.connection();
    const auto cookie =
        xcb_get_property(c, 0, window, x.atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 0, 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
    long pid = -1;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 4)
        pid = *static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
    std::free(reply);
    return pid;
}

struct Rect
{
    int x = 0, y = 0, width = 0, height = 0;
};

Rect geometryOf(XProbe& x, xcb_window_t window)
{
    xcb_connection_t* c = x.connection();
    auto* geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    Rect rect;
    if (geometry)
        rect = {geometry->x, geometry->y, geometry->width, geometry->height};
    std::free(geometry);
    return rect;
}

bool coversScreen(XProbe& x, const Rect& rect)
{
    return rect.x == 0 && rect.y == 0 && rect.width == x.width() && rect.height == x.height();
}

void watchRoot(XProbe& x)
{
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x.connection(), x.root(), XCB_CW_EVENT_MASK, &mask);
    x.sync();
}

void drainEvents(XProbe& x)
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(x.connection()))
        std::free(event);
}

// The panel of `pid` where it shows: a mapped top-level window of the panel's width.
std::optional<Rect> shownPanel(XProbe& x, long pid)
{
    xcb_connection_t* c = x.connection();
    auto* tree = xcb_query_tree_reply(c, xcb_query_tree(c, x.root()), nullptr);
    if (!tree)
        return std::nullopt;
    std::optional<Rect> panel;
    const xcb_window_t* children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree) && !panel; ++i) {
        auto* attributes =
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, children[i]), nullptr);
        const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(attributes);
        if (!viewable || windowPid(x, children[i]) != pid)
            continue;
        const Rect rect = geometryOf(x, children[i]);
        if (rect.width == panelWidth)
            panel = rect;
    }
    std::free(tree);
    return panel;
}

std::optional<Rect> waitForPanel(XProbe& x, long pid, std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        if (const auto panel = shownPanel(x, pid))
            return panel;
        std::this_thread::sleep_for(20ms);
    }
    return std::nullopt;
}

// Where the loupe's label shows for a pointer at `pointer` (MagnifierLoupe::placement on a
// screen at the origin): a point of its fill left of the text.
std::pair<int, int> labelPoint(XProbe& x, int px, int py)
{
    int left = px + loupeGap;
    int top = py + loupeGap;
    if (left + loupeWidth > x.width())
        left = px - loupeGap - loupeWidth;
    if (top + loupeHeight > x.height())
        top = py - loupeGap - loupeHeight;
    left = std::clamp(left, 0, std::max(0, x.width() - loupeWidth));
    top = std::clamp(top, 0, std::max(0, x.height() - loupeHeight));
    return {left + 3, top + 150 + 3};
}

struct Shown
{
    double map = -1;
    double loupe = -1;
    long pid = -1;
};

// From `start`, the overlay's MapNotify and the loupe's label on screen, as each is first
// seen. The label is checked only once an overlay has mapped, so a loupe left on the
// screen before does not count.
Shown waitForOverlay(XProbe& x, Clock::time_point start, int px, int py,
                     std::chrono::milliseconds timeout)
{
    Shown shown;
    const auto [lx, ly] = labelPoint(x, px, py);
    const auto deadline = start + timeout;
    pollfd descriptor{xcb_get_file_descriptor(x.connection()), POLLIN, 0};
    while (Clock::now() < deadline && shown.loupe < 0) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x.connection())) {
            if (shown.map < 0 && (event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const double at = since(start);
                const xcb_window_t window =
                    reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
                if (coversScreen(x, geometryOf(x, window))) {
                    shown.map = at;
                    shown.pid = windowPid(x, window);
                }
            }
            std::free(event);
        }
        if (shown.map >= 0) {
            if (x.pixel(lx, ly) == labelColour) {
                shown.loupe = since(start);
                break;
            }
            std::this_thread::sleep_for(200us);
        } else {
            poll(&descriptor, 1, 1);
        }
    }
    return shown;
}

std::string hexOf(std::uint32_t pixel)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", pixel & 0xFFFFFF);
    return text;
}

bool isNear(std::uint32_t pixel, std::uint32_t colour)
{
    for (int shift : {0, 8, 16}) {
        if (std::abs(int((pixel >> shift) & 0xFF) - int((colour >> shift) & 0xFF)) > 2)
            return false;
    }
    return true;
}

// The screen row through the middle of the pick button: the accent's run down a column left
// of its symbol and text.
std::optional<int> pickButtonMiddle(XProbe& x, const Rect& panel)
{
    const int column = panel.x + 30;
    std::optional<int> top;
    for (int y = panel.y; y < panel.y + panel.height; ++y) {
        const bool fill = isNear(x.pixel(column, y), pickButtonFill);
        if (fill && !top)
            top = y;
        if (!fill && top)
            return (*top + y - 1) / 2;
    }
    return std::nullopt;
}

int panel(long pid, xcb_window_t icon)
{
    XProbe x;
    if (!x.ok())
        return 1;
    watchRoot(x);
    std::optional<Rect> shown = shownPanel(x, pid);
    if (!shown) {
        const Rect tray = geometryOf(x, icon);
        xcb_connection_t* c = x.connection();
        auto* origin = xcb_translate_coordinates_reply(
            c, xcb_translate_coordinates(c, icon, x.root(), 0, 0), nullptr);
        if (!origin)
            return 1;
        x.movePointer(origin->dst_x + tray.width / 2, origin->dst_y + tray.height / 2);
        std::free(origin);
        x.click();
        shown = waitForPanel(x, pid, 10s);
        if (!shown) {
            std::fputs("pick-latency-probe: the panel did not open\n", stderr);
            return 1;
        }
        std::this_thread::sleep_for(500ms); // painted and settled
    }
    const int px = shown->x + pickButtonX;
    const std::optional<int> buttonY = pickButtonMiddle(x, *shown);
    if (!buttonY) {
        std::fputs("pick-latency-probe: no \"Pick a color\" in the panel\n", stderr);
        return 1;
    }
    const int py = *buttonY;
    x.movePointer(px, py);
    std::this_thread::sleep_for(100ms);
    drainEvents(x);

    const auto start = Clock::now();
    x.click();
    const Shown overlay = waitForOverlay(x, start, px, py, 10s);
    double owned = -1;
    double readable = -1;
    if (overlay.loupe >= 0) {
        const std::string expected = hexOf(x.pixel(px, py));
        x.takeClipboard();
        const auto clicked = Clock::now();
        x.click();
        while (x.ownsClipboard() && Clock::now() - clicked < 5s)
            std::this_thread::sleep_for(100us);
        if (!x.ownsClipboard())
            owned = since(clicked);
        while (owned >= 0 && Clock::now() - clicked < 5s) {
            const auto text = x.clipboardText(5s);
            if (text && *text == expected) {
                readable = since(clicked);
                break;
            }
        }
    }
    std::printf("%.2f %.2f %.2f %.2f\n", overlay.map, overlay.loupe, owned, readable);
    // The panel comes back after a pick; the next click on the icon would close it again.
    if (waitForPanel(x, pid, 2s))
        std::this_thread::sleep_for(300ms);
    return overlay.loupe >= 0 && readable >= 0 ? 0 : 1;
}

int close(long pid)
{
    XProbe x;
    if (!x.ok())
        return 1;
    const std::optional<Rect> shown = shownPanel(x, pid);
    if (!shown)
        return 0;
    x.movePointer(5, std::min(x.height() - 5, shown->y + shown->height + 40));
    x.click();
    const auto deadline = Clock::now() + 5s;
    while (shownPanel(x, pid) && Clock::now() < deadline)
        std::this_thread::sleep_for(20ms);
    std::this_thread::sleep_for(600ms); // past the panel's toggle guard
    return 0;
}

int command(char** program)
{
    XProbe x;
    if (!x.ok())
        return 1;
    watchRoot(x);
    const int px = 400;
    const int py = 300;
    x.movePointer(px, py);
    std::this_thread::sleep_for(100ms);
    drainEvents(x);

    int out[2];
    if (pipe(out) != 0)
        return 1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, program[0], &actions, nullptr, program, environ) != 0) {
        std::perror("pick-latency-probe: spawn");
        return 1;
    }
    ::close(out[1]);
    const Shown overlay = waitForOverlay(x, start, px, py, 30s);
    bool answered = false;
    if (overlay.loupe >= 0) {
        const std::string expected = hexOf(x.pixel(px, py));
        x.click();
        std::string printed;
        char buffer[64];
        pollfd descriptor{out[0], POLLIN, 0};
        while (poll(&descriptor, 1, 5000) > 0) {
            const ssize_t n = read(out[0], buffer, sizeof buffer);
            if (n <= 0)
                break;
            printed.append(buffer, std::size_t(n));
        }
        int status = 0;
        answered = waitpid(child, &status, 0) == child && WIFEXITED(status) &&
                   WEXITSTATUS(status) == 0 && printed == expected + "\n";
        if (!answered)
            std::fprintf(stderr, "pick-latency-probe: --pick printed \"%s\", not %s\n",
                         printed.c_str(), expected.c_str());
    } else {
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
    }
    ::close(out[0]);
    std::printf("%.2f %.2f %ld\n", overlay.map, overlay.loupe, overlay.pid);
    return answered ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 4 && std::strcmp(argv[1], "panel") == 0)
        return panel(std::atol(argv[2]), xcb_window_t(std::strtoul(argv[3], nullptr, 10)));
    if (argc == 3 && std::strcmp(argv[1], "close") == 0)
        return close(std::atol(argv[2]));
    if (argc >= 3 && std::strcmp(argv[1], "command") == 0)
        return command(argv + 2);
    std::fputs("usage: pick-latency-probe panel PID ICON-WINDOW\n"
               "       pick-latency-probe close PID\n"
               "       pick-latency-probe command PROGRAM [ARGUMENT...]\n",
               stderr);
    return 2;
}
