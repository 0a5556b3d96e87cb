#include "app/panel/ColorPickerTheme.h"

namespace ColorPickerTheme {

const QColor& accent()
{
    static const QColor color = QColor::fromRgbF(0.204f, 0.827f, 0.6f);
    return color;
}

const QColor& onAccent()
{
    static const QColor color = QColor::fromRgbF(0.024f, 0.106f, 0.075f);
    return color;
}

} // namespace ColorPickerTheme
