#include "core/AppSettings.h"

#include "core/ports/PreferencesStore.h"

template <typename T> void AppSettings::follow(StoredSetting<T>& setting, Signal changed)
{
    setting.read(m_store);
    m_rereads.append([this, &setting, changed]() -> Signal {
        return setting.read(m_store) ? changed : nullptr;
    });
}

template <typename T>
void AppSettings::write(StoredSetting<T>& setting, const T& value, Signal changed)
{
    if (setting.write(m_store, value) && changed)
        emit(this->*changed)();
}

AppSettings::AppSettings(PreferencesStore& store, QObject* parent) : QObject(parent), m_store(store)
{
    follow(m_currentColor, &AppSettings::currentColorChanged);
    follow(m_recentColors, &AppSettings::recentColorsChanged);
    follow(m_recentLimit, &AppSettings::recentLimitChanged);
    follow(m_shownFormatIds, &AppSettings::shownFormatIdsChanged);
    follow(m_copiedFormatId, &AppSettings::copiedFormatIdChanged);
    follow(m_formatTemplates, &AppSettings::formatTemplatesChanged);
    follow(m_pickShortcut, &AppSettings::pickShortcutChanged);
    follow(m_betaUpdates, &AppSettings::betaUpdatesChanged);
    follow(m_relocationWarningShown, &AppSettings::relocationWarningShownChanged);
    follow(m_dictationMenuItemDisabled, nullptr);
    follow(m_characterPaletteMenuItemDisabled, nullptr);
    follow(m_lastUpdateCheck, &AppSettings::lastUpdateCheckChanged);
    follow(m_skippedUpdateVersion, &AppSettings::skippedUpdateVersionChanged);
    follow(m_highestUpdateVersion, &AppSettings::highestUpdateVersionChanged);
    m_store.setChangedElsewhereHandler([this] { readChangesMadeElsewhere(); });
}

AppSettings::~AppSettings()
{
    m_store.setChangedElsewhereHandler({});
}

// Every value is up to date before the first signal, so a receiver that reads several keys
// sees them all as the other process left them.
void AppSettings::readChangesMadeElsewhere()
{
    QList<Signal> changed;
    for (const std::function<Signal()>& reread : std::as_const(m_rereads)) {
        if (const Signal signal = reread())
            changed.append(signal);
    }
    for (const Signal signal : std::as_const(changed))
        emit(this->*signal)();
}

void AppSettings::setCurrentColor(const PickedColor& color)
{
    write(m_currentColor, std::optional(color), &AppSettings::currentColorChanged);
}

void AppSettings::setRecentColors(const QList<PickedColor>& colors)
{
    write(m_recentColors, colors, &AppSettings::recentColorsChanged);
}

void AppSettings::setRecentLimit(int limit)
{
    write(m_recentLimit, limit, &AppSettings::recentLimitChanged);
}

void AppSettings::setShownFormatIds(const QStringList& ids)
{
    write(m_shownFormatIds, ids, &AppSettings::shownFormatIdsChanged);
}

void AppSettings::setCopiedFormatId(const QString& id)
{
    write(m_copiedFormatId, id, &AppSettings::copiedFormatIdChanged);
}

void AppSettings::setFormatTemplates(const QJsonArray& templates)
{
    write(m_formatTemplates, templates, &AppSettings::formatTemplatesChanged);
}

void AppSettings::setPickShortcut(const QString& keySequence)
{
    write(m_pickShortcut, keySequence, &AppSettings::pickShortcutChanged);
}

void AppSettings::setBetaUpdates(bool enabled)
{
    write(m_betaUpdates, enabled, &AppSettings::betaUpdatesChanged);
}

void AppSettings::setRelocationWarningShown(bool shown)
{
    write(m_relocationWarningShown, shown, &AppSettings::relocationWarningShownChanged);
}

void AppSettings::disablePlatformMenuItems()
{
    write(m_dictationMenuItemDisabled, true, nullptr);
    write(m_characterPaletteMenuItemDisabled, true, nullptr);
}

void AppSettings::setLastUpdateCheck(const QDateTime& time)
{
    write(m_lastUpdateCheck, time, &AppSettings::lastUpdateCheckChanged);
}

void AppSettings::setSkippedUpdateVersion(const QString& version)
{
    write(m_skippedUpdateVersion, std::optional(version),
          &AppSettings::skippedUpdateVersionChanged);
}

void AppSettings::setHighestUpdateVersion(const QString& version)
{
    write(m_highestUpdateVersion, version, &AppSettings::highestUpdateVersionChanged);
}
