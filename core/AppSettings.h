#pragma once

#include "core/SettingsSchema.h"
#include "core/StoredSetting.h"

#include <QObject>

#include <functional>

class PreferencesStore;

// The application's settings and small state, typed, as the single copy in memory that views
// and services read and write (the keys, their kinds and readings: SettingsSchema). Reads the
// store once, at construction, and again when the store reports a change made elsewhere
// (another process rewrote the file): then every value is read anew before the signals of
// those whose value changed are emitted. Each setter writes through the store's operation for
// the key's kind, at once, unless the store is known to hold that very value already; it
// never writes a default, and nothing is removed. Each key's signal is emitted only when the
// value it stands for changes. One per store; main thread only.
class AppSettings : public QObject
{
    Q_OBJECT

public:
    explicit AppSettings(PreferencesStore& store, QObject* parent = nullptr);
    ~AppSettings() override;

    const std::optional<PickedColor>& currentColor() const { return m_currentColor.value(); }
    void setCurrentColor(const PickedColor& color);
    const QList<PickedColor>& recentColors() const { return m_recentColors.value(); }
    void setRecentColors(const QList<PickedColor>& colors);
    // One of SettingsSchema::recentLimits; other lengths are ignored.
    int recentLimit() const { return m_recentLimit.value(); }
    void setRecentLimit(int limit);

    const QStringList& shownFormatIds() const { return m_shownFormatIds.value(); }
    void setShownFormatIds(const QStringList& ids);
    const QString& copiedFormatId() const { return m_copiedFormatId.value(); }
    void setCopiedFormatId(const QString& id);
    const QJsonArray& formatTemplates() const { return m_formatTemplates.value(); }
    void setFormatTemplates(const QJsonArray& templates);

    // Empty: off.
    const QString& pickShortcut() const { return m_pickShortcut.value(); }
    void setPickShortcut(const QString& keySequence);

    bool betaUpdates() const { return m_betaUpdates.value(); }
    void setBetaUpdates(bool enabled);
    bool relocationWarningShown() const { return m_relocationWarningShown.value(); }
    void setRelocationWarningShown(bool shown);
    // The two menu keys written true at every launch; nothing here reads them.
    void disablePlatformMenuItems();

    const QDateTime& lastUpdateCheck() const { return m_lastUpdateCheck.value(); }
    void setLastUpdateCheck(const QDateTime& time);
    const std::optional<QString>& skippedUpdateVersion() const
    {
        return m_skippedUpdateVersion.value();
    }
    void setSkippedUpdateVersion(const QString& version);
    const QString& highestUpdateVersion() const { return m_highestUpdateVersion.value(); }
    void setHighestUpdateVersion(const QString& version);

signals:
    void currentColorChanged();
    void recentColorsChanged();
    void recentLimitChanged();
    void shownFormatIdsChanged();
    void copiedFormatIdChanged();
    void formatTemplatesChanged();
    void pickShortcutChanged();
    void betaUpdatesChanged();
    void relocationWarningShownChanged();
    void lastUpdateCheckChanged();
    void skippedUpdateVersionChanged();
    void highestUpdateVersionChanged();

private:
    using Signal = void (AppSettings::*)();

    // Reads the key now and again after every change made elsewhere; `changed` (none for a
    // key nothing reads) is emitted when its value changes.
    template <typename T> void follow(StoredSetting<T>& setting, Signal changed);
    template <typename T> void write(StoredSetting<T>& setting, const T& value, Signal changed);
    void readChangesMadeElsewhere();

    PreferencesStore& m_store;
    StoredSetting<std::optional<PickedColor>> m_currentColor{SettingsSchema::currentColor};
    StoredSetting<QList<PickedColor>> m_recentColors{SettingsSchema::recentColors};
    StoredSetting<int> m_recentLimit{SettingsSchema::recentLimit};
    StoredSetting<QStringList> m_shownFormatIds{SettingsSchema::shownFormatIds};
    StoredSetting<QString> m_copiedFormatId{SettingsSchema::copiedFormatId};
    StoredSetting<QJsonArray> m_formatTemplates{SettingsSchema::formatTemplates};
    StoredSetting<QString> m_pickShortcut{SettingsSchema::pickShortcut};
    StoredSetting<bool> m_betaUpdates{SettingsSchema::betaUpdates};
    StoredSetting<bool> m_relocationWarningShown{SettingsSchema::relocationWarningShown};
    StoredSetting<bool> m_dictationMenuItemDisabled{SettingsSchema::dictationMenuItemDisabled};
    StoredSetting<bool> m_characterPaletteMenuItemDisabled{
        SettingsSchema::characterPaletteMenuItemDisabled};
    StoredSetting<QDateTime> m_lastUpdateCheck{SettingsSchema::lastUpdateCheck};
    StoredSetting<std::optional<QString>> m_skippedUpdateVersion{
        SettingsSchema::skippedUpdateVersion};
    StoredSetting<QString> m_highestUpdateVersion{SettingsSchema::highestUpdateVersion};
    // One per followed key: reads it again, and gives its signal when its value changed.
    QList<std::function<Signal()>> m_rereads;
};
