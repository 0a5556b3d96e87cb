#pragma once

#include "core/ports/PreferencesStore.h"
#include "platform/preferences/SettingsPreferencesStore.h"

#include <memory>

// The preferences file as the command line reads it: the application's store over the same
// file, to be read only (CommandLineFormats sees it through a read-only window, so nothing is
// ever saved and a damaged file is not set aside).
namespace CommandLinePreferences {

std::unique_ptr<const PreferencesStore>
open(const QString& filePath = SettingsPreferencesStore::defaultFilePath());

} // namespace CommandLinePreferences
