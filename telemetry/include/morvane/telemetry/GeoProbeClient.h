#pragma once

#include <morvane/telemetry/HttpTransport.h>

#include <cstddef>
#include <future>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>

namespace morvane::telemetry {

// Whether the user is in the European Union: the answer cached in the consent store, and a
// probe that asks the identity service ("api/geo", reply {"eu": <Boolean>}) and caches a
// valid answer. Nothing in memory: every query reads the store afresh.
class GeoProbeClient
{
public:
    static constexpr std::string_view userDefaultsKey = "morvane.error_telemetry_eu_region";
    // Longest reply body read; a longer one is unusable (no reply of ours comes near it).
    static constexpr std::size_t maxReplyBytes = 16 * 1024 * 1024;

    // A probe running on a thread of its own. Destroying it cancels the probe (the request
    // ends at once, whatever the network does) and waits only for that; a cancelled probe
    // gives false and stores nothing. Neither this nor the future ever waits for the network.
    class Probe
    {
    public:
        Probe(std::future<bool> result, std::jthread thread)
            : m_result(std::move(result)), m_thread(std::move(thread))
        {
        }
        // The probe's answer; waits until the probe is over.
        bool get() { return m_result.get(); }
        std::future<bool>& result() { return m_result; }

    private:
        std::future<bool> m_result;
        std::jthread m_thread; // last: stopped and joined first
    };

    GeoProbeClient() = delete;

    // The cached region, absent while unknown.
    static std::optional<bool> cachedIsEU();
    static std::optional<bool> resolvedIsEU() { return cachedIsEU(); }

    // Starts the probe. The result is true only for a reply whose body is a JSON object with
    // the Boolean member "eu" set to true; the HTTP status is not examined. A failed or
    // cancelled request or an unusable body gives false and stores nothing; a usable body
    // stores its answer. Never throws to the caller.
    static Probe probe(std::shared_ptr<HttpTransport> session, std::string identityURL);

    // The same probe on the calling thread; blocks for at most the 60-second time-out, and
    // ends at once when stop is requested.
    static bool probeNow(HttpTransport& session, const std::string& identityURL,
                         std::stop_token stop = {});

    // The "eu" member of a reply body, absent when the body is not such a JSON object.
    static std::optional<bool> decodeGeoResponse(std::string_view body);
};

} // namespace morvane::telemetry
