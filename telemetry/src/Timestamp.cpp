#include <morvane/telemetry/Timestamp.h>

#include <array>
#include <cstdio>

namespace morvane::telemetry {

std::string formatTimestamp(Timestamp time)
{
    using namespace std::chrono;
    // floor, not duration_cast: times before 1970 must not round toward the epoch.
    const auto millis = floor<milliseconds>(time);
    const auto day = floor<days>(millis);
    const year_month_day date{day};
    const hh_mm_ss clock{millis - day};
    std::array<char, 40> text{};
    const int length =
        std::snprintf(text.data(), text.size(), "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ",
                      int(date.year()), unsigned(date.month()), unsigned(date.day()),
                      int(clock.hours().count()), int(clock.minutes().count()),
                      int(clock.seconds().count()), int(clock.subseconds().count()));
    return std::string(text.data(), static_cast<std::size_t>(length));
}

} // namespace morvane::telemetry
