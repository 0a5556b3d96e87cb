#include "platform/sampling/overlay/FrozenScreen.h"

#include "platform/sampling/overlay/MagnifierLoupe.h"

#include <QPainter>

#include <algorithm>

void FrozenScreen::reset(QImage image, const QRect& bounds)
{
    m_image = std::move(image);
    m_bounds = bounds;
    m_pixel.reset();
    m_loupeRect = QRect();
}

void FrozenScreen::release()
{
    m_image = QImage();
    m_pixel.reset();
    m_loupeRect = QRect();
}

QRect FrozenScreen::loupeDamage() const
{
    // On a scaled screen the border pen reaches a device pixel beyond the logical rectangle.
    return m_loupeRect.isNull() ? QRect() : m_loupeRect.adjusted(-2, -2, 2, 2);
}

QRect FrozenScreen::sampledRect() const
{
    if (!m_pixel)
        return {};
    const int reach = std::max(MagnifierLoupe::pixelsAcross(), MagnifierLoupe::sampleSide()) / 2;
    const QPoint corner(reach, reach);
    return QRect(*m_pixel - corner, *m_pixel + corner) & QRect(QPoint(), m_image.size());
}

QRegion FrozenScreen::setDevicePixel(QPoint pixel)
{
    if (m_image.isNull())
        return {};
    pixel.setX(std::clamp(pixel.x(), 0, m_image.width() - 1));
    pixel.setY(std::clamp(pixel.y(), 0, m_image.height() - 1));
    if (m_pixel == pixel)
        return {};
    QRegion damage(loupeDamage());
    m_pixel = pixel;
    const QPoint pointer = (QPointF(pixel) / ratio()).toPoint();
    m_loupeRect = MagnifierLoupe::placement(pointer, m_bounds);
    return damage + loupeDamage();
}

QRegion FrozenScreen::moveBy(QPoint step)
{
    return setDevicePixel(m_pixel.value_or(QPoint()) + step);
}

QColor FrozenScreen::color() const
{
    return m_pixel ? MagnifierLoupe::sampleColor(m_image, *m_pixel) : QColor();
}

QColor FrozenScreen::color(const QImage& part, QPoint origin) const
{
    return m_pixel ? MagnifierLoupe::sampleColor(part, *m_pixel - origin) : QColor();
}

QRegion FrozenScreen::replaceLoupe()
{
    if (!m_pixel)
        return {};
    QRegion damage(loupeDamage());
    const QPoint pointer = (QPointF(*m_pixel) / ratio()).toPoint();
    m_loupeRect = MagnifierLoupe::placement(pointer, m_bounds);
    return damage + loupeDamage();
}

QRegion FrozenScreen::zoomBy(int steps)
{
    return MagnifierLoupe::zoomBy(steps) ? replaceLoupe() : QRegion();
}

QRegion FrozenScreen::cycleSampleArea()
{
    MagnifierLoupe::cycleSampleArea();
    return replaceLoupe();
}

QRegion FrozenScreen::applyLoupeKey(int qtKey)
{
    switch (keyAction(qtKey)) {
    case KeyAction::zoomIn:
        return zoomBy(1);
    case KeyAction::zoomOut:
        return zoomBy(-1);
    case KeyAction::cycleArea:
        return cycleSampleArea();
    default:
        return {};
    }
}

void FrozenScreen::paint(QPainter& painter, const QRect& area) const
{
    // The image carries the screen's device pixel ratio, so it is drawn 1:1 without scaling.
    painter.drawImage(area.topLeft(), m_image,
                      QRectF(QPointF(area.topLeft()) * ratio(), QSizeF(area.size()) * ratio()));
    if (m_pixel && area.intersects(m_loupeRect))
        paintLoupe(painter);
}

void FrozenScreen::paintLoupe(QPainter& painter) const
{
    if (m_pixel)
        MagnifierLoupe::paint(painter, m_loupeRect, m_image, *m_pixel, color());
}

FrozenScreen::KeyAction FrozenScreen::keyAction(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Escape:
        return KeyAction::cancel;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyAction::pick;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return KeyAction::zoomIn;
    case Qt::Key_Minus:
        return KeyAction::zoomOut;
    case Qt::Key_A:
        return KeyAction::cycleArea;
    default:
        return arrowStep(qtKey).isNull() ? KeyAction::none : KeyAction::move;
    }
}

QPoint FrozenScreen::arrowStep(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Left:
        return {-1, 0};
    case Qt::Key_Right:
        return {1, 0};
    case Qt::Key_Up:
        return {0, -1};
    case Qt::Key_Down:
        return {0, 1};
    default:
        return {};
    }
}
