#include "UnicodeText.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>

#include <memory>

namespace morvane::telemetry::unicode_text {

namespace {

bool isWhitespaceOrNewline(UChar32 c)
{
    if ((c >= 0x09 && c <= 0x0d) || c == 0x85)
        return true;
    const std::int8_t type = u_charType(c);
    return type == U_SPACE_SEPARATOR || type == U_LINE_SEPARATOR || type == U_PARAGRAPH_SEPARATOR;
}

bool isSpaceOrTab(char16_t c)
{
    return c == u' ' || c == u'\t';
}

// One character break iterator per thread: creating one loads rules and costs far more
// than the iteration itself.
icu::BreakIterator* threadCharacterBreaks()
{
    thread_local std::unique_ptr<icu::BreakIterator> breaks = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> created(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status))
            created.reset();
        return created;
    }();
    return breaks.get();
}

// Iterates grapheme boundaries; calls step(boundary) for each end of a cluster until it
// returns false. Without a break iterator, code points stand in for clusters.
template <typename Step> void forEachGraphemeEnd(const icu::UnicodeString& text, Step step)
{
    icu::BreakIterator* breaks = threadCharacterBreaks();
    if (!breaks) {
        for (int i = 0; i < text.length();) {
            i = text.moveIndex32(i, 1);
            if (!step(i))
                return;
        }
        return;
    }
    breaks->setText(text);
    for (int32_t end = breaks->next(); end != icu::BreakIterator::DONE; end = breaks->next()) {
        if (!step(end))
            break;
    }
    static const icu::UnicodeString nothing;
    breaks->setText(nothing); // no reference to the caller's text outlives the call
}

} // namespace

icu::UnicodeString fromUtf8(std::string_view text)
{
    return icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
}

std::string toUtf8(const icu::UnicodeString& text)
{
    std::string bytes;
    text.toUTF8String(bytes);
    return bytes;
}

icu::UnicodeString lowercased(icu::UnicodeString text)
{
    text.toLower(icu::Locale::getRoot());
    return text;
}

icu::UnicodeString collapsedWhitespace(const icu::UnicodeString& text)
{
    icu::UnicodeString result;
    bool pendingSpace = false;
    for (int i = 0; i < text.length();) {
        const UChar32 c = text.char32At(i);
        const int next = text.moveIndex32(i, 1);
        if (isWhitespaceOrNewline(c)) {
            pendingSpace = !result.isEmpty();
        } else {
            if (pendingSpace)
                result.append(u' ');
            pendingSpace = false;
            result.append(text, i, next - i);
        }
        i = next;
    }
    return result;
}

icu::UnicodeString trimmedSpacesAndTabs(const icu::UnicodeString& text)
{
    int start = 0;
    int end = text.length();
    while (start < end && isSpaceOrTab(text.charAt(start)))
        ++start;
    while (end > start && isSpaceOrTab(text.charAt(end - 1)))
        --end;
    return icu::UnicodeString(text, start, end - start);
}

std::size_t graphemeCount(const icu::UnicodeString& text, std::size_t limit)
{
    std::size_t count = 0;
    if (limit == 0)
        return 0;
    forEachGraphemeEnd(text, [&](int) { return ++count < limit; });
    return count;
}

int graphemePrefixLength(const icu::UnicodeString& text, std::size_t maxGraphemes)
{
    // Every cluster takes at least one code unit, so a short text is whole.
    if (static_cast<std::size_t>(text.length()) <= maxGraphemes)
        return text.length();
    int length = 0;
    std::size_t count = 0;
    if (maxGraphemes == 0)
        return 0;
    forEachGraphemeEnd(text, [&](int end) {
        length = end;
        return ++count < maxGraphemes;
    });
    return length;
}

} // namespace morvane::telemetry::unicode_text
