#include <morvane/telemetry/FirehoseLimits.h>

#include <algorithm>

namespace morvane::telemetry {

std::optional<std::chrono::duration<double>> retryDelay(const FirehoseLimits& limits,
                                                        std::size_t retryCount, double jitterDraw)
{
    if (retryCount >= limits.backoffSeconds.size())
        return std::nullopt;
    return seconds(std::max(1.0, limits.backoffSeconds[retryCount] + jitterDraw));
}

} // namespace morvane::telemetry
