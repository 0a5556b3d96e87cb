#include "app/panel/ForegroundStyle.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace ForegroundStyle {

QColor primary(const QPalette& palette, qreal opacity)
{
    QColor color = palette.color(QPalette::Active, QPalette::WindowText);
    color.setAlphaF(float(color.alphaF() * opacity));
    return color;
}

QColor secondary(const QPalette& palette)
{
    // The desktop's secondary labels are the text colour at about half strength.
    return primary(palette, 0.5);
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

QFont systemFont(int pixelSize, QFont::Weight weight)
{
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

QFont monospacedFont(int pixelSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Normal);
    return font;
}

void paintFocusRing(QPainter& painter, const QRectF& rect, qreal radius, const QPalette& palette)
{
    painter.save();
    painter.setOpacity(1.0);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette.color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(rect.adjusted(1, 1, -1, -1), radius, radius);
    painter.restore();
}

} // namespace ForegroundStyle
