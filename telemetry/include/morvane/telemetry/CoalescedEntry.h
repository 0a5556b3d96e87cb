#pragma once

#include <morvane/telemetry/BreadcrumbEntry.h>
#include <morvane/telemetry/Timestamp.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace morvane::telemetry {

// The in-memory record of one fingerprint in the client's coalescing buffer. Absent
// optionals are left out of the wire form; an empty list that is present is kept.
struct CoalescedEntry
{
    std::string fingerprint; // 16 lowercase hex characters, the coalescing key
    std::string severity;    // of the first observation ("error", "warn", ...)
    std::string category;    // of the first observation
    std::optional<std::string> specId;
    std::string messageTemplate; // normalised message, at most 256 characters
    std::optional<std::string> exceptionType;
    std::optional<std::vector<std::string>> topFrames; // at most 3
    std::optional<std::string> frameDigest;            // 12 lowercase hex characters
    std::int64_t count = 1;
    Timestamp firstSeen;
    Timestamp lastSeen;
    bool online = true;
    std::optional<std::int64_t> sessionUptimeSeconds;        // a multiple of 30
    std::optional<std::vector<BreadcrumbEntry>> breadcrumbs; // at most 10

    friend bool operator==(const CoalescedEntry&, const CoalescedEntry&) = default;
};

} // namespace morvane::telemetry
