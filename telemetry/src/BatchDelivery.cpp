#include <morvane/telemetry/BatchDelivery.h>

#include <morvane/telemetry/ErrorBatch.h>

namespace morvane::telemetry {

HttpRequest makeBatchRequest(const std::string& identityURL, std::string body)
{
    HttpRequest request;
    request.method = "POST";
    request.url = appendingPathComponent(identityURL, "api/error-events");
    request.headers = {{"Content-Type", "application/json"}};
    request.body = std::move(body);
    request.timeout = std::chrono::seconds(60);
    request.maxResponseBytes = 0; // the reply's body plays no part in the outcome
    return request;
}

DeliveryOutcome classifyResponse(const HttpResponse& response)
{
    // A reply that is not HTTP (another service on the port, a broken proxy) says
    // nothing about the batch: it is retried like a 5xx.
    if (response.failed() || !response.status)
        return DeliveryOutcome::retryable;
    switch (*response.status) {
    case 200:
    case 202:
    case 400: // the service will never take this body: resending cannot help
    case 413:
        return DeliveryOutcome::delivered;
    default:
        return DeliveryOutcome::retryable;
    }
}

DeliveryOutcome deliverBatch(const std::vector<CoalescedEntry>& entries,
                             const ContextSnapshot& context, const std::string& batchId,
                             const std::vector<std::string>& eventIds, std::stop_token stop)
{
    std::string body = encodeErrorBatch(makeErrorBatch(entries, context, batchId, eventIds));
    if (body.size() > maxBatchBytes)
        return DeliveryOutcome::delivered; // could never be accepted; drop it
    if (!context.urlSession)
        return DeliveryOutcome::retryable;
    return classifyResponse(
        context.urlSession->send(makeBatchRequest(context.identityURL, std::move(body)), stop));
}

} // namespace morvane::telemetry
