#include <morvane/telemetry/MessageNormalizer.h>

#include "MessageMasks.h"
#include "UnicodeText.h"

namespace morvane::telemetry {

namespace ut = unicode_text;

namespace {

// Templates of 8 or more characters stand on their own.
constexpr std::size_t shortTemplateLimit = 8;

} // namespace

std::string normalizeMessage(std::string_view message,
                             const std::optional<std::string>& exceptionType)
{
    const icu::UnicodeString original = ut::fromUtf8(message);
    const std::optional<icu::UnicodeString> masked = maskedMessage(original);
    if (!masked)
        return std::string(withheldMessageTemplate); // never the unmasked text
    const icu::UnicodeString result = ut::collapsedWhitespace(ut::lowercased(*masked));
    if (ut::graphemeCount(result, shortTemplateLimit) >= shortTemplateLimit)
        return ut::toUtf8(result);
    if (exceptionType && !exceptionType->empty()) {
        icu::UnicodeString joined = result;
        joined.append(u' ').append(ut::fromUtf8(*exceptionType));
        return ut::toUtf8(ut::trimmedSpacesAndTabs(joined));
    }
    if (!result.isEmpty())
        return ut::toUtf8(result);
    return ut::toUtf8(ut::lowercased(original));
}

std::size_t characterCount(std::string_view text)
{
    return ut::graphemeCount(ut::fromUtf8(text), SIZE_MAX);
}

std::string prefixCharacters(std::string_view text, std::size_t maxCharacters)
{
    const icu::UnicodeString unicode = ut::fromUtf8(text);
    const int length = ut::graphemePrefixLength(unicode, maxCharacters);
    return ut::toUtf8(icu::UnicodeString(unicode, 0, length));
}

} // namespace morvane::telemetry
