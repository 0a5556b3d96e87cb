#pragma once

#include <string>

namespace morvane::telemetry {

// A random (version 4) UUID from the OS random source, 36 lowercase characters 8-4-4-4-12.
std::string makeUuidV4();

} // namespace morvane::telemetry
