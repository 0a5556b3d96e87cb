#include <morvane/telemetry/Uuid.h>

#include <sys/random.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <random>

namespace morvane::telemetry {

namespace {

std::array<std::uint8_t, 16> randomBytes()
{
    std::array<std::uint8_t, 16> bytes{};
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (got > 0) {
            filled += static_cast<std::size_t>(got);
        } else if (got < 0 && errno != EINTR) {
            // No getrandom (very old kernel or a seccomp filter): fall back to random_device.
            std::random_device device;
            for (; filled < bytes.size(); ++filled)
                bytes[filled] = static_cast<std::uint8_t>(device());
        }
    }
    return bytes;
}

} // namespace

std::string makeUuidV4()
{
    std::array<std::uint8_t, 16> bytes = randomBytes();
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0f) | 0x40); // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3f) | 0x80); // RFC 4122 variant
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(36);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text.push_back('-');
        text.push_back(digits[bytes[i] >> 4]);
        text.push_back(digits[bytes[i] & 0x0f]);
    }
    return text;
}

} // namespace morvane::telemetry
