#include "RegexReplacer.h"

#include <atomic>

namespace morvane::telemetry {

namespace {

std::atomic<std::size_t> nextSlot{0};

// Replacers are long-lived statics, so a slot is never reused by another pattern.
thread_local std::vector<std::unique_ptr<icu::RegexMatcher>> matchers;

// Points the matcher at the text for the span of one call, so no reference to the caller's
// text outlives it.
class MatcherOn
{
public:
    MatcherOn(icu::RegexMatcher& matcher, const icu::UnicodeString& text) : m_matcher(matcher)
    {
        m_matcher.reset(text);
    }
    ~MatcherOn()
    {
        static const icu::UnicodeString nothing;
        m_matcher.reset(nothing);
    }
    MatcherOn(const MatcherOn&) = delete;
    MatcherOn& operator=(const MatcherOn&) = delete;

    // The end of a match that starts exactly at index; none when there is none there.
    // failed is set when ICU could not tell.
    std::optional<int> matchAt(int index, bool& failed)
    {
        UErrorCode status = U_ZERO_ERROR;
        if (!m_matcher.lookingAt(index, status)) {
            failed = failed || U_FAILURE(status);
            return std::nullopt;
        }
        const int end = m_matcher.end(status);
        failed = failed || U_FAILURE(status);
        return U_SUCCESS(status) ? std::optional(end) : std::nullopt;
    }

private:
    icu::RegexMatcher& m_matcher;
};

} // namespace

RegexReplacer::RegexReplacer(const char16_t* pattern, const char16_t* replacement)
    : m_replacement(replacement), m_slot(nextSlot++)
{
    UErrorCode status = U_ZERO_ERROR;
    UParseError where{};
    m_pattern.reset(icu::RegexPattern::compile(icu::UnicodeString(pattern), 0, where, status));
    if (U_FAILURE(status))
        m_pattern.reset(); // every replacement then gives none
}

RegexReplacer::~RegexReplacer() = default;

icu::RegexMatcher* RegexReplacer::threadMatcher() const
{
    if (matchers.size() <= m_slot)
        matchers.resize(m_slot + 1);
    std::unique_ptr<icu::RegexMatcher>& matcher = matchers[m_slot];
    if (!matcher && m_pattern) {
        UErrorCode status = U_ZERO_ERROR;
        matcher.reset(m_pattern->matcher(status));
        if (U_FAILURE(status))
            matcher.reset();
    }
    return matcher.get();
}

std::optional<icu::UnicodeString> RegexReplacer::replaceAll(const icu::UnicodeString& text) const
{
    icu::RegexMatcher* matcher = threadMatcher();
    if (!matcher)
        return std::nullopt;
    MatcherOn on(*matcher, text);
    // Our own loop: the replacement is literal, so ICU's parsing of "$n" references in it on
    // every match would be wasted work.
    icu::UnicodeString result;
    int copied = 0;
    bool matched = false;
    UErrorCode status = U_ZERO_ERROR;
    while (matcher->find(status) && U_SUCCESS(status)) {
        const int start = matcher->start(status);
        const int end = matcher->end(status);
        if (U_FAILURE(status))
            return std::nullopt;
        result.append(text, copied, start - copied).append(m_replacement);
        copied = end;
        matched = true;
    }
    if (U_FAILURE(status))
        return std::nullopt;
    if (!matched)
        return text; // no match: share the caller's buffer instead of copying it
    return result.append(text, copied, text.length() - copied);
}

std::optional<icu::UnicodeString> RegexReplacer::replaceAll(const icu::UnicodeString& text,
                                                            StartFilter mayStart) const
{
    icu::RegexMatcher* matcher = threadMatcher();
    if (!matcher)
        return std::nullopt;
    MatcherOn on(*matcher, text);
    icu::UnicodeString result;
    int copied = 0;
    bool failed = false;
    for (int index = 0; index < text.length();) {
        if (mayStart(text, index, copied)) {
            const std::optional<int> end = on.matchAt(index, failed);
            if (end && *end > index) {
                result.append(text, copied, index - copied).append(m_replacement);
                copied = index = *end;
                continue;
            }
        }
        ++index;
    }
    if (failed)
        return std::nullopt;
    return result.append(text, copied, text.length() - copied);
}

std::optional<icu::UnicodeString>
RegexReplacer::replaceAllStartingAt(const icu::UnicodeString& text,
                                    const std::vector<int>& starts) const
{
    icu::RegexMatcher* matcher = threadMatcher();
    if (!matcher)
        return std::nullopt;
    MatcherOn on(*matcher, text);
    icu::UnicodeString result;
    int copied = 0;
    bool failed = false;
    for (const int start : starts) {
        if (start < copied)
            continue;
        const std::optional<int> end = on.matchAt(start, failed);
        if (end && *end > start) {
            result.append(text, copied, start - copied).append(m_replacement);
            copied = *end;
        }
    }
    if (failed)
        return std::nullopt;
    if (copied == 0)
        return text;
    return result.append(text, copied, text.length() - copied);
}

} // namespace morvane::telemetry
