// The outside view of a tray program, for tray-startup-bench.sh.
//
//   tray-startup-probe launch TIMEOUT-SECONDS PROGRAM [ARGUMENT...]
//     Starts the program and reports how long it took until its tray icon was embedded: the
//     moment the tray host reparents a window that carries the program's _NET_WM_PID out of
//     the root. Prints "PID MILLISECONDS ICON-WINDOW" and leaves the program running; on a
//     timeout it stops the program and fails.
//   tray-startup-probe cost TIMEOUT-SECONDS PROGRAM [ARGUMENT...]
//     The same launch, but the program is stopped the moment its icon is embedded, and what
//     it cost up to then is read from its exit: prints "MILLISECONDS CPU-MILLISECONDS
//     MINOR-FAULTS", the CPU time being user plus system time over all its threads.
//   tray-startup-probe open PID ICON-WINDOW COUNT
//     Clicks the icon COUNT times, each time measuring from the press until the program's
//     popup is painted (its pixels differ from what the screen showed before), then closes
//     it with a click elsewhere. Prints the COUNT times in milliseconds.
#include "XProbe.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

long windowPid(XProbe& x, xcb_window_t window)
{
    xcb_connection_t* c = x.connection();
    const auto cookie =
        xcb_get_property(c, 0, window, x.atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 0, 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
    long pid = -1;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 4)
        pid = *static_cast<const uint32_t*>(xcb_get_property_value(reply));
    std::free(reply);
    return pid;
}

void watchRoot(XProbe& x)
{
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x.connection(), x.root(), XCB_CW_EVENT_MASK, &mask);
    x.sync();
}

// The next event of `type` that `accept` takes, or null by the deadline; the caller frees it.
template <typename Accept>
xcb_generic_event_t* nextEvent(XProbe& x, uint8_t type, Accept accept, Clock::time_point deadline)
{
    pollfd descriptor{xcb_get_file_descriptor(x.connection()), POLLIN, 0};
    while (Clock::now() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x.connection())) {
            if ((event->response_type & 0x7f) == type && accept(event))
                return event;
            std::free(event);
        }
        if (xcb_connection_has_error(x.connection()))
            return nullptr;
        poll(&descriptor, 1, 20);
    }
    return nullptr;
}

struct Launched
{
    pid_t pid = 0;
    double milliseconds = 0;
    xcb_window_t icon = 0;
};

// Starts the program and waits until the tray host embeds its icon; none on a timeout, with
// the program stopped.
std::optional<Launched> launchUntilEmbedded(int timeoutSeconds, char** program)
{
    XProbe x;
    if (!x.ok()) {
        std::fputs("tray-startup-probe: no X display\n", stderr);
        return std::nullopt;
    }
    watchRoot(x);

    const auto started = Clock::now();
    // The program's output goes nowhere: it outlives this probe, and a caller reading this
    // probe's output must not wait for the program to close it.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    if (posix_spawn(&child, program[0], &actions, nullptr, program, environ) != 0) {
        std::perror("tray-startup-probe: spawn");
        return std::nullopt;
    }
    xcb_window_t icon = 0;
    xcb_generic_event_t* event = nextEvent(
        x, XCB_REPARENT_NOTIFY,
        [&](xcb_generic_event_t* e) {
            const auto* notify = reinterpret_cast<xcb_reparent_notify_event_t*>(e);
            if (notify->parent == x.root() || windowPid(x, notify->window) != child)
                return false;
            icon = notify->window;
            return true;
        },
        started + std::chrono::seconds(timeoutSeconds));
    if (!event) {
        kill(child, SIGTERM);
        std::printf("%d timeout\n", static_cast<int>(child));
        return std::nullopt;
    }
    std::free(event);
    return Launched{
        child, std::chrono::duration<double, std::milli>(Clock::now() - started).count(), icon};
}

int launch(int timeoutSeconds, char** program)
{
    const std::optional<Launched> launched = launchUntilEmbedded(timeoutSeconds, program);
    if (!launched)
        return 1;
    std::printf("%d %.1f %u\n", static_cast<int>(launched->pid), launched->milliseconds,
                launched->icon);
    return 0;
}

double milliseconds(const timeval& time)
{
    return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3;
}

int cost(int timeoutSeconds, char** program)
{
    const std::optional<Launched> launched = launchUntilEmbedded(timeoutSeconds, program);
    if (!launched)
        return 1;
    kill(launched->pid, SIGKILL);
    int status = 0;
    rusage usage{};
    if (wait4(launched->pid, &status, 0, &usage) != launched->pid) {
        std::perror("tray-startup-probe: wait");
        return 1;
    }
    std::printf("%.1f %.1f %ld\n", launched->milliseconds,
                milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime), usage.ru_minflt);
    return 0;
}

struct Rect
{
    int x, y, width, height;
};

Rect rootRect(XProbe& x, xcb_window_t window)
{
    xcb_connection_t* c = x.connection();
    auto* geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    auto* origin = xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, window, x.root(), 0, 0), nullptr);
    Rect rect{0, 0, 0, 0};
    if (geometry && origin)
        rect = {origin->dst_x, origin->dst_y, geometry->width, geometry->height};
    std::free(geometry);
    std::free(origin);
    return rect;
}

// The whole root as 0xRRGGBB, row by row.
std::vector<uint32_t> screen(XProbe& x)
{
    xcb_connection_t* c = x.connection();
    auto* image = xcb_get_image_reply(c,
                                      xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, x.root(), 0, 0,
                                                    uint16_t(x.width()), uint16_t(x.height()), ~0u),
                                      nullptr);
    std::vector<uint32_t> pixels(std::size_t(x.width()) * x.height());
    if (image && std::size_t(xcb_get_image_data_length(image)) >= pixels.size() * 4)
        std::memcpy(pixels.data(), xcb_get_image_data(image), pixels.size() * 4);
    for (uint32_t& p : pixels)
        p &= 0xFFFFFF;
    std::free(image);
    return pixels;
}

// One open: the time from the press on the icon until the popup's pixels show, or -1.
double openOnce(XProbe& x, long pid, const Rect& icon)
{
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    x.movePointer(icon.x + icon.width / 2, icon.y + icon.height / 2);
    const std::vector<uint32_t> before = screen(x);
    const auto start = Clock::now();
    x.click();
    xcb_window_t popup = 0;
    xcb_generic_event_t* mapped = nextEvent(
        x, XCB_MAP_NOTIFY,
        [&](xcb_generic_event_t* e) {
            const auto* notify = reinterpret_cast<xcb_map_notify_event_t*>(e);
            if (windowPid(x, notify->window) != pid)
                return false;
            popup = notify->window;
            return true;
        },
        deadline);
    if (!mapped)
        return -1;
    std::free(mapped);
    // A mapped window without contents shows what was under it: the popup counts as painted
    // once a few of its points differ from that. The program paints all of it at once.
    const Rect rect = rootRect(x, popup);
    std::vector<std::pair<int, int>> points;
    for (int i = 1; i <= 3; ++i)
        points.push_back({rect.x + rect.width * i / 4, rect.y + rect.height * i / 4});
    std::vector<uint32_t> under;
    for (auto [px, py] : points)
        under.push_back(before[std::size_t(py) * x.width() + std::size_t(px)]);
    double elapsed = -1;
    while (Clock::now() < deadline) {
        bool changed = false;
        for (std::size_t i = 0; i < points.size(); ++i)
            changed = changed || x.pixel(points[i].first, points[i].second) != under[i];
        if (changed) {
            elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    // Closed by a click elsewhere, as a user closes it; the next open waits for the unmap
    // and for the toggle guard of a click that just closed the panel.
    x.movePointer(5, rect.y + rect.height + 40);
    x.click();
    xcb_generic_event_t* unmapped = nextEvent(
        x, XCB_UNMAP_NOTIFY,
        [&](xcb_generic_event_t* e) {
            return reinterpret_cast<xcb_unmap_notify_event_t*>(e)->window == popup;
        },
        Clock::now() + std::chrono::seconds(5));
    std::free(unmapped);
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    return elapsed;
}

int open(long pid, xcb_window_t iconWindow, int count)
{
    XProbe x;
    if (!x.ok())
        return 1;
    watchRoot(x);
    const Rect icon = rootRect(x, iconWindow);
    for (int i = 0; i < count; ++i)
        std::printf("%s%.1f", i ? " " : "", openOnce(x, pid, icon));
    std::printf("\n");
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc >= 4 && std::strcmp(argv[1], "launch") == 0)
        return launch(std::atoi(argv[2]), argv + 3);
    if (argc >= 4 && std::strcmp(argv[1], "cost") == 0)
        return cost(std::atoi(argv[2]), argv + 3);
    if (argc == 5 && std::strcmp(argv[1], "open") == 0)
        return open(std::atol(argv[2]), xcb_window_t(std::strtoul(argv[3], nullptr, 10)),
                    std::atoi(argv[4]));
    std::fputs("usage: tray-startup-probe launch TIMEOUT-SECONDS PROGRAM [ARGUMENT...]\n"
               "       tray-startup-probe cost TIMEOUT-SECONDS PROGRAM [ARGUMENT...]\n"
               "       tray-startup-probe open PID ICON-WINDOW COUNT\n",
               stderr);
    return 2;
}
