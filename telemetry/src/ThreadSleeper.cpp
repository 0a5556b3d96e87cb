#include <morvane/telemetry/Sleeper.h>

#include <condition_variable>
#include <mutex>

namespace morvane::telemetry {

void ThreadSleeper::sleepFor(std::chrono::duration<double> duration, std::stop_token stop)
{
    if (duration <= duration.zero())
        return;
    // A private mutex and condition per call: the stop callback is the only waker.
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    wake.wait_for(lock, stop, std::chrono::duration_cast<std::chrono::nanoseconds>(duration),
                  [] { return false; });
}

} // namespace morvane::telemetry
