#include "FirehoseTestSupport.h"

#include <morvane/telemetry/Fingerprints.h>
#include <morvane/telemetry/MessageNormalizer.h>

#include <gtest/gtest.h>

#include <regex>

namespace morvane::telemetry {
namespace {

using namespace testing;
using nlohmann::json;

class FirehoseClientTest : public FirehoseFixture
{
protected:
    void SetUp() override
    {
        FirehoseFixture::SetUp();
        makeClient(transport, "https://collector.test/base/");
    }

    // Starts the loop if needed, lets one flush tick pass and waits for `requests` in all.
    void flushTick(std::size_t requests)
    {
        client->start();
        ASSERT_TRUE(time->waitForSleepers(1));
        time->advance(60_s);
        ASSERT_TRUE(transport->waitForRequests(requests));
        ASSERT_TRUE(time->waitForSleepers(1));
    }

    json onlyEvent(std::size_t request = 0)
    {
        const json body = transport->body(request);
        EXPECT_EQ(body["events"].size(), 1u);
        return body["events"][0];
    }

    std::shared_ptr<FakeTransport> transport = std::make_shared<FakeTransport>();
};

TEST_F(FirehoseClientTest, RepeatsWithinAMinuteBecomeOneEventWithACount)
{
    for (int i = 0; i < 5; ++i) {
        observe("Disk full while saving");
        time->advance(10_s);
    }
    EXPECT_EQ(client->statistics().bufferedEntries, 1u);
    flushTick(1);

    const HttpRequest request = transport->requests().at(0);
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.url, "https://collector.test/base/api/error-events");
    const json event = onlyEvent();
    EXPECT_EQ(event["count"], 5);
    EXPECT_EQ(event["first_seen"], "2026-12-05T12:00:00.000Z");
    EXPECT_EQ(event["last_seen"], "2026-12-05T12:00:40.000Z");
    EXPECT_EQ(event["message_template"], "disk full while saving");
    EXPECT_EQ(event["fingerprint"], computeFingerprint("picker", "linux", "error", "storage",
                                                       "disk full while saving", std::nullopt));
    const json body = transport->body(0);
    EXPECT_EQ(body["app_slug"], "picker");
    EXPECT_EQ(body["app_version"], "1.2.3");
    EXPECT_EQ(body["os_version"], "6.1.0");
    EXPECT_EQ(body["platform"], "linux");
}

TEST_F(FirehoseClientTest, AnUnconfiguredClientSendsItsDefaultsAndConfigureKeepsAbsentOnes)
{
    client = std::make_unique<ErrorFirehoseClient>(
        ErrorFirehoseClient::Dependencies{time, time, random, transport});
    observe("Before configure");
    flushTick(1);
    json body = transport->body(0);
    EXPECT_EQ(body["app_slug"], "unknown");
    EXPECT_EQ(body["app_version"], "0.0.0");
    EXPECT_EQ(body["platform"], "linux");
    EXPECT_EQ(body["daily_token"], computeDailyToken("", time->now()));
    const std::string os = body["os_version"];
    EXPECT_TRUE(std::regex_match(os, std::regex(R"(\d+\.\d+\.\d+)"))) << os;

    client->configure({.appSlug = "picker",
                       .platform = "desktop",
                       .appVersion = "2.0",
                       .osVersion = "9.9.9",
                       .installId = "id",
                       .identityURL = "https://collector.test/"});
    client->configure({.appSlug = "picker",
                       .appVersion = "2.1",
                       .installId = "id",
                       .identityURL = "https://collector.test/",
                       .urlSession = transport});
    observe("After configure");
    flushTick(2);
    body = transport->body(1);
    EXPECT_EQ(body["platform"], "desktop");
    EXPECT_EQ(body["os_version"], "9.9.9");
    EXPECT_EQ(body["app_version"], "2.1");
}

TEST_F(FirehoseClientTest, RepeatsKeepFirstFieldsAndTakeTheLatestContext)
{
    const auto crumbs = [](int n, const std::string& tag) {
        std::vector<BreadcrumbEntry> list;
        for (int i = 0; i < n; ++i)
            list.push_back({"t" + std::to_string(i), "info", "nav", tag});
        return list;
    };
    const std::vector<std::string> frames{"Store.save(_:) -> Bool", "Worker.run()", "c", "d"};
    client->updateContext(true, 89);
    const auto report = [&](const char* error, const char* specId,
                            std::optional<std::vector<BreadcrumbEntry>> breadcrumbs) {
        return ErrorFirehoseClient::ErrorReport{
            .severity = "error",
            .category = "io",
            .message = "Write failed",
            .error = std::make_exception_ptr(std::runtime_error(error)),
            .specId = specId,
            .topFrames = frames,
            .breadcrumbs = std::move(breadcrumbs)};
    };
    client->observe(report("x", "export-1", crumbs(12, "first")));
    time->advance(5_s);
    client->updateContext(false, 125);
    client->observe(report("y", "export-2", std::nullopt)); // no breadcrumbs: the old ones stay
    client->observe(report("z", "export-3", crumbs(2, "third")));
    flushTick(1);

    const json event = onlyEvent();
    EXPECT_EQ(event["count"], 3);
    EXPECT_EQ(event["spec_id"], "export-1");
    EXPECT_EQ(event["exception_type"], "runtime_error");
    EXPECT_EQ(event["top_frames"], json({"Store.save(_:) -> Bool", "Worker.run()", "c"}));
    EXPECT_EQ(event["frame_digest"], computeFrameDigest(frames));
    EXPECT_EQ(event["online"], false);
    EXPECT_EQ(event["session_uptime_seconds"], 120);
    ASSERT_EQ(event["breadcrumbs"].size(), 2u);
    EXPECT_EQ(event["breadcrumbs"][0]["msg"], "third");
}

TEST_F(FirehoseClientTest, LongMessagesAreFingerprintedWholeButStoredCut)
{
    const std::string head(300, 'x');
    observe(head + " tail one");
    observe(head + " tail two");
    flushTick(1);
    const json events = transport->body(0)["events"];
    ASSERT_EQ(events.size(), 2u);
    EXPECT_NE(events[0]["fingerprint"], events[1]["fingerprint"]);
    EXPECT_EQ(events[0]["message_template"], std::string(256, 'x'));
    EXPECT_EQ(events[1]["message_template"], std::string(256, 'x'));
}

TEST_F(FirehoseClientTest, UptimeIsTruncatedToThirtySecondsAndOmittedWhenAbsent)
{
    for (const auto& [given, stored] : {std::pair{59, 30}, {60, 60}, {-59, -30}, {89, 60}}) {
        EXPECT_EQ(ErrorFirehoseClient::roundedUptime(given), stored) << given;
    }
    client->updateContext(true, 89);
    observe("first failure");
    client->updateContext(true, std::nullopt);
    observe("second failure");
    flushTick(1);
    const json events = transport->body(0)["events"];
    ASSERT_EQ(events.size(), 2u);
    for (const json& event : events) {
        if (event["message_template"] == "first failure")
            EXPECT_EQ(event["session_uptime_seconds"], 60);
        else
            EXPECT_FALSE(event.contains("session_uptime_seconds"));
    }
}

TEST_F(FirehoseClientTest, FloodOfOneErrorTripsTheBreakerAndFlushesTheBuffer)
{
    observe("bystander");
    for (int i = 0; i < 100; ++i)
        observe("flood");
    EXPECT_EQ(client->statistics().bufferedEntries, 2u);
    observe("flood"); // the 101st inside 10 seconds
    auto stats = client->statistics();
    EXPECT_EQ(stats.bufferedEntries, 0u);
    EXPECT_EQ(stats.pendingBatchSizes, std::vector<std::size_t>{2});

    time->advance(299_s);
    observe("flood"); // silenced: leaves no trace
    EXPECT_EQ(client->statistics().bufferedEntries, 0u);
    time->advance(1_s);
    observe("flood"); // the silence is over: a new window starts at 1
    EXPECT_EQ(client->statistics().bufferedEntries, 1u);

    flushTick(2);
    std::map<std::string, int> counts;
    for (std::size_t request = 0; request < 2; ++request) {
        const json body = transport->body(request);
        for (const json& event : body["events"])
            counts[event["message_template"]] += event["count"].get<int>();
    }
    EXPECT_EQ(counts, (std::map<std::string, int>{{"bystander", 1}, {"flood", 101}}));
    EXPECT_EQ(transport->body(1)["events"][0]["count"], 1);
}

TEST_F(FirehoseClientTest, TheFiftiethDistinctErrorFlushesAtOnce)
{
    for (int i = 0; i < 49; ++i)
        observe("failure number " + std::to_string(i));
    EXPECT_EQ(client->statistics().bufferedEntries, 49u);
    observe("failure number 49");
    const auto stats = client->statistics();
    EXPECT_EQ(stats.bufferedEntries, 0u);
    EXPECT_EQ(stats.pendingBatchSizes, std::vector<std::size_t>{50});
}

TEST_F(FirehoseClientTest, AnOldWindowIsFlushedBeforeTheNextOccurrence)
{
    observe("early failure");
    time->advance(61_s);
    observe("late failure");
    const auto stats = client->statistics();
    EXPECT_EQ(stats.bufferedEntries, 1u);
    EXPECT_EQ(stats.pendingBatchSizes, std::vector<std::size_t>{1});
}

TEST_F(FirehoseClientTest, RefusedDistinctErrorsAreReportedOnceAsAnOverflowRecord)
{
    FirehoseLimits limits;
    limits.maxDistinctFingerprints = 3;
    makeClient(transport, "https://collector.test/", limits);
    for (int i = 0; i < 5; ++i)
        observe("failure number " + std::to_string(i));
    observe("failure number 0"); // an entry already held still coalesces
    const auto stats = client->statistics();
    EXPECT_EQ(stats.bufferedEntries, 3u);
    EXPECT_EQ(stats.droppedCount, 2);
    flushTick(1);

    const json events = transport->body(0)["events"];
    ASSERT_EQ(events.size(), 4u);
    const json overflow = events[3];
    EXPECT_EQ(overflow,
              json({{"client_event_id", overflow["client_event_id"]},
                    {"severity", "warn"},
                    {"category", "client"},
                    {"fingerprint",
                     computeFingerprint("picker", "linux", "warn", "client",
                                        "client.distinct_fingerprint_overflow", std::nullopt)},
                    {"message_template", "client.distinct_fingerprint_overflow"},
                    {"count", 2},
                    {"first_seen", "2026-12-05T12:01:00.000Z"},
                    {"last_seen", "2026-12-05T12:01:00.000Z"},
                    {"online", true}}));
    EXPECT_EQ(client->statistics().droppedCount, 0);
}

TEST_F(FirehoseClientTest, FacadeMapsWarningAndErrorCallsToObservations)
{
    struct Case
    {
        MorvaneLogLevel level;
        std::map<std::string, std::string> fields;
        std::string severity;
        std::string category;
        std::string messageTemplate;
    };
    const Case cases[] = {
        {MorvaneLogLevel::warning,
         {{"endpoint", "/x"}, {"class", "decode"}},
         "warn",
         "decode",
         "login failed: class=decode endpoint=<path>"},
        {MorvaneLogLevel::error,
         {{"category", "net"}, {"b", "2"}},
         "error",
         "net",
         "login failed: b=2 category=net"},
        {MorvaneLogLevel::error, {}, "error", "auth", "login failed"},
    };
    client->observeFromFacade(MorvaneLogLevel::info, "login failed", {{"class", "x"}});
    client->observeFromFacade(MorvaneLogLevel::debug, "login failed", {});
    EXPECT_EQ(client->statistics().bufferedEntries, 0u);
    for (const Case& c : cases)
        client->observeFromFacade(c.level, "login failed", c.fields, "login-9");
    flushTick(1);

    const json events = transport->body(0)["events"];
    ASSERT_EQ(events.size(), std::size(cases));
    for (const Case& c : cases) {
        const auto found = std::find_if(events.begin(), events.end(), [&](const json& event) {
            return event["message_template"] == c.messageTemplate;
        });
        ASSERT_NE(found, events.end()) << c.messageTemplate;
        EXPECT_EQ((*found)["severity"], c.severity);
        EXPECT_EQ((*found)["category"], c.category);
        EXPECT_EQ((*found)["spec_id"], "login-9");
    }
}

TEST_F(FirehoseClientTest, StartTwiceRunsOneFlushLoopAndNothingIsSentBeforeStart)
{
    observe("queued before start");
    time->advance(600_s);
    EXPECT_TRUE(transport->requests().empty());
    client->start();
    client->start();
    EXPECT_TRUE(time->waitForSleepers(1));
    flushTick(1);
    EXPECT_EQ(transport->requests().size(), 1u);
}

TEST_F(FirehoseClientTest, WithdrawnConsentStopsNewOccurrencesButDeliversWhatIsHeld)
{
    for (int i = 0; i < 50; ++i)
        observe("queued failure " + std::to_string(i));
    observe("buffered failure");
    ErrorTelemetryConsent::setEnabled(false);
    observe("after withdrawal");
    observe("buffered failure");
    EXPECT_EQ(client->statistics().bufferedEntries, 1u);
    flushTick(2);
    EXPECT_EQ(transport->body(0)["events"].size(), 50u);
    EXPECT_EQ(onlyEvent(1)["count"], 1);
}

// Throws on its first request, then accepts.
class ThrowingOnceTransport final : public HttpTransport
{
public:
    HttpResponse send(const HttpRequest& request, std::stop_token stop) override
    {
        if (calls.fetch_add(1) == 0)
            throw std::runtime_error("connection reset");
        return accepted.send(request, stop);
    }

    std::atomic<int> calls{0};
    FakeTransport accepted;
};

TEST_F(FirehoseClientTest, ATransportThatThrowsIsRetriedLikeAFailedRequest)
{
    auto throwing = std::make_shared<ThrowingOnceTransport>();
    client->configure({.appSlug = "picker",
                       .appVersion = "1.2.3",
                       .osVersion = "6.1.0",
                       .installId = "install-1",
                       .identityURL = "https://collector.test/",
                       .urlSession = throwing});
    observe("Flaky network");
    client->start();
    ASSERT_TRUE(time->waitForSleepers(1));
    time->advance(60_s);
    ASSERT_TRUE(time->waitForSleepers(2)); // the sender waits 30 s before its retry
    EXPECT_EQ(throwing->calls.load(), 1);
    time->advance(30_s);
    ASSERT_TRUE(throwing->accepted.waitForRequests(1));
    EXPECT_EQ(throwing->accepted.body(0)["events"][0]["message_template"], "flaky network");
}

} // namespace
} // namespace morvane::telemetry
