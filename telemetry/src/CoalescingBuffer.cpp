#include <morvane/telemetry/CoalescingBuffer.h>

#include <morvane/telemetry/Fingerprints.h>

namespace morvane::telemetry {

CoalescingBuffer::CoalescingBuffer(std::size_t maxDistinctFingerprints)
    : m_maxDistinctFingerprints(maxDistinctFingerprints)
{
}

void CoalescingBuffer::add(Occurrence occurrence, Timestamp now, bool online,
                           std::optional<std::int64_t> sessionUptimeSeconds)
{
    const auto found = m_entries.find(occurrence.fingerprint);
    if (found != m_entries.end()) {
        CoalescedEntry& entry = found->second;
        entry.count += 1;
        entry.lastSeen = now;
        entry.online = online;
        entry.sessionUptimeSeconds = sessionUptimeSeconds;
        if (occurrence.breadcrumbs)
            entry.breadcrumbs = std::move(occurrence.breadcrumbs);
        return;
    }
    if (m_entries.size() >= m_maxDistinctFingerprints) {
        m_droppedCount += 1;
        return;
    }
    std::string key = occurrence.fingerprint;
    m_entries.emplace(std::move(key), CoalescedEntry{
                                          .fingerprint = std::move(occurrence.fingerprint),
                                          .severity = std::move(occurrence.severity),
                                          .category = std::move(occurrence.category),
                                          .specId = std::move(occurrence.specId),
                                          .messageTemplate = std::move(occurrence.messageTemplate),
                                          .exceptionType = std::move(occurrence.exceptionType),
                                          .topFrames = std::move(occurrence.topFrames),
                                          .frameDigest = std::move(occurrence.frameDigest),
                                          .count = 1,
                                          .firstSeen = now,
                                          .lastSeen = now,
                                          .online = online,
                                          .sessionUptimeSeconds = sessionUptimeSeconds,
                                          .breadcrumbs = std::move(occurrence.breadcrumbs),
                                      });
}

std::vector<CoalescedEntry> CoalescingBuffer::drain(std::string_view appSlug,
                                                    std::string_view platform, Timestamp now,
                                                    bool online)
{
    std::vector<CoalescedEntry> drained;
    drained.reserve(m_entries.size() + 1);
    for (auto& [fingerprint, entry] : m_entries)
        drained.push_back(std::move(entry));
    m_entries.clear();
    if (m_droppedCount > 0) {
        CoalescedEntry overflow;
        overflow.fingerprint =
            computeFingerprint(appSlug, platform, "warn", "client", overflowTemplate, std::nullopt);
        overflow.severity = "warn";
        overflow.category = "client";
        overflow.messageTemplate = std::string(overflowTemplate);
        overflow.count = m_droppedCount;
        overflow.firstSeen = now;
        overflow.lastSeen = now;
        overflow.online = online;
        drained.push_back(std::move(overflow));
        m_droppedCount = 0;
    }
    return drained;
}

} // namespace morvane::telemetry
