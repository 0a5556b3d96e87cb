#pragma once

#include <morvane/telemetry/HttpTransport.h>

namespace morvane::telemetry {

// HttpTransport over libcurl: one easy handle per request, TLS peer and host verification on,
// HTTP and HTTPS only, no redirects followed (a 3xx is returned as such), no proxy from the
// environment beyond libcurl's defaults, no signals (safe in threaded hosts).
class CurlHttpTransport final : public HttpTransport
{
public:
    CurlHttpTransport();
    HttpResponse send(const HttpRequest& request) override;
};

} // namespace morvane::telemetry
