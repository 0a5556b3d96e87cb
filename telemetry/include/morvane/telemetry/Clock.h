#pragma once

#include <chrono>

namespace morvane::telemetry {

// Wall-clock time for the telemetry client, injectable so tests run in virtual time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual std::chrono::system_clock::time_point now() const = 0;
};

class SystemClock final : public Clock
{
public:
    std::chrono::system_clock::time_point now() const override
    {
        return std::chrono::system_clock::now();
    }
};

} // namespace morvane::telemetry
