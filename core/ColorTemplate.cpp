#include "core/ColorTemplate.h"

#include "core/Notations.h"

#include <QCoreApplication>

namespace ColorTemplate {

namespace {

// The placeholder's text for the colour; false for an unknown name.
bool writePlaceholder(QStringView name, const PickedColor& c, NotationText& out)
{
    const auto is = [name](const char* known) { return name == QLatin1StringView(known); };
    if (is("r") || is("g") || is("b")) {
        out.appendInt(is("r") ? c.red : is("g") ? c.green : c.blue);
    } else if (is("hex") || is("hexl")) {
        for (std::uint8_t channel : {c.red, c.green, c.blue})
            out.appendByte(channel, is("hexl"));
    } else if (is("rf") || is("gf") || is("bf")) {
        out.appendFixed((is("rf") ? c.red : is("gf") ? c.green : c.blue) / 255.0, 4);
    } else if (is("h") || is("s") || is("l")) {
        const Hsl hsl = c.hsl();
        out.appendInt(is("h") ? hsl.hue : is("s") ? hsl.saturation : hsl.lightness);
    } else {
        return false;
    }
    return true;
}

QString tr(const char* text)
{
    return QCoreApplication::translate("ColorTemplate", text);
}

// Walks the template, passing literal text and placeholders to the sinks; the problem when
// it is malformed.
std::optional<QString> walk(QStringView pattern, const auto& literal, const auto& placeholder)
{
    if (pattern.trimmed().isEmpty())
        return tr("the template is empty");
    for (qsizetype at = 0; at < pattern.size();) {
        const QChar c = pattern[at];
        const bool doubled = at + 1 < pattern.size() && pattern[at + 1] == c;
        if ((c == u'{' || c == u'}') && doubled) {
            literal(pattern.sliced(at, 1));
            at += 2;
        } else if (c == u'}') {
            return tr("a lone \"}\" (write \"}}\" for a brace)");
        } else if (c == u'{') {
            const qsizetype end = pattern.indexOf(u'}', at + 1);
            const qsizetype nextOpen = pattern.indexOf(u'{', at + 1);
            if (end < 0 || (nextOpen >= 0 && nextOpen < end))
                return tr("a \"{\" without its \"}\" (write \"{{\" for a brace)");
            const QStringView name = pattern.sliced(at + 1, end - at - 1);
            if (!placeholder(name))
                return tr("unknown placeholder \"{%1}\"").arg(name);
            at = end + 1;
        } else {
            qsizetype next = at;
            while (next < pattern.size() && pattern[next] != u'{' && pattern[next] != u'}')
                ++next;
            literal(pattern.sliced(at, next - at));
            at = next;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> problem(QStringView pattern)
{
    const PickedColor any;
    return walk(
        pattern, [](QStringView) {},
        [&any](QStringView name) {
            NotationText scratch;
            return writePlaceholder(name, any, scratch);
        });
}

QString apply(QStringView pattern, const PickedColor& color)
{
    QString result;
    const auto problem = walk(
        pattern, [&result](QStringView text) { result += text; },
        [&](QStringView name) {
            NotationText text;
            const bool known = writePlaceholder(name, color, text);
            result += text.toString();
            return known;
        });
    return problem ? QString() : result;
}

} // namespace ColorTemplate
