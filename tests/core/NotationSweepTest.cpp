// Every notation over all 16,777,216 colours, against a reference written independently of
// the formatters: exact integer fractions where the notation is rational in the channels,
// long double and the C library's printf where it is not. A parseable notation must also read
// back each colour it writes. One test per notation, so ctest runs them in parallel shards.
#include "core/Notations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>

namespace {

// Rounds to nearest, halves away from zero: exactly for fractions of integers. The OKLab
// notations are computed in double, so within `nearHalf` of a half the long double reference
// cannot tell which neighbour is right and takes either: the i-th such value takes the other
// neighbour when bit i of `mask` is set, and `halves` counts them.
struct Rounder
{
    static constexpr long double nearHalf = 1e-6L;

    unsigned mask = 0;
    int halves = 0;

    bool takeOther() { return (mask >> halves++ & 1) != 0; }

    long long operator()(long long num, long long den)
    {
        const bool negative = num < 0;
        const long long n = negative ? -num : num;
        const long long q = (2 * n + den) / (2 * den);
        return negative ? -q : q;
    }

    long long operator()(long double x)
    {
        const long double below = std::floor(x);
        const long double fraction = x - below;
        long long q = static_cast<long long>(fraction < 0.5L ? below : below + 1);
        if (std::fabs(fraction - 0.5L) < nearHalf && takeOther())
            q = static_cast<long long>(fraction < 0.5L ? below + 1 : below);
        return q;
    }
};

// printf's text in a buffer of its own, so the sweep allocates nothing per colour.
struct Text
{
    char data[80];

    std::string_view view() const { return data; }
};

Text format(const char* pattern, auto... values)
{
    Text text;
    std::snprintf(text.data, sizeof text.data, pattern, values...);
    return text;
}

// `units` / 10^decimals with exactly that many decimals; zero has no sign.
Text fixed(long long units, int decimals)
{
    long long scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const long long magnitude = units < 0 ? -units : units;
    return format("%s%lld.%0*lld", units < 0 ? "-" : "", magnitude / scale, decimals,
                  magnitude % scale);
}

struct Channels
{
    int r, g, b, max, min;
};

Channels channels(const PickedColor& c)
{
    const int r = c.red;
    const int g = c.green;
    const int b = c.blue;
    return {r, g, b, std::max({r, g, b}), std::min({r, g, b})};
}

// The HSL row's three integers from the exact fractions.
struct ExactHsl
{
    long long hue, saturation, lightness;
};

long long hue(const Channels& c, Rounder& round)
{
    const int delta = c.max - c.min;
    if (delta == 0)
        return 0;
    long long sixths; // the hue times delta / 60, made non-negative
    if (c.max == c.r)
        sixths = c.g - c.b + (c.g < c.b ? 6 * delta : 0);
    else if (c.max == c.g)
        sixths = c.b - c.r + 2 * delta;
    else
        sixths = c.r - c.g + 4 * delta;
    const long long degrees = round(60 * sixths, delta);
    return degrees == 360 ? 0 : degrees;
}

ExactHsl hsl(const Channels& c, Rounder& round)
{
    const long long h = hue(c, round);
    const int sum = c.max + c.min;
    const int delta = c.max - c.min;
    const long long lightness = round(100LL * sum, 510);
    if (delta == 0)
        return {0, 0, lightness};
    const int denominator = sum > 255 ? 510 - sum : sum;
    return {h, round(100LL * delta, denominator), lightness};
}

// The sRGB transfer function undone in long double, once per channel value.
const long double* linear()
{
    static long double table[256];
    static const bool filled = [] {
        for (int i = 0; i < 256; ++i) {
            const long double c = i / 255.0L;
            table[i] = c > 0.04045L ? std::pow((c + 0.055L) / 1.055L, 2.4L) : c / 12.92L;
        }
        return true;
    }();
    (void)filled;
    return table;
}

struct LongLab
{
    long double l, a, b;
};

LongLab lab(const PickedColor& c)
{
    const long double* lin = linear();
    const long double rgb[3] = {lin[c.red], lin[c.green], lin[c.blue]};
    static const long double toLms[3][3] = {{0.4122214708L, 0.5363325363L, 0.0514459929L},
                                            {0.2119034982L, 0.6806995451L, 0.1073969566L},
                                            {0.0883024619L, 0.2817188376L, 0.6299787005L}};
    static const long double toLab[3][3] = {{0.2104542553L, 0.7936177850L, -0.0040720468L},
                                            {1.9779984951L, -2.4285922050L, 0.4505937099L},
                                            {0.0259040371L, 0.7827717662L, -0.8086757660L}};
    long double lms[3];
    for (int i = 0; i < 3; ++i)
        lms[i] = std::cbrt(toLms[i][0] * rgb[0] + toLms[i][1] * rgb[1] + toLms[i][2] * rgb[2]);
    long double out[3];
    for (int i = 0; i < 3; ++i)
        out[i] = toLab[i][0] * lms[0] + toLab[i][1] * lms[1] + toLab[i][2] * lms[2];
    return {out[0], out[1], out[2]};
}

using Reference = Text (*)(const PickedColor&, Rounder&);

Text hexOf(const PickedColor& c, const char* pattern)
{
    return format(pattern, unsigned(c.red), unsigned(c.green), unsigned(c.blue));
}

struct Case
{
    const char* id;
    Reference reference;
};

const Case cases[] = {
    {"hex", [](const PickedColor& c, Rounder&) { return hexOf(c, "#%02X%02X%02X"); }},
    {"rgb", [](const PickedColor& c,
               Rounder&) { return format("%d, %d, %d", int(c.red), int(c.green), int(c.blue)); }},
    {"hsl",
     [](const PickedColor& c, Rounder& round) {
         const ExactHsl v = hsl(channels(c), round);
         return format("%lld\u00B0, %lld%%, %lld%%", v.hue, v.saturation, v.lightness);
     }},
    {"hex-lower", [](const PickedColor& c, Rounder&) { return hexOf(c, "#%02x%02x%02x"); }},
    {"hex-bare", [](const PickedColor& c, Rounder&) { return hexOf(c, "%02X%02X%02X"); }},
    {"css-rgb",
     [](const PickedColor& c, Rounder&) {
         return format("rgb(%d %d %d)", int(c.red), int(c.green), int(c.blue));
     }},
    {"css-rgb-legacy",
     [](const PickedColor& c, Rounder&) {
         return format("rgb(%d, %d, %d)", int(c.red), int(c.green), int(c.blue));
     }},
    {"css-hsl",
     [](const PickedColor& c, Rounder& round) {
         const ExactHsl v = hsl(channels(c), round);
         return format("hsl(%lld %lld%% %lld%%)", v.hue, v.saturation, v.lightness);
     }},
    {"css-hwb",
     [](const PickedColor& c, Rounder& round) {
         const Channels ch = channels(c);
         const long long h = hue(ch, round);
         return format("hwb(%lld %lld%% %lld%%)", h, round(100LL * ch.min, 255),
                       round(100LL * (255 - ch.max), 255));
     }},
    {"hsv",
     [](const PickedColor& c, Rounder& round) {
         const Channels ch = channels(c);
         const long long h = hue(ch, round);
         const long long s = ch.max == 0 ? 0 : round(100LL * (ch.max - ch.min), ch.max);
         return format("%lld\u00B0, %lld%%, %lld%%", h, s, round(100LL * ch.max, 255));
     }},
    {"cmyk",
     [](const PickedColor& c, Rounder& round) {
         const Channels ch = channels(c);
         const auto part = [&](int v) {
             return ch.max == 0 ? 0 : round(100LL * (ch.max - v), ch.max);
         };
         const long long cyan = part(ch.r);
         const long long magenta = part(ch.g);
         const long long yellow = part(ch.b);
         return format("cmyk(%lld%%, %lld%%, %lld%%, %lld%%)", cyan, magenta, yellow,
                       round(100LL * (255 - ch.max), 255));
     }},
    {"oklab",
     [](const PickedColor& c, Rounder& round) {
         // Each value rounded in turn: the Rounder counts halves in order.
         const LongLab v = lab(c);
         const Text l = fixed(round(v.l * 10000), 2);
         const Text a = fixed(round(v.a * 10000), 4);
         const Text b = fixed(round(v.b * 10000), 4);
         return format("oklab(%s%% %s %s)", l.data, a.data, b.data);
     }},
    {"oklch",
     [](const PickedColor& c, Rounder& round) {
         const LongLab v = lab(c);
         const Text l = fixed(round(v.l * 10000), 2);
         const Text chroma = fixed(round(std::sqrt(v.a * v.a + v.b * v.b) * 10000), 4);
         long long hue = 0;
         if (c.red != c.green || c.green != c.blue) {
             long double degrees = std::atan2(v.b, v.a) * 180 / 3.14159265358979323846264338L;
             hue = round((degrees < 0 ? degrees + 360 : degrees) * 100);
         }
         const Text h = fixed(hue == 36000 ? 0 : hue, 2);
         return format("oklch(%s%% %s %s)", l.data, chroma.data, h.data);
     }},
    {"vec3",
     [](const PickedColor& c, Rounder& round) {
         const auto unit = [&](int v) { return fixed(round(10000LL * v, 255), 4); };
         const Text r = unit(c.red);
         const Text g = unit(c.green);
         const Text b = unit(c.blue);
         return format("vec3(%s, %s, %s)", r.data, g.data, b.data);
     }},
    {"int", [](const PickedColor& c,
               Rounder&) { return format("%ld", c.red * 65536L + c.green * 256L + c.blue); }},
    {"hex-0x", [](const PickedColor& c, Rounder&) { return hexOf(c, "0x%02X%02X%02X"); }},
    {"argb-0x", [](const PickedColor& c, Rounder&) { return hexOf(c, "0xFF%02X%02X%02X"); }},
};

class NotationSweep : public testing::TestWithParam<Case>
{
};

// The reference's text at the halves `mask` chooses; none when the mask goes beyond them.
std::optional<Text> referenceAt(const Case& c, const PickedColor& color, unsigned mask, int& halves)
{
    Rounder round{mask};
    const Text text = c.reference(color, round);
    halves = round.halves;
    if (mask >> halves != 0)
        return std::nullopt;
    return text;
}

} // namespace

TEST_P(NotationSweep, WritesEveryColourAsTheReferenceAndReadsItBack)
{
    const Case& c = GetParam();
    const Notation* notation = Notations::find(QString::fromLatin1(c.id));
    ASSERT_NE(notation, nullptr);

    long long nearHalves = 0;
    int failures = 0;
    for (std::uint32_t bits = 0; bits < 1u << 24 && failures < 10; ++bits) {
        const PickedColor color{std::uint8_t(bits >> 16), std::uint8_t(bits >> 8),
                                std::uint8_t(bits)};
        NotationText written;
        notation->write(color, written);

        int halves = 0;
        const std::optional<Text> expected = referenceAt(c, color, 0, halves);
        bool matches = written.view() == expected->view();
        for (unsigned mask = 1; !matches && mask < 1u << halves; ++mask) {
            const std::optional<Text> other = referenceAt(c, color, mask, halves);
            matches = other && written.view() == other->view();
            nearHalves += matches;
        }
        if (!matches) {
            ++failures;
            ADD_FAILURE() << c.id << " of " << bits << ": wrote " << written.view() << ", expected "
                          << expected->view();
            continue;
        }
        if (notation->parse) {
            // The parseable notations are ASCII: widened in place rather than as a QString.
            char16_t wide[NotationText::capacity];
            std::copy(written.view().begin(), written.view().end(), wide);
            const std::optional<PickedColor> read =
                notation->parse(QStringView(wide, qsizetype(written.view().size())));
            if (read != color) {
                ++failures;
                ADD_FAILURE() << c.id << " does not read back " << written.view();
            }
        }
    }
    if (nearHalves > 0)
        std::cout << c.id << ": " << nearHalves << " values within a hair of a half\n";
}

TEST(NotationSweepCoverage, EveryNotationHasAReference)
{
    for (const Notation& notation : Notations::all()) {
        if (notation.id == "name")
            continue; // the nearest keyword: a brute-force search checks it (ColorNamesTest)
        const bool covered = std::any_of(std::begin(cases), std::end(cases),
                                         [&](const Case& c) { return notation.id == c.id; });
        EXPECT_TRUE(covered) << notation.id;
    }
}

INSTANTIATE_TEST_SUITE_P(All, NotationSweep, testing::ValuesIn(cases),
                         [](const testing::TestParamInfo<Case>& info) {
                             std::string name = info.param.id;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
