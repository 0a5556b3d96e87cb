#pragma once

#include <morvane/telemetry/Timestamp.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace morvane::telemetry {

struct CircuitBreakerState
{
    std::int64_t countInWindow = 0;
    Timestamp windowStart;
    std::optional<Timestamp> silencedUntil;
};

// Per-fingerprint circuit breakers: at most `threshold` occurrences are let through per
// window; the next one silences the fingerprint for `silence`. One state per fingerprint
// ever seen, never pruned, so the map is keyed by the fingerprint's 64-bit value rather
// than its text to keep that growth small. Not thread-safe: the client's lock guards it.
class FloodGuard
{
public:
    enum class Verdict
    {
        counted,  // the occurrence may be recorded
        tripped,  // this occurrence tripped the breaker; it is not recorded
        silenced, // the fingerprint is silenced; the occurrence leaves no trace
    };

    FloodGuard(std::int64_t threshold, std::chrono::duration<double> window,
               std::chrono::duration<double> silence);

    Verdict record(std::string_view fingerprint, Timestamp now);

    std::size_t size() const { return m_states.size(); }

    // The 64-bit key of a 16-hex-digit fingerprint (other text is hashed).
    static std::uint64_t keyOf(std::string_view fingerprint);

private:
    const std::int64_t m_threshold;
    const std::chrono::duration<double> m_window;
    const std::chrono::duration<double> m_silence;
    std::unordered_map<std::uint64_t, CircuitBreakerState> m_states;
};

} // namespace morvane::telemetry
