#pragma once

#include <unicode/unistr.h>

#include <cstddef>
#include <string>
#include <string_view>

// Small ICU helpers shared by the normaliser and the frame digest.
namespace morvane::telemetry::unicode_text {

// UTF-8 to UTF-16; each invalid sequence becomes U+FFFD.
icu::UnicodeString fromUtf8(std::string_view text);
std::string toUtf8(const icu::UnicodeString& text);

// Full Unicode lowercasing, independent of the user's locale.
icu::UnicodeString lowercased(icu::UnicodeString text);

// Splits at whitespace and newlines (Unicode separators, tab to carriage return, U+0085),
// drops empty pieces, joins with one space.
icu::UnicodeString collapsedWhitespace(const icu::UnicodeString& text);

// The text without leading and trailing spaces and tabs.
icu::UnicodeString trimmedSpacesAndTabs(const icu::UnicodeString& text);

// Counts grapheme clusters, but stops counting at limit (so the result is at most limit).
std::size_t graphemeCount(const icu::UnicodeString& text, std::size_t limit);

// Code-unit length of the first maxGraphemes grapheme clusters.
int graphemePrefixLength(const icu::UnicodeString& text, std::size_t maxGraphemes);

} // namespace morvane::telemetry::unicode_text
