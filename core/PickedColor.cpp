#include "PickedColor.h"

#include "Notations.h"

#include "ScreenSampler.h"

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

int hexDigitValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
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
    QString digits = text.trimmed().toString().toUpper();
    if (digits.startsWith(u'#'))
        digits.remove(0, 1);
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
    const double r = red / 255.0;
    const double g = green / 255.0;
    const double b = blue / 255.0;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    const double delta = max - min;
    const double sum = max + min;
    const double lightness = sum * 0.5;

    if (!(delta > 0))
        return {0, 0, static_cast<int>(roundHalfAway(lightness * 100))};

    const double denominator = lightness > 0.5 ? 2.0 - max - min : sum;
    double h;
    if (max == r)
        h = (g - b) / delta;
    else if (max == g)
        h = (b - r) / delta + 2.0;
    else
        h = (r - g) / delta + 4.0;
    h *= 60.0;
    if (h < 0)
        h += 360.0;

    int hue = static_cast<int>(roundHalfAway(h));
    if (hue > 359)
        hue -= 360;
    return {hue, static_cast<int>(roundHalfAway(delta / denominator * 100)),
            static_cast<int>(roundHalfAway(lightness * 100))};
}

QString PickedColor::hslString() const
{
    return Notations::hsl().format(*this);
}
