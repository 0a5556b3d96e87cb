#include <morvane/telemetry/FloodGuard.h>

#include <charconv>
#include <functional>

namespace morvane::telemetry {

FloodGuard::FloodGuard(std::int64_t threshold, std::chrono::duration<double> window,
                       std::chrono::duration<double> silence)
    : m_threshold(threshold), m_window(window), m_silence(silence)
{
}

std::uint64_t FloodGuard::keyOf(std::string_view fingerprint)
{
    std::uint64_t value = 0;
    const char* end = fingerprint.data() + fingerprint.size();
    if (fingerprint.size() == 16) {
        const auto result = std::from_chars(fingerprint.data(), end, value, 16);
        if (result.ec == std::errc() && result.ptr == end)
            return value;
    }
    return std::hash<std::string_view>{}(fingerprint);
}

FloodGuard::Verdict FloodGuard::record(std::string_view fingerprint, Timestamp now)
{
    const auto [found, inserted] = m_states.try_emplace(keyOf(fingerprint));
    CircuitBreakerState& state = found->second;
    if (inserted) {
        state.windowStart = now;
    } else if (state.silencedUntil && *state.silencedUntil > now) {
        return Verdict::silenced;
    }
    if (now - state.windowStart > m_window) {
        state.countInWindow = 0;
        state.windowStart = now;
    }
    state.countInWindow += 1;
    if (state.countInWindow > m_threshold) {
        state.silencedUntil =
            now + std::chrono::duration_cast<std::chrono::system_clock::duration>(m_silence);
        return Verdict::tripped;
    }
    return Verdict::counted;
}

} // namespace morvane::telemetry
