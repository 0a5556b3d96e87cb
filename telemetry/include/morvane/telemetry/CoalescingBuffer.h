#pragma once

#include <morvane/telemetry/BreadcrumbEntry.h>
#include <morvane/telemetry/CoalescedEntry.h>
#include <morvane/telemetry/Timestamp.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace morvane::telemetry {

// What one observation contributes to the buffer, prepared (normalised, hashed, cut to
// its limits) before the client takes its lock.
struct Occurrence
{
    std::string fingerprint;
    std::string severity;
    std::string category;
    std::optional<std::string> specId;
    std::string messageTemplate;
    std::optional<std::string> exceptionType;
    std::optional<std::vector<std::string>> topFrames;
    std::optional<std::string> frameDigest;
    std::optional<std::vector<BreadcrumbEntry>> breadcrumbs;
};

// The client's coalescing buffer: one entry per fingerprint, repeats folded into a count.
// Not thread-safe: the client's lock guards it.
class CoalescingBuffer
{
public:
    static constexpr std::string_view overflowTemplate = "client.distinct_fingerprint_overflow";

    explicit CoalescingBuffer(std::size_t maxDistinctFingerprints);

    // Folds the occurrence into its entry, or starts one when fewer than the maximum of
    // distinct fingerprints are held; otherwise counts it as dropped. A repeat updates the
    // count, last seen, online flag and uptime, and the breadcrumbs when it carries any;
    // everything else keeps the first occurrence's value.
    void add(Occurrence occurrence, Timestamp now, bool online,
             std::optional<std::int64_t> sessionUptimeSeconds);

    // Takes every entry (in no particular order) and empties the buffer. When occurrences
    // were dropped since the last drain, one overflow record carrying their number is
    // appended (fingerprinted under the given slug and platform) and the count resets.
    std::vector<CoalescedEntry> drain(std::string_view appSlug, std::string_view platform,
                                      Timestamp now, bool online);

    bool contains(const std::string& fingerprint) const { return m_entries.contains(fingerprint); }
    std::size_t size() const { return m_entries.size(); }
    std::int64_t droppedCount() const { return m_droppedCount; }
    void resetDroppedCount() { m_droppedCount = 0; }

private:
    const std::size_t m_maxDistinctFingerprints;
    std::unordered_map<std::string, CoalescedEntry> m_entries;
    std::int64_t m_droppedCount = 0;
};

} // namespace morvane::telemetry
