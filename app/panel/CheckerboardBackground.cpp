#include "app/panel/CheckerboardBackground.h"

#include "app/panel/ForegroundStyle.h"

#include <QPainter>

CheckerboardBackground::CheckerboardBackground(QWidget* parent) : QWidget(parent) {}

void CheckerboardBackground::paint(QPainter& painter, const QRect& rect, const QPalette& palette)
{
    const int columns = (rect.width() + squareSize - 1) / squareSize;
    const int rows = (rect.height() + squareSize - 1) / squareSize;
    if (rows <= 0 || columns <= 0)
        return;

    const QColor light = ForegroundStyle::primary(palette, lightOpacity);
    const QColor dark = ForegroundStyle::primary(palette, darkOpacity);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const QRect square(rect.x() + column * squareSize, rect.y() + row * squareSize,
                               squareSize, squareSize);
            painter.fillRect(square, (row + column) % 2 == 1 ? dark : light);
        }
    }
    painter.restore();
}

void CheckerboardBackground::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, rect(), palette());
}
