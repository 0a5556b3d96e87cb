#include <morvane/telemetry/FirehoseLimits.h>

#include <algorithm>

namespace morvane::telemetry {

std::optional<std::chrono::duration<double>> retryDelay(const FirehoseLimits& limits,
                                                        std::size_t retryCount,
                                                        std::chrono::duration<double> jitterDraw)
{
    if (retryCount >= limits.backoff.size())
        return std::nullopt;
    return std::max<std::chrono::duration<double>>(std::chrono::seconds(1),
                                                   limits.backoff[retryCount] + jitterDraw);
}

} // namespace morvane::telemetry
