#pragma once

#include <QObject>
#include <QPointF>
#include <QString>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;
struct wl_compositor;
struct wl_cursor_theme;
struct wl_display;
struct wl_keyboard;
struct wl_output;
struct wl_pointer;
struct wl_registry;
struct wl_seat;
struct wl_shm;
struct wl_surface;
struct wp_viewporter;
struct xkb_context;
struct xkb_keymap;
struct xkb_state;
struct zwlr_layer_shell_v1;
struct zwlr_screencopy_manager_v1;

// What the pick overlay hears from the seat while it runs: pointer positions in the
// surface's own (logical) coordinates, buttons, and keys already read through the keyboard's
// keymap as Qt key codes.
class WlrootsInput
{
public:
    virtual ~WlrootsInput() = default;
    virtual void pointerEntered(wl_surface* surface, QPointF position) = 0;
    virtual void pointerMoved(QPointF position) = 0;
    virtual void buttonPressed(std::uint32_t button) = 0; // a linux/input-event-codes.h BTN_*
    virtual void keyPressed(int qtKey) = 0;
    // Wheel notches on the vertical axis: positive away from the user (scrolling up).
    virtual void wheelTurned(int notches) = 0;
    virtual void outputRemoved(wl_output* output) = 0;
    virtual void connectionLost() = 0;
};

// The application's own connection to a wlroots-style compositor, beside Qt's: Qt 6.4 has no
// layer-shell, so the overlay talks to the compositor with libwayland-client directly. It
// binds the globals the overlay needs, keeps the outputs' transforms, follows the seat's
// pointer and keyboard, and dispatches the compositor's events in Qt's event loop.
class WlrootsDisplay : public QObject
{
    Q_OBJECT

public:
    struct Output
    {
        wl_output* output = nullptr;
        std::uint32_t name = 0; // the registry's
        int transform = 0;      // wl_output.transform
        int scale = 1;
    };

    // Connects to $WAYLAND_DISPLAY (wayland-0 when unset) and reads its globals; none when no
    // compositor answers.
    static std::unique_ptr<WlrootsDisplay> connect();
    ~WlrootsDisplay() override;

    // What the overlay needs: surfaces above everything (layer-shell, with the viewporter and a
    // seat for input) and the screen's pixels (screen copy into shared memory).
    bool offersLayerShell() const;
    bool offersScreenCopy() const { return m_screencopy && m_shm; }
    // Whether the connection still works.
    bool isConnected() const;

    wl_display* display() const { return m_display; }
    wl_compositor* compositor() const { return m_compositor; }
    std::uint32_t compositorVersion() const { return m_compositorVersion; }
    wl_shm* shm() const { return m_shm; }
    zwlr_layer_shell_v1* layerShell() const { return m_layerShell; }
    zwlr_screencopy_manager_v1* screencopy() const { return m_screencopy; }
    wp_viewporter* viewporter() const { return m_viewporter; }
    const std::vector<Output>& outputs() const { return m_outputs; }

    // Where pointer and keyboard events go; null drops them.
    void setInput(WlrootsInput* input)
    {
        m_input = input;
        m_repeatTimer.stop();
    }
    // Sends what was asked so far.
    void flush();
    // Dispatches events, blocking, until `done` holds, the time is up or the connection
    // fails; whether `done` holds.
    bool dispatchUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

private:
    WlrootsDisplay() = default;
    void dispatchReadable();
    void bindGlobal(std::uint32_t name, const char* interface, std::uint32_t version);
    void removeGlobal(std::uint32_t name);
    void updateSeat(std::uint32_t capabilities);
    void setKeymap(int fd, std::uint32_t size);
    void key(std::uint32_t key, std::uint32_t state);
    void repeatKey();
    void setCrosshair(std::uint32_t serial);

    static const struct wl_registry_listener s_registryListener;
    static const struct wl_output_listener s_outputListener;
    static const struct wl_seat_listener s_seatListener;
    static const struct wl_pointer_listener s_pointerListener;
    static const struct wl_keyboard_listener s_keyboardListener;

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    wl_compositor* m_compositor = nullptr;
    std::uint32_t m_compositorVersion = 0;
    wl_shm* m_shm = nullptr;
    wl_seat* m_seat = nullptr;
    wl_pointer* m_pointer = nullptr;
    wl_keyboard* m_keyboard = nullptr;
    zwlr_layer_shell_v1* m_layerShell = nullptr;
    zwlr_screencopy_manager_v1* m_screencopy = nullptr;
    wp_viewporter* m_viewporter = nullptr;
    std::vector<Output> m_outputs;
    QSocketNotifier* m_notifier = nullptr;
    WlrootsInput* m_input = nullptr;
    double m_wheelTravel = 0; // vertical scroll not yet a whole notch

    xkb_context* m_xkb = nullptr;
    xkb_keymap* m_keymap = nullptr;
    xkb_state* m_keyState = nullptr;

    // Wayland leaves key repeat to the client: an arrow key held moves on at the seat's rate
    // after its delay (wl_keyboard.repeat_info; until it comes, the usual 25 a second after
    // 600 ms).
    int m_repeatRate = 25;
    int m_repeatDelay = 600;
    std::uint32_t m_repeatingKey = 0;
    int m_repeatingQtKey = 0;
    QTimer m_repeatTimer;

    wl_cursor_theme* m_cursorTheme = nullptr;
    wl_surface* m_cursorSurface = nullptr;
};
