#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
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
    // Response bytes kept in HttpResponse::body; the rest is read and discarded.
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

    bool failed() const { return !error.empty(); }
};

// Performs one HTTP request synchronously, bounded by the request's time-out. Implementations
// are safe to call from several threads at once.
class HttpTransport
{
public:
    virtual ~HttpTransport() = default;
    virtual HttpResponse send(const HttpRequest& request) = 0;
};

// The base URL with one path component appended, adding a "/" only when the base does not
// end with one: ("https://a.dev/", "api/geo") and ("https://a.dev", "api/geo") both give
// "https://a.dev/api/geo".
std::string appendingPathComponent(const std::string& baseURL, const std::string& component);

} // namespace morvane::telemetry
