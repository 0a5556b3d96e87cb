#include <morvane/telemetry/PendingBatchQueue.h>

#include <algorithm>
#include <iterator>

namespace morvane::telemetry {

PendingBatchQueue::PendingBatchQueue(std::size_t capacity, std::size_t maxBatchSize)
    : m_capacity(capacity), m_maxBatchSize(std::max<std::size_t>(1, maxBatchSize))
{
}

std::size_t PendingBatchQueue::enqueue(std::vector<CoalescedEntry> entries)
{
    if (entries.empty())
        return 0;
    if (m_batches.size() >= m_capacity && !m_batches.empty()) {
        m_batches.pop_front();
    }
    std::size_t dropped = 0;
    for (std::size_t start = 0; start < entries.size(); start += m_maxBatchSize) {
        const std::size_t end = std::min(entries.size(), start + m_maxBatchSize);
        if (m_batches.size() >= m_capacity) {
            dropped += end - start;
            continue;
        }
        m_batches.emplace_back(std::make_move_iterator(entries.begin() + start),
                               std::make_move_iterator(entries.begin() + end));
    }
    return dropped;
}

std::optional<PendingBatchQueue::Batch> PendingBatchQueue::takeOldest()
{
    if (m_batches.empty())
        return std::nullopt;
    Batch oldest = std::move(m_batches.front());
    m_batches.pop_front();
    return oldest;
}

bool PendingBatchQueue::putBackFront(Batch batch)
{
    if (m_batches.size() >= m_capacity)
        return false;
    m_batches.push_front(std::move(batch));
    return true;
}

} // namespace morvane::telemetry
