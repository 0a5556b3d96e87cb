#include "X11PickOverlay.h"

#include "MagnifierLoupe.h"
#include "ScreenPixel.h"
#include "X11Pointer.h"
#include "X11ScreenGrab.h"

#include <QBackingStore>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

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
}

void X11PickOverlay::present(QImage grab, const X11ScreenGrab* source)
{
    setGeometry(m_screen->geometry());
    m_frozen.reset(std::move(grab), QRect(QPoint(), m_screen->geometry().size()));
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
    QImage scratch(MagnifierLoupe::size(), QImage::Format_RGB32);
    scratch.fill(Qt::gray);
    QPainter painter(&scratch);
    MagnifierLoupe::paint(painter, scratch.rect(), scratch, QPoint(0, 0), Qt::gray);
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
    m_source = nullptr;
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
    // The loupe and the margin its pen may reach, drawn over a copy of the grab there and
    // put whole; the rest of the region comes straight from the grab, so nothing flickers.
    const QRect loupe = m_frozen.devicePixel() ? deviceRectOf(m_frozen.loupeDamage(), ratio) &
                                                     QRect(QPoint(), m_frozen.image().size())
                                               : QRect();
    if (loupe.isEmpty() || !device.intersects(loupe)) {
        m_source->paintOnto(windowHandle(), device);
        return;
    }
    m_source->paintOnto(windowHandle(), device - loupe);
    QImage image = m_frozen.image().copy(loupe);
    image.setDevicePixelRatio(ratio);
    {
        QPainter painter(&image);
        painter.translate(-QPointF(loupe.topLeft()) / ratio);
        m_frozen.paintLoupe(painter);
    }
    m_source->putImage(windowHandle(), image, loupe.topLeft());
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
        update(m_frozen.applyLoupeKey(event->key()));
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
        update(m_frozen.zoomBy(notches));
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
    update(m_frozen.setDevicePixel(pixel));
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
    emit colorPicked(m_frozen.color());
}
