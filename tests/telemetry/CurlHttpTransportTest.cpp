#include <morvane/telemetry/BatchDelivery.h>
#include <morvane/telemetry/CurlHttpTransport.h>
#include <morvane/telemetry/ErrorBatch.h>

#include <TestHttpServer.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

using namespace morvane::telemetry;
using namespace std::chrono_literals;
using morvane::TestHttpServer;
using Reply = TestHttpServer::Reply;
using Delivery = TestHttpServer::Delivery;

namespace {

// Replaces every request's 60 s time-out, so that a silent server costs the test little.
class InjectedTimeOut final : public HttpTransport
{
public:
    explicit InjectedTimeOut(std::chrono::milliseconds timeout) : m_timeout(timeout) {}

    HttpResponse send(const HttpRequest& request, std::stop_token stop) override
    {
        HttpRequest shortened = request;
        shortened.timeout = m_timeout;
        return m_curl.send(shortened, stop);
    }

private:
    std::chrono::milliseconds m_timeout;
    CurlHttpTransport m_curl;
};

// Generous enough for a loaded machine; the silent-server case passes a short one.
ContextSnapshot contextFor(const std::string& baseURL, std::chrono::milliseconds timeout = 10s)
{
    return ContextSnapshot{"app",
                           "linux",
                           "1.0",
                           "6.1.0",
                           "0123456789abcdef",
                           baseURL,
                           std::make_shared<InjectedTimeOut>(timeout)};
}

std::vector<CoalescedEntry> oneEntry()
{
    CoalescedEntry entry;
    entry.fingerprint = "0123456789abcdef";
    entry.severity = "error";
    entry.category = "io";
    entry.messageTemplate = std::string(2000, 'x'); // large enough to tempt a 100-continue
    return {entry};
}

bool eventually(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!condition() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(10ms);
    return condition();
}

DeliveryOutcome deliverTo(const std::string& baseURL, std::chrono::milliseconds timeout = 10s)
{
    return deliverBatch(oneEntry(), contextFor(baseURL, timeout), "b", {"e"});
}

} // namespace

TEST(CurlHttpTransport, ClassifiesEachStatusOfARealServer)
{
    const struct
    {
        int status;
        DeliveryOutcome expected;
    } cases[] = {
        {200, DeliveryOutcome::delivered}, {202, DeliveryOutcome::delivered},
        {400, DeliveryOutcome::delivered}, {413, DeliveryOutcome::delivered},
        {204, DeliveryOutcome::retryable}, {404, DeliveryOutcome::retryable},
        {429, DeliveryOutcome::retryable}, {500, DeliveryOutcome::retryable},
        {503, DeliveryOutcome::retryable},
    };
    TestHttpServer server;
    for (const auto& c : cases) {
        server.script({{.status = c.status, .body = "ignored"}});
        EXPECT_EQ(deliverTo(server.baseURL()), c.expected) << c.status;
    }
    EXPECT_EQ(server.requests().size(), std::size(cases));
}

TEST(CurlHttpTransport, ARedirectIsRetryableAndNotFollowed)
{
    TestHttpServer target; // answers 200: following the redirect would look delivered
    TestHttpServer server;
    for (const int status : {301, 302, 303, 307, 308}) {
        server.script({Reply::redirect(target.url("/api/error-events"), status)});
        EXPECT_EQ(deliverTo(server.baseURL()), DeliveryOutcome::retryable) << status;
    }
    EXPECT_EQ(server.requests().size(), 5u);
    EXPECT_TRUE(target.requests().empty());
}

TEST(CurlHttpTransport, PostsTheEncodedBatchAsJson)
{
    TestHttpServer server;
    server.setFallback({.status = 202});
    const std::string base = server.baseURL() + "collector";
    ASSERT_EQ(deliverTo(base), DeliveryOutcome::delivered);

    const std::vector<TestHttpServer::Request> requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    const TestHttpServer::Request& request = requests[0];
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.target, "/collector/api/error-events");
    EXPECT_EQ(request.version, "HTTP/1.1");
    EXPECT_EQ(request.headers.at("content-type"), "application/json");
    EXPECT_FALSE(request.headers.contains("expect"));
    EXPECT_EQ(request.body,
              encodeErrorBatch(makeErrorBatch(oneEntry(), contextFor(base), "b", {"e"})));
}

TEST(CurlHttpTransport, SendsFromSeveralThreadsThroughOneTransport)
{
    TestHttpServer server;
    CurlHttpTransport transport;
    std::vector<std::thread> senders;
    std::atomic<int> delivered{0};
    for (int i = 0; i < 3; ++i) {
        senders.emplace_back([&] {
            HttpRequest request = makeBatchRequest(server.baseURL(), "{}");
            request.timeout = 10s;
            if (classifyResponse(transport.send(request, {})) == DeliveryOutcome::delivered)
                ++delivered;
        });
    }
    for (std::thread& sender : senders)
        sender.join();
    EXPECT_EQ(delivered, 3);
    EXPECT_EQ(server.requests().size(), 3u);
}

TEST(CurlHttpTransport, RetriesAfterAReplyThatIsNotHttp)
{
    TestHttpServer server;
    server.setFallback(Reply::rawBytes("SSH-2.0-NotAWebServer\r\n"));
    CurlHttpTransport transport;
    const HttpResponse response = transport.send(makeBatchRequest(server.baseURL(), "{}"), {});
    EXPECT_FALSE(response.failed()) << response.error;
    EXPECT_FALSE(response.status.has_value());
    EXPECT_EQ(deliverTo(server.baseURL()), DeliveryOutcome::retryable);
}

TEST(CurlHttpTransport, RetriesWhenNothingOrNobodyAnswers)
{
    const std::string closed =
        "http://127.0.0.1:" + std::to_string(TestHttpServer::closedPort()) + "/";
    EXPECT_EQ(deliverTo(closed), DeliveryOutcome::retryable);

    TestHttpServer silent;
    silent.setFallback({.delivery = Delivery::silent});
    HttpRequest request = makeBatchRequest(silent.baseURL(), "{}");
    request.timeout = 300ms;
    const HttpResponse response = CurlHttpTransport().send(request, {});
    EXPECT_TRUE(response.failed());
    EXPECT_EQ(classifyResponse(response), DeliveryOutcome::retryable);
    EXPECT_EQ(deliverTo(silent.baseURL(), 300ms), DeliveryOutcome::retryable);
    request.timeout = 0ms; // means "as short as possible", never "wait forever"
    EXPECT_TRUE(CurlHttpTransport().send(request, {}).failed());
}

TEST(CurlHttpTransport, GetsAReplyBodyUpToTheLimit)
{
    TestHttpServer server;
    server.setFallback({.body = R"({"eu":true})"});
    HttpRequest request;
    request.url = appendingPathComponent(server.baseURL(), "api/geo");
    request.timeout = 5s;
    HttpResponse response = CurlHttpTransport().send(request, {});
    EXPECT_EQ(response.status, 200);
    EXPECT_EQ(response.body, R"({"eu":true})");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].method, "GET");
    EXPECT_EQ(server.requests()[0].target, "/api/geo");

    request.maxResponseBytes = 4;
    response = CurlHttpTransport().send(request, {});
    EXPECT_EQ(response.status, 200);
    EXPECT_EQ(response.body, R"({"eu)");
}

TEST(CurlHttpTransport, RefusesAServerWithAnUntrustedCertificate)
{
    TestHttpServer server({.tls = true});
    HttpRequest request = makeBatchRequest(server.baseURL(), "{}");
    request.timeout = 10s;
    const HttpResponse response = CurlHttpTransport().send(request, {});
    EXPECT_TRUE(response.failed());
    EXPECT_NE(response.error.find("certificate"), std::string::npos) << response.error;
    EXPECT_EQ(classifyResponse(response), DeliveryOutcome::retryable);
    EXPECT_TRUE(server.requests().empty());
}

// Runs the exchange on a thread, requests stop once the server has the request and is busy not
// answering, and returns how long the exchange took to end after that.
template <typename Exchange>
std::chrono::steady_clock::duration timeToStop(TestHttpServer& server, Exchange exchange)
{
    std::stop_source stop;
    std::jthread thread([&] { exchange(stop.get_token()); });
    EXPECT_TRUE(server.waitForRequests(1));
    std::this_thread::sleep_for(200ms);
    const auto before = std::chrono::steady_clock::now();
    stop.request_stop();
    thread.join();
    return std::chrono::steady_clock::now() - before;
}

// A host must be able to quit at once: a stop request ends the exchange whatever the server
// does, and a batch cut short that way is not delivered. One second is a correctness bound
// (the request's own time-out is a minute).
TEST(CurlHttpTransport, AStopRequestEndsARequestAtOnceWhateverTheServerDoes)
{
    for (const Delivery delivery : {Delivery::silent, Delivery::trickledHead}) {
        SCOPED_TRACE(static_cast<int>(delivery));
        TestHttpServer server;
        server.setFallback({.delivery = delivery});
        DeliveryOutcome outcome = DeliveryOutcome::delivered;
        EXPECT_LT(timeToStop(server,
                             [&](std::stop_token stop) {
                                 outcome =
                                     deliverBatch(oneEntry(), contextFor(server.baseURL(), 60s),
                                                  "b", {"e"}, stop);
                             }),
                  1s);
        EXPECT_EQ(outcome, DeliveryOutcome::retryable);
        EXPECT_TRUE(eventually([&] { return server.openConnections() == 0; }));
    }

    TestHttpServer server; // a body that never ends, read by a caller who wants it
    server.setFallback({.delivery = Delivery::trickledBody});
    HttpResponse response;
    EXPECT_LT(timeToStop(server,
                         [&](std::stop_token stop) {
                             HttpRequest request;
                             request.url = server.baseURL();
                             response = CurlHttpTransport().send(request, stop);
                         }),
              1s);
    EXPECT_TRUE(response.failed());
}

// The batch's outcome hangs on the status alone: a slow, huge or endless body must neither
// delay the sender nor run into the request's time-out.
TEST(CurlHttpTransport, ABatchReplyIsClassifiedOnItsHeadWithoutReadingTheBody)
{
    for (const Delivery delivery :
         {Delivery::stalledBody, Delivery::trickledBody, Delivery::endlessBody}) {
        SCOPED_TRACE(static_cast<int>(delivery));
        TestHttpServer server;
        server.setFallback({.status = 200, .delivery = delivery});
        EXPECT_EQ(deliverTo(server.baseURL(), 2s), DeliveryOutcome::delivered);
        server.setFallback({.status = 503, .delivery = delivery});
        EXPECT_EQ(deliverTo(server.baseURL(), 2s), DeliveryOutcome::retryable);
    }
}

TEST(CurlHttpTransport, StopsReadingABodyAtTheLimit)
{
    TestHttpServer server;
    server.setFallback({.delivery = Delivery::endlessBody});
    HttpRequest request;
    request.url = server.baseURL();
    request.timeout = 5s;
    request.maxResponseBytes = 100'000;
    const HttpResponse response = CurlHttpTransport().send(request, {});
    EXPECT_FALSE(response.failed()) << response.error;
    EXPECT_EQ(response.status, 200);
    EXPECT_EQ(response.body, std::string(100'000, 'x'));
    EXPECT_TRUE(response.truncated);
}
