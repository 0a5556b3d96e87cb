#pragma once

#include <morvane/telemetry/BreadcrumbEntry.h>
#include <morvane/telemetry/Clock.h>
#include <morvane/telemetry/CoalescedEntry.h>
#include <morvane/telemetry/CoalescingBuffer.h>
#include <morvane/telemetry/ContextSnapshot.h>
#include <morvane/telemetry/FirehoseLimits.h>
#include <morvane/telemetry/FloodGuard.h>
#include <morvane/telemetry/HttpTransport.h>
#include <morvane/telemetry/MorvaneLogLevel.h>
#include <morvane/telemetry/PendingBatchQueue.h>
#include <morvane/telemetry/RandomSource.h>
#include <morvane/telemetry/Sleeper.h>

#include <atomic>
#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace morvane::telemetry {

// The process-wide error-telemetry client. Callers report error occurrences; the client
// turns each into an anonymous record, folds repeats of one error into a count, guards
// against floods of one error, cuts the records into batches and delivers them from its own
// threads with bounded retries. Everything lives in memory only. No operation blocks on the
// network, returns a value or reports a failure: a failure ends in a dropped or re-queued
// record. Recording is gated by ErrorTelemetryConsent::isEnabled().
//
// Threads: start() runs the flush loop on a std::jthread of its own; every tick it drains the
// buffer into the queue and, unless the previous one is still at work, starts a sender
// jthread that delivers the queued batches: at most one batch send is in flight. One
// non-recursive mutex guards all mutable state; it is never held across a sleep or a
// request. Destroying the client requests stop on the loop, which passes it to its sender:
// a sleep, a backoff wait or a request in flight ends at once (the request's batch counts as
// not delivered), and the threads are joined, so the destructor returns within a second
// whatever the network does and no thread outlives the client.
class ErrorFirehoseClient
{
public:
    static constexpr std::string_view defaultIdentityURL = "https://id.morvane.dev/";

    // Who the host is, for configure(). An absent platform or OS version keeps the current
    // one; a null urlSession means the default transport.
    struct HostIdentity
    {
        std::string appSlug;
        std::optional<std::string> platform{};
        std::string appVersion;
        std::optional<std::string> osVersion{};
        std::string installId;
        std::string identityURL{defaultIdentityURL};
        std::shared_ptr<HttpTransport> urlSession{};
    };

    // One occurrence of an error, for observe(). Frames past the third and breadcrumbs past
    // the tenth are dropped.
    struct ErrorReport
    {
        std::string severity;
        std::string category;
        std::string message;
        std::exception_ptr error{};
        std::optional<std::string> specId{};
        std::optional<std::vector<std::string>> topFrames{};
        std::optional<std::vector<BreadcrumbEntry>> breadcrumbs{};
    };

    // Collaborators; an absent one gets the real implementation (system clock, thread
    // sleeper, OS-seeded random source, libcurl transport).
    struct Dependencies
    {
        std::shared_ptr<Clock> clock;
        std::shared_ptr<Sleeper> sleeper;
        std::shared_ptr<RandomSource> random;
        std::shared_ptr<HttpTransport> transport;
    };

    // A snapshot of the client's bookkeeping, for diagnostics and tests.
    struct Statistics
    {
        std::size_t bufferedEntries = 0;
        std::int64_t droppedCount = 0;
        std::vector<std::size_t> pendingBatchSizes; // oldest first
        std::size_t fingerprintsSeen = 0;           // circuit breakers held
    };

    // The shared instance, created on first use (thread-safe).
    static ErrorFirehoseClient& shared();

    explicit ErrorFirehoseClient(Dependencies dependencies = {}, FirehoseLimits limits = {});
    ~ErrorFirehoseClient();
    ErrorFirehoseClient(const ErrorFirehoseClient&) = delete;
    ErrorFirehoseClient& operator=(const ErrorFirehoseClient&) = delete;

    // Sets the host's identity and recomputes the daily token. Batches already snapshotted
    // keep the old values.
    void configure(HostIdentity identity);

    // Affects occurrences recorded afterwards. The uptime is stored truncated toward zero
    // to a multiple of 30 seconds.
    void updateContext(bool online, std::optional<std::int64_t> sessionUptimeSeconds);

    // Starts the flush loop once; later calls do nothing. Nothing is sent before. If the
    // loop's thread cannot be created, the client stays unstarted and a later call tries again.
    void start();

    // Records one occurrence of an error. The message is normalised to a template, the
    // frames digested, and the occurrence coalesced under its fingerprint.
    void observe(ErrorReport report);

    // Turns a structured log call into an observation: warning and error levels only;
    // message "event: k1=v1 k2=v2" with the fields sorted by key; category from the field
    // "class", else "category", else "auth".
    void observeFromFacade(MorvaneLogLevel level, std::string_view event,
                           const std::map<std::string, std::string>& fields,
                           std::optional<std::string> specId = std::nullopt);

    Statistics statistics() const;

    // Truncation of an uptime toward zero to a multiple of 30 seconds.
    static std::int64_t roundedUptime(std::int64_t seconds) { return seconds / 30 * 30; }
    // major.minor.patch of the running kernel, "0.0.0" when unknown.
    static std::string runningOsVersion();

private:
    Occurrence prepare(ErrorReport report);

    // With m_lock held.
    std::vector<CoalescedEntry> drainBuffer(Timestamp now);
    void enqueueBatch(std::vector<CoalescedEntry> entries);
    ContextSnapshot snapshot();

    // Without m_lock, on the client's threads.
    void scheduleFlush(std::stop_token stop);
    // Sets `done` under m_lock when it leaves with the batches it took dealt with.
    void sendPendingBatches(std::stop_token stop, std::atomic<bool>& done);
    bool sendBatch(const std::vector<CoalescedEntry>& entries, const ContextSnapshot& context,
                   const std::stop_token& stop);

    const std::shared_ptr<Clock> m_clock;
    const std::shared_ptr<Sleeper> m_sleeper;
    const std::shared_ptr<RandomSource> m_random;
    const std::shared_ptr<HttpTransport> m_defaultTransport;
    const FirehoseLimits m_limits;

    mutable std::mutex m_lock;
    std::string m_appSlug = "unknown";
    std::string m_platform = "linux";
    std::string m_appVersion = "0.0.0";
    std::string m_osVersion;
    std::string m_installId;
    std::string m_dailyToken;
    std::shared_ptr<HttpTransport> m_urlSession;
    std::string m_identityURL{defaultIdentityURL};
    CoalescingBuffer m_buffer;
    FloodGuard m_circuitBreakers;
    Timestamp m_windowStart;
    PendingBatchQueue m_pendingBatches;
    std::jthread m_flushTask;
    bool m_isStarted = false;
    bool m_online = true;
    std::optional<std::int64_t> m_sessionUptimeSeconds;
};

} // namespace morvane::telemetry
