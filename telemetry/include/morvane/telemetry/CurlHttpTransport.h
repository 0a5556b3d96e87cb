#pragma once

#include <morvane/telemetry/HttpTransport.h>

namespace morvane::telemetry {

// HttpTransport over libcurl: one easy handle per request, TLS peer and host verification on,
// HTTP and HTTPS only, no redirects followed (a 3xx is returned as such), no signals (safe in
// threaded hosts). The usual proxy variables (https_proxy, no_proxy, ...) apply as in libcurl.
class CurlHttpTransport final : public HttpTransport
{
public:
    CurlHttpTransport();
    HttpResponse send(const HttpRequest& request) override;
};

} // namespace morvane::telemetry
