#pragma once

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace morvane::telemetry {

// One ICU regular expression, compiled once, that replaces every match by a fixed text.
// Safe to share between threads: each thread matches with its own matcher, created on its
// first use and reused afterwards (creating a matcher per call would dominate short texts).
// When the pattern cannot be compiled (ICU data missing) or matching fails, every
// replacement gives none rather than the text: callers that mask must not pass it through.
class RegexReplacer
{
public:
    RegexReplacer(const char16_t* pattern, const char16_t* replacement);
    ~RegexReplacer();
    RegexReplacer(const RegexReplacer&) = delete;
    RegexReplacer& operator=(const RegexReplacer&) = delete;

    // The text with every non-overlapping match, left to right, replaced.
    std::optional<icu::UnicodeString> replaceAll(const icu::UnicodeString& text) const;

    // Decides whether a match may start at index, given where the previous match ended
    // (0 before the first one). Must only say no where the pattern cannot match.
    using StartFilter = bool (*)(const icu::UnicodeString& text, int index, int previousEnd);

    // Same result as replaceAll when the filter is exact; tries a match only at the indices
    // it lets through, which keeps patterns linear that would otherwise rescan long runs.
    std::optional<icu::UnicodeString> replaceAll(const icu::UnicodeString& text,
                                                 StartFilter mayStart) const;

    // The same for a pattern whose matches can only start at the given indices (ascending):
    // a match is tried at each of them that lies at or after the end of the previous match.
    std::optional<icu::UnicodeString> replaceAllStartingAt(const icu::UnicodeString& text,
                                                           const std::vector<int>& starts) const;

private:
    icu::RegexMatcher* threadMatcher() const;

    std::unique_ptr<icu::RegexPattern> m_pattern;
    icu::UnicodeString m_replacement;
    std::size_t m_slot; // index of this replacer's matcher in each thread's cache
};

} // namespace morvane::telemetry
