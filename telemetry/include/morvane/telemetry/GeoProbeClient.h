#pragma once

#include <morvane/telemetry/HttpTransport.h>

#include <future>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace morvane::telemetry {

// Whether the user is in the European Union: the answer cached in the consent store, and a
// probe that asks the identity service ("api/geo", reply {"eu": <Boolean>}) and caches a
// valid answer. Nothing in memory: every query reads the store afresh.
class GeoProbeClient
{
public:
    static constexpr std::string_view userDefaultsKey = "morvane.error_telemetry_eu_region";

    GeoProbeClient() = delete;

    // The cached region, absent while unknown.
    static std::optional<bool> cachedIsEU();
    static std::optional<bool> resolvedIsEU() { return cachedIsEU(); }

    // Runs the probe on a thread of its own. The result is true only for a reply whose body
    // is a JSON object with the Boolean member "eu" set to true; the HTTP status is not
    // examined. A failed request or an unusable body gives false and stores nothing; a
    // usable body stores its answer. Never throws to the caller. Like every std::async
    // future, the result waits for the probe to finish when it is destroyed.
    static std::future<bool> probe(std::shared_ptr<HttpTransport> session, std::string identityURL);

    // The same probe on the calling thread; blocks for at most the 60-second time-out.
    static bool probeNow(HttpTransport& session, const std::string& identityURL);

    // The "eu" member of a reply body, absent when the body is not such a JSON object.
    static std::optional<bool> decodeGeoResponse(std::string_view body);
};

} // namespace morvane::telemetry
