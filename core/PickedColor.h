#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

struct SrgbComponents;

// numerator / denominator rounded to the nearest integer, halves up; both non-negative and
// the denominator above zero. The integer notations round with it, so an exact half is never
// lost to floating-point error.
constexpr int roundRatio(int numerator, int denominator)
{
    return (2 * numerator + denominator) / (2 * denominator);
}

// Hue in degrees 0...359, saturation and lightness in percent 0...100.
struct Hsl
{
    int hue = 0;
    int saturation = 0;
    int lightness = 0;

    friend bool operator==(const Hsl&, const Hsl&) = default;
};

// A colour picked from the screen: three sRGB channels 0...255, no alpha. Every notation of it
// is an entry of the notation table (Notations.h); the three below are the panel's defaults.
struct PickedColor
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    // Each component times 255, rounded half away from zero. None when a component is not a
    // number or lies so far outside 0...1 that its channel would leave 0...255: such a colour
    // has no sRGB form.
    static std::optional<PickedColor> fromSrgb(const SrgbComponents& components);
    // "#RRGGBB" or "RRGGBB" in either case, surrounding whitespace ignored. None otherwise.
    static std::optional<PickedColor> fromHex(QStringView text);

    QString hexString() const; // "#3A7BD5"
    QString rgbString() const; // "58, 123, 213"
    Hsl hsl() const;
    QString hslString() const; // "215°, 65%, 53%"

    friend bool operator==(const PickedColor&, const PickedColor&) = default;
};
