// A separate Wayland client that times picks from outside the application, on a wlroots
// compositor. It holds the keyboard with a small surface on the top layer; the pick overlay,
// on the overlay layer with the keyboard to itself, takes it away the moment the compositor
// maps it with its frozen frame. So "command started" to "keyboard left" is what a user waits
// for between asking for a pick and seeing the overlay, whatever process does the work.
// Commands on standard input, one a line; each answers with one line:
//   pick CMD [ARG...]  starts CMD, waits for the overlay, presses Escape (wtype) and waits for
//                      the keyboard to come back: "PICK <ms>" or "PICK none"
//   grim               one `grim -t ppm -` of all outputs into /dev/null, process start
//                      included (the floor): "GRIM <ms>" or "GRIM failed"
// It prints "READY" once it holds the keyboard.
#define _GNU_SOURCE
#include "wlr-layer-shell-unstable-v1-client-protocol.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>

extern char** environ;

enum
{
    side = 32
};

static struct wl_compositor* compositor;
static struct wl_shm* shm;
static struct wl_seat* seat;
static struct wl_keyboard* keyboard;
static struct zwlr_layer_shell_v1* layer_shell;
static int has_keyboard_focus;
static int configured;
static double last_leave; // when the keyboard last left, in now_ms()

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static void keymap(void* data, struct wl_keyboard* k, uint32_t format, int32_t fd, uint32_t size)
{
    (void)data, (void)k, (void)format, (void)size;
    close(fd);
}
static void enter(void* data, struct wl_keyboard* k, uint32_t serial, struct wl_surface* surface,
                  struct wl_array* keys)
{
    (void)data, (void)k, (void)serial, (void)surface, (void)keys;
    has_keyboard_focus = 1;
}
static void leave(void* data, struct wl_keyboard* k, uint32_t serial, struct wl_surface* surface)
{
    (void)data, (void)k, (void)serial, (void)surface;
    has_keyboard_focus = 0;
    last_leave = now_ms();
}
static void key(void* data, struct wl_keyboard* k, uint32_t serial, uint32_t time, uint32_t key,
                uint32_t state)
{
    (void)data, (void)k, (void)serial, (void)time, (void)key, (void)state;
}
static void modifiers(void* data, struct wl_keyboard* k, uint32_t serial, uint32_t depressed,
                      uint32_t latched, uint32_t locked, uint32_t group)
{
    (void)data, (void)k, (void)serial, (void)depressed, (void)latched, (void)locked, (void)group;
}
static void repeat_info(void* data, struct wl_keyboard* k, int32_t rate, int32_t delay)
{
    (void)data, (void)k, (void)rate, (void)delay;
}
static const struct wl_keyboard_listener keyboard_listener = {keymap, enter,     leave,
                                                              key,    modifiers, repeat_info};

static void capabilities(void* data, struct wl_seat* s, uint32_t caps)
{
    (void)data;
    if ((caps & WL_SEAT_CAPABILITY_KEYBOARD) && !keyboard) {
        keyboard = wl_seat_get_keyboard(s);
        wl_keyboard_add_listener(keyboard, &keyboard_listener, NULL);
    }
}
static void seat_name(void* data, struct wl_seat* s, const char* name)
{
    (void)data, (void)s, (void)name;
}
static const struct wl_seat_listener seat_listener = {capabilities, seat_name};

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version)
{
    (void)data;
    if (strcmp(interface, wl_compositor_interface.name) == 0)
        compositor = wl_registry_bind(registry, name, &wl_compositor_interface, 1);
    else if (strcmp(interface, wl_shm_interface.name) == 0)
        shm = wl_registry_bind(registry, name, &wl_shm_interface, 1);
    else if (strcmp(interface, wl_seat_interface.name) == 0 && !seat) {
        seat = wl_registry_bind(registry, name, &wl_seat_interface, version < 4 ? version : 4);
        wl_seat_add_listener(seat, &seat_listener, NULL);
    } else if (strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0)
        layer_shell = wl_registry_bind(registry, name, &zwlr_layer_shell_v1_interface, 1);
}
static void global_remove(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data, (void)registry, (void)name;
}
static const struct wl_registry_listener registry_listener = {global, global_remove};

static void configure(void* data, struct zwlr_layer_surface_v1* surface, uint32_t serial,
                      uint32_t width, uint32_t height)
{
    (void)data, (void)width, (void)height;
    zwlr_layer_surface_v1_ack_configure(surface, serial);
    configured = 1;
}
static void closed(void* data, struct zwlr_layer_surface_v1* surface)
{
    (void)data, (void)surface;
    fprintf(stderr, "the compositor closed the probe's surface\n");
    exit(1);
}
static const struct zwlr_layer_surface_v1_listener layer_listener = {configure, closed};

// Dispatches the compositor's events until *flag == want; 0 on success, -1 on timeout or a
// lost connection.
static int dispatch_until(struct wl_display* display, const int* flag, int want, int timeout_ms)
{
    const double deadline = now_ms() + timeout_ms;
    while (*flag != want) {
        while (wl_display_prepare_read(display) != 0)
            wl_display_dispatch_pending(display);
        wl_display_flush(display);
        const int remaining = (int)(deadline - now_ms());
        struct pollfd fd = {wl_display_get_fd(display), POLLIN, 0};
        if (remaining <= 0 || poll(&fd, 1, remaining) <= 0) {
            wl_display_cancel_read(display);
            return -1;
        }
        if (wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0)
            return -1;
    }
    return 0;
}

static pid_t spawn(char* const argv[], int quiet_stdout)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet_stdout)
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, NULL, argv, environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

static int split(char* line, char* argv[], int most)
{
    int count = 0;
    for (char* word = strtok(line, " \t\n"); word && count < most - 1; word = strtok(NULL, " \t\n"))
        argv[count++] = word;
    argv[count] = NULL;
    return count;
}

int main(void)
{
    setvbuf(stdout, NULL, _IOLBF, 0);
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "no Wayland compositor\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    wl_display_roundtrip(display);
    if (!compositor || !shm || !seat || !layer_shell || !keyboard) {
        fprintf(stderr, "the compositor lacks a keyboard or layer-shell\n");
        return 1;
    }

    struct wl_surface* surface = wl_compositor_create_surface(compositor);
    struct zwlr_layer_surface_v1* layer = zwlr_layer_shell_v1_get_layer_surface(
        layer_shell, surface, NULL, ZWLR_LAYER_SHELL_V1_LAYER_TOP, "focus-probe");
    zwlr_layer_surface_v1_add_listener(layer, &layer_listener, NULL);
    zwlr_layer_surface_v1_set_size(layer, side, side);
    zwlr_layer_surface_v1_set_anchor(layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP |
                                                ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
    zwlr_layer_surface_v1_set_keyboard_interactivity(layer, 1);
    wl_surface_commit(surface);
    if (dispatch_until(display, &configured, 1, 5000) != 0)
        return 1;

    const int stride = side * 4, bytes = stride * side;
    const int memory = memfd_create("focus-probe", MFD_CLOEXEC);
    if (memory < 0 || ftruncate(memory, bytes) != 0)
        return 1;
    unsigned char* pixels = mmap(NULL, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, memory, 0);
    if (pixels == MAP_FAILED)
        return 1;
    memset(pixels, 0x80, bytes);
    struct wl_shm_pool* pool = wl_shm_create_pool(shm, memory, bytes);
    struct wl_buffer* buffer =
        wl_shm_pool_create_buffer(pool, 0, side, side, stride, WL_SHM_FORMAT_XRGB8888);
    wl_surface_attach(surface, buffer, 0, 0);
    wl_surface_commit(surface);
    if (dispatch_until(display, &has_keyboard_focus, 1, 5000) != 0) {
        fprintf(stderr, "the probe never got the keyboard\n");
        return 1;
    }
    printf("READY\n");

    char line[4096];
    while (fgets(line, sizeof line, stdin)) {
        char* argv[64];
        if (split(line, argv, 64) == 0)
            continue;
        wl_display_roundtrip(display);
        if (strcmp(argv[0], "grim") == 0) {
            char* grim[] = {"grim", "-t", "ppm", "-", NULL};
            const double start = now_ms();
            const pid_t pid = spawn(grim, 1);
            int status = 1;
            if (pid > 0)
                waitpid(pid, &status, 0);
            if (pid > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0)
                printf("GRIM %.2f\n", now_ms() - start);
            else
                printf("GRIM failed\n");
        } else if (strcmp(argv[0], "pick") == 0 && argv[1]) {
            if (!has_keyboard_focus && dispatch_until(display, &has_keyboard_focus, 1, 5000)) {
                printf("PICK none\n");
                continue;
            }
            const double start = now_ms();
            const pid_t pid = spawn(argv + 1, 1);
            // Sway sometimes takes the keyboard away and gives it back in one go when it
            // rearranges its layers; only a leave that lasts is the overlay's.
            int shown = 0;
            while (pid > 0 && !shown) {
                if (dispatch_until(display, &has_keyboard_focus, 0, 10000) != 0)
                    break;
                wl_display_roundtrip(display);
                shown = !has_keyboard_focus;
            }
            const double elapsed = last_leave - start;
            if (shown) {
                char* escape[] = {"wtype", "-k", "Escape", NULL};
                const pid_t typing = spawn(escape, 0);
                if (typing > 0)
                    waitpid(typing, NULL, 0);
                dispatch_until(display, &has_keyboard_focus, 1, 5000);
            }
            if (shown)
                printf("PICK %.2f\n", elapsed);
            else
                printf("PICK none\n");
            // Reaps the command (a --pick that ended, or a copy that started); copies that keep
            // running are reaped when the probe ends.
            while (waitpid(-1, NULL, WNOHANG) > 0) {
            }
        } else {
            printf("unknown command\n");
        }
    }
    wl_buffer_destroy(buffer);
    wl_shm_pool_destroy(pool);
    zwlr_layer_surface_v1_destroy(layer);
    wl_surface_destroy(surface);
    wl_display_disconnect(display);
    return 0;
}
