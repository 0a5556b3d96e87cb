#pragma once

#include "core/ports/PreferencesStore.h"

#include <QMap>
#include <QVariant>

#include <utility>

// A store in memory that counts writes. Values keep the type they were written with.
// changeElsewhere() plays another process rewriting the file.
class MemoryPreferencesStore : public PreferencesStore
{
public:
    bool boolForKey(const QString& key) const override
    {
        return values.value(key).typeId() == QMetaType::Bool && values.value(key).toBool();
    }
    std::optional<QString> stringForKey(const QString& key) const override
    {
        if (values.value(key).typeId() != QMetaType::QString)
            return std::nullopt;
        return values.value(key).toString();
    }
    std::optional<QByteArray> dataForKey(const QString& key) const override
    {
        if (values.value(key).typeId() != QMetaType::QByteArray)
            return std::nullopt;
        return values.value(key).toByteArray();
    }
    bool contains(const QString& key) const override { return values.contains(key); }

    void setBool(const QString& key, bool value) override { write(key, value); }
    void setString(const QString& key, const QString& value) override { write(key, value); }
    void setData(const QString& key, const QByteArray& value) override { write(key, value); }

    void setChangedElsewhereHandler(std::function<void()> handler) override
    {
        changedElsewhere = std::move(handler);
    }
    // Each key holds its new value (none for an invalid one), then the handler is told once.
    // Not writes of this process: not counted.
    void changeElsewhere(const QMap<QString, QVariant>& changes)
    {
        for (auto change = changes.cbegin(); change != changes.cend(); ++change) {
            if (change.value().isValid())
                values.insert(change.key(), change.value());
            else
                values.remove(change.key());
        }
        if (changedElsewhere)
            changedElsewhere();
    }

    QMap<QString, QVariant> values;
    int writes = 0;
    std::function<void()> changedElsewhere;

private:
    void write(const QString& key, const QVariant& value)
    {
        values.insert(key, value);
        ++writes;
    }
};
