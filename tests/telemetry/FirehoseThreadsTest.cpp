// The client's threads on real time: prompt teardown, and many observers while the flush
// loop and the senders run (meant to run under ThreadSanitizer too).
#include "FirehoseTestSupport.h"

#include <morvane/telemetry/CurlHttpTransport.h>

#include <TestHttpServer.h>

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>

namespace morvane::telemetry {
namespace {

using namespace testing;
using Clock = std::chrono::steady_clock;

// Real sleeps, counting those of a second or more that are in progress (backoff waits;
// the test's flush interval is shorter).
class CountingSleeper final : public Sleeper
{
public:
    void sleepFor(std::chrono::duration<double> duration, std::stop_token stop) override
    {
        const bool isLong = duration >= std::chrono::seconds(1);
        longSleeps += isLong;
        real.sleepFor(duration, stop);
        longSleeps -= isLong;
    }

    ThreadSleeper real;
    std::atomic<int> longSleeps{0};
};

class FirehoseThreadsTest : public FirehoseFixture
{
protected:
    std::chrono::duration<double> timeToDestroy()
    {
        const auto before = Clock::now();
        client.reset();
        return Clock::now() - before;
    }
};

TEST_F(FirehoseThreadsTest, DestroyingTheClientWhileTheLoopSleepsEndsItPromptly)
{
    auto transport = std::make_shared<FakeTransport>();
    client = std::make_unique<ErrorFirehoseClient>(
        ErrorFirehoseClient::Dependencies{nullptr, nullptr, nullptr, transport});
    client->start();
    observe("Never sent");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_LT(timeToDestroy(), std::chrono::seconds(10)); // the loop sleeps 60 s
    EXPECT_TRUE(transport->requests().empty());
}

TEST_F(FirehoseThreadsTest, DestroyingTheClientWhileASenderWaitsOnBackoffEndsItPromptly)
{
    auto transport = std::make_shared<FakeTransport>();
    transport->script({FakeTransport::status(503)});
    auto sleeper = std::make_shared<CountingSleeper>();
    FirehoseLimits limits;
    limits.flushInterval = std::chrono::milliseconds(10);
    client = std::make_unique<ErrorFirehoseClient>(
        ErrorFirehoseClient::Dependencies{nullptr, sleeper, nullptr, transport}, limits);
    observe("Service down");
    client->start();
    ASSERT_TRUE(transport->waitForRequests(1));
    ASSERT_TRUE(eventually([&] { return sleeper->longSleeps.load() == 1; }));
    EXPECT_LT(timeToDestroy(), std::chrono::seconds(10)); // the backoff is 20 to 40 s
    EXPECT_EQ(transport->requests().size(), 1u);
}

// With a request in flight that the server never answers (or trickles forever), the client
// still goes at once: the destructor's one second is a correctness bound, as a host quitting
// waits for it; the request's own time-out is a minute.
TEST_F(FirehoseThreadsTest, DestroyingTheClientWhileARequestHangsEndsItPromptly)
{
    using Delivery = TestHttpServer::Delivery;
    for (const Delivery delivery : {Delivery::silent, Delivery::trickledHead}) {
        SCOPED_TRACE(static_cast<int>(delivery));
        TestHttpServer server;
        server.setFallback({.delivery = delivery});
        FirehoseLimits limits;
        limits.flushInterval = std::chrono::milliseconds(10);
        auto transport = std::make_shared<CurlHttpTransport>();
        client = std::make_unique<ErrorFirehoseClient>(
            ErrorFirehoseClient::Dependencies{nullptr, nullptr, nullptr, transport}, limits);
        client->configure({.appSlug = "picker",
                           .appVersion = "1.2.3",
                           .installId = "install-1",
                           .identityURL = server.baseURL()});
        observe("Never answered");
        client->start();
        ASSERT_TRUE(server.waitForRequests(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_LT(timeToDestroy(), std::chrono::seconds(1));
        EXPECT_TRUE(eventually([&] { return server.openConnections() == 0; }));
        EXPECT_EQ(server.requests().size(), 1u);
    }
}

// Holds every request until released (or stopped), counting those in flight at once.
class HangingTransport final : public HttpTransport
{
public:
    HttpResponse send(const HttpRequest&, std::stop_token stop) override
    {
        const int now = ++inFlight;
        for (int most = mostInFlight.load(); now > most;)
            mostInFlight.compare_exchange_weak(most, now);
        ++requests;
        std::unique_lock lock(mutex);
        changed.wait(lock, stop, [&] { return released; });
        const bool answered = released;
        lock.unlock();
        --inFlight;
        return answered ? FakeTransport::status(200)
                        : HttpResponse{.status = std::nullopt, .body = {}, .error = "aborted"};
    }

    void release()
    {
        {
            std::lock_guard lock(mutex);
            released = true;
        }
        changed.notify_all();
    }

    std::atomic<int> inFlight{0};
    std::atomic<int> mostInFlight{0};
    std::atomic<int> requests{0};
    std::mutex mutex;
    std::condition_variable_any changed;
    bool released = false;
};

// A collector that never answers must not cost one more thread per tick: the ticks queue
// their batches behind the one send in flight, which delivers them all once it is answered.
TEST_F(FirehoseThreadsTest, ACollectorThatHangsHoldsOneSendInFlight)
{
    auto transport = std::make_shared<HangingTransport>();
    FirehoseLimits limits;
    limits.flushInterval = std::chrono::milliseconds(5);
    limits.maxPendingBatches = 1000;
    client = std::make_unique<ErrorFirehoseClient>(
        ErrorFirehoseClient::Dependencies{nullptr, nullptr, nullptr, transport}, limits);
    client->configure({.appSlug = "picker",
                       .appVersion = "1.2.3",
                       .installId = "install-1",
                       .identityURL = "https://collector.test/",
                       .urlSession = transport});
    client->start();
    for (int tick = 0; tick < 40; ++tick) {
        observe("Collector hangs " + std::to_string(tick));
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(transport->mostInFlight.load(), 1);
    EXPECT_EQ(transport->requests.load(), 1);
    EXPECT_TRUE(eventually([&] { return client->statistics().pendingBatchSizes.size() > 5; }));

    transport->release();
    EXPECT_TRUE(eventually([&] {
        const auto stats = client->statistics();
        return stats.bufferedEntries == 0 && stats.pendingBatchSizes.empty();
    }));
    EXPECT_EQ(transport->mostInFlight.load(), 1);
}

// Answers every fifth request with 503 and sums the counts it accepted, per template.
class TallyTransport final : public HttpTransport
{
public:
    HttpResponse send(const HttpRequest& request, std::stop_token) override
    {
        if (requests.fetch_add(1) % 5 == 4)
            return FakeTransport::status(503);
        const auto body = nlohmann::json::parse(request.body);
        std::lock_guard lock(mutex);
        for (const auto& event : body["events"]) {
            delivered[event["message_template"]] += event["count"].get<std::int64_t>();
            total += event["count"].get<std::int64_t>();
        }
        return FakeTransport::status(200);
    }

    std::int64_t deliveredTotal()
    {
        std::lock_guard lock(mutex);
        return total;
    }

    std::atomic<int> requests{0};
    std::mutex mutex;
    std::map<std::string, std::int64_t> delivered;
    std::int64_t total = 0;
};

TEST_F(FirehoseThreadsTest, EveryOccurrenceFromManyThreadsIsDeliveredOrADocumentedDrop)
{
    constexpr int threads = 8;
    constexpr int perThread = 500;
    constexpr int fingerprintsPerThread = 20; // 25 occurrences each: below the breaker
    constexpr int floodPerThread = 25;        // 200 of one error: 100 counted, 100 dropped
    auto transport = std::make_shared<TallyTransport>();
    FirehoseLimits limits;
    limits.flushInterval = std::chrono::milliseconds(5);
    limits.backoff = {std::chrono::milliseconds(1), std::chrono::milliseconds(2),
                      std::chrono::milliseconds(4)};
    limits.backoffJitter = std::chrono::milliseconds(1);
    limits.maxPendingBatches = 1'000'000; // no queue drops: every loss must be a breaker's
    // The clock stands still, so every occurrence falls into one breaker window.
    client = std::make_unique<ErrorFirehoseClient>(
        ErrorFirehoseClient::Dependencies{time, nullptr, nullptr, transport}, limits);
    client->configure({.appSlug = "picker",
                       .appVersion = "1.2.3",
                       .installId = "install-1",
                       .identityURL = "https://collector.test/",
                       .urlSession = transport});
    client->start();

    std::vector<std::thread> observers;
    for (int t = 0; t < threads; ++t) {
        observers.emplace_back([this, t] {
            for (int i = 0; i < perThread; ++i) {
                observe("worker " + std::to_string(t) + " step " +
                        std::to_string(i % fingerprintsPerThread));
                if (i % (perThread / floodPerThread) == 0)
                    observe("shared flood");
                if (i % 100 == 0)
                    client->updateContext(i % 200 == 0, i);
            }
        });
    }
    for (auto& observer : observers)
        observer.join();

    const std::int64_t expected = threads * perThread + 100;
    ASSERT_TRUE(eventually(
        [&] {
            const auto stats = client->statistics();
            return transport->deliveredTotal() == expected && stats.bufferedEntries == 0 &&
                   stats.pendingBatchSizes.empty();
        },
        std::chrono::seconds(120)))
        << "delivered " << transport->deliveredTotal() << " of " << expected;
    std::lock_guard lock(transport->mutex);
    EXPECT_EQ(transport->delivered["shared flood"], 100);
    EXPECT_EQ(transport->delivered.size(), threads * fingerprintsPerThread + 1u);
    for (const auto& [messageTemplate, count] : transport->delivered) {
        if (messageTemplate != "shared flood") {
            EXPECT_EQ(count, perThread / fingerprintsPerThread) << messageTemplate;
        }
    }
}

} // namespace
} // namespace morvane::telemetry
