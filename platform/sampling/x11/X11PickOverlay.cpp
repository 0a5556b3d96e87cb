#include "platform/sampling/x11/X11PickOverlay.h"

#include "platform/sampling/overlay/MagnifierLoupe.h"
#include "platform/sampling/overlay/ScreenPixel.h"
#include "platform/sampling/x11/X11Pointer.h"
#include "platform/sampling/x11/X11ScreenGrab.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <xcb/xcb.h>

X11PickOverlay::X11PickOverlay(QScreen* screen) : m_screen(screen)
{
    // Override-redirect on X11: no window manager frames, moves or focuses it, and it covers
    // panels too.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint |
                   Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
    setScreen(screen);
    setGeometry(screen->geometry());
    QCoreApplication::instance()->installNativeEventFilter(this);
    m_grabTimer.setTimerType(Qt::PreciseTimer);
    m_grabTimer.setInterval(1);
    connect(&m_grabTimer, &QTimer::timeout, this, [this] {
        if (!m_source || !m_source->continueGrab())
            m_grabTimer.stop();
    });
}

void X11PickOverlay::present(QImage grab, X11ScreenGrab* source, Frozen frozen)
{
    setGeometry(m_screen->geometry());
    m_frozen.reset(std::move(grab), QRect(QPoint(), m_screen->geometry().size()));
    m_onScreen = QRegion();
    // Painting from the grab's own memory spares a window image of a whole screen and its
    // first paint, which cost more than the grab itself.
    m_source = source && source->canPaint() ? source : nullptr;
    if (testAttribute(Qt::WA_PaintOnScreen) != bool(m_source))
        setAttribute(Qt::WA_PaintOnScreen, bool(m_source));
    m_warpedTo.reset();
    update();
    show();
    // A kept window keeps its place in the stacking order: windows made since would cover it.
    raise();
    if (m_source && frozen == Frozen::byMapping) {
        showMappedScreen();
        return;
    }
    if (const auto pixel = nativePointer()) {
        setDevicePixel(*pixel);
        return;
    }
    const QPointF pointer = QCursor::pos(m_screen);
    if (m_screen->geometry().contains(pointer.toPoint()))
        followPointer(pointer);
}

void X11PickOverlay::prepare()
{
    winId();
    // The loupe drawn once for colours whose hex has every digit, so the first pick finds
    // each glyph of its label already rendered.
    QImage scratch(MagnifierLoupe::size(), QImage::Format_RGB32);
    QPainter painter(&scratch);
    for (const QRgb colour : {0x012345u, 0x6789ABu, 0xCDEF00u}) {
        QImage pixel(1, 1, QImage::Format_RGB32);
        pixel.fill(colour);
        MagnifierLoupe::paint(painter, scratch.rect(), pixel, QPoint(0, 0), QColor(colour));
    }
}

void X11PickOverlay::releaseWindowImage()
{
    // A hidden window's backing store keeps a whole screen's pixels; shrunk to nothing here,
    // it is sized again by the next paint.
    if (!isVisible() && backingStore())
        backingStore()->resize(QSize(1, 1));
}

void X11PickOverlay::releaseGrab()
{
    m_grabTimer.stop();
    m_source = nullptr;
    m_onScreen = QRegion();
    m_frozen.release();
}

bool X11PickOverlay::hasPointer() const
{
    if (X11Pointer::available())
        return nativePointer().has_value();
    return m_screen->geometry().contains(QCursor::pos(m_screen));
}

std::optional<QPoint> X11PickOverlay::nativePointer() const
{
    const auto pixel = X11Pointer::positionIn(windowHandle());
    if (pixel && QRect(QPoint(), m_frozen.image().size()).contains(*pixel))
        return pixel;
    return std::nullopt;
}

void X11PickOverlay::takeKeyboard()
{
    activateWindow();
    setFocus(Qt::OtherFocusReason);
    grabKeyboard();
}

void X11PickOverlay::paintEvent(QPaintEvent* event)
{
    if (testAttribute(Qt::WA_PaintOnScreen)) {
        paintFromSource(event->region());
        return;
    }
    QPainter painter(this);
    m_frozen.paint(painter, event->rect());
}

namespace {

// The device pixels a logical rectangle touches on a screen of this scale.
QRect deviceRectOf(const QRect& logical, qreal ratio)
{
    const int left = int(std::floor(logical.left() * ratio));
    const int top = int(std::floor(logical.top() * ratio));
    const int right = int(std::ceil((logical.right() + 1) * ratio));
    const int bottom = int(std::ceil((logical.bottom() + 1) * ratio));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

} // namespace

void X11PickOverlay::paintFromSource(const QRegion& region)
{
    if (!m_source)
        return;
    const qreal ratio = m_frozen.ratio();
    QRegion device;
    for (const QRect& rect : region)
        device += deviceRectOf(rect, ratio);
    if (m_onScreen.isEmpty())
        markPutsFromNow();
    const QRegion missing = device - m_onScreen;
    if (missing.isEmpty())
        return;
    m_source->finishGrab();
    // The loupe and the margin its pen may reach, drawn over a copy of the grab there and
    // put whole, first: the rest of a whole screen keeps the server busy for milliseconds
    // (tens at 4K), and until it is done what lies there is the same screen anyway. The
    // rest comes straight from the grab, so nothing flickers.
    QRect loupe = m_frozen.devicePixel() ? deviceRectOf(m_frozen.loupeDamage(), ratio) &
                                               QRect(QPoint(), m_frozen.image().size())
                                         : QRect();
    if (!missing.intersects(loupe))
        loupe = QRect();
    if (!loupe.isEmpty()) {
        QImage image = m_frozen.image().copy(loupe);
        image.setDevicePixelRatio(ratio);
        {
            QPainter painter(&image);
            painter.translate(-QPointF(loupe.topLeft()) / ratio);
            m_frozen.paintLoupe(painter);
        }
        m_source->putImage(windowHandle(), image, loupe.topLeft());
    }
    m_source->paintOnto(windowHandle(), missing - loupe);
    m_onScreen += missing;
    m_onScreen += loupe;
}

void X11PickOverlay::markPutsFromNow()
{
    if (const auto marker = X11ScreenGrab::sendFence()) {
        m_onScreenSince = *marker;
        X11ScreenGrab::dropFence(*marker);
    }
}

void X11PickOverlay::showMappedScreen()
{
    // The window shows the screen as it was when it mapped: all of it is on the screen
    // already. Exposures the map caused came before the marker.
    markPutsFromNow();
    m_onScreen = QRect(QPoint(), m_frozen.image().size());
    const auto pixel = nativePointer();
    if (!pixel) {
        m_source->grabRestLater();
        m_grabTimer.start();
        return;
    }
    const QRegion damage = m_frozen.setDevicePixel(*pixel);
    const QRect loupe = deviceRectOf(m_frozen.loupeDamage(), m_frozen.ratio());
    // Grabbed after the map, the part shows the frozen screen, not the loupe about to cover
    // it; the whole grab is asked for after the loupe's put, so the loupe does not wait.
    const bool partGrabbed = m_source->grabPartNow(loupe | m_frozen.sampledRect());
    if (!partGrabbed) {
        m_source->grabRestLater();
        m_source->finishGrab();
    }
    redraw(damage);
    paintFromSource(damage);
    if (partGrabbed) {
        m_source->grabRestLater();
        m_grabTimer.start();
    }
}

bool X11PickOverlay::nativeEventFilter(const QByteArray& type, void* message, qintptr*)
{
    if (m_onScreen.isEmpty() || type != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_EXPOSE)
        return false;
    const auto* expose = reinterpret_cast<const xcb_expose_event_t*>(event);
    if (expose->window != internalWinId())
        return false;
    // An exposure the server made before it handled the puts is covered by them; one made
    // since has lost what lay there.
    if (int(event->full_sequence - m_onScreenSince) >= 0)
        m_onScreen -= QRect(expose->x, expose->y, expose->width, expose->height);
    return false;
}

void X11PickOverlay::hideEvent(QHideEvent* event)
{
    m_grabTimer.stop();
    m_onScreen = QRegion();
    QWidget::hideEvent(event);
}

void X11PickOverlay::mouseMoveEvent(QMouseEvent* event)
{
    if (m_warpedTo && (event->globalPosition() - *m_warpedTo).manhattanLength() < 1.0)
        return;
    m_warpedTo.reset();
    if (QWidget::keyboardGrabber() != this)
        takeKeyboard();
    followPointer(event->globalPosition());
}

void X11PickOverlay::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        emit cancelled();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    // A click where the arrow keys left the pointer picks the pixel they chose.
    if (!m_warpedTo || (event->globalPosition() - *m_warpedTo).manhattanLength() >= 1.0)
        followPointer(event->globalPosition());
    pick();
}

void X11PickOverlay::keyPressEvent(QKeyEvent* event)
{
    switch (FrozenScreen::keyAction(event->key())) {
    case FrozenScreen::KeyAction::cancel:
        emit cancelled();
        return;
    case FrozenScreen::KeyAction::pick:
        syncWithPointer();
        pick();
        return;
    case FrozenScreen::KeyAction::move:
        moveByDevicePixels(FrozenScreen::arrowStep(event->key()));
        return;
    case FrozenScreen::KeyAction::zoomIn:
    case FrozenScreen::KeyAction::zoomOut:
    case FrozenScreen::KeyAction::cycleArea:
        redraw(m_frozen.applyLoupeKey(event->key()));
        return;
    case FrozenScreen::KeyAction::none:
        QWidget::keyPressEvent(event);
    }
}

void X11PickOverlay::wheelEvent(QWheelEvent* event)
{
    // A notch is 120; a touchpad's smaller steps add up to notches.
    m_wheelTravel += event->angleDelta().y();
    const int notches = m_wheelTravel / 120;
    m_wheelTravel -= notches * 120;
    if (notches != 0)
        redraw(m_frozen.zoomBy(notches));
}

void X11PickOverlay::enterEvent(QEnterEvent*)
{
    // The keyboard follows the pointer from screen to screen. The position comes from
    // motion events only: an enter may be delivered late, with a position from before an
    // arrow key moved the pointer.
    takeKeyboard();
}

void X11PickOverlay::followPointer(QPointF globalPosition)
{
    const QPoint pixel = devicePixelAt(globalPosition, m_screen->geometry(), m_frozen.ratio());
    // The logical position names the device pixel only to within a logical pixel on a
    // scaled screen; the X server knows the exact one. Its answer is taken when it agrees
    // with the event, that is, when the pointer has not moved on since.
    const auto native = nativePointer();
    const int reach = int(std::ceil(m_frozen.ratio()));
    if (native && std::abs(native->x() - pixel.x()) <= reach &&
        std::abs(native->y() - pixel.y()) <= reach) {
        setDevicePixel(*native);
        return;
    }
    setDevicePixel(pixel);
}

void X11PickOverlay::setDevicePixel(QPoint pixel)
{
    redraw(m_frozen.setDevicePixel(pixel));
}

void X11PickOverlay::redraw(const QRegion& damage)
{
    // What is on the screen there is stale now: put again, not skipped as already shown.
    for (const QRect& rect : damage)
        m_onScreen -= deviceRectOf(rect, m_frozen.ratio());
    update(damage);
}

void X11PickOverlay::syncWithPointer()
{
    // Qt drops a motion to the position it last reported, even when an arrow key's warp
    // moved the pointer in between; the X server's answer is current.
    if (const auto native = nativePointer())
        setDevicePixel(*native);
    else if (!m_frozen.devicePixel())
        followPointer(QCursor::pos(m_screen));
}

void X11PickOverlay::moveByDevicePixels(QPoint step)
{
    syncWithPointer();
    setDevicePixel(*m_frozen.devicePixel() + step);
    const QPoint pixel = *m_frozen.devicePixel();
    if (X11Pointer::warpTo(windowHandle(), pixel))
        return;
    // Elsewhere the system pointer follows as closely as logical coordinates allow.
    const QPointF centre = logicalCentreOf(pixel, m_screen->geometry(), m_frozen.ratio());
    const QPoint warp(int(std::floor(centre.x())), int(std::floor(centre.y())));
    m_warpedTo = QPointF(warp);
    QCursor::setPos(m_screen, warp);
}

void X11PickOverlay::pick()
{
    if (!m_frozen.devicePixel())
        syncWithPointer();
    // A pick where the loupe first showed (a click at once) reads the part grabbed first, and
    // does not wait for the rest of the screen (tens of milliseconds at 4K).
    if (m_source && m_source->isGrabbing() &&
        m_source->partRect().contains(m_frozen.sampledRect())) {
        emit colorPicked(m_frozen.color(m_source->part(), m_source->partRect().topLeft()));
        return;
    }
    if (m_source)
        m_source->finishGrab();
    emit colorPicked(m_frozen.color());
}
