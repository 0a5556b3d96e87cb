#pragma once

#include "platform/sampling/overlay/FrozenScreen.h"

#include <QImage>
#include <QPointF>
#include <QRect>

#include <array>
#include <functional>
#include <memory>

class WaylandShmBuffer;
class WlrootsDisplay;
struct wl_callback;
struct wl_output;
struct wl_surface;
struct wp_viewport;
struct zwlr_layer_surface_v1;

// One output's part of the wlroots pick: a layer-shell surface on the overlay layer,
// anchored to every edge and over panels, with the keyboard to itself, showing the output's
// FrozenScreen in shared-memory buffers of the frame's own device pixels (a viewport maps them
// onto the surface's logical size, so any output scale shows them 1:1).
class WlrootsPickSurface
{
public:
    // Shows `image` (the output's frozen frame) on `output` once the compositor has sized the
    // surface; `onShown` runs after the first frame is committed. `onClosed` runs when the
    // compositor takes the surface away (it must not delete the surface there and then).
    WlrootsPickSurface(WlrootsDisplay& display, wl_output* output, QImage image,
                       std::function<void()> onShown, std::function<void()> onClosed);
    ~WlrootsPickSurface();
    WlrootsPickSurface(const WlrootsPickSurface&) = delete;
    WlrootsPickSurface& operator=(const WlrootsPickSurface&) = delete;

    wl_output* output() const { return m_output; }
    wl_surface* surface() const { return m_surface; }
    // Whether it has been sized and its first frame committed.
    bool isShown() const { return m_shown; }
    const FrozenScreen& frozen() const { return m_frozen; }

    // A pointer position in the surface's logical coordinates names the device pixel under it.
    void pointAt(QPointF position);
    // Moves the named pixel by device pixels (from the middle of the output when none is
    // named yet).
    void moveBy(QPoint step);

    // Changes the loupe (its magnification or sample area) and shows the change.
    void changeLoupe(const std::function<QRegion(FrozenScreen&)>& change);

    // The output's scale from the frame's width in device pixels and the surface's in
    // logical ones.
    static qreal outputScale(int deviceWidth, int logicalWidth);

private:
    struct Buffer
    {
        std::unique_ptr<WaylandShmBuffer> shm;
        bool filled = false;
        QRect loupe; // device pixels the loupe covers in this buffer
    };

    void configure(std::uint32_t serial, int width, int height);
    void redraw();
    void draw(Buffer& buffer);
    QRect deviceRect(const QRect& logical) const;

    static const struct zwlr_layer_surface_v1_listener s_layerListener;
    static const struct wl_callback_listener s_frameListener;

    WlrootsDisplay& m_display;
    wl_output* m_output;
    QImage m_image;
    std::function<void()> m_onShown;
    std::function<void()> m_onClosed;
    wl_surface* m_surface = nullptr;
    zwlr_layer_surface_v1* m_layer = nullptr;
    wp_viewport* m_viewport = nullptr;
    wl_callback* m_frameCallback = nullptr;
    FrozenScreen m_frozen;
    std::array<Buffer, 2> m_buffers;
    QSize m_logicalSize;
    QRect m_shownLoupe; // device pixels of the loupe in the buffer last committed
    bool m_shown = false;
    bool m_dirty = false;
};
