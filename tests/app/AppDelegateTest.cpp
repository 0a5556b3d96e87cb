#include "app/shell/AppDelegate.h"
#include "AppFakes.h"
#include "FakeApplicationPresence.h"
#include "core/ports/FileManagerReveal.h"
#include "platform/instance/SingleInstance.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <future>

namespace {

class NoReveal : public FileManagerReveal
{
public:
    void reveal(const QString&) override {}
};

// Another copy of the application that already runs, serving reopens on its own thread.
class RunningCopy
{
public:
    explicit RunningCopy(const QString& runtime)
    {
        std::promise<void> claimed;
        m_thread.reset(QThread::create([this, runtime, &claimed] {
            SingleInstance instance(runtime);
            instance.claim();
            QObject::connect(&instance, &SingleInstance::reopenRequested, [this] { ++reopens; });
            QEventLoop loop;
            m_loop = &loop;
            claimed.set_value();
            loop.exec();
        }));
        m_thread->start();
        claimed.get_future().wait();
    }
    ~RunningCopy()
    {
        QMetaObject::invokeMethod(m_loop, &QEventLoop::quit, Qt::QueuedConnection);
        m_thread->wait();
    }

    std::atomic<int> reopens{0};

private:
    std::unique_ptr<QThread> m_thread;
    QEventLoop* m_loop = nullptr;
};

struct DelegateFixture : testing::Test
{
    std::unique_ptr<AppDelegate> makeDelegate(ReviewLaunchMode mode)
    {
        auto delegate = std::make_unique<AppDelegate>(mode, presence, settings, instance, reveal);
        delegate->setTerminator([this] { ++terminations; });
        delegate->setPanelOpener([this] { panelOpenedAfter = clock.elapsed(); });
        return delegate;
    }

    bool menuHygieneRan() const
    {
        return store.contains(QStringLiteral("NSDisabledDictationMenuItem"));
    }

    QTemporaryDir runtime;
    MemoryPreferencesStore store;
    AppSettings settings{store};
    FakeApplicationPresence presence;
    SingleInstance instance{runtime.path()};
    NoReveal reveal;
    int terminations = 0;
    QElapsedTimer clock;
    qint64 panelOpenedAfter = -1;
};

} // namespace

TEST_F(DelegateFixture, SelfTestQuitsWithoutLookingForAnotherCopy)
{
    RunningCopy other(runtime.path());
    const auto delegate = makeDelegate(ReviewLaunchMode::selftest);
    EXPECT_EQ(delegate->applicationDidFinishLaunching(), AppDelegate::LaunchOutcome::quitting);
    EXPECT_EQ(terminations, 1);
    EXPECT_EQ(presence.policiesSet, QList{ActivationPolicy::accessory});
    EXPECT_FALSE(menuHygieneRan());
    QTest::qWait(100);
    EXPECT_EQ(other.reopens, 0) << "the running copy is not activated";
}

TEST_F(DelegateFixture, ADuplicateLaunchReopensTheRunningCopyAndTouchesNothing)
{
    RunningCopy other(runtime.path());
    for (ReviewLaunchMode mode : {ReviewLaunchMode::none, ReviewLaunchMode::settings}) {
        const auto delegate = makeDelegate(mode);
        EXPECT_EQ(delegate->applicationDidFinishLaunching(), AppDelegate::LaunchOutcome::quitting);
    }
    EXPECT_EQ(terminations, 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return other.reopens == 2; }));
    EXPECT_TRUE(presence.policiesSet.isEmpty());
    EXPECT_EQ(presence.activations, 0);
    EXPECT_FALSE(menuHygieneRan());
}

TEST_F(DelegateFixture, SettingsLaunchPromotesAndAnnouncesOnTheNextTurn)
{
    const auto delegate = makeDelegate(ReviewLaunchMode::settings);
    QSignalSpy posted(delegate.get(), &AppDelegate::settingsWindowRequested);
    EXPECT_EQ(delegate->applicationDidFinishLaunching(), AppDelegate::LaunchOutcome::running);
    EXPECT_EQ(presence.policy, ActivationPolicy::accessory);
    EXPECT_TRUE(menuHygieneRan());
    EXPECT_TRUE(QApplication::quitOnLastWindowClosed());
    EXPECT_TRUE(posted.isEmpty()) << "not before the event loop turns";

    QCoreApplication::processEvents();
    EXPECT_EQ(presence.policiesSet,
              (QList{ActivationPolicy::accessory, ActivationPolicy::regular}));
    EXPECT_EQ(presence.activations, 1);
    EXPECT_EQ(posted.size(), 1);

    // Reopening leaves the default handling to the caller and presses nothing.
    EXPECT_TRUE(delegate->applicationShouldHandleReopen());
    QTest::qWait(int(AppDelegate::reopenPanelDelay.count()) * 2);
    EXPECT_EQ(panelOpenedAfter, -1);
    EXPECT_EQ(terminations, 0);
}

TEST_F(DelegateFixture, OrdinaryLaunchStaysInTheTrayAndOpensThePanelOnReopen)
{
    const auto delegate = makeDelegate(ReviewLaunchMode::none);
    QSignalSpy posted(delegate.get(), &AppDelegate::settingsWindowRequested);
    EXPECT_EQ(delegate->applicationDidFinishLaunching(), AppDelegate::LaunchOutcome::running);
    EXPECT_TRUE(QFile::exists(instance.lockPath()));
    EXPECT_EQ(presence.policiesSet, QList{ActivationPolicy::accessory});
    EXPECT_TRUE(menuHygieneRan());
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());

    // A second launch asks for a reopen, as another process would.
    clock.start();
    auto second = std::async(std::launch::async, [&] {
        return SingleInstance(runtime.path()).requestReopen(std::chrono::seconds(5));
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return panelOpenedAfter >= 0; }, 10000));
    EXPECT_TRUE(second.get());
    EXPECT_GE(panelOpenedAfter, AppDelegate::reopenPanelDelay.count());
    EXPECT_EQ(presence.policiesSet, QList{ActivationPolicy::accessory}) << "presence unchanged";
    EXPECT_FALSE(delegate->applicationShouldHandleReopen());
    EXPECT_TRUE(posted.isEmpty());
    EXPECT_EQ(terminations, 0);
}
