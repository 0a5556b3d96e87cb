#pragma once

#include "core/AppSettings.h"
#include "core/FormatPreferences.h"
#include "core/ReadOnlyPreferences.h"

#include <memory>

// The formats the command line offers (--format, --list-formats): the built-in notations and
// the user's templates, the same list the panel and the copy on a pick use. The preferences
// are only read: nothing is written to them, so a damaged file is neither rewritten nor set
// aside (the running copy does that when it saves).
class CommandLineFormats
{
public:
    explicit CommandLineFormats(std::unique_ptr<const PreferencesStore> preferences);

    CommandLineFormats(const CommandLineFormats&) = delete;
    CommandLineFormats& operator=(const CommandLineFormats&) = delete;

    const FormatPreferences& list() const { return m_formats; }

private:
    std::unique_ptr<const PreferencesStore> m_preferences;
    ReadOnlyPreferences m_readOnly;
    AppSettings m_settings;
    FormatPreferences m_formats;
};
