#include <morvane/telemetry/ErrorFirehoseClient.h>

#include <morvane/telemetry/CurlHttpTransport.h>
#include <morvane/telemetry/ErrorTelemetryConsent.h>
#include <morvane/telemetry/Fingerprints.h>
#include <morvane/telemetry/MessageNormalizer.h>

#include <sys/utsname.h>

#include <cctype>

namespace morvane::telemetry {

namespace {

template <typename T> std::shared_ptr<T> orDefault(std::shared_ptr<T> given, auto makeDefault)
{
    return given ? std::move(given) : makeDefault();
}

template <typename T> void keepFirst(std::optional<std::vector<T>>& list, std::size_t count)
{
    if (list && list->size() > count)
        list->resize(count);
}

} // namespace

ErrorFirehoseClient& ErrorFirehoseClient::shared()
{
    static ErrorFirehoseClient instance;
    return instance;
}

ErrorFirehoseClient::ErrorFirehoseClient(Dependencies dependencies, FirehoseLimits limits)
    : m_clock(
          orDefault(std::move(dependencies.clock), [] { return std::make_shared<SystemClock>(); })),
      m_sleeper(orDefault(std::move(dependencies.sleeper),
                          [] { return std::make_shared<ThreadSleeper>(); })),
      m_random(orDefault(std::move(dependencies.random),
                         [] { return std::make_shared<SystemRandomSource>(); })),
      m_defaultTransport(orDefault(std::move(dependencies.transport),
                                   [] { return std::make_shared<CurlHttpTransport>(); })),
      m_limits(std::move(limits)), m_osVersion(runningOsVersion()),
      m_urlSession(m_defaultTransport), m_buffer(m_limits.maxDistinctFingerprints),
      m_circuitBreakers(m_limits.circuitBreakerThreshold, m_limits.circuitBreakerWindow,
                        m_limits.circuitBreakerSilence),
      m_windowStart(m_clock->now()),
      m_pendingBatches(m_limits.maxPendingBatches, m_limits.maxBatchSize)
{
}

ErrorFirehoseClient::~ErrorFirehoseClient()
{
    std::jthread loop;
    {
        std::lock_guard lock(m_lock);
        loop = std::move(m_flushTask);
    }
    // Leaving scope requests stop and joins; the loop joins its senders before it returns.
}

void ErrorFirehoseClient::configure(HostIdentity identity)
{
    const Timestamp now = m_clock->now();
    std::string token = computeDailyToken(identity.installId, now);
    std::lock_guard lock(m_lock);
    m_appSlug = std::move(identity.appSlug);
    if (identity.platform)
        m_platform = std::move(*identity.platform);
    m_appVersion = std::move(identity.appVersion);
    if (identity.osVersion)
        m_osVersion = std::move(*identity.osVersion);
    m_installId = std::move(identity.installId);
    m_identityURL = std::move(identity.identityURL);
    m_urlSession = identity.urlSession ? std::move(identity.urlSession) : m_defaultTransport;
    m_dailyToken = std::move(token);
}

void ErrorFirehoseClient::updateContext(bool online,
                                        std::optional<std::int64_t> sessionUptimeSeconds)
{
    std::lock_guard lock(m_lock);
    m_online = online;
    m_sessionUptimeSeconds =
        sessionUptimeSeconds ? std::optional(roundedUptime(*sessionUptimeSeconds)) : std::nullopt;
}

void ErrorFirehoseClient::start()
{
    std::lock_guard lock(m_lock);
    if (m_isStarted)
        return;
    // Created before m_isStarted is set: if creation throws, the client stays unstarted. The
    // loop waits for m_lock only after its first sleep, so holding it here is harmless.
    m_flushTask = std::jthread([this](std::stop_token stop) { scheduleFlush(std::move(stop)); });
    m_isStarted = true;
}

Occurrence ErrorFirehoseClient::prepare(ErrorReport report)
{
    std::string slug;
    std::string platform;
    {
        std::lock_guard lock(m_lock);
        slug = m_appSlug;
        platform = m_platform;
    }
    Occurrence occurrence;
    if (report.error)
        occurrence.exceptionType = typeName(report.error);
    const std::string fullTemplate = normalizeMessage(report.message, occurrence.exceptionType);
    if (report.topFrames)
        occurrence.frameDigest = computeFrameDigest(*report.topFrames);
    occurrence.fingerprint = computeFingerprint(slug, platform, report.severity, report.category,
                                                fullTemplate, occurrence.frameDigest);
    occurrence.messageTemplate = prefixCharacters(fullTemplate, maxTemplateCharacters);
    occurrence.severity = std::move(report.severity);
    occurrence.category = std::move(report.category);
    occurrence.specId = std::move(report.specId);
    keepFirst(report.topFrames, 3);
    keepFirst(report.breadcrumbs, 10);
    occurrence.topFrames = std::move(report.topFrames);
    occurrence.breadcrumbs = std::move(report.breadcrumbs);
    return occurrence;
}

void ErrorFirehoseClient::observe(ErrorReport report)
{
    if (!ErrorTelemetryConsent::isEnabled())
        return;
    const Timestamp now = m_clock->now();
    // String work and hashing before the lock: contention stays limited to map updates.
    Occurrence occurrence = prepare(std::move(report));

    std::lock_guard lock(m_lock);
    switch (m_circuitBreakers.record(occurrence.fingerprint, now)) {
    case FloodGuard::Verdict::silenced:
        return;
    case FloodGuard::Verdict::tripped:
        if (m_buffer.contains(occurrence.fingerprint))
            enqueueBatch(drainBuffer(now));
        return;
    case FloodGuard::Verdict::counted:
        break;
    }
    if (now - m_windowStart > m_limits.coalescingWindow) {
        enqueueBatch(drainBuffer(now));
        m_windowStart = now;
        m_buffer.resetDroppedCount();
    }
    m_buffer.add(std::move(occurrence), now, m_online, m_sessionUptimeSeconds);
    if (m_buffer.size() >= m_limits.maxBatchSize) {
        enqueueBatch(drainBuffer(now));
        m_windowStart = now;
    }
}

void ErrorFirehoseClient::observeFromFacade(MorvaneLogLevel level, std::string_view event,
                                            const std::map<std::string, std::string>& fields,
                                            std::optional<std::string> specId)
{
    std::string_view severity;
    switch (level) {
    case MorvaneLogLevel::debug:
    case MorvaneLogLevel::info:
        return;
    case MorvaneLogLevel::warning:
        severity = "warn";
        break;
    case MorvaneLogLevel::error:
        severity = "error";
        break;
    }
    // std::map iterates in ascending key order, which is the order the message wants.
    std::string message(event);
    const char* separator = ": ";
    for (const auto& [key, value] : fields) {
        message.append(separator).append(key).append("=").append(value);
        separator = " ";
    }
    std::string_view category = "auth";
    if (const auto found = fields.find("class"); found != fields.end())
        category = found->second;
    else if (const auto other = fields.find("category"); other != fields.end())
        category = other->second;
    observe({.severity = std::string(severity),
             .category = std::string(category),
             .message = std::move(message),
             .specId = std::move(specId)});
}

ErrorFirehoseClient::Statistics ErrorFirehoseClient::statistics() const
{
    std::lock_guard lock(m_lock);
    Statistics result;
    result.bufferedEntries = m_buffer.size();
    result.droppedCount = m_buffer.droppedCount();
    result.fingerprintsSeen = m_circuitBreakers.size();
    for (const auto& batch : m_pendingBatches.batches())
        result.pendingBatchSizes.push_back(batch.size());
    return result;
}

std::string ErrorFirehoseClient::runningOsVersion()
{
    utsname names{};
    if (uname(&names) != 0)
        return "0.0.0";
    // A kernel release reads like "6.1.0-18-amd64": keep the leading numbers.
    std::string_view release(names.release);
    std::string version;
    for (int part = 0; part < 3; ++part) {
        std::size_t digits = 0;
        while (digits < release.size() && std::isdigit(static_cast<unsigned char>(release[digits])))
            ++digits;
        if (part > 0)
            version += '.';
        version += digits > 0 ? std::string(release.substr(0, digits)) : std::string("0");
        release.remove_prefix(digits);
        if (release.empty() || release.front() != '.')
            release = {};
        else
            release.remove_prefix(1);
    }
    return version;
}

} // namespace morvane::telemetry
