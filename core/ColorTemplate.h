#pragma once

#include "core/PickedColor.h"

#include <QString>
#include <QStringView>

#include <optional>

// A user's own notation: text with placeholders, such as "Color(0xFF{hex})".
//   {r} {g} {b}     channels 0...255
//   {hex} {hexl}    RRGGBB in upper or lower case
//   {rf} {gf} {bf}  channels 0...1 with 4 decimals
//   {h} {s} {l}     the HSL row's hue, saturation and lightness
//   {{ }}           a brace
namespace ColorTemplate {

// Why the template cannot be used (an unknown placeholder, a lone brace, no text), or none.
std::optional<QString> problem(QStringView pattern);

// The template filled in for the colour; a template with a problem gives an empty text.
QString apply(QStringView pattern, const PickedColor& color);

} // namespace ColorTemplate
