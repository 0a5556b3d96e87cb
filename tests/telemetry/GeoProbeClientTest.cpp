#include <morvane/telemetry/CurlHttpTransport.h>
#include <morvane/telemetry/ErrorTelemetryConsent.h>
#include <morvane/telemetry/GeoProbeClient.h>
#include <morvane/telemetry/LocalKeyValueStore.h>

#include <TestHttpServer.h>

#include <gtest/gtest.h>

namespace morvane::telemetry {
namespace {

using Reply = TestHttpServer::Reply;
using Delivery = TestHttpServer::Delivery;

// The real libcurl transport with the request's time-out cut short, so a test can see a
// time-out without waiting a minute; remembers the time-out the caller asked for.
class ShortTimeoutTransport final : public HttpTransport
{
public:
    HttpResponse send(const HttpRequest& request, std::stop_token stop) override
    {
        requestedTimeout = request.timeout;
        HttpRequest shortened = request;
        shortened.timeout = std::chrono::milliseconds(300);
        return curl.send(shortened, stop);
    }

    CurlHttpTransport curl;
    std::chrono::milliseconds requestedTimeout{0};
};

class GeoProbeTest : public ::testing::Test
{
protected:
    void SetUp() override { ErrorTelemetryConsent::useStore(store); }
    void TearDown() override { ErrorTelemetryConsent::useStore(nullptr); }

    bool probe(Reply reply)
    {
        server.script({std::move(reply)});
        return GeoProbeClient::probe(transport, server.baseURL()).get();
    }

    std::shared_ptr<LocalKeyValueStore> store = std::make_shared<LocalKeyValueStore>();
    std::shared_ptr<ShortTimeoutTransport> transport = std::make_shared<ShortTimeoutTransport>();
    TestHttpServer server;
};

TEST_F(GeoProbeTest, UsesAndCachesAnAnswerWhateverTheStatus)
{
    EXPECT_EQ(GeoProbeClient::resolvedIsEU(), std::nullopt);
    EXPECT_TRUE(probe({.status = 500, .body = R"({"eu": true, "country": "FR"})"}));
    EXPECT_EQ(GeoProbeClient::cachedIsEU(), true);
    EXPECT_FALSE(ErrorTelemetryConsent::isEnabled());

    EXPECT_FALSE(probe({.status = 200, .body = R"({"eu":false})"}));
    EXPECT_EQ(GeoProbeClient::cachedIsEU(), false);

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].target, "/api/geo");
    EXPECT_EQ(requests[0].body, "");
    EXPECT_EQ(transport->requestedTimeout, std::chrono::seconds(60));
}

TEST_F(GeoProbeTest, UnusableRepliesAndTimeOutsReturnFalseAndLeaveTheCacheAlone)
{
    store->setBool(GeoProbeClient::userDefaultsKey, true);
    const std::pair<const char*, Reply> replies[] = {
        {"text instead of a Boolean", {.body = R"({"eu": "yes"})"}},
        {"empty body", {.body = ""}},
        {"time-out", {.delivery = Delivery::silent}},
    };
    for (const auto& [name, reply] : replies) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(probe(reply));
        EXPECT_EQ(GeoProbeClient::cachedIsEU(), true);
    }
    ErrorTelemetryConsent::useStore(std::make_shared<LocalKeyValueStore>());
    EXPECT_FALSE(probe({.delivery = Delivery::silent}));
    EXPECT_EQ(GeoProbeClient::cachedIsEU(), std::nullopt);
}

TEST_F(GeoProbeTest, NoServerAndNoTransportReturnFalse)
{
    const std::string closedPort = "http://127.0.0.1:9/";
    EXPECT_FALSE(GeoProbeClient::probe(transport, closedPort).get());
    EXPECT_FALSE(GeoProbeClient::probe(nullptr, server.baseURL()).get());
    EXPECT_EQ(GeoProbeClient::cachedIsEU(), std::nullopt);
}

TEST_F(GeoProbeTest, ALongReplyIsReadWhole)
{
    const std::string padding(200 * 1024, 'p'); // well past what a cut reply used to keep
    EXPECT_TRUE(probe({.body = R"({"padding": ")" + padding + R"(", "eu": true})"}));
    EXPECT_EQ(GeoProbeClient::cachedIsEU(), true);
}

TEST_F(GeoProbeTest, AnEndlessReplyIsUnusable)
{
    auto patient = std::make_shared<CurlHttpTransport>();
    server.script({{.body = "{}", .delivery = Delivery::endlessBody}});
    EXPECT_FALSE(GeoProbeClient::probe(patient, server.baseURL()).get());
    EXPECT_EQ(GeoProbeClient::cachedIsEU(), std::nullopt);
}

// The probe never holds up its caller: letting go of a probe whose server never answers (or
// trickles) returns at once, and the cancelled probe stores nothing. The one second is a
// correctness bound; the request's own time-out is a minute.
TEST_F(GeoProbeTest, LettingGoOfAProbeThatHangsReturnsAtOnce)
{
    auto patient = std::make_shared<CurlHttpTransport>(); // the full 60-second time-out
    for (const Delivery delivery : {Delivery::silent, Delivery::trickledHead}) {
        SCOPED_TRACE(static_cast<int>(delivery));
        server.clearRequests();
        server.setFallback({.delivery = delivery});
        auto running = std::make_unique<GeoProbeClient::Probe>(
            GeoProbeClient::probe(patient, server.baseURL()));
        ASSERT_TRUE(server.waitForRequests(1));
        const auto before = std::chrono::steady_clock::now();
        running.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(1));
    }
    EXPECT_EQ(GeoProbeClient::cachedIsEU(), std::nullopt);
}

TEST(GeoResponse, DecodesOnlyAnObjectWithABooleanEu)
{
    const std::pair<const char*, std::optional<bool>> bodies[] = {
        {R"({"eu":true})", true},
        {R"({"other":1,"eu":false})", false},
        {R"({"eu":null})", {}},
        {R"({"eu":1})", {}},
        {R"({})", {}},
        {R"([true])", {}},
        {R"({"eu":true)", {}},
        {"not json", {}},
    };
    for (const auto& [body, expected] : bodies)
        EXPECT_EQ(GeoProbeClient::decodeGeoResponse(body), expected) << body;
}

} // namespace
} // namespace morvane::telemetry
