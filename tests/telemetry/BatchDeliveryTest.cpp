#include <morvane/telemetry/BatchDelivery.h>
#include <morvane/telemetry/ErrorBatch.h>

#include <gtest/gtest.h>

#include <memory>

using namespace morvane::telemetry;

namespace {

class RecordingTransport final : public HttpTransport
{
public:
    HttpResponse reply;
    std::vector<HttpRequest> requests;

    HttpResponse send(const HttpRequest& request, std::stop_token) override
    {
        requests.push_back(request);
        return reply;
    }
};

CoalescedEntry entry(std::string messageTemplate)
{
    CoalescedEntry entry;
    entry.fingerprint = "0123456789abcdef";
    entry.severity = "error";
    entry.category = "io";
    entry.messageTemplate = std::move(messageTemplate);
    return entry;
}

} // namespace

TEST(BatchRequest, PostsJsonToTheEventsPathWithASixtySecondTimeOut)
{
    for (const char* base : {"https://id.example.test/", "https://id.example.test"}) {
        const HttpRequest request = makeBatchRequest(base, "{}");
        EXPECT_EQ(request.method, "POST");
        EXPECT_EQ(request.url, "https://id.example.test/api/error-events");
        EXPECT_EQ(request.headers,
                  (decltype(request.headers){{"Content-Type", "application/json"}}));
        EXPECT_EQ(request.body, "{}");
        EXPECT_EQ(request.timeout, std::chrono::seconds(60));
    }
    EXPECT_EQ(makeBatchRequest("http://h:8080/base", "").url,
              "http://h:8080/base/api/error-events");
}

TEST(BatchRequest, ClassifiesEveryKindOfOutcome)
{
    const struct
    {
        HttpResponse response;
        DeliveryOutcome expected;
    } cases[] = {
        {{200, {}, {}}, DeliveryOutcome::delivered},
        {{202, {}, {}}, DeliveryOutcome::delivered},
        {{400, {}, {}}, DeliveryOutcome::delivered},
        {{413, {}, {}}, DeliveryOutcome::delivered},
        {{100, {}, {}}, DeliveryOutcome::retryable},
        {{201, {}, {}}, DeliveryOutcome::retryable},
        {{204, {}, {}}, DeliveryOutcome::retryable},
        {{301, {}, {}}, DeliveryOutcome::retryable},
        {{401, {}, {}}, DeliveryOutcome::retryable},
        {{404, {}, {}}, DeliveryOutcome::retryable},
        {{429, {}, {}}, DeliveryOutcome::retryable},
        {{500, {}, {}}, DeliveryOutcome::retryable},
        {{503, {}, {}}, DeliveryOutcome::retryable},
        {{std::nullopt, "garbage", {}}, DeliveryOutcome::retryable}, // not an HTTP response
        {{std::nullopt, {}, "Timeout was reached"}, DeliveryOutcome::retryable},
        {{200, {}, "connection reset"}, DeliveryOutcome::retryable}, // a failure wins
    };
    for (const auto& c : cases)
        EXPECT_EQ(classifyResponse(c.response), c.expected)
            << c.response.status.value_or(-1) << " " << c.response.error;
}

TEST(BatchRequest, SendsABodyOfExactlyTheLimitAndDropsOneByteMore)
{
    auto transport = std::make_shared<RecordingTransport>();
    transport->reply.status = 503;
    const ContextSnapshot context{
        "app", "linux", "1", "6.1.0", "0000000000000000", "https://id.example.test/", transport};
    std::vector<CoalescedEntry> entries(50, entry("x"));
    std::vector<std::string> ids(50, "00000000-0000-4000-8000-000000000000");
    const std::size_t baseSize =
        encodeErrorBatch(makeErrorBatch(entries, context, ids[0], ids)).size();

    entries[0].messageTemplate.append(maxBatchBytes - baseSize, 'x');
    EXPECT_EQ(deliverBatch(entries, context, ids[0], ids), DeliveryOutcome::retryable);
    ASSERT_EQ(transport->requests.size(), 1u);
    EXPECT_EQ(transport->requests[0].body.size(), maxBatchBytes);

    entries[0].messageTemplate.push_back('x');
    EXPECT_EQ(deliverBatch(entries, context, ids[0], ids), DeliveryOutcome::delivered);
    EXPECT_EQ(transport->requests.size(), 1u); // dropped without a request
}

TEST(BatchRequest, WithoutATransportTheAttemptFails)
{
    ContextSnapshot context;
    context.identityURL = "https://id.example.test/";
    EXPECT_EQ(deliverBatch({entry("x")}, context, "b", {"e"}), DeliveryOutcome::retryable);
}

namespace morvane::telemetry {

TEST(AppendingPathComponent, JoinsThePathAndKeepsQueryAndFragment)
{
    const std::pair<const char*, const char*> cases[] = {
        {"https://h/", "https://h/api/error-events"},
        {"https://h", "https://h/api/error-events"},
        {"https://h/x", "https://h/x/api/error-events"},
        {"https://h/x/", "https://h/x/api/error-events"},
        {"https://h/x?y=1", "https://h/x/api/error-events?y=1"},
        {"https://h/x/?y=1#top", "https://h/x/api/error-events?y=1#top"},
        {"https://h#top", "https://h/api/error-events#top"},
    };
    for (const auto& [base, expected] : cases)
        EXPECT_EQ(makeBatchRequest(base, "{}").url, expected) << base;
}

} // namespace morvane::telemetry
