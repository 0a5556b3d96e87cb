#pragma once

#include <morvane/telemetry/HttpTransport.h>

namespace morvane::telemetry {

// HttpTransport over libcurl: one easy handle per request, driven by a multi handle that a stop
// request wakes (curl_multi_wakeup), TLS peer and host verification on, HTTP and HTTPS only,
// no redirects followed (a 3xx is returned as such), no signals (safe in threaded hosts). The
// usual proxy variables (https_proxy, no_proxy, ...) apply as in libcurl.
class CurlHttpTransport final : public HttpTransport
{
public:
    CurlHttpTransport();
    HttpResponse send(const HttpRequest& request, std::stop_token stop) override;
};

} // namespace morvane::telemetry
