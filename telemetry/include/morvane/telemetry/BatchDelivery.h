#pragma once

#include <morvane/telemetry/CoalescedEntry.h>
#include <morvane/telemetry/ContextSnapshot.h>
#include <morvane/telemetry/HttpTransport.h>

#include <cstddef>
#include <stop_token>
#include <string>
#include <vector>

namespace morvane::telemetry {

// Largest encoded body that is sent; a longer one is dropped as if delivered.
inline constexpr std::size_t maxBatchBytes = 262144;

enum class DeliveryOutcome
{
    delivered, // done with the batch: accepted, refused for good, or too large to send
    retryable, // try again later with the same ids
};

// POST of the body to identityURL + "api/error-events", Content-Type application/json, 60 s;
// the reply's body is not read.
HttpRequest makeBatchRequest(const std::string& identityURL, std::string body);

// 200, 202, 400 and 413 count as delivered; a failed request, a reply that is not HTTP and
// every other status as retryable. The body is never looked at.
DeliveryOutcome classifyResponse(const HttpResponse& response);

// One attempt: builds and encodes the batch with the given ids, drops a body over
// maxBatchBytes without a request, else sends it through the snapshot's transport and
// classifies the reply. Blocks for at most the request's time-out, and ends at once when stop
// is requested (a request cut short that way is a failed one, never delivered). A snapshot
// without a transport counts as a failed request.
DeliveryOutcome deliverBatch(const std::vector<CoalescedEntry>& entries,
                             const ContextSnapshot& context, const std::string& batchId,
                             const std::vector<std::string>& eventIds, std::stop_token stop = {});

} // namespace morvane::telemetry
