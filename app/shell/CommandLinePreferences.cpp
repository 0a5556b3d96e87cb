#include "app/shell/CommandLinePreferences.h"

namespace CommandLinePreferences {

std::unique_ptr<const PreferencesStore> open(const QString& filePath)
{
    return std::make_unique<const SettingsPreferencesStore>(filePath);
}

} // namespace CommandLinePreferences
