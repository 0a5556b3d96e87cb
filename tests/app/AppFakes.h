#pragma once

#include "MemoryPreferencesStore.h"
#include "core/AppSettings.h"
#include "core/ports/Clipboard.h"
#include "core/ports/ScreenSampler.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>

// Test doubles for the picker's platform, beside the shared in-memory store: a clipboard that
// records what it was given, and a sampler whose answer the test gives.

class RecordingClipboard : public Clipboard
{
public:
    void setText(const QString& text, Completion done) override
    {
        this->text = text;
        ++copies;
        done(true);
    }
    QString currentText() const override { return text; }

    QString text;
    int copies = 0;
};

class ScriptedScreenSampler : public ScreenSampler
{
public:
    void showSampler(SelectionHandler handler) override
    {
        ++shown;
        preparedWhenShown = prepared;
        pending = std::move(handler);
    }

    void prepareForPick() override { ++prepared; }

    // Answers the running pick as the user would: a colour, or a dismissal.
    void answer(std::optional<SrgbComponents> components)
    {
        auto handler = std::move(pending);
        pending = nullptr;
        handler(components);
    }

    std::string unavailableReason() const override { return reason; }

    SelectionHandler pending;
    std::string reason;
    int shown = 0;
    int prepared = 0;
    int preparedWhenShown = 0;
};

#include "core/ColorPickerModel.h"
#include "core/DesktopSession.h"

#include <QCoreApplication>
#include <QProcessEnvironment>

// The session of the offscreen platform the tests run on.
inline DesktopSession offscreenSession()
{
    return DesktopSession::from(QStringLiteral("offscreen"), QProcessEnvironment());
}

// Lets the posted layout requests run, nested layouts one after another, as the event loop
// does before the user sees a window.
inline void settle()
{
    for (int round = 0; round < 4; ++round)
        QCoreApplication::sendPostedEvents();
}

// A picker model over the fakes, with its settings and recent colours.
struct PickerHarness
{
    MemoryPreferencesStore store;
    AppSettings settings{store};
    RecentColors recents{settings};
    RecordingClipboard clipboard;
    ScriptedScreenSampler sampler;
    ColorPickerModel picker{settings, recents, sampler, clipboard};

    static PickedColor color(const char* hex)
    {
        return *PickedColor::fromHex(QString::fromLatin1(hex));
    }
};
