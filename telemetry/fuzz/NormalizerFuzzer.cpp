// libFuzzer target for the normaliser and the frame digest. The input is a message, then
// optionally stack frames, each after a NUL byte. Besides crashes and sanitizer
// reports it traps when the library's template differs from the whole-text implementation,
// when the character cut is not a prefix, or when a frame digest differs from a plain one.
#include <morvane/telemetry/MessageNormalizer.h>

#include "ReferenceNormalizer.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace morvane::telemetry;

namespace {

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

std::vector<std::string> splitFrames(std::string_view text)
{
    std::vector<std::string> frames;
    while (!text.empty()) {
        const std::size_t end = text.find('\0');
        frames.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return frames;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string_view message = input.substr(0, nul);
    const std::optional<std::string> exceptionType =
        size % 2 == 1 ? std::optional<std::string>("IOError") : std::nullopt;

    const std::string messageTemplate = normalizeMessage(message, exceptionType);
    require(messageTemplate == reference::normalizeMessage(message, exceptionType),
            "template differs from the whole-text implementation");

    const std::string stored = prefixCharacters(messageTemplate, maxTemplateCharacters);
    require(messageTemplate.compare(0, stored.size(), stored) == 0, "cut is not a prefix");
    require(characterCount(stored) <= maxTemplateCharacters, "cut is too long");

    if (nul != std::string_view::npos) {
        const std::vector<std::string> frames = splitFrames(input.substr(nul + 1));
        const std::string digest = computeFrameDigest(frames);
        require(digest.size() == 12, "digest length");
        require(digest == reference::computeFrameDigest(frames),
                "digest differs from the whole-text implementation");
    }
    return 0;
}
