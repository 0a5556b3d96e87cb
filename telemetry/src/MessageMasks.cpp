#include "MessageMasks.h"

#include "RegexReplacer.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace morvane::telemetry {

namespace {

// The seven masks, applied in this order, each to the result of the previous one.
const RegexReplacer& emailMask()
{
    static const RegexReplacer replacer(uR"re([a-zA-Z0-9._%+\-]+@[a-zA-Z0-9.\-]+\.[a-zA-Z]{2,})re",
                                        u"<email>");
    return replacer;
}

const RegexReplacer& timestampMask()
{
    static const RegexReplacer replacer(
        uR"re(\d{4}-\d{2}-\d{2}[T ]\d{2}:\d{2}:\d{2}(?:\.\d+)?(?:Z|[+-]\d{2}:?\d{2})?)re", u"<ts>");
    return replacer;
}

// The five masks after the timestamp, each with a test that is false only for texts it
// cannot change.
struct TokenMask
{
    RegexReplacer replacer;
    bool (*mayMatch)(const icu::UnicodeString& token);
};

bool isAsciiHexDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool hasAsciiHexRun(const icu::UnicodeString& token, int length)
{
    int run = 0;
    for (int i = 0; i < token.length(); ++i) {
        run = isAsciiHexDigit(token.charAt(i)) ? run + 1 : 0;
        if (run >= length)
            return true;
    }
    return false;
}

bool hasDigitRun(const icu::UnicodeString& token, int length)
{
    const char16_t* units = token.getBuffer();
    const int count = token.length();
    int run = 0;
    for (int i = 0; i < count;) {
        bool digit = false;
        if (units[i] < 0x80) {
            digit = units[i] >= u'0' && units[i] <= u'9';
            ++i;
        } else {
            UChar32 c = 0;
            U16_NEXT(units, i, count, c);
            digit = u_isdigit(c); // \d is any decimal digit
        }
        run = digit ? run + 1 : 0;
        if (run >= length)
            return true;
    }
    return false;
}

const std::array<TokenMask, 5>& tokenMasks()
{
    static const std::array<TokenMask, 5> compiled{{
        {{uR"re([0-9a-fA-F]{8}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{12})re",
          u"<uuid>"},
         [](const icu::UnicodeString& t) { return t.length() >= 36 && t.indexOf(u'-') >= 0; }},
        {{uR"re(mv_[0-9a-zA-Z-]+)re", u"<mv_id>"},
         [](const icu::UnicodeString& t) { return t.indexOf(u"mv_", 3, 0) >= 0; }},
        {{uR"re((?:[A-Za-z]:[\\\/]|\\\\|\/)[^\s,;\"'<>]+)re", u"<path>"},
         [](const icu::UnicodeString& t) { return t.indexOf(u'/') >= 0 || t.indexOf(u'\\') >= 0; }},
        {{uR"re(\b[0-9a-fA-F]{8,}\b)re", u"<hex>"},
         [](const icu::UnicodeString& t) { return hasAsciiHexRun(t, 8); }},
        {{uR"re(\b\d{4,}\b)re", u"<n>"},
         [](const icu::UnicodeString& t) { return hasDigitRun(t, 4); }},
    }};
    return compiled;
}

bool isEmailLocalCharacter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'.' || c == u'_' || c == u'%' || c == u'+' || c == u'-';
}

// An e-mail match runs from its start to the first "@" and then depends only on what
// follows: when a start fails, every later start inside the same run fails too. Trying
// only the first index of a run (or where the previous match ended) gives the same
// matches in linear instead of quadratic time.
bool mayStartEmail(const icu::UnicodeString& text, int index, int previousEnd)
{
    return isEmailLocalCharacter(text.charAt(index)) &&
           (index == previousEnd || index == 0 || !isEmailLocalCharacter(text.charAt(index - 1)));
}

// Whitespace that no mask can match and that no mask's \b can see through. Between such
// characters a mask sees the same text as in the whole message, so the masks other than
// the timestamp (whose pattern holds a space) run token by token, and most tokens skip
// most masks.
bool separatesTokens(char16_t c)
{
    if (c < 0x80)
        return c == u' ' || c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r';
    const std::int8_t type = u_charType(c); // all separators lie in the BMP
    return type == U_SPACE_SEPARATOR || type == U_LINE_SEPARATOR || type == U_PARAGRAPH_SEPARATOR;
}

int tokenStartBefore(const icu::UnicodeString& text, int index, int floor)
{
    while (index > floor && !separatesTokens(text.charAt(index - 1)))
        --index;
    return index;
}

int tokenEndFrom(const icu::UnicodeString& text, int index)
{
    while (index < text.length() && !separatesTokens(text.charAt(index)))
        ++index;
    return index;
}

// Only a token that holds an "@" can hold an e-mail address.
std::optional<icu::UnicodeString> maskEmails(const icu::UnicodeString& text)
{
    int at = text.indexOf(u'@');
    if (at < 0)
        return text;
    icu::UnicodeString result;
    int copied = 0;
    for (; at >= 0; at = text.indexOf(u'@', copied)) {
        const int start = tokenStartBefore(text, at, copied);
        const int end = tokenEndFrom(text, at);
        const icu::UnicodeString token(false, text.getBuffer() + start, end - start);
        const std::optional<icu::UnicodeString> masked =
            emailMask().replaceAll(token, mayStartEmail);
        if (!masked)
            return std::nullopt;
        result.append(text, copied, start - copied).append(*masked);
        copied = end;
    }
    return result.append(text, copied, text.length() - copied);
}

// A date-time match has its first colon exactly 13 code points after its start ("yyyy-mm-dd
// hh:"), so each colon names the one index where a match may start. Trying those left to
// right finds the matches a whole-text scan finds, and each try reads at most the pattern's
// fixed 19 code points before it fails (and none is tried where no digit stands).
std::optional<icu::UnicodeString> maskTimestamps(const icu::UnicodeString& text)
{
    constexpr int codePointsBeforeFirstColon = 13;
    std::vector<int> starts;
    for (int colon = text.indexOf(u':'); colon >= 0; colon = text.indexOf(u':', colon + 1)) {
        int start = colon;
        int steps = 0;
        for (; steps < codePointsBeforeFirstColon && start > 0; ++steps)
            start = text.moveIndex32(start, -1);
        if (steps == codePointsBeforeFirstColon && u_isdigit(text.char32At(start)))
            starts.push_back(start);
    }
    if (starts.empty())
        return text;
    return timestampMask().replaceAllStartingAt(text, starts);
}

// Applies the five identifier masks to the token. masked stays empty when no mask can match
// (the common case: a plain word, which is then not copied). False when a mask fails.
bool maskToken(const icu::UnicodeString& token, std::optional<icu::UnicodeString>& masked)
{
    const auto& masks = tokenMasks();
    auto mask = masks.begin();
    while (mask != masks.end() && !mask->mayMatch(token))
        ++mask;
    if (mask == masks.end())
        return true;
    masked = token;
    for (; mask != masks.end(); ++mask) {
        if (!mask->mayMatch(*masked))
            continue;
        std::optional<icu::UnicodeString> next = mask->replacer.replaceAll(*masked);
        if (!next)
            return false;
        masked = std::move(next);
    }
    return true;
}

// Masks identifiers token by token, copying the untouched stretches between changed tokens
// in one piece.
std::optional<icu::UnicodeString> maskIdentifiers(const icu::UnicodeString& text)
{
    const char16_t* units = text.getBuffer();
    const int length = text.length();
    icu::UnicodeString result;
    int copied = 0;
    for (int i = 0; i < length;) {
        while (i < length && separatesTokens(units[i]))
            ++i;
        const int tokenStart = i;
        while (i < length && !separatesTokens(units[i]))
            ++i;
        if (i == tokenStart)
            continue;
        std::optional<icu::UnicodeString> masked;
        if (!maskToken(icu::UnicodeString(false, units + tokenStart, i - tokenStart), masked))
            return std::nullopt;
        if (!masked)
            continue;
        result.append(units + copied, tokenStart - copied).append(*masked);
        copied = i;
    }
    if (copied == 0)
        return text;
    return result.append(units + copied, length - copied);
}

} // namespace

std::optional<icu::UnicodeString> maskedMessage(const icu::UnicodeString& text)
{
    std::optional<icu::UnicodeString> masked = maskEmails(text);
    if (masked)
        masked = maskTimestamps(*masked);
    if (masked)
        masked = maskIdentifiers(*masked);
    return masked;
}

} // namespace morvane::telemetry
