// The background half of ErrorFirehoseClient: the flush loop, the senders and retries.
#include <morvane/telemetry/ErrorFirehoseClient.h>

#include <morvane/telemetry/BatchDelivery.h>
#include <morvane/telemetry/Fingerprints.h>
#include <morvane/telemetry/Uuid.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <system_error>

namespace morvane::telemetry {

namespace {

// A sender's thread, and whether it is done, so the loop can let go of it without waiting.
// Dropping a Sender stops and joins its thread.
struct Sender
{
    std::shared_ptr<std::atomic<bool>> done = std::make_shared<std::atomic<bool>>(false);
    std::jthread thread;
};

// One request; a transport that throws counts as a failed request, which is retryable,
// and must not end the sender's thread.
DeliveryOutcome attempt(const std::vector<CoalescedEntry>& entries, const ContextSnapshot& context,
                        const std::string& batchId, const std::vector<std::string>& eventIds,
                        const std::stop_token& stop)
{
    try {
        return deliverBatch(entries, context, batchId, eventIds, stop);
    } catch (...) {
        return DeliveryOutcome::retryable;
    }
}

} // namespace

std::vector<CoalescedEntry> ErrorFirehoseClient::drainBuffer(Timestamp now)
{
    return m_buffer.drain(m_appSlug, m_platform, now, m_online);
}

void ErrorFirehoseClient::enqueueBatch(std::vector<CoalescedEntry> entries)
{
    m_pendingBatches.enqueue(std::move(entries));
}

ContextSnapshot ErrorFirehoseClient::snapshot()
{
    m_dailyToken = computeDailyToken(m_installId, m_clock->now());
    return ContextSnapshot{.appSlug = m_appSlug,
                           .platform = m_platform,
                           .appVersion = m_appVersion,
                           .osVersion = m_osVersion,
                           .dailyToken = m_dailyToken,
                           .identityURL = m_identityURL,
                           .urlSession = m_urlSession};
}

void ErrorFirehoseClient::scheduleFlush(std::stop_token stop)
{
    // At most one sender at a time: while it works (a request that hangs, a backoff wait), the
    // ticks only queue, and it takes what they queue once its batch is done. Leaving this
    // function, for whatever reason, stops and joins it.
    std::optional<Sender> sender;
    for (;;) {
        m_sleeper->sleepFor(m_limits.flushInterval, stop);
        if (stop.stop_requested())
            break;
        std::vector<CoalescedEntry> drained;
        {
            std::lock_guard lock(m_lock);
            const Timestamp now = m_clock->now();
            drained = drainBuffer(now);
            m_windowStart = now;
        }
        bool senderBusy = false;
        {
            // A separate lock turn, so an observation may slip in between. A sender not done
            // when this turn ends takes what it queued: it ends only under this lock, with
            // nothing queued.
            std::lock_guard lock(m_lock);
            if (!drained.empty())
                enqueueBatch(std::move(drained));
            senderBusy = sender && !sender->done->load();
        }
        if (senderBusy)
            continue;
        sender.reset();
        try {
            Sender next;
            next.thread = std::jthread([this, done = next.done](std::stop_token senderStop) {
                sendPendingBatches(std::move(senderStop), *done);
                done->store(true);
            });
            sender = std::move(next);
        } catch (const std::system_error&) {
            // No thread to be had now: the batches stay queued for the next tick.
        }
    }
}

void ErrorFirehoseClient::sendPendingBatches(std::stop_token stop, std::atomic<bool>& done)
{
    while (!stop.stop_requested()) {
        PendingBatchQueue::Batch batch;
        ContextSnapshot context;
        {
            std::lock_guard lock(m_lock);
            auto oldest = m_pendingBatches.takeOldest();
            if (!oldest) {
                done.store(true);
                return;
            }
            batch = std::move(*oldest);
            context = snapshot();
        }
        if (!sendBatch(batch, context, stop)) {
            std::lock_guard lock(m_lock);
            m_pendingBatches.putBackFront(std::move(batch));
            done.store(true);
            return; // the next tick starts a new sender
        }
    }
}

bool ErrorFirehoseClient::sendBatch(const std::vector<CoalescedEntry>& entries,
                                    const ContextSnapshot& context, const std::stop_token& stop)
{
    // One set of ids for every attempt of this send; a later send of the batch gets new ones.
    const std::string batchId = makeUuidV4();
    std::vector<std::string> eventIds;
    eventIds.reserve(entries.size());
    std::generate_n(std::back_inserter(eventIds), entries.size(), makeUuidV4);

    for (std::size_t retryCount = 0;; ++retryCount) {
        if (attempt(entries, context, batchId, eventIds, stop) == DeliveryOutcome::delivered)
            return true;
        if (stop.stop_requested())
            return false; // the request was cut short: not delivered
        if (retryCount >= m_limits.backoff.size())
            return false;
        const double jitter =
            m_random->uniform(-m_limits.backoffJitter.count(), m_limits.backoffJitter.count());
        m_sleeper->sleepFor(*retryDelay(m_limits, retryCount, seconds(jitter)), stop);
        if (stop.stop_requested())
            return false;
    }
}

} // namespace morvane::telemetry
