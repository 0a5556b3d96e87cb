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
    double coalescingWindowSeconds = 60;
    std::size_t maxDistinctFingerprints = 50;
    std::size_t maxBatchSize = 50;
    std::int64_t circuitBreakerThreshold = 100;
    double circuitBreakerWindowSeconds = 10;
    double circuitBreakerSilenceSeconds = 300;
    std::size_t maxPendingBatches = 10;
    std::vector<double> backoffSeconds{30, 60, 120};
    double backoffJitter = 10;
    double flushIntervalSeconds = 60;
};

// Delay before retry number retryCount + 1 of a send, given a jitter draw from
// [-backoffJitter, +backoffJitter]: the base delay plus the draw, at least one second.
// No value once retryCount reaches the number of base delays: the send has failed.
std::optional<std::chrono::duration<double>> retryDelay(const FirehoseLimits& limits,
                                                        std::size_t retryCount, double jitterDraw);

inline std::chrono::duration<double> seconds(double value)
{
    return std::chrono::duration<double>(value);
}

} // namespace morvane::telemetry
