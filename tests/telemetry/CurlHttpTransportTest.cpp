#include <morvane/telemetry/BatchDelivery.h>
#include <morvane/telemetry/CurlHttpTransport.h>
#include <morvane/telemetry/ErrorBatch.h>

#include "LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <thread>

using namespace morvane::telemetry;
using namespace std::chrono_literals;

namespace {

// Replaces every request's 60 s time-out, so that a silent server costs the test little.
class InjectedTimeOut final : public HttpTransport
{
public:
    explicit InjectedTimeOut(std::chrono::milliseconds timeout) : timeout_(timeout) {}

    HttpResponse send(const HttpRequest& request) override
    {
        HttpRequest shortened = request;
        shortened.timeout = timeout_;
        return curl_.send(shortened);
    }

private:
    std::chrono::milliseconds timeout_;
    CurlHttpTransport curl_;
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
        {204, DeliveryOutcome::retryable}, {301, DeliveryOutcome::retryable},
        {404, DeliveryOutcome::retryable}, {429, DeliveryOutcome::retryable},
        {500, DeliveryOutcome::retryable}, {503, DeliveryOutcome::retryable},
    };
    for (const auto& c : cases) {
        std::string reply = LoopbackHttpServer::httpReply(c.status, "ignored");
        if (c.status == 301)
            reply.insert(reply.find("\r\n") + 2, "Location: http://127.0.0.1:1/\r\n");
        LoopbackHttpServer server(reply);
        EXPECT_EQ(deliverTo(server.baseURL()), c.expected) << c.status;
        EXPECT_EQ(server.requests().size(), 1u) << c.status; // no redirect followed
    }
}

TEST(CurlHttpTransport, PostsTheEncodedBatchAsJson)
{
    LoopbackHttpServer server(LoopbackHttpServer::httpReply(202));
    const std::string base = server.baseURL() + "collector";
    ASSERT_EQ(deliverTo(base), DeliveryOutcome::delivered);

    const std::vector<std::string> requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    const std::string& request = requests[0];
    EXPECT_EQ(request.rfind("POST /collector/api/error-events HTTP/1.1\r\n", 0), 0u) << request;
    EXPECT_NE(request.find("\r\nContent-Type: application/json\r\n"), std::string::npos);
    EXPECT_EQ(request.find("Expect:"), std::string::npos) << request;
    const std::string body =
        encodeErrorBatch(makeErrorBatch(oneEntry(), contextFor(base), "b", {"e"}));
    EXPECT_EQ(request.substr(request.find("\r\n\r\n") + 4), body);
}

TEST(CurlHttpTransport, SendsFromSeveralThreadsThroughOneTransport)
{
    LoopbackHttpServer server(LoopbackHttpServer::httpReply(200));
    CurlHttpTransport transport;
    std::vector<std::thread> senders;
    std::atomic<int> delivered{0};
    for (int i = 0; i < 3; ++i) {
        senders.emplace_back([&] {
            HttpRequest request = makeBatchRequest(server.baseURL(), "{}");
            request.timeout = 10s;
            if (classifyResponse(transport.send(request)) == DeliveryOutcome::delivered)
                ++delivered;
        });
    }
    for (std::thread& sender : senders)
        sender.join();
    EXPECT_EQ(delivered, 3);
    EXPECT_EQ(server.requests().size(), 3u);
}

TEST(CurlHttpTransport, TreatsAReplyThatIsNotHttpAsDelivered)
{
    LoopbackHttpServer server(std::string("SSH-2.0-NotAWebServer\r\n"));
    CurlHttpTransport transport;
    const HttpResponse response = transport.send(makeBatchRequest(server.baseURL(), "{}"));
    EXPECT_FALSE(response.failed()) << response.error;
    EXPECT_FALSE(response.status.has_value());
    EXPECT_EQ(deliverTo(server.baseURL()), DeliveryOutcome::delivered);
}

TEST(CurlHttpTransport, RetriesWhenNothingOrNobodyAnswers)
{
    const std::string closed =
        "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::closedPort()) + "/";
    EXPECT_EQ(deliverTo(closed), DeliveryOutcome::retryable);

    LoopbackHttpServer silent(std::nullopt);
    HttpRequest request = makeBatchRequest(silent.baseURL(), "{}");
    request.timeout = 300ms;
    const HttpResponse response = CurlHttpTransport().send(request);
    EXPECT_TRUE(response.failed());
    EXPECT_EQ(classifyResponse(response), DeliveryOutcome::retryable);
    EXPECT_EQ(deliverTo(silent.baseURL(), 300ms), DeliveryOutcome::retryable);
    request.timeout = 0ms; // means "as short as possible", never "wait forever"
    EXPECT_TRUE(CurlHttpTransport().send(request).failed());
}

TEST(CurlHttpTransport, GetsAReplyBodyUpToTheLimit)
{
    LoopbackHttpServer server(LoopbackHttpServer::httpReply(200, R"({"eu":true})"));
    HttpRequest request;
    request.url = appendingPathComponent(server.baseURL(), "api/geo");
    request.timeout = 5s;
    HttpResponse response = CurlHttpTransport().send(request);
    EXPECT_EQ(response.status, 200);
    EXPECT_EQ(response.body, R"({"eu":true})");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].rfind("GET /api/geo HTTP/1.1\r\n", 0), 0u);

    request.maxResponseBytes = 4;
    response = CurlHttpTransport().send(request);
    EXPECT_EQ(response.status, 200);
    EXPECT_EQ(response.body, R"({"eu)");
}

TEST(CurlHttpTransport, RefusesAServerWithAnUntrustedCertificate)
{
    int output[2];
    ASSERT_EQ(pipe(output), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(output[1], STDOUT_FILENO);
        close(output[0]);
        execlp("python3", "python3", MORVANE_TLS_SERVER_SCRIPT, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(output[1]);
    std::unique_ptr<FILE, decltype(&fclose)> lines(fdopen(output[0], "r"), &fclose);
    int port = 0;
    const bool started = std::fscanf(lines.get(), "%d", &port) == 1;

    HttpResponse response;
    if (started) {
        HttpRequest request =
            makeBatchRequest("https://127.0.0.1:" + std::to_string(port) + "/", "{}");
        request.timeout = 10s;
        response = CurlHttpTransport().send(request);
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);

    ASSERT_TRUE(started) << "the TLS server did not start";
    EXPECT_TRUE(response.failed());
    EXPECT_NE(response.error.find("certificate"), std::string::npos) << response.error;
    EXPECT_EQ(classifyResponse(response), DeliveryOutcome::retryable);
}
