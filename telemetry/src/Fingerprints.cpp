#include <morvane/telemetry/Fingerprints.h>

#include <openssl/sha.h>

#include <algorithm>
#include <array>
#include <ctime>

namespace morvane::telemetry {

std::string sha256Hex(std::string_view bytes, std::size_t hexCharacters)
{
    std::array<unsigned char, SHA256_DIGEST_LENGTH> digest{};
    SHA256(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), digest.data());
    static constexpr char digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(digest.size() * 2);
    for (unsigned char byte : digest) {
        hex.push_back(digits[byte >> 4]);
        hex.push_back(digits[byte & 0x0f]);
    }
    hex.resize(std::min(hexCharacters, hex.size()));
    return hex;
}

std::string computeFingerprint(std::string_view appSlug, std::string_view platform,
                               std::string_view severity, std::string_view category,
                               std::string_view messageTemplate,
                               const std::optional<std::string>& frameDigest)
{
    std::string joined;
    for (std::string_view part : {appSlug, platform, severity, category, messageTemplate}) {
        joined.append(part);
        joined.push_back('|');
    }
    joined.append(frameDigest.value_or(std::string()));
    return sha256Hex(joined, 16);
}

std::string utcDateString(Timestamp now)
{
    // floor: a time just before 1970 belongs to 1969-12-31, not to the epoch's day.
    const std::time_t seconds = static_cast<std::time_t>(
        std::chrono::floor<std::chrono::seconds>(now.time_since_epoch()).count());
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    std::array<char, 32> text{};
    const std::size_t length = std::strftime(text.data(), text.size(), "%Y-%m-%d", &utc);
    return std::string(text.data(), length);
}

std::string computeDailyToken(std::string_view installId, Timestamp now)
{
    std::string joined(installId);
    joined.append("|").append(utcDateString(now)).append("|tindral-error-v1");
    return sha256Hex(joined, 16);
}

} // namespace morvane::telemetry
