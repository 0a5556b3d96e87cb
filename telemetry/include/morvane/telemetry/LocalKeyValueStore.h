#pragma once

#include <morvane/telemetry/KeyValueStore.h>

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace morvane::telemetry {

// A small KeyValueStore for hosts without a preferences store of their own: in memory
// only, or backed by a text file of "key=value" lines. The file is read once at
// construction (a missing or unreadable file is an empty store, malformed lines are
// skipped) and rewritten atomically on every write, so a crash never leaves it half
// written. Values written by other means keep their text; their Boolean reading is
// true for "true" or "yes" (any case) and for integers other than zero.
class LocalKeyValueStore final : public KeyValueStore
{
public:
    explicit LocalKeyValueStore(std::optional<std::filesystem::path> file = std::nullopt);

    bool contains(std::string_view key) const override;
    bool boolValue(std::string_view key) const override;
    void setBool(std::string_view key, bool value) override;

    // The Boolean reading of a stored text, as described above.
    static bool readsAsTrue(std::string_view text);

private:
    void load();
    void save() const; // with m_mutex held

    const std::optional<std::filesystem::path> m_file;
    mutable std::mutex m_mutex;
    std::map<std::string, std::string, std::less<>> m_values;
};

} // namespace morvane::telemetry
