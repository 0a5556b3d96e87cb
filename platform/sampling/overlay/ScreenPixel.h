#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>

#include <cmath>

// The device pixel of a screen's own grab that lies under a point given in Qt's global
// (logical) coordinates. The grab starts at the screen's top-left corner and holds
// devicePixelRatio device pixels per logical pixel, so the offset is taken first and then
// scaled; flooring (not rounding) keeps a fractional position inside the pixel it touches.
inline QPoint devicePixelAt(QPointF globalPosition, const QRect& screenGeometry,
                            qreal devicePixelRatio)
{
    const QPointF offset = (globalPosition - QPointF(screenGeometry.topLeft())) * devicePixelRatio;
    // A small tolerance absorbs the conversion noise of a position that was itself computed
    // from a device pixel (x / 1.5 * 1.5 may land just below x).
    constexpr qreal tolerance = 1e-6;
    return QPoint(int(std::floor(offset.x() + tolerance)), int(std::floor(offset.y() + tolerance)));
}

// The logical global position at the centre of a device pixel of the screen's grab.
inline QPointF logicalCentreOf(QPoint devicePixel, const QRect& screenGeometry,
                               qreal devicePixelRatio)
{
    return QPointF(screenGeometry.topLeft()) +
           (QPointF(devicePixel) + QPointF(0.5, 0.5)) / devicePixelRatio;
}
