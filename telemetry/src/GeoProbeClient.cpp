#include <morvane/telemetry/GeoProbeClient.h>

#include <morvane/telemetry/ErrorTelemetryConsent.h>

#include <nlohmann/json.hpp>

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

bool GeoProbeClient::probeNow(HttpTransport& session, const std::string& identityURL)
{
    HttpRequest request;
    request.method = "GET";
    request.url = appendingPathComponent(identityURL, "api/geo");
    request.timeout = std::chrono::seconds(60);
    HttpResponse response;
    try {
        response = session.send(request);
    } catch (...) {
        return false; // a transport that throws is a failed request
    }
    if (response.failed())
        return false;
    const std::optional<bool> isEU = decodeGeoResponse(response.body);
    if (!isEU)
        return false;
    ErrorTelemetryConsent::store()->setBool(userDefaultsKey, *isEU);
    return *isEU;
}

std::future<bool> GeoProbeClient::probe(std::shared_ptr<HttpTransport> session,
                                        std::string identityURL)
{
    return std::async(std::launch::async,
                      [session = std::move(session), identityURL = std::move(identityURL)] {
                          return session ? probeNow(*session, identityURL) : false;
                      });
}

} // namespace morvane::telemetry
