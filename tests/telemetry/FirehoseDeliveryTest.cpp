// Delivery end to end: the client, the libcurl transport and a real server on 127.0.0.1,
// with the client's delays on virtual time.
#include "FirehoseTestSupport.h"

#include <morvane/telemetry/CurlHttpTransport.h>
#include <morvane/telemetry/Fingerprints.h>

#include <TestHttpServer.h>

#include <gtest/gtest.h>

namespace morvane::telemetry {
namespace {

using namespace testing;
using nlohmann::json;

class FirehoseDeliveryTest : public FirehoseFixture
{
protected:
    void SetUp() override
    {
        FirehoseFixture::SetUp();
        startClient();
    }

    void startClient(FirehoseLimits limits = {})
    {
        makeClient(std::make_shared<CurlHttpTransport>(), server.baseURL(), std::move(limits));
        client->start();
        ASSERT_TRUE(time->waitForSleepers(1));
    }

    // Advances the virtual time and waits until the client's threads are idle again.
    void advance(std::chrono::seconds step, std::size_t sleepers, std::size_t requests)
    {
        time->advance(step);
        ASSERT_TRUE(server.waitForRequests(requests));
        ASSERT_TRUE(time->waitForSleepers(sleepers));
    }

    json body(std::size_t request) { return json::parse(server.requests().at(request).body); }

    TestHttpServer server;
};

TEST_F(FirehoseDeliveryTest, ABatchRefusedFourTimesReturnsToTheFrontAndIsResentUnderNewIds)
{
    const TestHttpServer::Reply unavailable{.status = 503};
    server.script({unavailable, unavailable, unavailable, unavailable});
    // Ticks every 10 minutes, so no other sender runs while this one retries.
    FirehoseLimits limits;
    limits.flushInterval = 600_s;
    startClient(limits);
    observe("Sync failed");

    advance(600_s, 2, 1); // first attempt; the sender waits 30 s
    EXPECT_EQ(time->deadlines().count(time->now() + 30_s), 1u);
    EXPECT_EQ(random->lastInterval(), std::make_pair(-10.0, 10.0));
    advance(30_s, 2, 2); // second attempt, next in 60 s
    advance(60_s, 2, 3); // third attempt, next in 120 s
    for (int i = 0; i < 50; ++i)
        observe("queued failure " + std::to_string(i)); // a full batch queues behind
    time->advance(120_s);                               // fourth and last attempt
    ASSERT_TRUE(server.waitForRequests(4));
    ASSERT_TRUE(eventually([&] {
        return client->statistics().pendingBatchSizes == std::vector<std::size_t>{1, 50};
    }));

    advance(390_s, 1, 6); // the next tick sends the returned batch first
    for (std::size_t request = 0; request < 4; ++request) {
        const auto received = server.requests()[request];
        EXPECT_EQ(received.method, "POST");
        EXPECT_EQ(received.target, "/api/error-events");
        EXPECT_EQ(received.headers.at("content-type"), "application/json");
        EXPECT_EQ(body(request)["batch_id"], body(0)["batch_id"]);
        EXPECT_EQ(body(request)["events"], body(0)["events"]);
    }
    const json resent = body(4);
    EXPECT_NE(resent["batch_id"], body(0)["batch_id"]);
    ASSERT_EQ(resent["events"].size(), 1u);
    EXPECT_EQ(resent["events"][0]["fingerprint"], body(0)["events"][0]["fingerprint"]);
    EXPECT_NE(resent["events"][0]["client_event_id"], body(0)["events"][0]["client_event_id"]);
    EXPECT_EQ(body(5)["events"].size(), 50u);
    EXPECT_TRUE(client->statistics().pendingBatchSizes.empty());
}

TEST_F(FirehoseDeliveryTest, ABatchRefusedWith413IsDroppedWithoutRetry)
{
    server.script({{.status = 413}});
    observe("Payload rejected");
    advance(60_s, 1, 1);
    ASSERT_TRUE(eventually([&] { return client->statistics().pendingBatchSizes.empty(); }));
    advance(60_s, 1, 1); // a tick with nothing queued
    observe("Later failure");
    advance(60_s, 1, 2);
    ASSERT_EQ(server.requests().size(), 2u);
    ASSERT_EQ(body(1)["events"].size(), 1u);
    EXPECT_EQ(body(1)["events"][0]["message_template"], "later failure");
}

// Something on the collector's port that does not speak HTTP has not taken the batch.
TEST_F(FirehoseDeliveryTest, AReplyThatIsNotHttpIsRetriedLikeA5xx)
{
    server.script({TestHttpServer::Reply::rawBytes("SSH-2.0-NotAWebServer\r\n")});
    observe("Collector replaced");
    advance(60_s, 2, 1); // first attempt; the sender waits 30 s
    EXPECT_EQ(time->deadlines().count(time->now() + 30_s), 1u);
    advance(30_s, 1, 2);
    EXPECT_EQ(body(1)["batch_id"], body(0)["batch_id"]);
    EXPECT_TRUE(eventually([&] { return client->statistics().pendingBatchSizes.empty(); }));
}

TEST_F(FirehoseDeliveryTest, BatchesOfOneUtcDayShareTheDailyToken)
{
    observe("Morning failure");
    advance(60_s, 1, 1);
    observe("Noon failure");
    advance(60_s, 1, 2);
    EXPECT_EQ(body(0)["daily_token"], body(1)["daily_token"]);
    EXPECT_EQ(body(0)["daily_token"], computeDailyToken("install-1", time->now()));
    EXPECT_NE(body(0)["batch_id"], body(1)["batch_id"]);

    advance(std::chrono::hours(12), 1, 2); // past 00:00 UTC
    observe("Next day failure");
    advance(60_s, 1, 3);
    EXPECT_NE(body(2)["daily_token"], body(0)["daily_token"]);
    EXPECT_EQ(body(2)["daily_token"], computeDailyToken("install-1", time->now()));
}

} // namespace
} // namespace morvane::telemetry
