// The whole application over fakes, headless: the wiring main() runs, driven end to end.
#include "app/shell/ColorPickerApplication.h"
#include "AppFakes.h"
#include "FakeApplicationPresence.h"
#include "RecordingLogSink.h"
#include "app/panel/PickerPanel.h"
#include "app/panel/PickerWindow.h"
#include "app/panel/TrayController.h"
#include "app/settings/SettingsScene.h"
#include "app/settings/SettingsWindow.h"
#include "core/AppInfo.h"
#include "core/ports/FileManagerReveal.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <future>

namespace {

const QString currentHexKey = QStringLiteral("colorpicker.currentHex");

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

class FixedTrayHost : public TrayHost
{
public:
    explicit FixedTrayHost(State state) : m_state(state) {}
    State state() const override { return m_state; }
    void setChangeHandler(ChangeHandler) override {}

private:
    State m_state;
};

class ColorPickerApplicationTest : public testing::Test
{
protected:
    std::unique_ptr<ColorPickerApplication>
    build(ReviewLaunchMode mode, TrayHost::State trayHost = TrayHost::State::present)
    {
        ColorPickerAdapters adapters;
        adapters.makeTrayHost = [trayHost] { return std::make_unique<FixedTrayHost>(trayHost); };
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
    EXPECT_EQ(store->stringForKey(currentHexKey), QStringLiteral("#3A7BD5"));
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

TEST_F(ColorPickerApplicationTest, APickRequestFromAnotherLaunchGetsTheAdoptedColourOrTheCancel)
{
    const auto application = build(ReviewLaunchMode::none);
    ASSERT_EQ(application->launch(), AppDelegate::LaunchOutcome::running);
    const auto pickFromAnotherLaunch = [this] {
        return std::async(std::launch::async, [this] {
            return SingleInstance(runtime.path()).requestPick(std::chrono::seconds(5));
        });
    };
    const auto answerOf = [](std::future<SingleInstance::PickAnswer>& answer) {
        while (answer.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
            QCoreApplication::processEvents();
        return answer.get();
    };

    auto picked = pickFromAnotherLaunch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(sampler->pending); }));
    sampler->answer(SrgbComponents{58 / 255.0, 123 / 255.0, 213 / 255.0});
    const SingleInstance::PickAnswer got = answerOf(picked);
    EXPECT_EQ(got.outcome, SingleInstance::PickAnswer::Outcome::picked);
    EXPECT_EQ(got.hex, QStringLiteral("#3A7BD5"));
    // Adopted as any pick is, before the answer went out.
    EXPECT_EQ(application->picker()->currentHex(), QStringLiteral("#3A7BD5"));
    EXPECT_EQ(clipboard->texts, QStringList{QStringLiteral("#3A7BD5")});
    EXPECT_EQ(store->stringForKey(currentHexKey), QStringLiteral("#3A7BD5"));

    auto cancelled = pickFromAnotherLaunch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(sampler->pending); }));
    sampler->answer(std::nullopt);
    EXPECT_EQ(answerOf(cancelled).outcome, SingleInstance::PickAnswer::Outcome::cancelled);
    EXPECT_EQ(application->picker()->currentHex(), QStringLiteral("#3A7BD5"));

    // A sampler that cannot pick says why: in the panel and to the launch that asked.
    auto unavailable = pickFromAnotherLaunch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(sampler->pending); }));
    sampler->reason = "Screen picking needs the desktop portal.";
    sampler->answer(std::nullopt);
    const SingleInstance::PickAnswer refused = answerOf(unavailable);
    EXPECT_EQ(refused.outcome, SingleInstance::PickAnswer::Outcome::unavailable);
    EXPECT_EQ(refused.reason, QStringLiteral("Screen picking needs the desktop portal."));
    EXPECT_EQ(application->picker()->pickUnavailable(),
              QStringLiteral("Screen picking needs the desktop portal."));
}

// Started by a "--pick" that found no copy running: the pick is under way as the launch
// returns (its first showing prepared just before), the request joins it, and the main
// window (no tray host) waits until it ends instead of covering the screen being picked from.
TEST_F(ColorPickerApplicationTest, APickAtStartIsJoinedByTheRequestAndTheWindowWaitsForIt)
{
    const auto application = build(ReviewLaunchMode::none, TrayHost::State::absent);
    ASSERT_EQ(application->launch(ColorPickerApplication::Start::withPick),
              AppDelegate::LaunchOutcome::running);
    ASSERT_TRUE(static_cast<bool>(sampler->pending));
    EXPECT_EQ(sampler->preparedWhenShown, 1);
    auto answer = std::async(std::launch::async, [this] {
        return SingleInstance(runtime.path()).requestPick(std::chrono::seconds(5));
    });
    QTest::qWait(200); // the request is taken, and the tray host found absent
    ASSERT_NE(answer.wait_for(std::chrono::seconds(0)), std::future_status::ready);
    EXPECT_EQ(sampler->shown, 1);
    ASSERT_EQ(application->trayPresence()->mode(), TrayPresence::Mode::window);
    EXPECT_FALSE(application->mainWindow() && application->mainWindow()->isVisible());

    sampler->answer(SrgbComponents{58 / 255.0, 123 / 255.0, 213 / 255.0});
    while (answer.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    const SingleInstance::PickAnswer got = answer.get();
    EXPECT_EQ(got.outcome, SingleInstance::PickAnswer::Outcome::picked);
    EXPECT_EQ(got.hex, QStringLiteral("#3A7BD5"));
    EXPECT_EQ(sampler->shown, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return application->mainWindow()->isVisible(); }));
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

TEST(ColorPickerApplicationSelftest, FallsBackToTheOffscreenPlatformAfterTheChosenOnes)
{
    const struct
    {
        std::vector<std::pair<QString, QString>> environment;
        QByteArray platforms;
    } cases[] = {
        {{}, "offscreen"},
        {{{"DISPLAY", ":0"}}, "xcb;offscreen"},
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, "wayland;xcb;offscreen"},
        {{{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "wayland-0"}}, "xcb;offscreen"},
        {{{"QT_QPA_PLATFORM", "wayland;xcb"}}, "wayland;xcb;offscreen"},
        {{{"QT_QPA_PLATFORM", "offscreen"}, {"DISPLAY", ":0"}}, "offscreen"},
        {{{"DISPLAY", ""}}, "offscreen"},
    };
    for (const auto& c : cases) {
        QProcessEnvironment environment;
        for (const auto& [name, value] : c.environment)
            environment.insert(name, value);
        EXPECT_EQ(ColorPickerApplication::selftestPlatforms(environment), c.platforms)
            << environment.toStringList().join(QLatin1Char(' ')).toStdString();
    }
}

} // namespace
