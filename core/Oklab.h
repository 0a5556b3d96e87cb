#pragma once

#include "core/PickedColor.h"

#include <cstdint>

// A colour in OKLab: lightness 0...1, a and b around 0.
struct Oklab
{
    double lightness, a, b;
};

namespace Srgb {

// The channel with the sRGB transfer function undone (IEC 61966-2-1): 0...1 in linear light.
double linear(std::uint8_t channel);
// Björn Ottosson's linear-sRGB to OKLab matrices.
Oklab toOklab(const PickedColor& color);

} // namespace Srgb
