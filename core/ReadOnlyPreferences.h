#pragma once

#include "core/ports/PreferencesStore.h"

// A store seen through a window that only reads: reads come from `store`, writes are dropped
// (and never reach it), and no change handler is kept. For a process that must leave the
// user's preferences exactly as it found them, whatever its readers do.
class ReadOnlyPreferences final : public PreferencesStore
{
public:
    explicit ReadOnlyPreferences(const PreferencesStore& store) : m_store(store) {}

    bool boolForKey(const QString& key) const override { return m_store.boolForKey(key); }
    std::optional<QString> stringForKey(const QString& key) const override
    {
        return m_store.stringForKey(key);
    }
    std::optional<QByteArray> dataForKey(const QString& key) const override
    {
        return m_store.dataForKey(key);
    }
    bool contains(const QString& key) const override { return m_store.contains(key); }

    void setBool(const QString&, bool) override {}
    void setString(const QString&, const QString&) override {}
    void setData(const QString&, const QByteArray&) override {}

private:
    const PreferencesStore& m_store;
};
