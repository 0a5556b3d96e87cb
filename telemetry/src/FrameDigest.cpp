#include <morvane/telemetry/Fingerprints.h>
#include <morvane/telemetry/MessageNormalizer.h>

#include "RegexReplacer.h"
#include "UnicodeText.h"

#include <unicode/uchar.h>

namespace morvane::telemetry {

namespace ut = unicode_text;

namespace {

constexpr std::size_t digestedFrames = 3;

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

// An arrow match starts with "-" or with whitespace; from inside a whitespace run it fails
// wherever it fails from the run's first character, so only that one is tried.
bool mayStartArrow(const icu::UnicodeString& text, int index, int previousEnd)
{
    const char16_t c = text.charAt(index);
    if (!u_isUWhiteSpace(c))
        return c == u'-';
    return index == 0 || index == previousEnd || !u_isUWhiteSpace(text.charAt(index - 1));
}

icu::UnicodeString withoutArrowSuffix(const icu::UnicodeString& text)
{
    if (text.indexOf(u"->", 2, 0) < 0)
        return text;
    // A frame is only ever hashed, so one that cannot be cleaned is digested as it is.
    return arrowSuffix().replaceAll(text, mayStartArrow).value_or(text);
}

// Every match ends with a ")", so the text after the last one cannot change; leaving it out
// keeps a run of unclosed "(" from being rescanned to the end once per "(".
icu::UnicodeString withoutParenthesised(const icu::UnicodeString& text)
{
    const int lastClose = text.lastIndexOf(u')');
    if (lastClose < 0 || text.indexOf(u'(') < 0)
        return text;
    const icu::UnicodeString head(false, text.getBuffer(), lastClose + 1);
    icu::UnicodeString result = parenthesised().replaceAll(head).value_or(head);
    return result.append(text, lastClose + 1, text.length() - lastClose - 1);
}

std::string cleanedFrame(const std::string& frame)
{
    const icu::UnicodeString text = withoutParenthesised(withoutArrowSuffix(ut::fromUtf8(frame)));
    return ut::toUtf8(ut::lowercased(ut::trimmedSpacesAndTabs(text)));
}

} // namespace

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
