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

    explicit VirtualTime(Time start = noonUtc()) : m_now(start) {}

    Time now() const override
    {
        std::lock_guard lock(m_mutex);
        return m_now;
    }

    void sleepFor(std::chrono::duration<double> duration, std::stop_token stop) override
    {
        std::unique_lock lock(m_mutex);
        const Time deadline =
            m_now + std::chrono::duration_cast<std::chrono::system_clock::duration>(duration);
        const auto registered = m_deadlines.insert(deadline);
        m_changed.notify_all();
        m_changed.wait(lock, stop, [&] { return m_now >= deadline; });
        m_deadlines.erase(registered);
        m_changed.notify_all();
    }

    void advance(std::chrono::duration<double> duration)
    {
        std::lock_guard lock(m_mutex);
        m_now += std::chrono::duration_cast<std::chrono::system_clock::duration>(duration);
        m_changed.notify_all();
    }

    // Waits (in real time, bounded) until exactly `count` threads sleep and none of them
    // is due to wake: the threads have done all the work the last advance allowed.
    bool waitForSleepers(std::size_t count,
                         std::chrono::seconds patience = std::chrono::seconds(20))
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, patience, [&] {
            return m_deadlines.size() == count &&
                   (m_deadlines.empty() || *m_deadlines.begin() > m_now);
        });
    }

    // The deadlines of the sleeps currently waiting.
    std::multiset<Time> deadlines() const
    {
        std::lock_guard lock(m_mutex);
        return m_deadlines;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable_any m_changed;
    Time m_now;
    std::multiset<Time> m_deadlines;
};

} // namespace morvane::telemetry::testing
