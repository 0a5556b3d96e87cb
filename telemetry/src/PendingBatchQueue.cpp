#include <morvane/telemetry/PendingBatchQueue.h>

#include <algorithm>
#include <iterator>

namespace morvane::telemetry {

PendingBatchQueue::PendingBatchQueue(std::size_t capacity, std::size_t maxBatchSize)
    : capacity_(capacity), maxBatchSize_(std::max<std::size_t>(1, maxBatchSize))
{
}

std::size_t PendingBatchQueue::enqueue(std::vector<CoalescedEntry> entries)
{
    if (entries.empty())
        return 0;
    if (batches_.size() >= capacity_ && !batches_.empty()) {
        batches_.pop_front();
    }
    std::size_t dropped = 0;
    for (std::size_t start = 0; start < entries.size(); start += maxBatchSize_) {
        const std::size_t end = std::min(entries.size(), start + maxBatchSize_);
        if (batches_.size() >= capacity_) {
            dropped += end - start;
            continue;
        }
        batches_.emplace_back(std::make_move_iterator(entries.begin() + start),
                              std::make_move_iterator(entries.begin() + end));
    }
    return dropped;
}

std::optional<PendingBatchQueue::Batch> PendingBatchQueue::takeOldest()
{
    if (batches_.empty())
        return std::nullopt;
    Batch oldest = std::move(batches_.front());
    batches_.pop_front();
    return oldest;
}

bool PendingBatchQueue::putBackFront(Batch batch)
{
    if (batches_.size() >= capacity_)
        return false;
    batches_.push_front(std::move(batch));
    return true;
}

} // namespace morvane::telemetry
