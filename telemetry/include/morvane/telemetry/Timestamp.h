#pragma once

#include <chrono>
#include <string>

namespace morvane::telemetry {

using Timestamp = std::chrono::system_clock::time_point;

// ISO 8601 in UTC with three fractional digits, e.g. "2026-12-05T13:37:43.123Z".
// Sub-millisecond parts are cut, not rounded, so a time never renders later than it is.
std::string formatTimestamp(Timestamp time);

} // namespace morvane::telemetry
