#pragma once

#include <QColor>
#include <QFont>

class QPainter;
class QPalette;
class QRectF;
class QWidget;

// The hierarchical foreground styles and the panel's fonts. Primary and secondary follow the
// palette, so light and dark themes both read well. Sizes are logical pixels.
namespace ForegroundStyle {

QColor primary(const QPalette& palette, qreal opacity = 1.0);
QColor secondary(const QPalette& palette);
// Draws the widget's text in the colour, whatever its palette's roles hold.
void setTextColor(QWidget* widget, const QColor& color);

// The desktop's interface font at the size and weight.
QFont systemFont(int pixelSize, QFont::Weight weight = QFont::Normal);
// The desktop's fixed-pitch font at the size, default weight.
QFont monospacedFont(int pixelSize);

// The keyboard focus ring: the palette's highlight, 2 wide, inside the rounded rectangle.
void paintFocusRing(QPainter& painter, const QRectF& rect, qreal radius, const QPalette& palette);

} // namespace ForegroundStyle
