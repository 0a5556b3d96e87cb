#pragma once

#include "PreferencesStore.h"

#include <QSettings>

// The preferences store on disk: an INI file, by default
// $XDG_CONFIG_HOME/morvane/colorpicker.conf (~/.config/... when the variable is unset).
// Each write is flushed at once; Qt replaces the file atomically, so a failed write leaves
// the previous file whole. Bytes are stored in QSettings' @ByteArray() form.
class SettingsPreferencesStore : public PreferencesStore
{
public:
    SettingsPreferencesStore();
    explicit SettingsPreferencesStore(const QString& filePath);

    static QString defaultFilePath();

    QString filePath() const { return m_settings.fileName(); }
    // The outcome of the last read or write of the file.
    QSettings::Status status() const { return m_settings.status(); }

    bool boolForKey(const QString& key) const override;
    std::optional<QString> stringForKey(const QString& key) const override;
    std::optional<QByteArray> dataForKey(const QString& key) const override;
    bool contains(const QString& key) const override;

    void setBool(const QString& key, bool value) override;
    void setString(const QString& key, const QString& value) override;
    void setData(const QString& key, const QByteArray& value) override;

private:
    void write(const QString& key, const QVariant& value);

    mutable QSettings m_settings;
};
