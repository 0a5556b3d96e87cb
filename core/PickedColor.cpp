#include "core/PickedColor.h"

#include "core/Notations.h"

#include "core/ports/ScreenSampler.h"

#include <algorithm>
#include <cmath>

namespace {

// std::round rounds halves away from zero, as every notation here requires.
std::int64_t roundHalfAway(double value)
{
    return static_cast<std::int64_t>(std::round(value));
}

// A component a hair outside 0...1 (as a colour-space conversion may deliver) still names a
// channel; only one that rounds outside 0...255, or is not a number, has no sRGB form.
std::optional<std::uint8_t> channelFromComponent(double component)
{
    const double scaled = component * 255.0;
    if (!(scaled > -0.5 && scaled < 255.5))
        return std::nullopt;
    return static_cast<std::uint8_t>(roundHalfAway(scaled));
}

// Either case: the same digits as upper-casing the text first, without the copy.
int hexDigitValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    return -1;
}

} // namespace

std::optional<PickedColor> PickedColor::fromSrgb(const SrgbComponents& components)
{
    const auto red = channelFromComponent(components.red);
    const auto green = channelFromComponent(components.green);
    const auto blue = channelFromComponent(components.blue);
    if (!red || !green || !blue)
        return std::nullopt;
    return PickedColor{*red, *green, *blue};
}

std::optional<PickedColor> PickedColor::fromHex(QStringView text)
{
    QStringView digits = text.trimmed();
    if (digits.startsWith(u'#'))
        digits = digits.sliced(1);
    if (digits.size() != 6)
        return std::nullopt;

    std::uint32_t value = 0;
    for (QChar c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return PickedColor{static_cast<std::uint8_t>(value >> 16 & 0xFF),
                       static_cast<std::uint8_t>(value >> 8 & 0xFF),
                       static_cast<std::uint8_t>(value & 0xFF)};
}

QString PickedColor::hexString() const
{
    return Notations::hex().format(*this);
}

QString PickedColor::rgbString() const
{
    return Notations::rgb().format(*this);
}

Hsl PickedColor::hsl() const
{
    // Exact fractions of the channels: a value that is exactly a half (saturation 87.5% for
    // 7, 9, 105) rounds away from zero, where double arithmetic can land just below it.
    const int r = red;
    const int g = green;
    const int b = blue;
    const int max = std::max({r, g, b});
    const int min = std::min({r, g, b});
    const int delta = max - min;
    const int sum = max + min;
    const int lightness = roundRatio(100 * sum, 510);
    if (delta == 0)
        return {0, 0, lightness};

    // The hue in sixtieths of delta, made non-negative.
    int hue60;
    if (max == r)
        hue60 = 60 * (g - b) + (g < b ? 360 * delta : 0);
    else if (max == g)
        hue60 = 60 * (b - r) + 120 * delta;
    else
        hue60 = 60 * (r - g) + 240 * delta;
    int hue = roundRatio(hue60, delta);
    if (hue > 359)
        hue -= 360;
    const int denominator = sum > 255 ? 510 - sum : sum; // lightness above one half or not
    return {hue, roundRatio(100 * delta, denominator), lightness};
}

QString PickedColor::hslString() const
{
    return Notations::hsl().format(*this);
}
