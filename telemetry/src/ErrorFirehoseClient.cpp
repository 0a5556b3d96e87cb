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
    : clock_(
          orDefault(std::move(dependencies.clock), [] { return std::make_shared<SystemClock>(); })),
      sleeper_(orDefault(std::move(dependencies.sleeper),
                         [] { return std::make_shared<ThreadSleeper>(); })),
      random_(orDefault(std::move(dependencies.random),
                        [] { return std::make_shared<SystemRandomSource>(); })),
      defaultTransport_(orDefault(std::move(dependencies.transport),
                                  [] { return std::make_shared<CurlHttpTransport>(); })),
      limits_(std::move(limits)), osVersion_(runningOsVersion()), urlSession_(defaultTransport_),
      buffer_(limits_.maxDistinctFingerprints),
      circuitBreakers_(limits_.circuitBreakerThreshold,
                       seconds(limits_.circuitBreakerWindowSeconds),
                       seconds(limits_.circuitBreakerSilenceSeconds)),
      windowStart_(clock_->now()), pendingBatches_(limits_.maxPendingBatches, limits_.maxBatchSize)
{
}

ErrorFirehoseClient::~ErrorFirehoseClient()
{
    std::jthread loop;
    {
        std::lock_guard lock(lock_);
        loop = std::move(flushTask_);
    }
    // Leaving scope requests stop and joins; the loop joins its senders before it returns.
}

void ErrorFirehoseClient::configure(HostIdentity identity)
{
    const Timestamp now = clock_->now();
    std::string token = computeDailyToken(identity.installId, now);
    std::lock_guard lock(lock_);
    appSlug_ = std::move(identity.appSlug);
    if (identity.platform)
        platform_ = std::move(*identity.platform);
    appVersion_ = std::move(identity.appVersion);
    if (identity.osVersion)
        osVersion_ = std::move(*identity.osVersion);
    installId_ = std::move(identity.installId);
    identityURL_ = std::move(identity.identityURL);
    urlSession_ = identity.urlSession ? std::move(identity.urlSession) : defaultTransport_;
    dailyToken_ = std::move(token);
}

void ErrorFirehoseClient::updateContext(bool online,
                                        std::optional<std::int64_t> sessionUptimeSeconds)
{
    std::lock_guard lock(lock_);
    online_ = online;
    sessionUptimeSeconds_ =
        sessionUptimeSeconds ? std::optional(roundedUptime(*sessionUptimeSeconds)) : std::nullopt;
}

void ErrorFirehoseClient::start()
{
    std::lock_guard lock(lock_);
    if (isStarted_)
        return;
    // Created before isStarted_ is set: if creation throws, the client stays unstarted. The
    // loop waits for lock_ only after its first sleep, so holding it here is harmless.
    flushTask_ = std::jthread([this](std::stop_token stop) { scheduleFlush(std::move(stop)); });
    isStarted_ = true;
}

Occurrence ErrorFirehoseClient::prepare(ErrorReport report)
{
    std::string slug;
    std::string platform;
    {
        std::lock_guard lock(lock_);
        slug = appSlug_;
        platform = platform_;
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
    const Timestamp now = clock_->now();
    // String work and hashing before the lock: contention stays limited to map updates.
    Occurrence occurrence = prepare(std::move(report));

    std::lock_guard lock(lock_);
    switch (circuitBreakers_.record(occurrence.fingerprint, now)) {
    case FloodGuard::Verdict::silenced:
        return;
    case FloodGuard::Verdict::tripped:
        if (buffer_.contains(occurrence.fingerprint))
            enqueueBatch(drainBuffer(now));
        return;
    case FloodGuard::Verdict::counted:
        break;
    }
    if (now - windowStart_ > seconds(limits_.coalescingWindowSeconds)) {
        enqueueBatch(drainBuffer(now));
        windowStart_ = now;
        buffer_.resetDroppedCount();
    }
    buffer_.add(std::move(occurrence), now, online_, sessionUptimeSeconds_);
    if (buffer_.size() >= limits_.maxBatchSize) {
        enqueueBatch(drainBuffer(now));
        windowStart_ = now;
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
    std::lock_guard lock(lock_);
    Statistics result;
    result.bufferedEntries = buffer_.size();
    result.droppedCount = buffer_.droppedCount();
    result.fingerprintsSeen = circuitBreakers_.size();
    for (const auto& batch : pendingBatches_.batches())
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
