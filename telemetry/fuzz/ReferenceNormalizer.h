#pragma once

// A deliberately plain normaliser and frame digest for differential checks: each of the seven
// patterns runs over the whole text with ICU's own replaceAll, compiled on every call. Slow, but
// plainly the rules; the library's token-by-token version must agree with it on every input.

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/regex.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <morvane/telemetry/Fingerprints.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::telemetry::reference {

inline icu::UnicodeString replaceAll(const icu::UnicodeString& text, const char16_t* pattern,
                                     const char16_t* replacement)
{
    UErrorCode status = U_ZERO_ERROR;
    icu::RegexMatcher matcher(icu::UnicodeString(pattern), text, 0, status);
    icu::UnicodeString result = matcher.replaceAll(icu::UnicodeString(replacement), status);
    return U_SUCCESS(status) ? result : icu::UnicodeString(u"<regex failure>");
}

inline bool isWhitespaceOrNewline(UChar32 c)
{
    const std::int8_t type = u_charType(c);
    return (c >= 0x09 && c <= 0x0d) || c == 0x85 || type == U_SPACE_SEPARATOR ||
           type == U_LINE_SEPARATOR || type == U_PARAGRAPH_SEPARATOR;
}

inline bool hasEightGraphemes(const icu::UnicodeString& text)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> breaks(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    breaks->setText(text);
    int count = 0;
    while (breaks->next() != icu::BreakIterator::DONE)
        ++count;
    return count >= 8;
}

inline std::string normalizeMessage(std::string_view message,
                                    const std::optional<std::string>& exceptionType)
{
    static const char16_t* const rules[7][2] = {
        {uR"re([a-zA-Z0-9._%+\-]+@[a-zA-Z0-9.\-]+\.[a-zA-Z]{2,})re", u"<email>"},
        {uR"re(\d{4}-\d{2}-\d{2}[T ]\d{2}:\d{2}:\d{2}(?:\.\d+)?(?:Z|[+-]\d{2}:?\d{2})?)re",
         u"<ts>"},
        {uR"re([0-9a-fA-F]{8}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{12})re",
         u"<uuid>"},
        {uR"re(mv_[0-9a-zA-Z-]+)re", u"<mv_id>"},
        {uR"re((?:[A-Za-z]:[\\\/]|\\\\|\/)[^\s,;\"'<>]+)re", u"<path>"},
        {uR"re(\b[0-9a-fA-F]{8,}\b)re", u"<hex>"},
        {uR"re(\b\d{4,}\b)re", u"<n>"},
    };
    const icu::UnicodeString original = icu::UnicodeString::fromUTF8(
        icu::StringPiece(message.data(), static_cast<int32_t>(message.size())));
    icu::UnicodeString text = original;
    for (const auto& rule : rules)
        text = replaceAll(text, rule[0], rule[1]);
    text.toLower(icu::Locale::getRoot());

    icu::UnicodeString collapsed;
    bool inPiece = false;
    for (int i = 0; i < text.length(); i = text.moveIndex32(i, 1)) {
        const UChar32 c = text.char32At(i);
        if (isWhitespaceOrNewline(c)) {
            inPiece = false;
            continue;
        }
        if (!inPiece && !collapsed.isEmpty())
            collapsed.append(u' ');
        inPiece = true;
        collapsed.append(c);
    }

    std::string result;
    if (hasEightGraphemes(collapsed)) {
        collapsed.toUTF8String(result);
    } else if (exceptionType && !exceptionType->empty()) {
        icu::UnicodeString joined = collapsed;
        joined.append(u' ').append(icu::UnicodeString::fromUTF8(*exceptionType));
        int start = 0;
        int end = joined.length();
        while (start < end && (joined[start] == u' ' || joined[start] == u'\t'))
            ++start;
        while (end > start && (joined[end - 1] == u' ' || joined[end - 1] == u'\t'))
            --end;
        joined.tempSubString(start, end - start).toUTF8String(result);
    } else if (!collapsed.isEmpty()) {
        collapsed.toUTF8String(result);
    } else {
        icu::UnicodeString lowered = original;
        lowered.toLower(icu::Locale::getRoot());
        lowered.toUTF8String(result);
    }
    return result;
}

inline std::string computeFrameDigest(const std::vector<std::string>& frames)
{
    std::string joined;
    for (std::size_t i = 0; i < frames.size() && i < 3; ++i) {
        icu::UnicodeString frame = icu::UnicodeString::fromUTF8(frames[i]);
        frame = replaceAll(frame, uR"re(\s*->.+)re", u"");
        frame = replaceAll(frame, uR"re(\(.*\))re", u"");
        int start = 0;
        int end = frame.length();
        while (start < end && (frame[start] == u' ' || frame[start] == u'\t'))
            ++start;
        while (end > start && (frame[end - 1] == u' ' || frame[end - 1] == u'\t'))
            --end;
        icu::UnicodeString cleaned = frame.tempSubString(start, end - start);
        cleaned.toLower(icu::Locale::getRoot());
        if (i > 0)
            joined.push_back('|');
        cleaned.toUTF8String(joined);
    }
    return sha256Hex(joined, 12);
}

} // namespace morvane::telemetry::reference
