#include "core/Notations.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

const Notation& notation(const char* id)
{
    const Notation* found = Notations::find(QString::fromLatin1(id));
    if (!found)
        throw std::runtime_error(std::string("no notation ") + id);
    return *found;
}

struct Written
{
    const char* id;
    PickedColor color;
    const char* expected;
};

// The worked colour in every notation, then the corners where rules meet: black and white
// (no hue, CMYK's K alone), a near-grey whose OKLCh hue is defined, and a hue that wraps.
const Written writtenCases[] = {
    {"hex", {58, 123, 213}, "#3A7BD5"},
    {"rgb", {58, 123, 213}, "58, 123, 213"},
    {"hsl", {58, 123, 213}, "215°, 65%, 53%"},
    {"hex-lower", {58, 123, 213}, "#3a7bd5"},
    {"hex-bare", {58, 123, 213}, "3A7BD5"},
    {"css-rgb", {58, 123, 213}, "rgb(58 123 213)"},
    {"css-rgb-legacy", {58, 123, 213}, "rgb(58, 123, 213)"},
    {"css-hsl", {58, 123, 213}, "hsl(215 65% 53%)"},
    {"css-hwb", {58, 123, 213}, "hwb(215 23% 16%)"},
    {"hsv", {58, 123, 213}, "215°, 73%, 84%"},
    {"cmyk", {58, 123, 213}, "cmyk(73%, 42%, 0%, 16%)"},
    {"oklab", {58, 123, 213}, "oklab(58.62% -0.0339 -0.1495)"},
    {"oklch", {58, 123, 213}, "oklch(58.62% 0.1533 257.23)"},
    {"vec3", {58, 123, 213}, "vec3(0.2275, 0.4824, 0.8353)"},
    {"int", {58, 123, 213}, "3832789"},
    {"hex-0x", {58, 123, 213}, "0x3A7BD5"},
    {"argb-0x", {58, 123, 213}, "0xFF3A7BD5"},

    {"cmyk", {0, 0, 0}, "cmyk(0%, 0%, 0%, 100%)"},
    {"cmyk", {255, 255, 255}, "cmyk(0%, 0%, 0%, 0%)"},
    {"hsv", {0, 0, 0}, "0°, 0%, 0%"},
    {"css-hwb", {255, 255, 255}, "hwb(0 100% 0%)"},
    {"oklab", {0, 0, 0}, "oklab(0.00% 0.0000 0.0000)"},
    {"oklab", {255, 255, 255}, "oklab(100.00% 0.0000 0.0000)"},
    {"oklch", {128, 128, 128}, "oklch(59.99% 0.0000 0.00)"},
    {"oklch", {255, 0, 0}, "oklch(62.80% 0.2577 29.23)"},
    {"vec3", {0, 255, 1}, "vec3(0.0000, 1.0000, 0.0039)"},
    {"int", {0, 0, 0}, "0"},
    {"int", {255, 255, 255}, "16777215"},
    {"hex-lower", {10, 171, 255}, "#0aabff"},
    {"name", {58, 123, 213}, "≈ royalblue"},
    {"name", {0, 0, 128}, "navy"},
};

} // namespace

TEST(Notations, WriteEachNotationAsDocumented)
{
    for (const Written& c : writtenCases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(notation(c.id).format(c.color), text(c.expected));
    }
}

TEST(Notations, HaveUniqueIdsAndLabelsAndFindOnlyTheirOwn)
{
    std::set<std::string_view> ids;
    std::set<std::string_view> labels;
    for (const Notation& n : Notations::all()) {
        EXPECT_TRUE(ids.insert(n.id).second) << n.id;
        EXPECT_TRUE(labels.insert(n.label).second) << n.label;
        EXPECT_EQ(Notations::find(n.idText()), &n);
    }
    EXPECT_EQ(ids.size(), 18u);
    for (const char* unknown : {"", "HEX", "hex ", "oklab2"})
        EXPECT_EQ(Notations::find(QString::fromLatin1(unknown)), nullptr) << unknown;
}

// Every parseable notation reads back what it writes, for every colour; the colours are
// stepped so each channel takes every value at least once.
TEST(Notations, ParsersReadBackWhatTheirFormatterWrites)
{
    for (const Notation& n : Notations::all()) {
        if (!n.parse)
            continue;
        SCOPED_TRACE(n.id);
        for (int v = 0; v < 256; ++v) {
            const PickedColor color{std::uint8_t(v), std::uint8_t(255 - v),
                                    std::uint8_t(v * 37 % 256)};
            const QString written = n.format(color);
            ASSERT_EQ(n.parse(written), color) << written.toStdString();
            // Six decimal digits are the one text two notations share; it reads as hex.
            if (n.id != "int" || written.size() != 6) {
                ASSERT_EQ(Notations::parse(written), color) << written.toStdString();
            }
        }
    }
}

TEST(Notations, ParsersTakeTheSpellingsPeopleWrite)
{
    const PickedColor worked{58, 123, 213};
    for (const char* pasted :
         {"#3a7bd5", " 3A7BD5\n", "58,123,213", "58 , 123 ,213", "RGB(58 123 213)",
          "rgb( 58   123\t213 )", "rgb(58,123,213)", "vec3(0.2275,0.4824,0.8353)",
          "vec3(0.22745, 0.48235, 0.83529)", "3832789", "0X3a7bd5", "0xff3a7bd5"})
        EXPECT_EQ(Notations::parse(text(pasted)), worked) << pasted;
    EXPECT_EQ(Notations::parse(text("vec3(0, 1, 1.0)")), (PickedColor{0, 255, 255}));
    // Six decimal digits are hex before they are an int.
    EXPECT_EQ(Notations::parse(text("123456")), (PickedColor{0x12, 0x34, 0x56}));
}

// Malformed text is refused whole: no parser takes a prefix, clamps a channel or drops
// an alpha. Grouped by the notation each text comes near.
const std::initializer_list<const char*> malformed[] = {
    {"", " ", "#", "#FFF", "#3A7BD5FF", "3A7BD", "#3A7BDＦ"},
    {"58, 123", "58, 123, 213, 4", "58, 123, 256", "-58, 123, 213", "+58, 123, 213"},
    {"58; 123; 213", "58, 123, 213)", "٣٨٣٢٧٨٩", "58, 1２3, 213"},
    {"rgb(58 123 213", "rgb(58 123 213) x", "rgb(58,123 213)", "rgb(58 123 213 / 1)"},
    {"rgba(58, 123, 213, 1)", "rgb(58% 123 213)", "rgb(58.0 123 213)", "rgb()"},
    {"vec3(0.2275, 0.4824)", "vec3(1.5, 0, 0)", "vec3(1.0001, 0, 0)", "vec3(-0.1, 0, 0)"},
    {"vec3(.5, 0, 0)", "vec3(0., 0, 0)", "vec3(0.5, 0, 0"},
    {"16777216", "99999999999", "0x3A7BD", "0x3A7BD5F", "0x803A7BD5", "0x", "0xGG7BD5"},
    // Notations that lose precision are written, never read.
    {"hsl(215 65% 53%)", "215°, 65%, 53%", "oklab(58.62% -0.0339 -0.1495)"},
};

TEST(Notations, RefuseTextThatIsNoColour)
{
    for (const auto& group : malformed) {
        for (const char* text : group)
            EXPECT_EQ(Notations::parse(QString::fromUtf8(text)), std::nullopt) << text;
    }
}
