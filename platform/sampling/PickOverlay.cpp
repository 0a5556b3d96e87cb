#include "PickOverlay.h"

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

PickOverlay::PickOverlay(QScreen* screen) : m_screen(screen)
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

void PickOverlay::present(QImage grab, const X11ScreenGrab* source)
{
    m_grab = std::move(grab);
    // Painting from the grab's own memory spares a window image of a whole screen and its
    // first paint, which cost more than the grab itself.
    m_source = source && source->canPaint() ? source : nullptr;
    if (testAttribute(Qt::WA_PaintOnScreen) != bool(m_source))
        setAttribute(Qt::WA_PaintOnScreen, bool(m_source));
    m_pixel.reset();
    m_loupeRect = QRect();
    m_warpedTo.reset();
    setGeometry(m_screen->geometry());
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

void PickOverlay::prepare()
{
    winId();
    QImage scratch(MagnifierLoupe::size(), QImage::Format_RGB32);
    scratch.fill(Qt::gray);
    QPainter painter(&scratch);
    MagnifierLoupe::paint(painter, scratch.rect(), scratch, QPoint(0, 0));
}

void PickOverlay::releaseWindowImage()
{
    // A hidden window's backing store keeps a whole screen's pixels; shrunk to nothing here,
    // it is sized again by the next paint.
    if (!isVisible() && backingStore())
        backingStore()->resize(QSize(1, 1));
}

void PickOverlay::releaseGrab()
{
    m_source = nullptr;
    m_grab = QImage();
    m_pixel.reset();
    m_loupeRect = QRect();
}

bool PickOverlay::hasPointer() const
{
    if (X11Pointer::available())
        return nativePointer().has_value();
    return m_screen->geometry().contains(QCursor::pos(m_screen));
}

std::optional<QPoint> PickOverlay::nativePointer() const
{
    const auto pixel = X11Pointer::positionIn(windowHandle());
    if (pixel && QRect(QPoint(), m_grab.size()).contains(*pixel))
        return pixel;
    return std::nullopt;
}

void PickOverlay::takeKeyboard()
{
    activateWindow();
    setFocus(Qt::OtherFocusReason);
    grabKeyboard();
}

void PickOverlay::paintEvent(QPaintEvent* event)
{
    if (testAttribute(Qt::WA_PaintOnScreen)) {
        paintFromSource(event->region());
        return;
    }
    QPainter painter(this);
    // The grab carries the screen's device pixel ratio, so it is drawn 1:1 without scaling.
    painter.drawImage(event->rect().topLeft(), m_grab,
                      QRectF(QPointF(event->rect().topLeft()) * m_grab.devicePixelRatio(),
                             QSizeF(event->rect().size()) * m_grab.devicePixelRatio()));
    if (m_pixel && event->rect().intersects(m_loupeRect))
        MagnifierLoupe::paint(painter, m_loupeRect, m_grab, *m_pixel);
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

void PickOverlay::paintFromSource(const QRegion& region)
{
    if (!m_source)
        return;
    const qreal ratio = m_grab.devicePixelRatio();
    QRegion device;
    for (const QRect& rect : region)
        device += deviceRectOf(rect, ratio);
    // The loupe and the margin its pen may reach, drawn over a copy of the grab there and
    // put whole; the rest of the region comes straight from the grab, so nothing flickers.
    const QRect loupe = m_pixel ? deviceRectOf(m_loupeRect.adjusted(-2, -2, 2, 2), ratio) &
                                      QRect(QPoint(), m_grab.size())
                                : QRect();
    if (loupe.isEmpty() || !device.intersects(loupe)) {
        m_source->paintOnto(windowHandle(), device);
        return;
    }
    m_source->paintOnto(windowHandle(), device - loupe);
    QImage image = m_grab.copy(loupe);
    image.setDevicePixelRatio(ratio);
    {
        QPainter painter(&image);
        painter.translate(-QPointF(loupe.topLeft()) / ratio);
        MagnifierLoupe::paint(painter, m_loupeRect, m_grab, *m_pixel);
    }
    m_source->putImage(windowHandle(), image, loupe.topLeft());
}

void PickOverlay::mouseMoveEvent(QMouseEvent* event)
{
    if (m_warpedTo && (event->globalPosition() - *m_warpedTo).manhattanLength() < 1.0)
        return;
    m_warpedTo.reset();
    if (QWidget::keyboardGrabber() != this)
        takeKeyboard();
    followPointer(event->globalPosition());
}

void PickOverlay::mousePressEvent(QMouseEvent* event)
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

void PickOverlay::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        emit cancelled();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        syncWithPointer();
        pick();
        return;
    case Qt::Key_Left:
        moveByDevicePixels(-1, 0);
        return;
    case Qt::Key_Right:
        moveByDevicePixels(1, 0);
        return;
    case Qt::Key_Up:
        moveByDevicePixels(0, -1);
        return;
    case Qt::Key_Down:
        moveByDevicePixels(0, 1);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void PickOverlay::enterEvent(QEnterEvent*)
{
    // The keyboard follows the pointer from screen to screen. The position comes from
    // motion events only: an enter may be delivered late, with a position from before an
    // arrow key moved the pointer.
    takeKeyboard();
}

void PickOverlay::followPointer(QPointF globalPosition)
{
    const QPoint pixel =
        devicePixelAt(globalPosition, m_screen->geometry(), m_grab.devicePixelRatio());
    // The logical position names the device pixel only to within a logical pixel on a
    // scaled screen; the X server knows the exact one. Its answer is taken when it agrees
    // with the event, that is, when the pointer has not moved on since.
    const auto native = nativePointer();
    const int reach = int(std::ceil(m_grab.devicePixelRatio()));
    if (native && std::abs(native->x() - pixel.x()) <= reach &&
        std::abs(native->y() - pixel.y()) <= reach) {
        setDevicePixel(*native);
        return;
    }
    setDevicePixel(pixel);
}

void PickOverlay::setDevicePixel(QPoint pixel)
{
    pixel.setX(std::clamp(pixel.x(), 0, m_grab.width() - 1));
    pixel.setY(std::clamp(pixel.y(), 0, m_grab.height() - 1));
    if (m_pixel == pixel)
        return;
    m_pixel = pixel;
    // A margin around the loupe: on a scaled screen its border pen reaches a device pixel
    // beyond the logical rectangle.
    const QRect previous = m_loupeRect.adjusted(-2, -2, 2, 2);
    m_loupeRect = loupeRectFor(pixel);
    update(previous);
    update(m_loupeRect.adjusted(-2, -2, 2, 2));
}

void PickOverlay::syncWithPointer()
{
    // Qt drops a motion to the position it last reported, even when an arrow key's warp
    // moved the pointer in between; the X server's answer is current.
    if (const auto native = nativePointer())
        setDevicePixel(*native);
    else if (!m_pixel)
        followPointer(QCursor::pos(m_screen));
}

void PickOverlay::moveByDevicePixels(int dx, int dy)
{
    syncWithPointer();
    setDevicePixel(*m_pixel + QPoint(dx, dy));
    if (X11Pointer::warpTo(windowHandle(), *m_pixel))
        return;
    // Elsewhere the system pointer follows as closely as logical coordinates allow.
    const QPointF centre =
        logicalCentreOf(*m_pixel, m_screen->geometry(), m_grab.devicePixelRatio());
    const QPoint warp(int(std::floor(centre.x())), int(std::floor(centre.y())));
    m_warpedTo = QPointF(warp);
    QCursor::setPos(m_screen, warp);
}

void PickOverlay::pick()
{
    if (!m_pixel)
        syncWithPointer();
    emit colorPicked(m_grab.pixelColor(*m_pixel));
}

QRect PickOverlay::loupeRectFor(QPoint pixel) const
{
    const QPoint pointer = (QPointF(pixel) / m_grab.devicePixelRatio()).toPoint();
    return MagnifierLoupe::placement(pointer, rect());
}
