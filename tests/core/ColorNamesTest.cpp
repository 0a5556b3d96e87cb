#include "core/ColorNames.h"
#include "core/Notations.h"

#include <QColor>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>

namespace {

PickedColor hex(const char* text)
{
    return *PickedColor::fromHex(QString::fromLatin1(text));
}

QString nameOf(const PickedColor& color)
{
    return Notations::find(u"name")->format(color);
}

// OKLab in long double from the channels, and the nearest keyword by brute force, to hold the
// table's cached coordinates and its tie rule against.
std::array<long double, 3> referenceLab(const PickedColor& c)
{
    const auto linear = [](int channel) {
        const long double v = channel / 255.0L;
        return v <= 0.04045L ? v / 12.92L : std::pow((v + 0.055L) / 1.055L, 2.4L);
    };
    const long double r = linear(c.red), g = linear(c.green), b = linear(c.blue);
    const long double l = std::cbrt(0.4122214708L * r + 0.5363325363L * g + 0.0514459929L * b);
    const long double m = std::cbrt(0.2119034982L * r + 0.6806995451L * g + 0.1073969566L * b);
    const long double s = std::cbrt(0.0883024619L * r + 0.2817188376L * g + 0.6299787005L * b);
    return {0.2104542553L * l + 0.7936177850L * m - 0.0040720468L * s,
            1.9779984951L * l - 2.4285922050L * m + 0.4505937099L * s,
            0.0259040371L * l + 0.7827717662L * m - 0.8086757660L * s};
}

long double distance(const PickedColor& x, const PickedColor& y)
{
    const auto p = referenceLab(x);
    const auto q = referenceLab(y);
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

} // namespace

// Qt reads the same keywords for its own colours: an independent check of every value typed
// into the table, and of its size (148 with transparent left out).
TEST(ColorNames, TableHoldsTheCssKeywordsWithTheirColours)
{
    std::set<std::string> qtNames;
    for (const QString& name : QColor::colorNames()) {
        if (name != u"transparent")
            qtNames.insert(name.toStdString());
    }
    std::set<std::string> ours;
    for (const ColorNames::NamedColor& named : ColorNames::all()) {
        const std::string keyword(named.keyword);
        ours.insert(keyword);
        const QColor qt(QString::fromStdString(keyword));
        if (!qt.isValid())
            continue; // rebeccapurple is newer than some Qt versions
        EXPECT_EQ(named.color, (PickedColor{std::uint8_t(qt.red()), std::uint8_t(qt.green()),
                                            std::uint8_t(qt.blue())}))
            << keyword;
        EXPECT_EQ(named.spellingOfGray, keyword.find("grey") != std::string::npos) << keyword;
    }
    EXPECT_EQ(ColorNames::all().size(), 148u);
    EXPECT_EQ(ours.size(), 148u);
    qtNames.erase("rebeccapurple");
    ours.erase("rebeccapurple");
    EXPECT_EQ(ours, qtNames);
    EXPECT_EQ(ColorNames::fromKeyword(u"rebeccapurple"), hex("663399"));
}

// A keyword's own colour is named without "≈"; colours two keywords share are named by the
// first alphabetically, and the grey spellings never.
TEST(ColorNames, ExactMatchesAndTiesNameTheFirstKeyword)
{
    for (const ColorNames::NamedColor& named : ColorNames::all()) {
        const ColorNames::Match match = ColorNames::nearest(named.color);
        EXPECT_TRUE(match.exact) << named.keyword;
        const auto sameColour = [&](const ColorNames::NamedColor& other) {
            return other.color == named.color && !other.spellingOfGray;
        };
        const auto first =
            std::find_if(ColorNames::all().begin(), ColorNames::all().end(), sameColour);
        EXPECT_EQ(match.keyword, first->keyword) << named.keyword;
    }
    const struct
    {
        const char* hex;
        const char* name;
    } ties[] = {{"00FFFF", "aqua"},     {"FF00FF", "fuchsia"},       {"808080", "gray"},
                {"A9A9A9", "darkgray"}, {"2F4F4F", "darkslategray"}, {"000080", "navy"}};
    for (const auto& tie : ties)
        EXPECT_EQ(nameOf(hex(tie.hex)), QString::fromLatin1(tie.name)) << tie.hex;
}

TEST(ColorNames, NearColoursAreMarkedApproximate)
{
    const struct
    {
        const char* hex;
        const char* name;
    } cases[] = {
        {"3A7BD5", "≈ royalblue"},     {"FE0000", "≈ red"},         {"7F7F7F", "≈ gray"},
        {"010101", "≈ black"},         {"FFFFFE", "≈ white"},       {"123456", "≈ midnightblue"},
        {"C0FFEE", "≈ lightcyan"},     {"BADA55", "≈ yellowgreen"}, {"FF8000", "≈ darkorange"},
        {"2B2B2B", "≈ darkslategray"}, {"D2B48D", "≈ tan"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nameOf(hex(c.hex)), QString::fromUtf8(c.name)) << c.hex;
}

// Over a lattice, the named keyword is as near as any other (to within rounding).
TEST(ColorNames, NearestAgreesWithABruteForceSearch)
{
    for (int r = 0; r < 256; r += 15) {
        for (int g = 0; g < 256; g += 15) {
            for (int b = 0; b < 256; b += 15) {
                const PickedColor color{std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)};
                long double best = std::numeric_limits<long double>::infinity();
                for (const ColorNames::NamedColor& named : ColorNames::all())
                    best = std::min(best, distance(color, named.color));
                const std::string_view keyword = ColorNames::nearest(color).keyword;
                const PickedColor chosen = *ColorNames::fromKeyword(
                    QString::fromLatin1(keyword.data(), qsizetype(keyword.size())));
                ASSERT_LE(distance(color, chosen), best + 1e-12L)
                    << color.hexString().toStdString() << " named " << keyword;
            }
        }
    }
}

// Keywords are read in either case, by --convert and paste alike; an approximate name is not.
TEST(ColorNames, KeywordsAreReadAsTheirColour)
{
    EXPECT_EQ(Notations::parse(u" RebeccaPurple "), hex("663399"));
    EXPECT_EQ(Notations::parse(u"grey"), hex("808080"));
    EXPECT_EQ(Notations::parse(u"navy"), hex("000080"));
    EXPECT_EQ(Notations::parse(QString::fromUtf8("≈ navy")), std::nullopt);
    EXPECT_EQ(Notations::parse(u"navyblue"), std::nullopt);
    EXPECT_EQ(Notations::parse(u"transparent"), std::nullopt);
}
