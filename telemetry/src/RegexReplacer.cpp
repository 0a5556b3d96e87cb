#include "RegexReplacer.h"

#include <atomic>
#include <vector>

namespace morvane::telemetry {

namespace {

std::atomic<std::size_t> nextSlot{0};

// Replacers are long-lived statics, so a slot is never reused by another pattern.
thread_local std::vector<std::unique_ptr<icu::RegexMatcher>> matchers;

} // namespace

RegexReplacer::RegexReplacer(const char16_t* pattern, const char16_t* replacement)
    : replacement_(replacement), slot_(nextSlot++)
{
    UErrorCode status = U_ZERO_ERROR;
    UParseError where{};
    pattern_.reset(icu::RegexPattern::compile(icu::UnicodeString(pattern), 0, where, status));
    if (U_FAILURE(status))
        pattern_.reset(); // cannot happen for our fixed patterns; replaceAll then passes through
}

RegexReplacer::~RegexReplacer() = default;

icu::RegexMatcher* RegexReplacer::threadMatcher() const
{
    if (matchers.size() <= slot_)
        matchers.resize(slot_ + 1);
    std::unique_ptr<icu::RegexMatcher>& matcher = matchers[slot_];
    if (!matcher && pattern_) {
        UErrorCode status = U_ZERO_ERROR;
        matcher.reset(pattern_->matcher(status));
        if (U_FAILURE(status))
            matcher.reset();
    }
    return matcher.get();
}

icu::UnicodeString RegexReplacer::replaceAll(const icu::UnicodeString& text) const
{
    icu::RegexMatcher* matcher = threadMatcher();
    if (!matcher)
        return text;
    matcher->reset(text);
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
            break;
        result.append(text, copied, start - copied).append(replacement_);
        copied = end;
        matched = true;
    }
    static const icu::UnicodeString nothing;
    matcher->reset(nothing); // no reference to the caller's text outlives the call
    if (!matched)
        return text; // no match: share the caller's buffer instead of copying it
    result.append(text, copied, text.length() - copied);
    return result;
}

std::optional<std::pair<int, int>> RegexReplacer::firstMatch(const icu::UnicodeString& text,
                                                             int start, int limit) const
{
    icu::RegexMatcher* matcher = threadMatcher();
    if (!matcher)
        return std::nullopt;
    matcher->reset(text);
    UErrorCode status = U_ZERO_ERROR;
    matcher->region(start, limit, status);
    std::optional<std::pair<int, int>> found;
    if (U_SUCCESS(status) && matcher->find(status) && U_SUCCESS(status)) {
        const int matchStart = matcher->start(status);
        const int matchEnd = matcher->end(status);
        if (U_SUCCESS(status))
            found = std::pair{matchStart, matchEnd};
    }
    static const icu::UnicodeString nothing;
    matcher->reset(nothing);
    return found;
}

icu::UnicodeString RegexReplacer::replaceAll(const icu::UnicodeString& text,
                                             StartFilter mayStart) const
{
    icu::RegexMatcher* matcher = threadMatcher();
    if (!matcher)
        return text;
    matcher->reset(text);
    icu::UnicodeString result;
    int copied = 0;
    for (int index = 0; index < text.length();) {
        UErrorCode status = U_ZERO_ERROR;
        if (mayStart(text, index, copied) && matcher->lookingAt(index, status) &&
            U_SUCCESS(status)) {
            const int end = matcher->end(status);
            if (U_SUCCESS(status) && end > index) {
                result.append(text, copied, index - copied).append(replacement_);
                copied = index = end;
                continue;
            }
        }
        ++index;
    }
    result.append(text, copied, text.length() - copied);
    static const icu::UnicodeString nothing;
    matcher->reset(nothing);
    return result;
}

} // namespace morvane::telemetry
