#include "platform/sampling/wlroots/WlrootsDisplay.h"

#include "viewporter-client-protocol.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"

#include <QSocketNotifier>

#include <wayland-client.h>
#include <wayland-cursor.h>
#include <xkbcommon/xkbcommon.h>

#include <linux/input-event-codes.h>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Key symbols the overlay answers to, as Qt names them.
int qtKeyFor(xkb_keysym_t symbol)
{
    switch (symbol) {
    case XKB_KEY_Escape:
        return Qt::Key_Escape;
    case XKB_KEY_Return:
        return Qt::Key_Return;
    case XKB_KEY_KP_Enter:
        return Qt::Key_Enter;
    case XKB_KEY_Left:
    case XKB_KEY_KP_Left:
        return Qt::Key_Left;
    case XKB_KEY_Right:
    case XKB_KEY_KP_Right:
        return Qt::Key_Right;
    case XKB_KEY_Up:
    case XKB_KEY_KP_Up:
        return Qt::Key_Up;
    case XKB_KEY_Down:
    case XKB_KEY_KP_Down:
        return Qt::Key_Down;
    case XKB_KEY_plus:
    case XKB_KEY_KP_Add:
        return Qt::Key_Plus;
    case XKB_KEY_equal:
        return Qt::Key_Equal;
    case XKB_KEY_minus:
    case XKB_KEY_KP_Subtract:
        return Qt::Key_Minus;
    case XKB_KEY_a:
    case XKB_KEY_A:
        return Qt::Key_A;
    default:
        return 0;
    }
}

QPointF pointFrom(wl_fixed_t x, wl_fixed_t y)
{
    return {wl_fixed_to_double(x), wl_fixed_to_double(y)};
}

template <typename... Args> void ignore(void*, Args...) {}

} // namespace

const wl_registry_listener WlrootsDisplay::s_registryListener{
    .global =
        [](void* data, wl_registry*, std::uint32_t name, const char* interface,
           std::uint32_t version) {
            static_cast<WlrootsDisplay*>(data)->bindGlobal(name, interface, version);
        },
    .global_remove =
        [](void* data, wl_registry*, std::uint32_t name) {
            static_cast<WlrootsDisplay*>(data)->removeGlobal(name);
        },
};

const wl_output_listener WlrootsDisplay::s_outputListener{
    .geometry =
        [](void* data, wl_output* output, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
           const char*, int32_t transform) {
            for (Output& entry : static_cast<WlrootsDisplay*>(data)->m_outputs) {
                if (entry.output == output)
                    entry.transform = transform;
            }
        },
    .mode = ignore<wl_output*, std::uint32_t, int32_t, int32_t, int32_t>,
    .done = ignore<wl_output*>,
    .scale =
        [](void* data, wl_output* output, int32_t factor) {
            for (Output& entry : static_cast<WlrootsDisplay*>(data)->m_outputs) {
                if (entry.output == output)
                    entry.scale = factor;
            }
        },
    .name = ignore<wl_output*, const char*>,
    .description = ignore<wl_output*, const char*>,
};

const wl_seat_listener WlrootsDisplay::s_seatListener{
    .capabilities =
        [](void* data, wl_seat*, std::uint32_t capabilities) {
            static_cast<WlrootsDisplay*>(data)->updateSeat(capabilities);
        },
    .name = ignore<wl_seat*, const char*>,
};

const wl_pointer_listener WlrootsDisplay::s_pointerListener{
    .enter =
        [](void* data, wl_pointer*, std::uint32_t serial, wl_surface* surface, wl_fixed_t x,
           wl_fixed_t y) {
            auto* self = static_cast<WlrootsDisplay*>(data);
            self->setCrosshair(serial);
            if (self->m_input && surface)
                self->m_input->pointerEntered(surface, pointFrom(x, y));
        },
    .leave = ignore<wl_pointer*, std::uint32_t, wl_surface*>,
    .motion =
        [](void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y) {
            auto* self = static_cast<WlrootsDisplay*>(data);
            if (self->m_input)
                self->m_input->pointerMoved(pointFrom(x, y));
        },
    .button =
        [](void* data, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t button,
           std::uint32_t state) {
            auto* self = static_cast<WlrootsDisplay*>(data);
            if (self->m_input && state == WL_POINTER_BUTTON_STATE_PRESSED)
                self->m_input->buttonPressed(button);
        },
    .axis =
        [](void* data, wl_pointer*, std::uint32_t, std::uint32_t axis, wl_fixed_t value) {
            // A wheel notch scrolls 10 units; a touchpad's smaller steps add up to notches.
            constexpr double notch = 10.0;
            auto* self = static_cast<WlrootsDisplay*>(data);
            if (!self->m_input || axis != WL_POINTER_AXIS_VERTICAL_SCROLL)
                return;
            self->m_wheelTravel += wl_fixed_to_double(value);
            const int notches = int(self->m_wheelTravel / notch);
            self->m_wheelTravel -= notches * notch;
            if (notches != 0)
                self->m_input->wheelTurned(-notches); // positive values scroll down
        },
    .frame = ignore<wl_pointer*>,
    .axis_source = ignore<wl_pointer*, std::uint32_t>,
    .axis_stop = ignore<wl_pointer*, std::uint32_t, std::uint32_t>,
    .axis_discrete = ignore<wl_pointer*, std::uint32_t, int32_t>,
    .axis_value120 = ignore<wl_pointer*, std::uint32_t, int32_t>,
};

const wl_keyboard_listener WlrootsDisplay::s_keyboardListener{
    .keymap =
        [](void* data, wl_keyboard*, std::uint32_t format, int32_t fd, std::uint32_t size) {
            if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1)
                static_cast<WlrootsDisplay*>(data)->setKeymap(fd, size);
            close(fd);
        },
    .enter = ignore<wl_keyboard*, std::uint32_t, wl_surface*, wl_array*>,
    .leave = [](void* data, wl_keyboard*, std::uint32_t,
                wl_surface*) { static_cast<WlrootsDisplay*>(data)->m_repeatTimer.stop(); },
    .key = [](void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t key,
              std::uint32_t state) { static_cast<WlrootsDisplay*>(data)->key(key, state); },
    .modifiers =
        [](void* data, wl_keyboard*, std::uint32_t, std::uint32_t depressed, std::uint32_t latched,
           std::uint32_t locked, std::uint32_t group) {
            auto* self = static_cast<WlrootsDisplay*>(data);
            if (self->m_keyState)
                xkb_state_update_mask(self->m_keyState, depressed, latched, locked, 0, 0, group);
        },
    .repeat_info =
        [](void* data, wl_keyboard*, int32_t rate, int32_t delay) {
            auto* self = static_cast<WlrootsDisplay*>(data);
            self->m_repeatRate = std::max(0, rate);
            self->m_repeatDelay = std::max(0, delay);
        },
};

std::unique_ptr<WlrootsDisplay> WlrootsDisplay::connect()
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return nullptr;
    std::unique_ptr<WlrootsDisplay> self(new WlrootsDisplay);
    self->m_display = display;
    QObject::connect(&self->m_repeatTimer, &QTimer::timeout, self.get(),
                     &WlrootsDisplay::repeatKey);
    self->m_registry = wl_display_get_registry(display);
    wl_registry_add_listener(self->m_registry, &s_registryListener, self.get());
    // The globals, then what the outputs and the seat announce once bound.
    if (wl_display_roundtrip(display) < 0 || wl_display_roundtrip(display) < 0)
        return nullptr;
    self->m_notifier =
        new QSocketNotifier(wl_display_get_fd(display), QSocketNotifier::Read, self.get());
    QObject::connect(self->m_notifier, &QSocketNotifier::activated, self.get(),
                     &WlrootsDisplay::dispatchReadable);
    return self;
}

WlrootsDisplay::~WlrootsDisplay()
{
    delete m_notifier;
    if (m_cursorSurface)
        wl_surface_destroy(m_cursorSurface);
    if (m_cursorTheme)
        wl_cursor_theme_destroy(m_cursorTheme);
    if (m_keyState)
        xkb_state_unref(m_keyState);
    if (m_keymap)
        xkb_keymap_unref(m_keymap);
    if (m_xkb)
        xkb_context_unref(m_xkb);
    // The compositor frees its side with the connection; this side's objects go first.
    if (m_pointer)
        wl_pointer_destroy(m_pointer);
    if (m_keyboard)
        wl_keyboard_destroy(m_keyboard);
    if (m_seat)
        wl_seat_destroy(m_seat);
    for (const Output& output : m_outputs)
        wl_output_destroy(output.output);
    if (m_viewporter)
        wp_viewporter_destroy(m_viewporter);
    if (m_screencopy)
        zwlr_screencopy_manager_v1_destroy(m_screencopy);
    if (m_layerShell)
        zwlr_layer_shell_v1_destroy(m_layerShell);
    if (m_shm)
        wl_shm_destroy(m_shm);
    if (m_compositor)
        wl_compositor_destroy(m_compositor);
    if (m_registry)
        wl_registry_destroy(m_registry);
    if (m_display)
        wl_display_disconnect(m_display);
}

bool WlrootsDisplay::offersLayerShell() const
{
    return m_compositor && m_layerShell && m_viewporter && m_seat;
}

bool WlrootsDisplay::isConnected() const
{
    return m_display && wl_display_get_error(m_display) == 0;
}

void WlrootsDisplay::bindGlobal(std::uint32_t name, const char* interface, std::uint32_t version)
{
    const auto bind = [&](const wl_interface* type, std::uint32_t highest) {
        return wl_registry_bind(m_registry, name, type, std::min(version, highest));
    };
    if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
        m_compositorVersion = std::min(version, 4u);
        m_compositor = static_cast<wl_compositor*>(bind(&wl_compositor_interface, 4));
    } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
        m_shm = static_cast<wl_shm*>(bind(&wl_shm_interface, 1));
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !m_seat) {
        m_seat = static_cast<wl_seat*>(bind(&wl_seat_interface, 5));
        wl_seat_add_listener(m_seat, &s_seatListener, this);
    } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
        auto* output = static_cast<wl_output*>(bind(&wl_output_interface, 2));
        m_outputs.push_back({output, name});
        wl_output_add_listener(output, &s_outputListener, this);
    } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
        m_layerShell = static_cast<zwlr_layer_shell_v1*>(bind(&zwlr_layer_shell_v1_interface, 1));
    } else if (std::strcmp(interface, zwlr_screencopy_manager_v1_interface.name) == 0) {
        m_screencopy = static_cast<zwlr_screencopy_manager_v1*>(
            bind(&zwlr_screencopy_manager_v1_interface, 3));
    } else if (std::strcmp(interface, wp_viewporter_interface.name) == 0) {
        m_viewporter = static_cast<wp_viewporter*>(bind(&wp_viewporter_interface, 1));
    }
}

void WlrootsDisplay::removeGlobal(std::uint32_t name)
{
    const auto it = std::find_if(m_outputs.begin(), m_outputs.end(),
                                 [name](const Output& entry) { return entry.name == name; });
    if (it == m_outputs.end())
        return;
    wl_output* output = it->output;
    m_outputs.erase(it);
    if (m_input)
        m_input->outputRemoved(output);
    wl_output_destroy(output);
}

void WlrootsDisplay::updateSeat(std::uint32_t capabilities)
{
    // Pointers and keyboards come and go with devices (a virtual one, say).
    const bool pointer = capabilities & WL_SEAT_CAPABILITY_POINTER;
    if (pointer && !m_pointer) {
        m_pointer = wl_seat_get_pointer(m_seat);
        wl_pointer_add_listener(m_pointer, &s_pointerListener, this);
    } else if (!pointer && m_pointer) {
        wl_pointer_destroy(m_pointer);
        m_pointer = nullptr;
    }
    const bool keyboard = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
    if (keyboard && !m_keyboard) {
        m_keyboard = wl_seat_get_keyboard(m_seat);
        wl_keyboard_add_listener(m_keyboard, &s_keyboardListener, this);
    } else if (!keyboard && m_keyboard) {
        wl_keyboard_destroy(m_keyboard);
        m_keyboard = nullptr;
    }
}

void WlrootsDisplay::setKeymap(int fd, std::uint32_t size)
{
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (text == MAP_FAILED)
        return;
    if (!m_xkb)
        m_xkb = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    xkb_keymap* keymap =
        m_xkb ? xkb_keymap_new_from_buffer(m_xkb, static_cast<const char*>(text),
                                           strnlen(static_cast<const char*>(text), size),
                                           XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS)
              : nullptr;
    munmap(text, size);
    if (!keymap)
        return;
    if (m_keyState)
        xkb_state_unref(m_keyState);
    if (m_keymap)
        xkb_keymap_unref(m_keymap);
    m_keymap = keymap;
    m_keyState = xkb_state_new(keymap);
}

void WlrootsDisplay::key(std::uint32_t key, std::uint32_t state)
{
    if (state != WL_KEYBOARD_KEY_STATE_PRESSED) {
        if (key == m_repeatingKey)
            m_repeatTimer.stop();
        return;
    }
    m_repeatTimer.stop();
    if (!m_input || !m_keyState)
        return;
    // Keymaps number keys from the evdev code plus 8.
    const int qtKey = qtKeyFor(xkb_state_key_get_one_sym(m_keyState, key + 8));
    if (!qtKey)
        return;
    const bool arrow = qtKey == Qt::Key_Left || qtKey == Qt::Key_Right || qtKey == Qt::Key_Up ||
                       qtKey == Qt::Key_Down;
    if (arrow && m_repeatRate > 0 && xkb_keymap_key_repeats(m_keymap, key + 8)) {
        m_repeatingKey = key;
        m_repeatingQtKey = qtKey;
        m_repeatTimer.start(m_repeatDelay);
    }
    m_input->keyPressed(qtKey);
}

void WlrootsDisplay::repeatKey()
{
    if (!m_input) {
        m_repeatTimer.stop();
        return;
    }
    m_repeatTimer.start(std::max(1, 1000 / m_repeatRate));
    m_input->keyPressed(m_repeatingQtKey);
}

void WlrootsDisplay::setCrosshair(std::uint32_t serial)
{
    if (!m_cursorTheme) {
        const char* size = std::getenv("XCURSOR_SIZE");
        m_cursorTheme = wl_cursor_theme_load(std::getenv("XCURSOR_THEME"),
                                             size ? std::max(8, std::atoi(size)) : 24, m_shm);
    }
    wl_cursor* cursor = nullptr;
    for (const char* name : {"crosshair", "cross", "tcross"}) {
        if (!cursor && m_cursorTheme)
            cursor = wl_cursor_theme_get_cursor(m_cursorTheme, name);
    }
    // Without a theme the compositor's pointer image stays.
    if (!cursor || cursor->image_count == 0)
        return;
    wl_cursor_image* image = cursor->images[0];
    if (!m_cursorSurface)
        m_cursorSurface = wl_compositor_create_surface(m_compositor);
    wl_surface_attach(m_cursorSurface, wl_cursor_image_get_buffer(image), 0, 0);
    wl_surface_damage(m_cursorSurface, 0, 0, int32_t(image->width), int32_t(image->height));
    wl_surface_commit(m_cursorSurface);
    wl_pointer_set_cursor(m_pointer, serial, m_cursorSurface, int32_t(image->hotspot_x),
                          int32_t(image->hotspot_y));
}

void WlrootsDisplay::flush()
{
    if (m_display)
        wl_display_flush(m_display);
}

void WlrootsDisplay::dispatchReadable()
{
    if (wl_display_prepare_read(m_display) == 0) {
        if (wl_display_read_events(m_display) < 0) {
            // The compositor has gone: stop listening to a dead socket.
            m_notifier->setEnabled(false);
            if (m_input)
                m_input->connectionLost();
            return;
        }
    }
    wl_display_dispatch_pending(m_display);
    flush();
}

bool WlrootsDisplay::dispatchUntil(const std::function<bool()>& done,
                                   std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        while (wl_display_prepare_read(m_display) != 0) {
            if (wl_display_dispatch_pending(m_display) < 0)
                return false;
        }
        if (done()) {
            wl_display_cancel_read(m_display);
            return true;
        }
        wl_display_flush(m_display);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd fd{wl_display_get_fd(m_display), POLLIN, 0};
        if (left.count() <= 0 || poll(&fd, 1, int(left.count())) <= 0) {
            wl_display_cancel_read(m_display);
            return done();
        }
        if (wl_display_read_events(m_display) < 0 || wl_display_dispatch_pending(m_display) < 0)
            return false;
    }
    return true;
}
