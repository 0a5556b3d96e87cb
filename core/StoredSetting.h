#pragma once

#include "core/SettingsSchema.h"

#include <optional>
#include <utility>

// One key's value in memory: what the stored value stands for, and the stored value itself
// where it is known exactly. Writing a value stores it unless the store is known to hold
// exactly what would be written, so an equal value is not written again while a value stored
// in another form (a colour in lower case, a Boolean written by hand) is rewritten as the
// application writes it. Nothing is written on reading.
template <typename T> class StoredSetting
{
public:
    explicit StoredSetting(const SettingsSchema::Setting<T>& setting)
        : m_setting(setting), m_value(setting.read(QVariant()))
    {
    }

    const SettingsSchema::Setting<T>& setting() const { return m_setting; }
    const T& value() const { return m_value; }

    // Reads the key from the store; true when the value it stands for changed.
    bool read(const PreferencesStore& store)
    {
        const SettingsSchema::Stored stored = SettingsSchema::readStored(store, m_setting.key);
        m_stored = stored.exact ? std::optional<QVariant>(stored.value) : std::nullopt;
        return update(m_setting.read(stored.value));
    }

    // Stores the value unless the schema refuses it; true when the value the key stands for
    // changed.
    bool write(PreferencesStore& store, const T& value)
    {
        const QVariant stored = m_setting.write(value);
        if (!stored.isValid())
            return false;
        if (!m_stored || m_stored->typeId() != stored.typeId() || *m_stored != stored) {
            SettingsSchema::writeStored(store, m_setting.key, stored);
            m_stored = stored;
        }
        return update(m_setting.read(stored));
    }

private:
    bool update(T value)
    {
        if (value == m_value)
            return false;
        m_value = std::move(value);
        return true;
    }

    const SettingsSchema::Setting<T>& m_setting;
    T m_value;
    std::optional<QVariant> m_stored; // none: not known exactly
};
