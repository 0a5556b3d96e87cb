#pragma once

#include <morvane/telemetry/BreadcrumbEntry.h>
#include <morvane/telemetry/CoalescedEntry.h>
#include <morvane/telemetry/ContextSnapshot.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace morvane::telemetry {

// The wire form of one CoalescedEntry: timestamps as text, plus the event id.
struct CoalescedEvent
{
    std::string clientEventId;
    std::string severity;
    std::string category;
    std::optional<std::string> specId;
    std::string fingerprint;
    std::string messageTemplate;
    std::optional<std::string> exceptionType;
    std::optional<std::vector<std::string>> topFrames;
    std::optional<std::string> frameDigest;
    std::optional<std::vector<BreadcrumbEntry>> breadcrumbs;
    std::int64_t count = 1;
    std::string firstSeen;
    std::string lastSeen;
    bool online = true;
    std::optional<std::int64_t> sessionUptimeSeconds;

    friend bool operator==(const CoalescedEvent&, const CoalescedEvent&) = default;
};

// One request body.
struct ErrorBatch
{
    std::int64_t schemaVersion = 1;
    std::string batchId;
    std::string dailyToken;
    std::string appSlug;
    std::string platform;
    std::string appVersion;
    std::string osVersion;
    std::vector<CoalescedEvent> events;

    friend bool operator==(const ErrorBatch&, const ErrorBatch&) = default;
};

// Builds the batch for the entries: entry i gets eventIds[i] (ids are zipped with the entries,
// so the shorter list decides the number of events), timestamps become ISO 8601 UTC text, and
// the context fields come from the snapshot.
ErrorBatch makeErrorBatch(const std::vector<CoalescedEntry>& entries,
                          const ContextSnapshot& context, const std::string& batchId,
                          const std::vector<std::string>& eventIds);

// Compact JSON with the keys in declaration order; absent optionals are left out (never null),
// present empty lists are written as []. Never fails: invalid UTF-8 in any text is written as
// U+FFFD.
std::string encodeErrorBatch(const ErrorBatch& batch);

} // namespace morvane::telemetry
