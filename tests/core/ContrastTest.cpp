#include "core/Contrast.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

PickedColor hex(const char* text)
{
    return *PickedColor::fromHex(QString::fromLatin1(text));
}

struct Pair
{
    const char* first;
    const char* second;
    const char* ratio; // from a 60-digit reference, rounded down
};

// The extremes, the familiar greys on white, and for each threshold the colours closest to it
// from either side on white and on black (all within 1e-6 of it).
const Pair pairs[] = {
    {"FFFFFF", "000000", "21.00:1"}, {"000000", "FFFFFF", "21.00:1"},
    {"3A7BD5", "3A7BD5", "1.00:1"},  {"0A0A0A", "0B0B0B", "1.00:1"},
    {"767676", "FFFFFF", "4.54:1"},  {"777777", "FFFFFF", "4.47:1"},
    {"FFFFFF", "3A7BD5", "4.22:1"},  {"FF0000", "00FF00", "2.91:1"},
    {"595959", "FFFFFF", "7.00:1"},  {"458301", "000000", "4.49:1"}, // 4.4999999
    {"9D5D9F", "000000", "4.50:1"},                                  // 4.5000007
    {"9A6C5A", "FFFFFF", "4.49:1"},                                  // 4.4999999
    {"7C7290", "FFFFFF", "4.50:1"},                                  // 4.5000006
    {"33642C", "000000", "2.99:1"},                                  // 2.9999999
    {"960FB1", "000000", "3.00:1"},                                  // 3.0000006
    {"989A30", "FFFFFF", "2.99:1"},                                  // 2.9999998
    {"E969A1", "FFFFFF", "3.00:1"},                                  // 3.0000002
    {"E969A1", "000000", "6.99:1"},                                  // 6.9999995
    {"989A30", "000000", "7.00:1"},                                  // 7.0000005
    {"960FB1", "FFFFFF", "6.99:1"},                                  // 6.9999987
    {"33642C", "FFFFFF", "7.00:1"},                                  // 7.0000003
};

// The WCAG formula as written, in long double, straight from the channels.
long double referenceRatio(const PickedColor& x, const PickedColor& y)
{
    const auto linear = [](int channel) {
        const long double c = channel / 255.0L;
        return c <= 0.04045L ? c / 12.92L : std::pow((c + 0.055L) / 1.055L, 2.4L);
    };
    const auto luminance = [&](const PickedColor& c) {
        return 0.2126L * linear(c.red) + 0.7152L * linear(c.green) + 0.0722L * linear(c.blue);
    };
    const long double a = luminance(x);
    const long double b = luminance(y);
    return (std::max(a, b) + 0.05L) / (std::min(a, b) + 0.05L);
}

} // namespace

TEST(Contrast, RatioIsRoundedDownToHundredthsAndPassesOnlyWhatItShows)
{
    using Level = Contrast::Level;
    for (const Pair& pair : pairs) {
        SCOPED_TRACE(std::string(pair.first) + " on " + pair.second);
        const Contrast contrast(hex(pair.first), hex(pair.second));
        EXPECT_EQ(contrast.ratioText(), QString::fromLatin1(pair.ratio));
        const int shown = contrast.hundredths();
        EXPECT_EQ(contrast.passes(Level::aaNormalText), shown >= 450);
        EXPECT_EQ(contrast.passes(Level::aaLargeText), shown >= 300);
        EXPECT_EQ(contrast.passes(Level::aaaNormalText), shown >= 700);
        EXPECT_EQ(contrast.passes(Level::aaaLargeText), shown >= 450);
        EXPECT_EQ(contrast.passes(Level::nonText), shown >= 300);
    }
    EXPECT_TRUE(Contrast(hex("9D5D9F"), hex("000000")).passes(Level::aaNormalText));
    EXPECT_FALSE(Contrast(hex("458301"), hex("000000")).passes(Level::aaNormalText));
    EXPECT_FALSE(Contrast(hex("E969A1"), hex("000000")).passes(Level::aaaNormalText));
    EXPECT_TRUE(Contrast(hex("E969A1"), hex("FFFFFF")).passes(Level::nonText));
    EXPECT_FALSE(Contrast(hex("989A30"), hex("FFFFFF")).passes(Level::aaLargeText));
}

// Every pair of greys and a lattice of colours on white and black agree with the long double
// formula, except where that lies within a hair of a hundredth (none of the table's rows).
TEST(Contrast, AgreesWithTheFormulaOverGreysAndALattice)
{
    int compared = 0;
    const auto check = [&](const PickedColor& x, const PickedColor& y) {
        const long double scaled = referenceRatio(x, y) * 100;
        if (std::fabs(scaled - std::round(scaled)) < 1e-9L)
            return;
        ++compared;
        ASSERT_EQ(Contrast(x, y).hundredths(), static_cast<int>(std::floor(scaled)))
            << x.hexString().toStdString() << " on " << y.hexString().toStdString();
    };
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const auto grey = [](int v) {
                return PickedColor{std::uint8_t(v), std::uint8_t(v), std::uint8_t(v)};
            };
            check(grey(a), grey(b));
        }
    }
    for (int r = 0; r < 256; r += 5) {
        for (int g = 0; g < 256; g += 5) {
            for (int b = 0; b < 256; b += 5) {
                const PickedColor c{std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)};
                check(c, {255, 255, 255});
                check({0, 0, 0}, c);
            }
        }
    }
    EXPECT_GT(compared, 300000);
}

TEST(Contrast, RelativeLuminanceRunsFromBlackToWhite)
{
    EXPECT_EQ(Contrast::relativeLuminance({0, 0, 0}), 0.0);
    EXPECT_EQ(Contrast::relativeLuminance({255, 255, 255}), 1.0);
    EXPECT_NEAR(Contrast::relativeLuminance({255, 0, 0}), 0.2126, 1e-12);
}
