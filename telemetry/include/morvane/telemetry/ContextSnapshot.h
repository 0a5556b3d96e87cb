#pragma once

#include <memory>
#include <string>

namespace morvane::telemetry {

class HttpTransport;

// The client context copied under the client's lock when a batch is taken for sending,
// so that a send (and its retries) never reads the live client.
struct ContextSnapshot
{
    std::string appSlug;
    std::string platform;
    std::string appVersion;
    std::string osVersion;
    std::string dailyToken;
    std::string identityURL;                   // base URL of the collection service
    std::shared_ptr<HttpTransport> urlSession; // performs the request
};

} // namespace morvane::telemetry
