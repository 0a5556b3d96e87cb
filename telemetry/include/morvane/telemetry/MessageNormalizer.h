#pragma once

#include <cstddef>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

// Pure functions that turn what a caller reports into stable, anonymous record values.
// All of them are safe to call from any thread at once. Input that is not valid UTF-8 is
// read with U+FFFD in place of each bad sequence; results are always valid UTF-8.
namespace morvane::telemetry {

// Most characters of a stored template.
inline constexpr std::size_t maxTemplateCharacters = 256;

// The template of every message that could not be masked (the masks' regular expressions
// failed to compile or to run): the occurrence is still counted, its text never sent.
inline constexpr std::string_view withheldMessageTemplate = "<message withheld>";

// The message with e-mail addresses, ISO 8601 date-times, UUIDs, mv_ identifiers, file paths,
// long hex words and numbers of 4 or more digits masked, lowercased, and whitespace runs
// collapsed to one space. A result shorter than 8 characters gets the exception type appended
// when there is one (not lowercased); an empty result without one falls back to the whole
// message lowercased. withheldMessageTemplate when the masks cannot be applied.
std::string normalizeMessage(std::string_view message,
                             const std::optional<std::string>& exceptionType = std::nullopt);

// Number of user-perceived characters (extended grapheme clusters).
std::size_t characterCount(std::string_view text);

// The first maxCharacters user-perceived characters of the text (the whole text when shorter).
// Never splits a character: a base letter keeps its combining marks, an emoji sequence stays
// whole.
std::string prefixCharacters(std::string_view text, std::size_t maxCharacters);

// The innermost part of a rendered type name: the text after the last "::" outside template
// arguments (or after the last "." for dotted names), e.g. "app::Store::SaveError" gives
// "SaveError".
std::string innermostTypeName(std::string_view renderedName);

// Short type name of a dynamic type or error value, demangled and cut with innermostTypeName.
std::string typeName(const std::type_info& type);
std::string typeName(const std::exception& error);
// The dynamic type of the stored exception, whatever it is; "" for a null pointer.
std::string typeName(const std::exception_ptr& error);

// Digest of the first three frames: each frame loses an "->" suffix and everything from its
// first "(" to its last ")", is trimmed of spaces and tabs and lowercased; the frames are
// joined with "|" and hashed. 12 lowercase hex characters.
std::string computeFrameDigest(const std::vector<std::string>& frames);

} // namespace morvane::telemetry
