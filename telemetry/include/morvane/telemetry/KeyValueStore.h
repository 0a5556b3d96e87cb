#pragma once

#include <string_view>

namespace morvane::telemetry {

// The few persistent Boolean facts the telemetry keeps (consent choice, prompt
// bookkeeping, cached region). The application adapts its preferences store to this;
// hosts without one use LocalKeyValueStore. Implementations must be safe to call from
// any thread at once.
class KeyValueStore
{
public:
    virtual ~KeyValueStore() = default;

    // Whether any value is stored under the key, whatever its type.
    virtual bool contains(std::string_view key) const = 0;
    // The store's Boolean reading of the value under the key; false when absent.
    virtual bool boolValue(std::string_view key) const = 0;
    // Stores the value at once (no batching that a crash could lose).
    virtual void setBool(std::string_view key, bool value) = 0;
};

} // namespace morvane::telemetry
