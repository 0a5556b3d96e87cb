#pragma once

#include <QColor>
#include <QFont>

class QPalette;

// The hierarchical foreground styles and the panel's fonts. Primary and secondary follow the
// palette, so light and dark themes both read well. Sizes are logical pixels.
namespace ForegroundStyle {

QColor primary(const QPalette& palette, qreal opacity = 1.0);
QColor secondary(const QPalette& palette);

// The desktop's interface font at the size and weight.
QFont systemFont(int pixelSize, QFont::Weight weight = QFont::Normal);
// The desktop's fixed-pitch font at the size, default weight.
QFont monospacedFont(int pixelSize);

} // namespace ForegroundStyle
