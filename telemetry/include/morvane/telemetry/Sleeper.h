#pragma once

#include <chrono>
#include <stop_token>

namespace morvane::telemetry {

// Waits for a span of time on the calling thread, injectable so tests run in virtual time.
// A sleep returns early when stop is requested on the token, so a client being torn down
// never waits out a long delay.
class Sleeper
{
public:
    virtual ~Sleeper() = default;
    virtual void sleepFor(std::chrono::duration<double> duration, std::stop_token stop) = 0;
};

// Real time. Safe to use from several threads at once.
class ThreadSleeper final : public Sleeper
{
public:
    void sleepFor(std::chrono::duration<double> duration, std::stop_token stop) override;
};

} // namespace morvane::telemetry
