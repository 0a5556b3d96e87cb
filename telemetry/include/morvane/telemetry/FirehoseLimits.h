#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace morvane::telemetry {

// The numeric limits of an ErrorFirehoseClient, fixed at construction. The defaults are
// the production values; tests shrink them to reach rare branches.
struct FirehoseLimits
{
    using Duration = std::chrono::duration<double>; // seconds; tests use fractions of one

    Duration coalescingWindow = std::chrono::seconds(60);
    std::size_t maxDistinctFingerprints = 50;
    std::size_t maxBatchSize = 50;
    std::int64_t circuitBreakerThreshold = 100;
    Duration circuitBreakerWindow = std::chrono::seconds(10);
    Duration circuitBreakerSilence = std::chrono::seconds(300);
    std::size_t maxPendingBatches = 10;
    std::vector<Duration> backoff{std::chrono::seconds(30), std::chrono::seconds(60),
                                  std::chrono::seconds(120)};
    Duration backoffJitter = std::chrono::seconds(10);
    Duration flushInterval = std::chrono::seconds(60);
};

// Delay before retry number retryCount + 1 of a send, given a jitter draw from
// [-backoffJitter, +backoffJitter]: the base delay plus the draw, at least one second.
// No value once retryCount reaches the number of base delays: the send has failed.
std::optional<std::chrono::duration<double>> retryDelay(const FirehoseLimits& limits,
                                                        std::size_t retryCount,
                                                        std::chrono::duration<double> jitterDraw);

inline std::chrono::duration<double> seconds(double value)
{
    return std::chrono::duration<double>(value);
}

} // namespace morvane::telemetry
