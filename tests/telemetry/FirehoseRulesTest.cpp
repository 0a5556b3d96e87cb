// The client's bookkeeping rules on their own: queue limits, breaker windows, retry delays.
#include <morvane/telemetry/FirehoseLimits.h>
#include <morvane/telemetry/FloodGuard.h>
#include <morvane/telemetry/PendingBatchQueue.h>

#include <gtest/gtest.h>

namespace morvane::telemetry {
namespace {

std::vector<CoalescedEntry> entries(std::size_t count, const std::string& tag)
{
    std::vector<CoalescedEntry> list(count);
    for (std::size_t i = 0; i < count; ++i)
        list[i].fingerprint = tag + std::to_string(i);
    return list;
}

std::vector<std::string> firstFingerprints(const PendingBatchQueue& queue)
{
    std::vector<std::string> result;
    for (const auto& batch : queue.batches())
        result.push_back(batch.front().fingerprint);
    return result;
}

std::vector<std::size_t> sizes(const PendingBatchQueue& queue)
{
    std::vector<std::size_t> result;
    for (const auto& batch : queue.batches())
        result.push_back(batch.size());
    return result;
}

TEST(PendingBatchQueue, CutsEntriesIntoBatchesInOrder)
{
    PendingBatchQueue queue(10, 50);
    EXPECT_EQ(queue.enqueue(entries(120, "a")), 0u);
    EXPECT_EQ(sizes(queue), (std::vector<std::size_t>{50, 50, 20}));
    EXPECT_EQ(firstFingerprints(queue), (std::vector<std::string>{"a0", "a50", "a100"}));
    EXPECT_EQ(queue.enqueue({}), 0u);
    EXPECT_EQ(queue.size(), 3u);
}

TEST(PendingBatchQueue, AFullQueueLosesItsOldestBatchOnceAndDropsWhatStillDoesNotFit)
{
    PendingBatchQueue queue(10, 50);
    for (int i = 0; i < 10; ++i)
        queue.enqueue(entries(1, "old" + std::to_string(i) + "-"));
    EXPECT_EQ(queue.enqueue({}), 0u); // an empty drain removes nothing
    EXPECT_EQ(queue.size(), 10u);

    EXPECT_EQ(queue.enqueue(entries(120, "new")), 70u);
    EXPECT_EQ(queue.size(), 10u);
    EXPECT_EQ(queue.batches().front().front().fingerprint, "old1-0");
    EXPECT_EQ(queue.batches().back().size(), 50u);
    EXPECT_EQ(queue.batches().back().front().fingerprint, "new0");
}

TEST(PendingBatchQueue, AFailedBatchGoesBackToTheFrontUnlessTheQueueIsFull)
{
    PendingBatchQueue queue(3, 50);
    queue.enqueue(entries(1, "a"));
    queue.enqueue(entries(1, "b"));
    auto failed = queue.takeOldest();
    ASSERT_TRUE(failed);
    queue.enqueue(entries(1, "c"));
    EXPECT_TRUE(queue.putBackFront(*failed));
    EXPECT_EQ(firstFingerprints(queue), (std::vector<std::string>{"a0", "b0", "c0"}));
    EXPECT_FALSE(queue.putBackFront(entries(1, "d")));
    EXPECT_EQ(queue.size(), 3u);
}

TEST(FloodGuard, CountsPerWindowAndSilencesAfterTheThreshold)
{
    using Verdict = FloodGuard::Verdict;
    using std::chrono::milliseconds;
    using std::chrono::seconds;
    const Timestamp start{seconds(1'000'000)};
    FloodGuard guard(100, seconds(10), seconds(300));
    const std::string flood = "00000000000000ff";
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(guard.record(flood, start + seconds(10)), Verdict::counted) << i;
    EXPECT_EQ(guard.record(flood, start + seconds(10)), Verdict::tripped);
    EXPECT_EQ(guard.record(flood, start + seconds(309) + milliseconds(999)), Verdict::silenced);
    EXPECT_EQ(guard.record(flood, start + seconds(310)), Verdict::counted);

    // A window lasts exactly 10 seconds inclusive; occurrences 11 s apart never trip.
    const std::string steady = "0123456789abcdef";
    guard.record(steady, start);
    for (int i = 1; i < 100; ++i)
        guard.record(steady, start + seconds(10));
    EXPECT_EQ(guard.record(steady, start + seconds(10)), Verdict::tripped);
    const std::string slow = "fedcba9876543210";
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(guard.record(slow, start + seconds(11 * i)), Verdict::counted) << i;
    EXPECT_EQ(guard.size(), 3u);
}

TEST(FloodGuard, KeysFingerprintsByTheirValue)
{
    EXPECT_EQ(FloodGuard::keyOf("00000000000000ff"), 255u);
    EXPECT_EQ(FloodGuard::keyOf("ffffffffffffffff"), UINT64_MAX);
    EXPECT_NE(FloodGuard::keyOf("not a fingerprint"), FloodGuard::keyOf("another text"));
}

TEST(RetryDelay, IsTheBaseDelayPlusJitterButAtLeastOneSecond)
{
    FirehoseLimits limits;
    const struct
    {
        std::size_t retry;
        double jitter;
        std::optional<double> seconds;
    } cases[] = {
        {0, -10, 20}, {0, 10, 40}, {1, 0, 60}, {2, 10, 130}, {3, 0, {}}, {7, -10, {}},
    };
    for (const auto& c : cases) {
        const auto delay = retryDelay(limits, c.retry, seconds(c.jitter));
        ASSERT_EQ(delay.has_value(), c.seconds.has_value()) << c.retry;
        if (delay) {
            EXPECT_DOUBLE_EQ(delay->count(), *c.seconds) << c.retry;
        }
    }
    limits.backoff = {seconds(5)};
    EXPECT_DOUBLE_EQ(retryDelay(limits, 0, seconds(-10))->count(), 1.0);
}

} // namespace
} // namespace morvane::telemetry
