#include <morvane/telemetry/ErrorTelemetryConsent.h>

#include <morvane/telemetry/GeoProbeClient.h>
#include <morvane/telemetry/LocalKeyValueStore.h>

#include <atomic>

namespace morvane::telemetry {

namespace {

std::atomic<std::shared_ptr<KeyValueStore>>& installedStore()
{
    static std::atomic<std::shared_ptr<KeyValueStore>> store{
        std::make_shared<LocalKeyValueStore>()};
    return store;
}

} // namespace

std::shared_ptr<KeyValueStore> ErrorTelemetryConsent::store()
{
    return installedStore().load();
}

void ErrorTelemetryConsent::useStore(std::shared_ptr<KeyValueStore> store)
{
    if (!store)
        store = std::make_shared<LocalKeyValueStore>();
    installedStore().store(std::move(store));
}

bool ErrorTelemetryConsent::isEnabled()
{
    const auto values = store();
    if (values->contains(Keys::enabled))
        return values->boolValue(Keys::enabled);
    return GeoProbeClient::cachedIsEU() != true;
}

void ErrorTelemetryConsent::setEnabled(bool enabled)
{
    store()->setBool(Keys::enabled, enabled);
}

bool ErrorTelemetryConsent::shouldShowOptOutNote()
{
    return !store()->boolValue(Keys::optOutShown);
}

void ErrorTelemetryConsent::markOptOutNoteShown()
{
    store()->setBool(Keys::optOutShown, true);
}

bool ErrorTelemetryConsent::shouldShowEUOptIn()
{
    if (GeoProbeClient::cachedIsEU() != true)
        return false;
    const auto values = store();
    if (values->contains(Keys::enabled))
        return false;
    return !values->boolValue(Keys::euOptInShown);
}

void ErrorTelemetryConsent::markEUOptInShown()
{
    store()->setBool(Keys::euOptInShown, true);
}

} // namespace morvane::telemetry
