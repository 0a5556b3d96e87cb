#include <morvane/telemetry/RandomSource.h>

#include <cmath>
#include <limits>

namespace morvane::telemetry {

SystemRandomSource::SystemRandomSource() : m_engine(std::random_device{}()) {}

double SystemRandomSource::uniform(double low, double high)
{
    if (!(low < high))
        return low;
    // The standard distribution is half-open; widen by one step to include `high`.
    std::uniform_real_distribution<double> distribution(
        low, std::nextafter(high, std::numeric_limits<double>::infinity()));
    std::lock_guard lock(m_mutex);
    return distribution(m_engine);
}

} // namespace morvane::telemetry
