#include <morvane/telemetry/MessageNormalizer.h>

#include <morvane/telemetry/Fingerprints.h>

#include "RegexReplacer.h"
#include "UnicodeText.h"

#include <array>

namespace morvane::telemetry {

namespace ut = unicode_text;

namespace {

// Templates of 8 or more characters stand on their own.
constexpr std::size_t shortTemplateLimit = 8;
constexpr std::size_t digestedFrames = 3;

struct Mask
{
    RegexReplacer replacer;
    char16_t requiredCharacter; // a text without it cannot match; 0 when there is none
};

// Applied in this order, each to the result of the previous one.
const std::array<Mask, 7>& masks()
{
    static const std::array<Mask, 7> compiled{{
        {{uR"re([a-zA-Z0-9._%+\-]+@[a-zA-Z0-9.\-]+\.[a-zA-Z]{2,})re", u"<email>"}, u'@'},
        {{uR"re(\d{4}-\d{2}-\d{2}[T ]\d{2}:\d{2}:\d{2}(?:\.\d+)?(?:Z|[+-]\d{2}:?\d{2})?)re",
          u"<ts>"},
         u':'},
        {{uR"re([0-9a-fA-F]{8}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{12})re",
          u"<uuid>"},
         u'-'},
        {{uR"re(mv_[0-9a-zA-Z-]+)re", u"<mv_id>"}, u'_'},
        {{uR"re((?:[A-Za-z]:[\\\/]|\\\\|\/)[^\s,;\"'<>]+)re", u"<path>"}, 0},
        {{uR"re(\b[0-9a-fA-F]{8,}\b)re", u"<hex>"}, 0},
        {{uR"re(\b\d{4,}\b)re", u"<n>"}, 0},
    }};
    return compiled;
}

const RegexReplacer& arrowSuffix()
{
    static const RegexReplacer replacer(uR"re(\s*->.+)re", u"");
    return replacer;
}

const RegexReplacer& parenthesised()
{
    static const RegexReplacer replacer(uR"re(\(.*\))re", u"");
    return replacer;
}

icu::UnicodeString masked(icu::UnicodeString text)
{
    for (const Mask& mask : masks()) {
        // Skipping a pass whose pattern cannot match changes nothing but the time taken.
        if (mask.requiredCharacter != 0 && text.indexOf(mask.requiredCharacter) < 0)
            continue;
        text = mask.replacer.replaceAll(text);
    }
    return text;
}

std::string cleanedFrame(const std::string& frame)
{
    icu::UnicodeString text = ut::fromUtf8(frame);
    text = parenthesised().replaceAll(arrowSuffix().replaceAll(text));
    return ut::toUtf8(ut::lowercased(ut::trimmedSpacesAndTabs(text)));
}

} // namespace

std::string normalizeMessage(std::string_view message,
                             const std::optional<std::string>& exceptionType)
{
    const icu::UnicodeString original = ut::fromUtf8(message);
    const icu::UnicodeString result = ut::collapsedWhitespace(ut::lowercased(masked(original)));
    if (ut::graphemeCount(result, shortTemplateLimit) >= shortTemplateLimit)
        return ut::toUtf8(result);
    if (exceptionType && !exceptionType->empty()) {
        icu::UnicodeString joined = result;
        joined.append(u' ').append(ut::fromUtf8(*exceptionType));
        return ut::toUtf8(ut::trimmedSpacesAndTabs(joined));
    }
    if (!result.isEmpty())
        return ut::toUtf8(result);
    return ut::toUtf8(ut::lowercased(original));
}

std::size_t characterCount(std::string_view text)
{
    return ut::graphemeCount(ut::fromUtf8(text), SIZE_MAX);
}

std::string prefixCharacters(std::string_view text, std::size_t maxCharacters)
{
    const icu::UnicodeString unicode = ut::fromUtf8(text);
    const int length = ut::graphemePrefixLength(unicode, maxCharacters);
    return ut::toUtf8(icu::UnicodeString(unicode, 0, length));
}

std::string computeFrameDigest(const std::vector<std::string>& frames)
{
    std::string joined;
    for (std::size_t i = 0; i < frames.size() && i < digestedFrames; ++i) {
        if (i > 0)
            joined.push_back('|');
        joined.append(cleanedFrame(frames[i]));
    }
    return sha256Hex(joined, 12);
}

} // namespace morvane::telemetry
