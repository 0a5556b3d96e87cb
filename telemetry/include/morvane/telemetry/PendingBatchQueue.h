#pragma once

#include <morvane/telemetry/CoalescedEntry.h>

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

namespace morvane::telemetry {

// Batches waiting for delivery, oldest first, at most `capacity` of them. Not thread-safe:
// the client's lock guards it.
class PendingBatchQueue
{
public:
    using Batch = std::vector<CoalescedEntry>;

    PendingBatchQueue(std::size_t capacity, std::size_t maxBatchSize);

    // Cuts the entries into batches of maxBatchSize in order and appends them. A full
    // queue first loses its oldest batch (once per call, however many batches are new);
    // batches that still find it full are dropped. Returns the number of entries dropped.
    std::size_t enqueue(std::vector<CoalescedEntry> entries);

    // Removes and returns the oldest batch, if any.
    std::optional<Batch> takeOldest();

    // Puts a batch whose delivery failed back at the front, unless the queue is full
    // (then it is dropped). Returns whether it was kept.
    bool putBackFront(Batch batch);

    std::size_t size() const { return m_batches.size(); }
    bool empty() const { return m_batches.empty(); }
    const std::deque<Batch>& batches() const { return m_batches; }

private:
    const std::size_t m_capacity;
    const std::size_t m_maxBatchSize;
    std::deque<Batch> m_batches;
};

} // namespace morvane::telemetry
