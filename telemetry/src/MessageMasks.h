#pragma once

#include <unicode/unistr.h>

#include <optional>

namespace morvane::telemetry {

// The message with e-mail addresses, ISO 8601 date-times, UUIDs, mv_ identifiers, file paths,
// hex words of 8 or more digits and numbers of 4 or more digits replaced by "<email>", "<ts>",
// "<uuid>", "<mv_id>", "<path>", "<hex>" and "<n>", in that order, each rule applied to the
// result of the previous one. The rules are ICU regular expressions; the result equals seven
// whole-text replaceAll passes, reached in time linear in the text. None when a rule cannot
// be applied (its pattern did not compile, or ICU failed while matching).
std::optional<icu::UnicodeString> maskedMessage(const icu::UnicodeString& text);

} // namespace morvane::telemetry
