#include <morvane/telemetry/GeoProbeClient.h>

#include <morvane/telemetry/ErrorTelemetryConsent.h>

#include <nlohmann/json.hpp>

#include <system_error>

namespace morvane::telemetry {

static_assert(GeoProbeClient::userDefaultsKey == ErrorTelemetryConsent::Keys::resolvedIsEU);

std::optional<bool> GeoProbeClient::cachedIsEU()
{
    const auto store = ErrorTelemetryConsent::store();
    if (!store->contains(userDefaultsKey))
        return std::nullopt;
    return store->boolValue(userDefaultsKey);
}

std::optional<bool> GeoProbeClient::decodeGeoResponse(std::string_view body)
{
    const auto json = nlohmann::json::parse(body, nullptr, /*allow_exceptions=*/false);
    if (!json.is_object())
        return std::nullopt;
    const auto eu = json.find("eu");
    if (eu == json.end() || !eu->is_boolean())
        return std::nullopt;
    return eu->get<bool>();
}

bool GeoProbeClient::probeNow(HttpTransport& session, const std::string& identityURL,
                              std::stop_token stop)
{
    HttpRequest request;
    request.method = "GET";
    request.url = appendingPathComponent(identityURL, "api/geo");
    request.timeout = std::chrono::seconds(60);
    request.maxResponseBytes = maxReplyBytes; // the decoder needs the whole document
    HttpResponse response;
    try {
        response = session.send(request, stop);
    } catch (...) {
        return false; // a transport that throws is a failed request
    }
    if (response.failed() || response.truncated || stop.stop_requested())
        return false;
    const std::optional<bool> isEU = decodeGeoResponse(response.body);
    if (!isEU)
        return false;
    ErrorTelemetryConsent::store()->setBool(userDefaultsKey, *isEU);
    return *isEU;
}

GeoProbeClient::Probe GeoProbeClient::probe(std::shared_ptr<HttpTransport> session,
                                            std::string identityURL)
{
    auto promise = std::make_shared<std::promise<bool>>();
    std::future<bool> result = promise->get_future();
    try {
        std::jthread thread([promise, session = std::move(session),
                             identityURL = std::move(identityURL)](std::stop_token stop) {
            bool isEU = false;
            try {
                isEU = session && probeNow(*session, identityURL, stop);
            } catch (...) {
                // out of memory or a store that throws: the probe failed
            }
            promise->set_value(isEU);
        });
        return Probe(std::move(result), std::move(thread));
    } catch (const std::system_error&) {
        promise->set_value(false); // no thread to be had: the probe failed
        return Probe(std::move(result), std::jthread());
    }
}

} // namespace morvane::telemetry
