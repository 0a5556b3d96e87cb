#pragma once

#include <morvane/telemetry/Clock.h>
#include <morvane/telemetry/Sleeper.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>

namespace morvane::telemetry::testing {

// A clock and a sleeper on one virtual time line: sleeps end when the test advances the
// time past their deadline (or stop is requested), never by themselves.
class VirtualTime final : public Clock, public Sleeper
{
public:
    using Time = std::chrono::system_clock::time_point;

    // Noon UTC, so a few hours of virtual time stay on one UTC day.
    static Time noonUtc()
    {
        using namespace std::chrono;
        return sys_days(year(2026) / 12 / 5) + hours(12);
    }

    explicit VirtualTime(Time start = noonUtc()) : now_(start) {}

    Time now() const override
    {
        std::lock_guard lock(mutex_);
        return now_;
    }

    void sleepFor(std::chrono::duration<double> duration, std::stop_token stop) override
    {
        std::unique_lock lock(mutex_);
        const Time deadline =
            now_ + std::chrono::duration_cast<std::chrono::system_clock::duration>(duration);
        const auto registered = deadlines_.insert(deadline);
        changed_.notify_all();
        changed_.wait(lock, stop, [&] { return now_ >= deadline; });
        deadlines_.erase(registered);
        changed_.notify_all();
    }

    void advance(std::chrono::duration<double> duration)
    {
        std::lock_guard lock(mutex_);
        now_ += std::chrono::duration_cast<std::chrono::system_clock::duration>(duration);
        changed_.notify_all();
    }

    // Waits (in real time, bounded) until exactly `count` threads sleep and none of them
    // is due to wake: the threads have done all the work the last advance allowed.
    bool waitForSleepers(std::size_t count,
                         std::chrono::seconds patience = std::chrono::seconds(20))
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, patience, [&] {
            return deadlines_.size() == count && (deadlines_.empty() || *deadlines_.begin() > now_);
        });
    }

    // The deadlines of the sleeps currently waiting.
    std::multiset<Time> deadlines() const
    {
        std::lock_guard lock(mutex_);
        return deadlines_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable_any changed_;
    Time now_;
    std::multiset<Time> deadlines_;
};

} // namespace morvane::telemetry::testing
