#pragma once

#include "Clipboard.h"
#include "PreferencesStore.h"
#include "ScreenSampler.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

// Test doubles for the picker's platform: an in-memory store, a clipboard that records what
// it was given, and a sampler whose answer the test gives.

class MemoryPreferencesStore : public PreferencesStore
{
public:
    bool boolForKey(const QString& key) const override
    {
        return m_values.value(key).typeId() == QMetaType::Bool && m_values.value(key).toBool();
    }
    std::optional<QString> stringForKey(const QString& key) const override
    {
        if (m_values.value(key).typeId() != QMetaType::QString)
            return std::nullopt;
        return m_values.value(key).toString();
    }
    std::optional<QByteArray> dataForKey(const QString& key) const override
    {
        if (m_values.value(key).typeId() != QMetaType::QByteArray)
            return std::nullopt;
        return m_values.value(key).toByteArray();
    }
    bool contains(const QString& key) const override { return m_values.contains(key); }
    void setBool(const QString& key, bool value) override { m_values[key] = value; }
    void setString(const QString& key, const QString& value) override { m_values[key] = value; }
    void setData(const QString& key, const QByteArray& value) override { m_values[key] = value; }

private:
    QHash<QString, QVariant> m_values;
};

class RecordingClipboard : public Clipboard
{
public:
    void setText(const QString& text, Completion done) override
    {
        this->text = text;
        ++copies;
        done(true);
    }

    QString text;
    int copies = 0;
};

class ScriptedScreenSampler : public ScreenSampler
{
public:
    void showSampler(SelectionHandler handler) override { pending = std::move(handler); }

    // Answers the running pick as the user would: a colour, or a dismissal.
    void answer(std::optional<SrgbComponents> components)
    {
        auto handler = std::move(pending);
        pending = nullptr;
        handler(components);
    }

    SelectionHandler pending;
};

#include "ColorPickerModel.h"

// A picker model over the fakes.
struct PickerHarness
{
    MemoryPreferencesStore store;
    RecordingClipboard clipboard;
    ScriptedScreenSampler sampler;
    ColorPickerModel picker{store, sampler, clipboard};

    static PickedColor color(const char* hex) { return *PickedColor::fromHex(QString::fromLatin1(hex)); }
};
