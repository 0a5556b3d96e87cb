#include "core/PickedColor.h"
#include "core/ports/ScreenSampler.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct NotationCase
{
    PickedColor color;
    const char* hex;
    const char* rgb;
    const char* hsl;
};

const NotationCase notationCases[] = {
    {{58, 123, 213}, "#3A7BD5", "58, 123, 213", "215°, 65%, 53%"},
    {{255, 0, 0}, "#FF0000", "255, 0, 0", "0°, 100%, 50%"},
    {{128, 128, 128}, "#808080", "128, 128, 128", "0°, 0%, 50%"},
    {{0, 0, 0}, "#000000", "0, 0, 0", "0°, 0%, 0%"},
    {{255, 255, 255}, "#FFFFFF", "255, 255, 255", "0°, 0%, 100%"},
    {{255, 0, 128}, "#FF0080", "255, 0, 128", "330°, 100%, 50%"},
    {{255, 0, 1}, "#FF0001", "255, 0, 1", "0°, 100%, 50%"},
    {{0, 255, 255}, "#00FFFF", "0, 255, 255", "180°, 100%, 50%"},
    {{10, 20, 30}, "#0A141E", "10, 20, 30", "210°, 50%, 8%"},
};

} // namespace

TEST(PickedColor, WritesEachNotationAndParsesItsHexBack)
{
    for (const NotationCase& c : notationCases) {
        SCOPED_TRACE(c.hex);
        EXPECT_EQ(c.color.hexString(), QString::fromUtf8(c.hex));
        EXPECT_EQ(c.color.rgbString(), QString::fromUtf8(c.rgb));
        EXPECT_EQ(c.color.hslString(), QString::fromUtf8(c.hsl));
        EXPECT_EQ(PickedColor::fromHex(c.color.hexString()), c.color);
    }
    EXPECT_EQ((PickedColor{58, 123, 213}.hsl()), (Hsl{215, 65, 53}));
}

TEST(PickedColor, ParsesOnlySixHexDigitsWithOneOptionalHash)
{
    const PickedColor expected{58, 123, 213};
    for (const char* text : {"#3a7bd5", "3A7BD5", "  #3A7BD5\n", "\t3a7BD5 "})
        EXPECT_EQ(PickedColor::fromHex(QString::fromUtf8(text)), expected) << text;
    // Unicode whitespace counts as whitespace too.
    EXPECT_EQ(PickedColor::fromHex(QStringLiteral("\u2003#3A7BD5\u00A0")), expected);

    for (const char* text :
         {"#FFF", "#3A7BD5FF", "", "#", "##3A7BD", "#3A7BDG", "# 3A7BD5", "+3A7BD5", "#3A7B D5"})
        EXPECT_EQ(PickedColor::fromHex(QString::fromUtf8(text)), std::nullopt) << text;
}

TEST(PickedColor, ConvertsComponentsRoundingHalvesAwayFromZero)
{
    EXPECT_EQ(PickedColor::fromSrgb({0.5, 0.0, 1.0}), (PickedColor{128, 0, 255}));
    EXPECT_EQ(PickedColor::fromSrgb({58 / 255.0, 123 / 255.0, 213 / 255.0}),
              (PickedColor{58, 123, 213}));
    // Conversion noise just outside 0...1 still names the nearest channel.
    EXPECT_EQ(PickedColor::fromSrgb({1.000001, -0.000001, 0.999}), (PickedColor{255, 0, 255}));
    // Components with no sRGB form give no colour rather than channels beyond 0...255.
    for (const SrgbComponents& outside :
         {SrgbComponents{1.2, 0, 0}, SrgbComponents{0, -0.1, 0}, SrgbComponents{0, 0, 1.003},
          SrgbComponents{0, 0, std::nan("")}, SrgbComponents{INFINITY, 0, 0}})
        EXPECT_EQ(PickedColor::fromSrgb(outside), std::nullopt);
}
