#pragma once

#include <QColor>

// The picker's two theme colours, opaque sRGB, built once on first use.
namespace ColorPickerTheme {

// Fills the pick button; colours the web-picker link and a row's copied tick.
const QColor& accent();
// The pick button's text and icon.
const QColor& onAccent();

} // namespace ColorPickerTheme
