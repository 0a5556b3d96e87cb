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
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString result = matcher->replaceAll(replacement_, status);
    // Drop the matcher's reference to the caller's text before it goes away.
    static const icu::UnicodeString nothing;
    matcher->reset(nothing);
    return U_SUCCESS(status) ? result : text;
}

} // namespace morvane::telemetry
