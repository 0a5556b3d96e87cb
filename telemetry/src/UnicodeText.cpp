#include "UnicodeText.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>

#include <memory>

namespace morvane::telemetry::unicode_text {

namespace {

// Whitespace and newlines: Unicode separators, tab to carriage return and U+0085.
// All of them lie in the BMP, so one UTF-16 unit decides.
bool isWhitespaceOrNewline(char16_t c)
{
    if (c < 0x80)
        return c == u' ' || (c >= 0x09 && c <= 0x0d);
    if (c == 0x85)
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
    const char16_t* units = text.getBuffer();
    const int length = text.length();
    bool ascii = true;
    for (int i = 0; i < length && ascii; ++i)
        ascii = units[i] < 0x80;
    if (!ascii) {
        text.toLower(icu::Locale::getRoot());
        return text;
    }
    // Plain ASCII, by far the usual case, maps A-Z alone; ICU's full case mapping costs more.
    char16_t* writable = text.getBuffer(length);
    for (int i = 0; i < length; ++i) {
        if (writable[i] >= u'A' && writable[i] <= u'Z')
            writable[i] = static_cast<char16_t>(writable[i] + (u'a' - u'A'));
    }
    text.releaseBuffer(length);
    return text;
}

namespace {

// No leading, trailing or doubled whitespace, and every whitespace a plain space.
bool isCollapsed(const char16_t* units, int length)
{
    for (int i = 0; i < length; ++i) {
        if (isWhitespaceOrNewline(units[i]) &&
            (units[i] != u' ' || i == 0 || i == length - 1 || units[i - 1] == u' '))
            return false;
    }
    return true;
}

} // namespace

icu::UnicodeString collapsedWhitespace(const icu::UnicodeString& text)
{
    const char16_t* units = text.getBuffer();
    const int length = text.length();
    if (isCollapsed(units, length))
        return text;
    icu::UnicodeString result;
    for (int i = 0; i < length;) {
        while (i < length && isWhitespaceOrNewline(units[i]))
            ++i;
        const int pieceStart = i;
        while (i < length && !isWhitespaceOrNewline(units[i]))
            ++i;
        if (i > pieceStart) {
            if (!result.isEmpty())
                result.append(u' ');
            result.append(units + pieceStart, i - pieceStart);
        }
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
    // Fast path: at the start of a text, each printable ASCII character begins a cluster.
    std::size_t count = 0;
    while (count < limit && count < static_cast<std::size_t>(text.length()) &&
           text.charAt(static_cast<int>(count)) >= 0x20 &&
           text.charAt(static_cast<int>(count)) < 0x7f)
        ++count;
    if (count == limit)
        return limit;
    count = 0;
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
