#include <morvane/telemetry/ErrorBatch.h>

#include <nlohmann/json.hpp>

#include <algorithm>

namespace morvane::telemetry {

namespace {

using Json = nlohmann::ordered_json;

CoalescedEvent makeEvent(const CoalescedEntry& entry, const std::string& eventId)
{
    return CoalescedEvent{
        .clientEventId = eventId,
        .severity = entry.severity,
        .category = entry.category,
        .specId = entry.specId,
        .fingerprint = entry.fingerprint,
        .messageTemplate = entry.messageTemplate,
        .exceptionType = entry.exceptionType,
        .topFrames = entry.topFrames,
        .frameDigest = entry.frameDigest,
        .breadcrumbs = entry.breadcrumbs,
        .count = entry.count,
        .firstSeen = formatTimestamp(entry.firstSeen),
        .lastSeen = formatTimestamp(entry.lastSeen),
        .online = entry.online,
        .sessionUptimeSeconds = entry.sessionUptimeSeconds,
    };
}

template <typename T>
void putIfPresent(Json& object, const char* key, const std::optional<T>& value)
{
    if (value)
        object[key] = *value;
}

Json toJson(const BreadcrumbEntry& crumb)
{
    Json object = Json::object();
    object["ts"] = crumb.ts;
    object["level"] = crumb.level;
    object["category"] = crumb.category;
    object["msg"] = crumb.msg;
    return object;
}

Json toJson(const CoalescedEvent& event)
{
    Json object = Json::object();
    object["client_event_id"] = event.clientEventId;
    object["severity"] = event.severity;
    object["category"] = event.category;
    putIfPresent(object, "spec_id", event.specId);
    object["fingerprint"] = event.fingerprint;
    object["message_template"] = event.messageTemplate;
    putIfPresent(object, "exception_type", event.exceptionType);
    putIfPresent(object, "top_frames", event.topFrames);
    putIfPresent(object, "frame_digest", event.frameDigest);
    if (event.breadcrumbs) {
        Json crumbs = Json::array(); // an explicitly empty list stays [] rather than null
        for (const BreadcrumbEntry& crumb : *event.breadcrumbs)
            crumbs.push_back(toJson(crumb));
        object["breadcrumbs"] = std::move(crumbs);
    }
    object["count"] = event.count;
    object["first_seen"] = event.firstSeen;
    object["last_seen"] = event.lastSeen;
    object["online"] = event.online;
    putIfPresent(object, "session_uptime_seconds", event.sessionUptimeSeconds);
    return object;
}

} // namespace

ErrorBatch makeErrorBatch(const std::vector<CoalescedEntry>& entries,
                          const ContextSnapshot& context, const std::string& batchId,
                          const std::vector<std::string>& eventIds)
{
    ErrorBatch batch{
        .schemaVersion = 1,
        .batchId = batchId,
        .dailyToken = context.dailyToken,
        .appSlug = context.appSlug,
        .platform = context.platform,
        .appVersion = context.appVersion,
        .osVersion = context.osVersion,
        .events = {},
    };
    const std::size_t count = std::min(entries.size(), eventIds.size());
    batch.events.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        batch.events.push_back(makeEvent(entries[i], eventIds[i]));
    return batch;
}

std::string encodeErrorBatch(const ErrorBatch& batch)
{
    Json object = Json::object();
    object["schema_version"] = batch.schemaVersion;
    object["batch_id"] = batch.batchId;
    object["daily_token"] = batch.dailyToken;
    object["app_slug"] = batch.appSlug;
    object["platform"] = batch.platform;
    object["app_version"] = batch.appVersion;
    object["os_version"] = batch.osVersion;
    Json events = Json::array();
    for (const CoalescedEvent& event : batch.events)
        events.push_back(toJson(event));
    object["events"] = std::move(events);
    // Callers' texts may hold invalid UTF-8; the default handler would throw.
    return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}

} // namespace morvane::telemetry
