/* kwin-fakeinput: inject input into KWin via org_kde_kwin_fake_input.
 * usage: kwin-fakeinput click X Y [button]   (button: 272=left 273=right, default left)
 *        kwin-fakeinput move X Y
 *        kwin-fakeinput key KEYCODE           (linux evdev code, e.g. 1=Esc 28=Enter)
 * KWin 5.27 only offers the global to clients whose desktop file lists it in
 * X-KDE-Wayland-Interfaces, unless kwin runs with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1. */
#include "fake-input-client.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <wayland-client.h>
static struct org_kde_kwin_fake_input* fi;
static void reg_global(void* d, struct wl_registry* r, uint32_t name, const char* iface,
                       uint32_t ver)
{
    (void)d;
    if (strcmp(iface, org_kde_kwin_fake_input_interface.name) == 0)
        fi = wl_registry_bind(r, name, &org_kde_kwin_fake_input_interface, ver < 4 ? ver : 4);
}
static void reg_remove(void* d, struct wl_registry* r, uint32_t n)
{
    (void)d;
    (void)r;
    (void)n;
}
static const struct wl_registry_listener rl = {reg_global, reg_remove};
int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: %s click|move X Y [button] | key CODE\n", argv[0]);
        return 2;
    }
    struct wl_display* dpy = wl_display_connect(NULL);
    if (!dpy) {
        fprintf(stderr, "cannot connect to wayland display\n");
        return 1;
    }
    struct wl_registry* reg = wl_display_get_registry(dpy);
    wl_registry_add_listener(reg, &rl, NULL);
    wl_display_roundtrip(dpy);
    if (!fi) {
        fprintf(stderr, "org_kde_kwin_fake_input not advertised (permission check?)\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(fi, "kwin-fakeinput", "automated test");
    if (!strcmp(argv[1], "key")) {
        uint32_t code = atoi(argv[2]);
        org_kde_kwin_fake_input_keyboard_key(fi, code, 1);
        wl_display_roundtrip(dpy);
        usleep(30000);
        org_kde_kwin_fake_input_keyboard_key(fi, code, 0);
    } else {
        double x = atof(argv[2]), y = atof(argv[3]);
        org_kde_kwin_fake_input_pointer_motion_absolute(fi, wl_fixed_from_double(x),
                                                        wl_fixed_from_double(y));
        wl_display_roundtrip(dpy);
        if (!strcmp(argv[1], "click")) {
            uint32_t btn = argc > 4 ? atoi(argv[4]) : 272; /* BTN_LEFT */
            usleep(50000);
            org_kde_kwin_fake_input_button(fi, btn, 1);
            wl_display_roundtrip(dpy);
            usleep(30000);
            org_kde_kwin_fake_input_button(fi, btn, 0);
        }
    }
    wl_display_roundtrip(dpy);
    wl_display_disconnect(dpy);
    return 0;
}
