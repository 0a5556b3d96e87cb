// The whole application over fakes, headless: the wiring main() runs, driven end to end.
#include "ColorPickerApplication.h"
#include "AppFakes.h"
#include "AppInfo.h"
#include "FakeApplicationPresence.h"
#include "FileManagerReveal.h"
#include "PickerPanel.h"
#include "RecordingLogSink.h"
#include "SettingsScene.h"
#include "SettingsWindow.h"
#include "TrayController.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using Entry = RecordingLogSink::Entry;

class NoReveal : public FileManagerReveal
{
public:
    void reveal(const QString&) override {}
};

// Wants a window of the application forward before it copies, as the Wayland clipboard does
// when no window has the focus.
class FocusWantingClipboard : public Clipboard
{
public:
    explicit FocusWantingClipboard(ColorPickerAdapters::BringForward bringForward)
        : m_bringForward(std::move(bringForward))
    {
    }

    void setText(const QString& text, Completion done) override
    {
        m_bringForward();
        texts.append(text);
        done(true);
    }

    QStringList texts;

private:
    ColorPickerAdapters::BringForward m_bringForward;
};

class ColorPickerApplicationTest : public testing::Test
{
protected:
    std::unique_ptr<ColorPickerApplication> build(ReviewLaunchMode mode)
    {
        ColorPickerAdapters adapters;
        adapters.store = std::make_unique<MemoryPreferencesStore>();
        store = static_cast<MemoryPreferencesStore*>(adapters.store.get());
        adapters.presence = std::make_unique<FakeApplicationPresence>();
        presence = static_cast<FakeApplicationPresence*>(adapters.presence.get());
        adapters.reveal = std::make_unique<NoReveal>();
        adapters.makeSampler = [this] {
            auto made = std::make_unique<ScriptedScreenSampler>();
            sampler = made.get();
            return made;
        };
        adapters.makeClipboard = [this](ColorPickerAdapters::BringForward bringForward) {
            auto made = std::make_unique<FocusWantingClipboard>(std::move(bringForward));
            clipboard = made.get();
            return made;
        };
        adapters.runtimeDirectory = runtime.path();
        auto application =
            std::make_unique<ColorPickerApplication>(mode, offscreenSession(), std::move(adapters));
        application->delegate().setTerminator([this] { ++terminations; });
        return application;
    }

    static QAction* action(TrayController& tray, const QString& text)
    {
        for (QAction* action : tray.contextMenu()->actions()) {
            if (action->text() == text)
                return action;
        }
        return nullptr;
    }

    QTemporaryDir runtime;
    MemoryPreferencesStore* store = nullptr;
    FakeApplicationPresence* presence = nullptr;
    ScriptedScreenSampler* sampler = nullptr;
    FocusWantingClipboard* clipboard = nullptr;
    int terminations = 0;
};

TEST_F(ColorPickerApplicationTest, APickFromTheTrayMenuBringsThePanelForwardCopiesAndPersists)
{
    const RecordingLogSink log;
    const auto application = build(ReviewLaunchMode::none);
    ASSERT_EQ(application->launch(), AppDelegate::LaunchOutcome::running);
    EXPECT_EQ(presence->policy, ActivationPolicy::accessory);
    EXPECT_THAT(log.entries(), testing::Contains(testing::Field(
                                   &Entry::message, testing::StartsWith("no system tray found"))));

    TrayController& tray = *application->tray();
    action(tray, QStringLiteral("Pick a color"))->trigger();
    ASSERT_TRUE(sampler->pending);
    sampler->answer(SrgbComponents{58 / 255.0, 123 / 255.0, 213 / 255.0});

    ASSERT_TRUE(QTest::qWaitFor([&] { return !clipboard->texts.isEmpty(); }));
    EXPECT_EQ(clipboard->texts, QStringList{QStringLiteral("#3A7BD5")});
    EXPECT_TRUE(tray.panel()->isVisible()) << "the copy brought the tray's panel forward";
    EXPECT_EQ(store->stringForKey(ColorPickerModel::currentHexKey), QStringLiteral("#3A7BD5"));
    EXPECT_EQ(application->picker()->copyConfirmationText(), QStringLiteral("Hex copied"));
    EXPECT_EQ(terminations, 0);
}

TEST_F(ColorPickerApplicationTest, TheSettingsLaunchOpensTheSettingsWindowInFront)
{
    const auto application = build(ReviewLaunchMode::settings);
    ASSERT_EQ(application->launch(), AppDelegate::LaunchOutcome::running);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const SettingsWindow* window = application->settings()->window();
        return window && window->isVisible();
    }));
    EXPECT_EQ(presence->policy, ActivationPolicy::regular);
    application->settings()->window()->close();
}

TEST_F(ColorPickerApplicationTest, TheSelfTestBuildsNoServicesLogsOneLineAndQuits)
{
    const RecordingLogSink log;
    const auto application = build(ReviewLaunchMode::selftest);
    EXPECT_EQ(application->launch(), AppDelegate::LaunchOutcome::quitting);
    EXPECT_EQ(sampler, nullptr);
    EXPECT_EQ(clipboard, nullptr);
    EXPECT_EQ(application->picker(), nullptr);
    EXPECT_EQ(application->tray(), nullptr);
    EXPECT_EQ(terminations, 1);
    EXPECT_EQ(log.entries(), (std::vector<Entry>{{Log::Priority::info, "lifecycle",
                                                  "selftest ok — Morvane Color Picker " +
                                                      Constants::version().toStdString()}}));
}

} // namespace
