#include <morvane/telemetry/RandomSource.h>

#include <cmath>
#include <limits>

namespace morvane::telemetry {

SystemRandomSource::SystemRandomSource() : engine_(std::random_device{}()) {}

double SystemRandomSource::uniform(double low, double high)
{
    if (!(low < high))
        return low;
    // The standard distribution is half-open; widen by one step to include `high`.
    std::uniform_real_distribution<double> distribution(
        low, std::nextafter(high, std::numeric_limits<double>::infinity()));
    std::lock_guard lock(mutex_);
    return distribution(engine_);
}

} // namespace morvane::telemetry
