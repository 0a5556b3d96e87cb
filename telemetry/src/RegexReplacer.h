#pragma once

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <cstddef>
#include <memory>

namespace morvane::telemetry {

// One ICU regular expression, compiled once, that replaces every match by a fixed text.
// Safe to share between threads: each thread matches with its own matcher, created on its
// first use and reused afterwards (creating a matcher per call would dominate short texts).
class RegexReplacer
{
public:
    RegexReplacer(const char16_t* pattern, const char16_t* replacement);
    ~RegexReplacer();
    RegexReplacer(const RegexReplacer&) = delete;
    RegexReplacer& operator=(const RegexReplacer&) = delete;

    // The text with every non-overlapping match, left to right, replaced.
    icu::UnicodeString replaceAll(const icu::UnicodeString& text) const;

private:
    icu::RegexMatcher* threadMatcher() const;

    std::unique_ptr<icu::RegexPattern> pattern_;
    icu::UnicodeString replacement_;
    std::size_t slot_; // index of this replacer's matcher in each thread's cache
};

} // namespace morvane::telemetry
