#include "MagnifierLoupe.h"

#include <QImage>
#include <QPainter>

namespace MagnifierLoupe {

QSize size()
{
    return QSize(pixelsAcross * cellSize, pixelsAcross * cellSize + labelHeight);
}

QRect placement(QPoint pointer, const QRect& bounds)
{
    const QSize loupe = size();
    QPoint topLeft = pointer + QPoint(pointerGap, pointerGap);
    if (topLeft.x() + loupe.width() > bounds.right() + 1)
        topLeft.setX(pointer.x() - pointerGap - loupe.width());
    if (topLeft.y() + loupe.height() > bounds.bottom() + 1)
        topLeft.setY(pointer.y() - pointerGap - loupe.height());
    // A screen smaller than the flipped loupe still keeps it whole where it can.
    topLeft.setX(std::clamp(topLeft.x(), bounds.left(),
                            std::max(bounds.left(), bounds.right() + 1 - loupe.width())));
    topLeft.setY(std::clamp(topLeft.y(), bounds.top(),
                            std::max(bounds.top(), bounds.bottom() + 1 - loupe.height())));
    return QRect(topLeft, loupe);
}

QString hexText(const QColor& color)
{
    return QStringLiteral("#%1%2%3")
        .arg(color.red(), 2, 16, QLatin1Char('0'))
        .arg(color.green(), 2, 16, QLatin1Char('0'))
        .arg(color.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

static void paintCells(QPainter& painter, QPoint origin, const QImage& grab, QPoint centre)
{
    const int half = pixelsAcross / 2;
    for (int row = 0; row < pixelsAcross; ++row) {
        for (int column = 0; column < pixelsAcross; ++column) {
            const QPoint source = centre + QPoint(column - half, row - half);
            const QColor color =
                grab.valid(source) ? grab.pixelColor(source) : QColor(128, 128, 128);
            painter.fillRect(QRect(origin + QPoint(column * cellSize, row * cellSize),
                                   QSize(cellSize, cellSize)),
                             color);
        }
    }
    // The grid: thin and half transparent, so it shows on light and dark pixels alike.
    painter.setPen(QPen(QColor(0, 0, 0, 60), 0));
    const int extent = pixelsAcross * cellSize;
    for (int line = 1; line < pixelsAcross; ++line) {
        const int at = line * cellSize;
        painter.drawLine(origin + QPoint(at, 0), origin + QPoint(at, extent - 1));
        painter.drawLine(origin + QPoint(0, at), origin + QPoint(extent - 1, at));
    }
    const QRect middle(origin + QPoint(half * cellSize, half * cellSize),
                       QSize(cellSize, cellSize));
    painter.setPen(QPen(Qt::black, 2));
    painter.drawRect(middle.adjusted(-1, -1, 1, 1));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(middle.adjusted(0, 0, -1, -1));
}

void paint(QPainter& painter, const QRect& target, const QImage& grab, QPoint centre)
{
    painter.save();
    paintCells(painter, target.topLeft(), grab, centre);

    const QRect label(target.left(), target.top() + pixelsAcross * cellSize, target.width(),
                      labelHeight);
    painter.fillRect(label, QColor(30, 30, 30));
    painter.setPen(Qt::white);
    const QColor color = grab.valid(centre) ? grab.pixelColor(centre) : QColor();
    painter.drawText(label, Qt::AlignCenter, color.isValid() ? hexText(color) : QString());

    painter.setPen(QPen(QColor(30, 30, 30), 1));
    painter.drawRect(target.adjusted(0, 0, -1, -1));
    painter.restore();
}

} // namespace MagnifierLoupe
