#include "core/CommandLineFormats.h"

CommandLineFormats::CommandLineFormats(std::unique_ptr<const PreferencesStore> preferences)
    : m_preferences(std::move(preferences)), m_readOnly(*m_preferences), m_settings(m_readOnly),
      m_formats(m_settings)
{
}
