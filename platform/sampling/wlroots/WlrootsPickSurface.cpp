#include "platform/sampling/wlroots/WlrootsPickSurface.h"

#include "platform/sampling/overlay/ScreenPixel.h"
#include "platform/sampling/wlroots/WaylandShmBuffer.h"
#include "platform/sampling/wlroots/WlrootsDisplay.h"
#include "platform/sampling/wlroots/WlrootsFrame.h"
#include "viewporter-client-protocol.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"

#include <QPainter>

#include <wayland-client.h>

#include <cmath>
#include <cstring>
#include <utility>

namespace {

// Copies the device pixels `rect` of `from` into `to`, both Format_RGB32 of the same size.
void copyPixels(const QImage& from, QImage& to, const QRect& rect)
{
    const std::size_t bytes = std::size_t(rect.width()) * 4;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        std::memcpy(to.scanLine(y) + std::size_t(rect.left()) * 4,
                    from.constScanLine(y) + std::size_t(rect.left()) * 4, bytes);
    }
}

} // namespace

qreal WlrootsPickSurface::outputScale(int deviceWidth, int logicalWidth)
{
    // The compositor rounds the logical size down, so the plain quotient overstates a
    // fractional scale (1280 / 853 for 1.5) by up to a pixel across the output. Scales come
    // in 120ths (as wp_fractional_scale_v1 has them); the nearest one that gives the same
    // logical width is the output's.
    const qreal quotient = qreal(deviceWidth) / logicalWidth;
    const qreal snapped = std::round(quotient * 120) / 120;
    return snapped > 0 && int(deviceWidth / snapped + 1e-9) == logicalWidth ? snapped : quotient;
}

const zwlr_layer_surface_v1_listener WlrootsPickSurface::s_layerListener{
    .configure =
        [](void* data, zwlr_layer_surface_v1*, std::uint32_t serial, std::uint32_t width,
           std::uint32_t height) {
            static_cast<WlrootsPickSurface*>(data)->configure(serial, int(width), int(height));
        },
    .closed =
        [](void* data, zwlr_layer_surface_v1*) {
            auto* self = static_cast<WlrootsPickSurface*>(data);
            if (self->m_onClosed)
                self->m_onClosed();
        },
};

const wl_callback_listener WlrootsPickSurface::s_frameListener{
    .done =
        [](void* data, wl_callback* callback, std::uint32_t) {
            auto* self = static_cast<WlrootsPickSurface*>(data);
            wl_callback_destroy(callback);
            self->m_frameCallback = nullptr;
            if (self->m_dirty)
                self->redraw();
        },
};

WlrootsPickSurface::WlrootsPickSurface(WlrootsDisplay& display, wl_output* output, QImage image,
                                       std::function<void()> onShown,
                                       std::function<void()> onClosed)
    : m_display(display), m_output(output), m_image(std::move(image)),
      m_onShown(std::move(onShown)), m_onClosed(std::move(onClosed))
{
    m_surface = wl_compositor_create_surface(display.compositor());
    m_viewport = wp_viewporter_get_viewport(display.viewporter(), m_surface);
    m_layer = zwlr_layer_shell_v1_get_layer_surface(display.layerShell(), m_surface, output,
                                                    ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY,
                                                    "morvane-color-picker");
    zwlr_layer_surface_v1_set_anchor(
        m_layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                     ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    // -1: over panels too, to the output's very edges.
    zwlr_layer_surface_v1_set_exclusive_zone(m_layer, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(m_layer, 1);
    zwlr_layer_surface_v1_add_listener(m_layer, &s_layerListener, this);
    // The first commit carries no buffer; the compositor answers with the size.
    wl_surface_commit(m_surface);
    display.flush();
}

WlrootsPickSurface::~WlrootsPickSurface()
{
    if (m_frameCallback)
        wl_callback_destroy(m_frameCallback);
    zwlr_layer_surface_v1_destroy(m_layer);
    wp_viewport_destroy(m_viewport);
    wl_surface_destroy(m_surface);
    for (Buffer& buffer : m_buffers)
        buffer.shm.reset();
    m_display.flush();
}

void WlrootsPickSurface::configure(std::uint32_t serial, int width, int height)
{
    zwlr_layer_surface_v1_ack_configure(m_layer, serial);
    // Anchored to every edge, the surface is as large as the output; a compositor that leaves
    // the size to the client gets the frame's.
    const QSize size = width > 0 && height > 0 ? QSize(width, height) : m_image.size();
    if (size != m_logicalSize) {
        m_logicalSize = size;
        m_image.setDevicePixelRatio(outputScale(m_image.width(), size.width()));
        const std::optional<QPoint> pixel = m_frozen.devicePixel();
        m_frozen.reset(m_image, QRect(QPoint(), size));
        if (pixel)
            m_frozen.setDevicePixel(*pixel);
        wp_viewport_set_destination(m_viewport, size.width(), size.height());
        for (Buffer& buffer : m_buffers) {
            buffer = Buffer{};
            buffer.shm = WaylandShmBuffer::create(m_display.shm(), m_image.size(),
                                                  m_image.width() * 4, WlrootsFrame::shmXrgb8888);
            if (buffer.shm)
                buffer.shm->setOnRelease([this] {
                    if (m_dirty)
                        redraw();
                });
        }
    }
    // A configure wants a commit in answer, even when nothing changed.
    m_dirty = true;
    if (m_frameCallback) {
        wl_callback_destroy(m_frameCallback);
        m_frameCallback = nullptr;
    }
    redraw();
}

void WlrootsPickSurface::pointAt(QPointF position)
{
    if (m_logicalSize.isEmpty())
        return;
    const QPoint pixel = devicePixelAt(position, QRect(QPoint(), m_logicalSize), m_frozen.ratio());
    if (!m_frozen.setDevicePixel(pixel).isEmpty())
        redraw();
}

void WlrootsPickSurface::moveBy(QPoint step)
{
    if (m_logicalSize.isEmpty())
        return;
    const QRegion changed =
        m_frozen.devicePixel()
            ? m_frozen.moveBy(step)
            : m_frozen.setDevicePixel(QPoint(m_image.width() / 2, m_image.height() / 2));
    if (!changed.isEmpty())
        redraw();
}

void WlrootsPickSurface::changeLoupe(const std::function<QRegion(FrozenScreen&)>& change)
{
    if (!m_logicalSize.isEmpty() && !change(m_frozen).isEmpty())
        redraw();
}

void WlrootsPickSurface::redraw()
{
    m_dirty = true;
    // One frame at a time: motion faster than the output refreshes draws only the last place.
    if (m_logicalSize.isEmpty() || m_frameCallback)
        return;
    for (Buffer& buffer : m_buffers) {
        if (buffer.shm && !buffer.shm->isBusy()) {
            draw(buffer);
            return;
        }
    }
    // Both buffers are with the compositor: the next release draws.
}

QRect WlrootsPickSurface::deviceRect(const QRect& logical) const
{
    if (logical.isNull())
        return {};
    const qreal ratio = m_frozen.ratio();
    const QRect rect(
        QPoint(int(std::floor(logical.left() * ratio)), int(std::floor(logical.top() * ratio))),
        QPoint(int(std::ceil((logical.right() + 1) * ratio)) - 1,
               int(std::ceil((logical.bottom() + 1) * ratio)) - 1));
    return rect & m_image.rect();
}

void WlrootsPickSurface::draw(Buffer& buffer)
{
    m_dirty = false;
    QImage target = buffer.shm->image(QImage::Format_RGB32);
    QRegion damage;
    if (!buffer.filled) {
        copyPixels(m_image, target, m_image.rect());
        buffer.filled = true;
        damage = m_image.rect();
    } else if (!buffer.loupe.isEmpty()) {
        // This buffer's old loupe goes; the frozen pixels come back under it.
        copyPixels(m_image, target, buffer.loupe);
    }
    const QRect loupe = deviceRect(m_frozen.loupeDamage());
    if (!loupe.isEmpty()) {
        QPainter painter(&target);
        painter.setClipRect(loupe);
        painter.scale(m_frozen.ratio(), m_frozen.ratio());
        m_frozen.paintLoupe(painter);
    }
    buffer.loupe = loupe;
    // What differs from the buffer shown until now: its loupe and the new one.
    damage += m_shownLoupe;
    damage += loupe;
    m_shownLoupe = loupe;

    wl_surface_attach(m_surface, buffer.shm->buffer(), 0, 0);
    for (const QRect& rect : damage) {
        if (m_display.compositorVersion() >= 4)
            wl_surface_damage_buffer(m_surface, rect.x(), rect.y(), rect.width(), rect.height());
        else
            wl_surface_damage(m_surface, 0, 0, INT32_MAX, INT32_MAX);
    }
    m_frameCallback = wl_surface_frame(m_surface);
    wl_callback_add_listener(m_frameCallback, &s_frameListener, this);
    wl_surface_commit(m_surface);
    buffer.shm->markBusy();
    m_display.flush();
    if (!std::exchange(m_shown, true) && m_onShown)
        m_onShown();
}
