#pragma once

// A separate X client for the benchmarks: it sees the screen, the pointer and the clipboard
// the way another program does, so what it measures is what a user or a pasting program
// would wait for, not a signal inside the process under test. Header only; xcb and XTest.
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

class XProbe
{
public:
    using Clock = std::chrono::steady_clock;

    XProbe() : m_c(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_c))
            return;
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;
        m_root = screen->root;
        m_width = screen->width_in_pixels;
        m_height = screen->height_in_pixels;
        m_window = xcb_generate_id(m_c);
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_window, m_root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        for (const char* name : {"CLIPBOARD", "UTF8_STRING", "XPROBE_PASTE"})
            atom(name);
        sync();
    }
    ~XProbe() { xcb_disconnect(m_c); }
    XProbe(const XProbe&) = delete;
    XProbe& operator=(const XProbe&) = delete;

    bool ok() const { return !xcb_connection_has_error(m_c) && m_root; }
    xcb_connection_t* connection() const { return m_c; }
    xcb_window_t root() const { return m_root; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    // Interned once: a round trip per use would count against whatever is being timed.
    xcb_atom_t atom(const char* name)
    {
        for (const auto& [known, value] : m_atoms) {
            if (known == name)
                return value;
        }
        const auto cookie =
            xcb_intern_atom(m_c, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
        const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(m_c, cookie, nullptr));
        if (!reply)
            return XCB_ATOM_NONE;
        m_atoms.emplace_back(name, reply->atom);
        return reply->atom;
    }

    // Waits until the server has handled everything sent so far.
    void sync() { std::free(xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr)); }

    // 0xRRGGBB of one root pixel (a 24- or 32-bit visual, as Xvfb has).
    std::uint32_t pixel(int x, int y)
    {
        const auto cookie = xcb_get_image(m_c, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root, std::int16_t(x),
                                          std::int16_t(y), 1, 1, ~0u);
        const Reply<xcb_get_image_reply_t> reply(xcb_get_image_reply(m_c, cookie, nullptr));
        if (!reply || xcb_get_image_data_length(reply.get()) < 4)
            return 0xFFFFFFFF;
        std::uint32_t value = 0;
        std::memcpy(&value, xcb_get_image_data(reply.get()), 4);
        return value & 0xFFFFFF;
    }

    // Polls a root pixel until `accept` holds; the time it was first seen, or none by the
    // deadline. A short pause between reads keeps the probe from starving the program.
    template <typename Accept>
    std::optional<Clock::time_point> waitForPixel(int x, int y, Accept accept,
                                                  std::chrono::milliseconds timeout)
    {
        const auto deadline = Clock::now() + timeout;
        while (Clock::now() < deadline) {
            if (accept(pixel(x, y)))
                return Clock::now();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return std::nullopt;
    }

    void movePointer(int x, int y)
    {
        xcb_test_fake_input(m_c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_root, std::int16_t(x),
                            std::int16_t(y), 0);
        sync();
    }

    // A left click where the pointer is, as a user's would arrive.
    void click()
    {
        xcb_test_fake_input(m_c, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(m_c, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(m_c);
    }

    xcb_window_t clipboardOwner()
    {
        const Reply<xcb_get_selection_owner_reply_t> reply(xcb_get_selection_owner_reply(
            m_c, xcb_get_selection_owner(m_c, atom("CLIPBOARD")), nullptr));
        return reply ? reply->owner : xcb_window_t(XCB_NONE);
    }

    // Takes the clipboard, so the next owner is known to be a new one.
    void takeClipboard()
    {
        xcb_set_selection_owner(m_c, m_window, atom("CLIPBOARD"), XCB_CURRENT_TIME);
        sync();
    }
    bool ownsClipboard() { return clipboardOwner() == m_window; }

    // The clipboard's text as a pasting program gets it: a conversion to UTF8_STRING, which
    // the owner answers from its own event loop. None when the owner refuses or is silent.
    std::optional<std::string> clipboardText(std::chrono::milliseconds timeout)
    {
        const xcb_atom_t property = atom("XPROBE_PASTE");
        xcb_convert_selection(m_c, m_window, atom("CLIPBOARD"), atom("UTF8_STRING"), property,
                              XCB_CURRENT_TIME);
        xcb_flush(m_c);
        const auto deadline = Clock::now() + timeout;
        while (Clock::now() < deadline) {
            xcb_generic_event_t* event = xcb_poll_for_event(m_c);
            if (!event) {
                std::this_thread::sleep_for(std::chrono::microseconds(100));
                continue;
            }
            const bool notified = (event->response_type & 0x7f) == XCB_SELECTION_NOTIFY;
            const xcb_atom_t answered =
                notified ? reinterpret_cast<xcb_selection_notify_event_t*>(event)->property
                         : xcb_atom_t(XCB_NONE);
            std::free(event);
            if (!notified)
                continue;
            if (answered == XCB_NONE)
                return std::nullopt;
            const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
                m_c,
                xcb_get_property(m_c, 1, m_window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
                nullptr));
            if (!reply)
                return std::nullopt;
            return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                               std::size_t(xcb_get_property_value_length(reply.get())));
        }
        return std::nullopt;
    }

private:
    struct FreeDeleter
    {
        void operator()(void* p) const { std::free(p); }
    };
    template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

    xcb_connection_t* m_c;
    std::vector<std::pair<std::string, xcb_atom_t>> m_atoms;
    xcb_window_t m_root = 0;
    xcb_window_t m_window = 0;
    int m_width = 0;
    int m_height = 0;
};
