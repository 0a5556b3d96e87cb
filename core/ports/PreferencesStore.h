#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// The per-user key-value store every component persists its settings in. Readers supply
// their own meaning for an absent key; nothing is registered as a default. The application's
// store is safe to use from any thread.
class PreferencesStore
{
public:
    virtual ~PreferencesStore() = default;

    // False when absent or not a Boolean.
    virtual bool boolForKey(const QString& key) const = 0;
    virtual std::optional<QString> stringForKey(const QString& key) const = 0;
    virtual std::optional<QByteArray> dataForKey(const QString& key) const = 0;
    // Presence test: any stored value counts.
    virtual bool contains(const QString& key) const = 0;

    // Writes take effect at once.
    virtual void setBool(const QString& key, bool value) = 0;
    virtual void setString(const QString& key, const QString& value) = 0;
    virtual void setData(const QString& key, const QByteArray& value) = 0;

    // Asks to be told when the stored values changed through someone else (another process
    // rewrote the file): `handler` runs on the thread that owns the store's QObject context
    // (the main thread), after the new values can be read; a second call replaces the
    // handler, an empty one removes it. A store that nobody else writes never calls it.
    virtual void setChangedElsewhereHandler(std::function<void()> handler) { (void)handler; }
};
