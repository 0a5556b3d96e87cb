#include "app/shell/DeferredUpdateFramework.h"
#include "FakeApplicationPresence.h"
#include "MemoryPreferencesStore.h"
#include "RecordingLogSink.h"
#include "RecordingUpdateDelegate.h"
#include "core/AppSettings.h"
#include "core/UpdaterService.h"
#include "platform/updates/ObservableFlag.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

class FakeFramework : public UpdateFramework
{
public:
    bool canCheckForUpdates() const override { return flag.value(); }
    std::unique_ptr<UpdateObservation>
    observeCanCheckForUpdates(std::function<void()> handler) override
    {
        return flag.observe(std::move(handler));
    }
    void checkForUpdates() override { ++checks; }

    ObservableFlag flag;
    int checks = 0;
};

constexpr auto never = std::chrono::hours(1);

struct DeferredFixture : testing::Test
{
    // Loads a started fake framework, or fails with failure when it is set.
    DeferredUpdateFramework::Loader loader()
    {
        return [this](UpdateFrameworkDelegate& owner) -> DeferredUpdateFramework::Loaded {
            ++loads;
            loadedFor = &owner;
            if (failure)
                return {nullptr, *failure};
            auto created = std::make_unique<FakeFramework>();
            created->flag.set(true);
            real = created.get();
            return {std::move(created), {}};
        };
    }

    // An observer counting its calls and remembering what it read each time.
    std::unique_ptr<UpdateObservation> observe(UpdateFramework& framework, QList<bool>& seen)
    {
        return framework.observeCanCheckForUpdates(
            [&framework, &seen] { seen.append(framework.canCheckForUpdates()); });
    }

    RecordingDelegate delegate;
    std::optional<std::string> failure;
    int loads = 0;
    UpdateFrameworkDelegate* loadedFor = nullptr;
    FakeFramework* real = nullptr;
};

} // namespace

TEST_F(DeferredFixture, LoadsInIdleTimeThenHandsEverythingToTheRealFramework)
{
    DeferredUpdateFramework deferred(delegate, loader(), 20ms);
    QList<bool> seen;
    const auto observation = observe(deferred, seen);

    EXPECT_EQ(loads, 0);
    EXPECT_FALSE(deferred.canCheckForUpdates());
    EXPECT_EQ(seen, QList<bool>{false});

    ASSERT_TRUE(QTest::qWaitFor([&] { return deferred.isLoaded(); }, 5000));
    EXPECT_EQ(loadedFor, &delegate);
    EXPECT_TRUE(deferred.canCheckForUpdates());
    EXPECT_EQ(seen, (QList<bool>{false, true})); // told again by the real framework

    real->flag.set(false);
    EXPECT_EQ(seen, (QList<bool>{false, true, false}));
    real->flag.set(true);
    deferred.checkForUpdates();
    EXPECT_EQ(real->checks, 1);
    EXPECT_EQ(loads, 1);
}

TEST_F(DeferredFixture, TokensEndTheirObservationBeforeAndAfterLoading)
{
    DeferredUpdateFramework deferred(delegate, loader(), never);
    QList<bool> endedEarly, endedLate, kept, registeredLate;
    auto early = observe(deferred, endedEarly);
    auto late = observe(deferred, endedLate);
    const auto keptToken = observe(deferred, kept);
    early.reset();

    deferred.checkForUpdates(); // loads
    ASSERT_TRUE(deferred.isLoaded());
    const auto registeredLateToken = observe(deferred, registeredLate);
    late.reset();
    real->flag.set(false);

    EXPECT_EQ(endedEarly, QList<bool>{false});
    EXPECT_EQ(endedLate, (QList<bool>{false, true}));
    EXPECT_EQ(kept, (QList<bool>{false, true, false}));
    EXPECT_EQ(registeredLate, (QList<bool>{true, false}));
}

TEST_F(DeferredFixture, ACheckBeforeTheIdleLoadLoadsAtOnce)
{
    DeferredUpdateFramework deferred(delegate, loader(), 50ms);
    deferred.checkForUpdates();
    ASSERT_TRUE(deferred.isLoaded());
    EXPECT_EQ(real->checks, 1);

    QTest::qWait(100); // past the idle load's time: no second load
    EXPECT_EQ(loads, 1);
    EXPECT_TRUE(delegate.finishes.isEmpty());
}

// The user asks for a check while the module is missing: the application comes forward, the
// cycle ends with an error the service shows, and the presence from before comes back.
TEST_F(DeferredFixture, AMissingModuleEndsEveryCheckWithAnErrorAndWarnsOnce)
{
    const std::string dlerrorText =
        "/opt/app/lib/morvane-updater.so: cannot open shared object file: No such file";
    const struct
    {
        const char* name;
        std::chrono::milliseconds delay;
    } cases[] = {{"loaded in idle time first", 0ms}, {"first load asked by a check", never}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RecordingLogSink log;
        failure = dlerrorText;
        loads = 0;
        FakeApplicationPresence presence;
        presence.policy = ActivationPolicy::accessory;
        MemoryPreferencesStore defaults;
        AppSettings settings(defaults);
        DeferredUpdateFramework* deferred = nullptr;
        const QVariantMap appInfo{
            {"SUFeedURL", "https://morvane.dev/colorpicker/appcast.xml"},
            {"SUPublicEDKey", "q83vEjRWeJq83vEjRWeJq83vEjRWeJq83vEjRWeJq80="}};
        UpdaterService service(
            appInfo,
            [&](UpdateFrameworkDelegate& owner) {
                auto created = std::make_unique<DeferredUpdateFramework>(owner, loader(), c.delay);
                deferred = created.get();
                return std::unique_ptr<UpdateFramework>(std::move(created));
            },
            presence, settings, QProcessEnvironment());
        if (c.delay == 0ms) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return loads == 1; }, 5000));
        }

        for (int check = 1; check <= 2; ++check) {
            service.checkForUpdates();
            EXPECT_EQ(presence.policy, ActivationPolicy::regular);
            ASSERT_TRUE(QTest::qWaitFor([&] { return !service.policyBeforeCheck(); }, 5000));
            EXPECT_EQ(presence.policy, ActivationPolicy::accessory);
        }
        EXPECT_EQ(loads, 1);
        EXPECT_FALSE(deferred->canCheckForUpdates());
        EXPECT_FALSE(service.canCheckForUpdates());
        EXPECT_EQ(service.statusMessageText(),
                  "Update check failed: The updater is missing or damaged; reinstalling the "
                  "application should restore it.");
        ASSERT_EQ(log.entries().size(), 1u);
        EXPECT_EQ(log.entries()[0].priority, Log::Priority::error);
        EXPECT_NE(log.entries()[0].message.find(dlerrorText), std::string::npos);
    }
}
