#include "SettingsPreferencesStore.h"

#include <QDir>
#include <QMetaType>

SettingsPreferencesStore::SettingsPreferencesStore() : SettingsPreferencesStore(defaultFilePath())
{
}

SettingsPreferencesStore::SettingsPreferencesStore(const QString& filePath)
    : m_settings(filePath, QSettings::IniFormat)
{
}

QString SettingsPreferencesStore::defaultFilePath()
{
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || !QDir::isAbsolutePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/morvane/colorpicker.conf");
}

bool SettingsPreferencesStore::boolForKey(const QString& key) const
{
    const QVariant value = m_settings.value(key);
    // INI files hold text: "true"/"false" as written by setBool, or 1/0 by hand.
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed().toLower();
        return text == u"true" || text == u"1" || text == u"yes";
    }
    return false;
}

std::optional<QString> SettingsPreferencesStore::stringForKey(const QString& key) const
{
    const QVariant value = m_settings.value(key);
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

std::optional<QByteArray> SettingsPreferencesStore::dataForKey(const QString& key) const
{
    const QVariant value = m_settings.value(key);
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray();
    return std::nullopt;
}

bool SettingsPreferencesStore::contains(const QString& key) const
{
    return m_settings.contains(key);
}

void SettingsPreferencesStore::setBool(const QString& key, bool value)
{
    write(key, value);
}

void SettingsPreferencesStore::setString(const QString& key, const QString& value)
{
    write(key, value);
}

void SettingsPreferencesStore::setData(const QString& key, const QByteArray& value)
{
    write(key, value);
}

void SettingsPreferencesStore::write(const QString& key, const QVariant& value)
{
    m_settings.setValue(key, value);
    m_settings.sync();
}
