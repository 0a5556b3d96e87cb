#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

namespace morvane::telemetry {

struct HttpRequest
{
    std::string method = "GET";
    std::string url;
    std::vector<std::pair<std::string, std::string>> headers; // name, value
    std::string body;
    std::chrono::milliseconds timeout{60'000}; // for the whole exchange; at least 1 ms
    // Response body bytes read into HttpResponse::body. The exchange ends once they are in
    // (the rest is never read, see HttpResponse::truncated); with 0 it ends after the status
    // line and headers, so a slow, huge or endless body costs nothing.
    std::size_t maxResponseBytes = 64 * 1024;
};

// What came back. Exactly one of three shapes:
// - error is not empty: the request failed (no connection, time-out, TLS failure, ...);
// - error is empty and status is absent: a reply arrived that is not an HTTP response;
// - error is empty and status is set: an HTTP response with that status.
struct HttpResponse
{
    std::optional<int> status;
    std::string body;
    std::string error;
    bool truncated = false; // the body went on past HttpRequest::maxResponseBytes

    bool failed() const { return !error.empty(); }
};

// Performs one HTTP request synchronously, bounded by the request's time-out. A stop request
// on the token ends the exchange at once (within milliseconds, whatever the network does) as
// a failed request. Implementations are safe to call from several threads at once.
class HttpTransport
{
public:
    virtual ~HttpTransport() = default;
    virtual HttpResponse send(const HttpRequest& request, std::stop_token stop) = 0;
};

// The base URL with one path component appended to its path, keeping its query and fragment
// and adding a "/" only where the path does not end with one: ("https://a.dev/", "api/geo")
// and ("https://a.dev", "api/geo") both give "https://a.dev/api/geo", and
// ("https://h/x?y=1", "api/geo") gives "https://h/x/api/geo?y=1".
std::string appendingPathComponent(const std::string& baseURL, const std::string& component);

} // namespace morvane::telemetry
