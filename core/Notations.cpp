#include "core/Notations.h"

#include "core/ColorNames.h"
#include "core/Oklab.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

// NotationText ------------------------------------------------------------------------------

void NotationText::append(std::string_view text)
{
    const int room = capacity - m_size;
    const int count = std::min(room, static_cast<int>(text.size()));
    std::copy_n(text.data(), count, m_data + m_size);
    m_size += count;
}

void NotationText::append(char c)
{
    if (m_size < capacity)
        m_data[m_size++] = c;
}

void NotationText::appendInt(long long value)
{
    const auto result = std::to_chars(m_data + m_size, m_data + capacity, value);
    if (result.ec == std::errc())
        m_size = static_cast<int>(result.ptr - m_data);
}

void NotationText::appendByte(std::uint8_t byte, bool lowerCase)
{
    const char* digits = lowerCase ? "0123456789abcdef" : "0123456789ABCDEF";
    append(digits[byte >> 4]);
    append(digits[byte & 0xF]);
}

void NotationText::appendFixed(double value, int decimals)
{
    static constexpr std::array<long long, 5> scales{1, 10, 100, 1000, 10000};
    const long long scale = scales.at(static_cast<std::size_t>(decimals));
    long long units = std::llround(value * static_cast<double>(scale));
    if (units < 0) {
        append('-');
        units = -units;
    }
    appendInt(units / scale);
    if (decimals == 0)
        return;
    append('.');
    const long long fraction = units % scale;
    for (long long digit = scale / 10; digit > 0; digit /= 10)
        append(static_cast<char>('0' + fraction / digit % 10));
}

QString Notation::format(const PickedColor& color) const
{
    NotationText text;
    write(color, text);
    return text.toString();
}

namespace {

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

int percentOf255(int value)
{
    return roundRatio(100 * value, 255);
}

// Formatters -----------------------------------------------------------------------------

void writeHexDigits(const PickedColor& c, NotationText& out, bool lowerCase = false)
{
    out.appendByte(c.red, lowerCase);
    out.appendByte(c.green, lowerCase);
    out.appendByte(c.blue, lowerCase);
}

void writeHex(const PickedColor& c, NotationText& out)
{
    out.append('#');
    writeHexDigits(c, out);
}

void writeHexLower(const PickedColor& c, NotationText& out)
{
    out.append('#');
    writeHexDigits(c, out, true);
}

void writeHexBare(const PickedColor& c, NotationText& out)
{
    writeHexDigits(c, out);
}

void writeChannels(const PickedColor& c, NotationText& out, std::string_view separator)
{
    out.appendInt(c.red);
    out.append(separator);
    out.appendInt(c.green);
    out.append(separator);
    out.appendInt(c.blue);
}

void writeRgb(const PickedColor& c, NotationText& out)
{
    writeChannels(c, out, ", ");
}

void writeHsl(const PickedColor& c, NotationText& out)
{
    const Hsl hsl = c.hsl();
    out.appendInt(hsl.hue);
    out.append("°, ");
    out.appendInt(hsl.saturation);
    out.append("%, ");
    out.appendInt(hsl.lightness);
    out.append('%');
}

void writeCssRgb(const PickedColor& c, NotationText& out)
{
    out.append("rgb(");
    writeChannels(c, out, " ");
    out.append(')');
}

void writeCssRgbLegacy(const PickedColor& c, NotationText& out)
{
    out.append("rgb(");
    writeChannels(c, out, ", ");
    out.append(')');
}

// "name(H A% B%)" with the HSL row's hue.
void writeCssHue(NotationText& out, std::string_view name, int hue, int first, int second)
{
    out.append(name);
    out.append('(');
    out.appendInt(hue);
    out.append(' ');
    out.appendInt(first);
    out.append("% ");
    out.appendInt(second);
    out.append("%)");
}

void writeCssHsl(const PickedColor& c, NotationText& out)
{
    const Hsl hsl = c.hsl();
    writeCssHue(out, "hsl", hsl.hue, hsl.saturation, hsl.lightness);
}

// Whiteness min, blackness 1 - max.
void writeCssHwb(const PickedColor& c, NotationText& out)
{
    const Channels ch = channels(c);
    writeCssHue(out, "hwb", c.hsl().hue, percentOf255(ch.min), percentOf255(255 - ch.max));
}

// Saturation (max - min) / max, value max.
void writeHsv(const PickedColor& c, NotationText& out)
{
    const Channels ch = channels(c);
    out.appendInt(c.hsl().hue);
    out.append("°, ");
    out.appendInt(ch.max > 0 ? roundRatio(100 * (ch.max - ch.min), ch.max) : 0);
    out.append("%, ");
    out.appendInt(percentOf255(ch.max));
    out.append('%');
}

// K = 1 - max and C = (1 - R - K) / (1 - K) = (max - R) / max, likewise M and Y.
void writeCmyk(const PickedColor& c, NotationText& out)
{
    const Channels ch = channels(c);
    // Black has no chromatic part: 0%, 0%, 0%, 100% rather than a division by zero.
    const auto part = [&ch](int channel) {
        return ch.max > 0 ? roundRatio(100 * (ch.max - channel), ch.max) : 0;
    };
    out.append("cmyk(");
    for (int channel : {ch.r, ch.g, ch.b}) {
        out.appendInt(part(channel));
        out.append("%, ");
    }
    out.appendInt(percentOf255(255 - ch.max));
    out.append("%)");
}

void writeOklab(const PickedColor& c, NotationText& out)
{
    const Oklab lab = Srgb::toOklab(c);
    out.append("oklab(");
    out.appendFixed(lab.lightness * 100, 2);
    out.append("% ");
    out.appendFixed(lab.a, 4);
    out.append(' ');
    out.appendFixed(lab.b, 4);
    out.append(')');
}

void writeOklch(const PickedColor& c, NotationText& out)
{
    const Oklab lab = Srgb::toOklab(c);
    const bool grey = c.red == c.green && c.green == c.blue;
    double hue = grey ? 0.0 : std::atan2(lab.b, lab.a) * 180.0 / std::numbers::pi;
    if (hue < 0)
        hue += 360.0;
    if (std::llround(hue * 100) >= 36000) // 359.995 and above is a full turn: 0
        hue = 0.0;
    out.append("oklch(");
    out.appendFixed(lab.lightness * 100, 2);
    out.append("% ");
    out.appendFixed(std::hypot(lab.a, lab.b), 4);
    out.append(' ');
    out.appendFixed(hue, 2);
    out.append(')');
}

void writeVec3(const PickedColor& c, NotationText& out)
{
    out.append("vec3(");
    out.appendFixed(c.red / 255.0, 4);
    out.append(", ");
    out.appendFixed(c.green / 255.0, 4);
    out.append(", ");
    out.appendFixed(c.blue / 255.0, 4);
    out.append(')');
}

void writeInt(const PickedColor& c, NotationText& out)
{
    out.appendInt(c.red << 16 | c.green << 8 | c.blue);
}

void writeHex0x(const PickedColor& c, NotationText& out)
{
    out.append("0x");
    writeHexDigits(c, out);
}

void writeArgb0x(const PickedColor& c, NotationText& out)
{
    out.append("0xFF");
    writeHexDigits(c, out);
}

// The nearest CSS keyword: "navy" for its very colour, "≈ navy" for a colour near it.
void writeName(const PickedColor& c, NotationText& out)
{
    const ColorNames::Match match = ColorNames::nearest(c);
    if (!match.exact)
        out.append("≈ ");
    out.append(match.keyword);
}

// Parsers --------------------------------------------------------------------------------

// Reads a notation left to right; every step either consumes what it expects or fails.
class Scanner
{
public:
    explicit Scanner(QStringView text) : m_text(text.trimmed()) {}

    bool literal(QLatin1StringView word)
    {
        if (!m_text.sliced(m_at).startsWith(word, Qt::CaseInsensitive))
            return false;
        m_at += word.size();
        return true;
    }

    // Any run of whitespace, possibly empty.
    void skipSpaces()
    {
        while (m_at < m_text.size() && m_text[m_at].isSpace())
            ++m_at;
    }

    bool spaces()
    {
        const qsizetype start = m_at;
        skipSpaces();
        return m_at > start;
    }

    // `literal` with any whitespace around it.
    bool separator(QLatin1StringView word)
    {
        skipSpaces();
        const bool found = literal(word);
        skipSpaces();
        return found;
    }

    // One to `maxDigits` decimal digits, no sign.
    std::optional<std::uint32_t> decimal(int maxDigits)
    {
        std::uint32_t value = 0;
        int digits = 0;
        while (m_at < m_text.size() && isDigit(m_text[m_at])) {
            if (++digits > maxDigits)
                return std::nullopt;
            value = value * 10 + static_cast<std::uint32_t>(m_text[m_at++].unicode() - u'0');
        }
        return digits > 0 ? std::optional(value) : std::nullopt;
    }

    std::optional<std::uint8_t> channel()
    {
        const auto value = decimal(3);
        if (!value || *value > 255)
            return std::nullopt;
        return static_cast<std::uint8_t>(*value);
    }

    // Exactly `count` hexadecimal digits, either case.
    std::optional<std::uint32_t> hexDigits(int count)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i, ++m_at) {
            if (m_at >= m_text.size())
                return std::nullopt;
            const int digit = hexDigit(m_text[m_at]);
            if (digit < 0)
                return std::nullopt;
            value = value << 4 | static_cast<std::uint32_t>(digit);
        }
        return value;
    }

    // A fraction 0...1 written as "0", "1", "0.2275", "1.0000": its channel, rounded.
    std::optional<std::uint8_t> unitChannel()
    {
        const auto whole = decimal(1);
        if (!whole || *whole > 1)
            return std::nullopt;
        double value = *whole;
        if (m_at < m_text.size() && m_text[m_at] == u'.') {
            ++m_at;
            const qsizetype start = m_at;
            double scale = 0.1;
            for (; m_at < m_text.size() && isDigit(m_text[m_at]) && m_at - start < 12; ++m_at) {
                value += (m_text[m_at].unicode() - u'0') * scale;
                scale /= 10;
            }
            if (m_at == start || (m_at < m_text.size() && isDigit(m_text[m_at])))
                return std::nullopt;
        }
        if (value > 1.0)
            return std::nullopt;
        return static_cast<std::uint8_t>(std::llround(value * 255));
    }

    bool atEnd() const { return m_at == m_text.size(); }

private:
    static bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
    static int hexDigit(QChar c)
    {
        if (isDigit(c))
            return c.unicode() - u'0';
        if (c >= u'a' && c <= u'f')
            return c.unicode() - u'a' + 10;
        if (c >= u'A' && c <= u'F')
            return c.unicode() - u'A' + 10;
        return -1;
    }

    QStringView m_text;
    qsizetype m_at = 0;
};

std::optional<PickedColor> fromBits(std::uint32_t rgb)
{
    return PickedColor{static_cast<std::uint8_t>(rgb >> 16 & 0xFF),
                       static_cast<std::uint8_t>(rgb >> 8 & 0xFF),
                       static_cast<std::uint8_t>(rgb & 0xFF)};
}

std::optional<PickedColor> parseHex(QStringView text)
{
    return PickedColor::fromHex(text);
}

// Three channels with `between` before the second and third; the whole text must match.
std::optional<PickedColor> parseChannels(Scanner& scan, const auto& between)
{
    const auto red = scan.channel();
    if (!red || !between())
        return std::nullopt;
    const auto green = scan.channel();
    if (!green || !between())
        return std::nullopt;
    const auto blue = scan.channel();
    if (!blue)
        return std::nullopt;
    return PickedColor{*red, *green, *blue};
}

std::optional<PickedColor> parseRgb(QStringView text)
{
    Scanner scan(text);
    const auto color = parseChannels(scan, [&] { return scan.separator(QLatin1StringView(",")); });
    return color && scan.atEnd() ? color : std::nullopt;
}

std::optional<PickedColor> parseCssFunction(QStringView text, const auto& between)
{
    Scanner scan(text);
    if (!scan.literal(QLatin1StringView("rgb(")))
        return std::nullopt;
    scan.skipSpaces();
    const auto color = parseChannels(scan, [&] { return between(scan); });
    if (!color || !scan.separator(QLatin1StringView(")")) || !scan.atEnd())
        return std::nullopt;
    return color;
}

std::optional<PickedColor> parseCssRgb(QStringView text)
{
    return parseCssFunction(text, [](Scanner& scan) { return scan.spaces(); });
}

std::optional<PickedColor> parseCssRgbLegacy(QStringView text)
{
    return parseCssFunction(text,
                            [](Scanner& scan) { return scan.separator(QLatin1StringView(",")); });
}

std::optional<PickedColor> parseVec3(QStringView text)
{
    Scanner scan(text);
    if (!scan.literal(QLatin1StringView("vec3(")))
        return std::nullopt;
    scan.skipSpaces();
    std::array<std::uint8_t, 3> channels{};
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (i > 0 && !scan.separator(QLatin1StringView(",")))
            return std::nullopt;
        const auto channel = scan.unitChannel();
        if (!channel)
            return std::nullopt;
        channels[i] = *channel;
    }
    if (!scan.separator(QLatin1StringView(")")) || !scan.atEnd())
        return std::nullopt;
    return PickedColor{channels[0], channels[1], channels[2]};
}

std::optional<PickedColor> parseInt(QStringView text)
{
    Scanner scan(text);
    const auto value = scan.decimal(8);
    if (!value || *value > 0xFFFFFF || !scan.atEnd())
        return std::nullopt;
    return fromBits(*value);
}

std::optional<PickedColor> parseHex0x(QStringView text)
{
    Scanner scan(text);
    if (!scan.literal(QLatin1StringView("0x")))
        return std::nullopt;
    const auto value = scan.hexDigits(6);
    return value && scan.atEnd() ? fromBits(*value) : std::nullopt;
}

// Only an opaque colour: another alpha would be silently lost.
std::optional<PickedColor> parseArgb0x(QStringView text)
{
    Scanner scan(text);
    if (!scan.literal(QLatin1StringView("0x")))
        return std::nullopt;
    const auto value = scan.hexDigits(8);
    if (!value || *value >> 24 != 0xFF || !scan.atEnd())
        return std::nullopt;
    return fromBits(*value & 0xFFFFFF);
}

const Notation table[] = {
    {"hex", "HEX", writeHex, parseHex},
    {"rgb", "RGB", writeRgb, parseRgb},
    {"hsl", "HSL", writeHsl},
    {"hex-lower", "hex", writeHexLower, parseHex},
    {"hex-bare", "RRGGBB", writeHexBare, parseHex},
    {"css-rgb", "rgb()", writeCssRgb, parseCssRgb},
    {"css-rgb-legacy", "rgb(,)", writeCssRgbLegacy, parseCssRgbLegacy},
    {"css-hsl", "hsl()", writeCssHsl},
    {"css-hwb", "hwb()", writeCssHwb},
    {"hsv", "HSV", writeHsv},
    {"cmyk", "CMYK", writeCmyk},
    {"oklab", "OKLAB", writeOklab},
    {"oklch", "OKLCH", writeOklch},
    {"vec3", "VEC3", writeVec3, parseVec3},
    {"int", "INT", writeInt, parseInt},
    {"hex-0x", "0xHEX", writeHex0x, parseHex0x},
    {"argb-0x", "0xARGB", writeArgb0x, parseArgb0x},
    {"name", "Name", writeName},
};

} // namespace

namespace Notations {

std::span<const Notation> all()
{
    return table;
}

const Notation* find(QStringView id)
{
    for (const Notation& notation : table) {
        if (QLatin1StringView(notation.id.data(), qsizetype(notation.id.size())) == id)
            return &notation;
    }
    return nullptr;
}

const Notation& hex()
{
    return table[0];
}

const Notation& rgb()
{
    return table[1];
}

const Notation& hsl()
{
    return table[2];
}

std::optional<PickedColor> parse(QStringView text)
{
    for (const Notation& notation : table) {
        if (!notation.parse)
            continue;
        if (const auto color = notation.parse(text))
            return color;
    }
    // A CSS keyword names one exact colour, though the name notation that writes keywords
    // also writes "≈ navy", which names none: read apart from its table entry.
    return ColorNames::fromKeyword(text);
}

} // namespace Notations
