#include "core/UpdaterService.h"
#include "MemoryPreferencesStore.h"
#include "core/AppSettings.h"
#include "core/ports/ApplicationPresence.h"
#include "core/ports/UpdateFramework.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class FakePresence : public ApplicationPresence
{
public:
    ActivationPolicy activationPolicy() const override { return policy; }
    void setActivationPolicy(ActivationPolicy newPolicy) override
    {
        policy = newPolicy;
        ++policyWrites;
    }
    void activate() override { ++activations; }
    bool hasVisibleOrdinaryWindow() const override { return false; }

    ActivationPolicy policy = ActivationPolicy::accessory;
    int policyWrites = 0;
    int activations = 0;
};

class FakeUpdateFramework : public UpdateFramework
{
public:
    struct Token : UpdateObservation
    {
        explicit Token(FakeUpdateFramework& framework) : framework(framework) {}
        ~Token() override { framework.handler = nullptr; }
        FakeUpdateFramework& framework;
    };

    bool canCheckForUpdates() const override { return canCheck; }
    std::unique_ptr<UpdateObservation>
    observeCanCheckForUpdates(std::function<void()> newHandler) override
    {
        handler = std::move(newHandler);
        handler();
        return std::make_unique<Token>(*this);
    }
    void checkForUpdates() override
    {
        ++checks;
        policyDuringLastCheck = presence ? presence->policy : ActivationPolicy::prohibited;
    }

    // Changes the flag and tells the observer, as the real updater does.
    void setCanCheck(bool value)
    {
        canCheck = value;
        if (handler)
            handler();
    }

    bool canCheck = true;
    std::function<void()> handler;
    int checks = 0;
    FakePresence* presence = nullptr;
    ActivationPolicy policyDuringLastCheck = ActivationPolicy::prohibited;
};

QVariantMap validAppInfo()
{
    return {{"SUFeedURL", "https://morvane.dev/colorpicker/appcast.xml"},
            {"SUPublicEDKey", "q83vEjRWeJq83vEjRWeJq83vEjRWeJq83vEjRWeJq80="}};
}

QProcessEnvironment environmentWith(const QString& forceValue)
{
    QProcessEnvironment environment;
    environment.insert(UpdaterService::forceCheckVariable, forceValue);
    return environment;
}

struct ServiceFixture : testing::Test
{
    std::unique_ptr<UpdaterService> makeService(const QVariantMap& appInfo = validAppInfo(),
                                                const QProcessEnvironment& environment = {})
    {
        auto factory = [this](UpdateFrameworkDelegate& delegate) {
            ++frameworksCreated;
            this->delegate = &delegate;
            auto created = std::make_unique<FakeUpdateFramework>();
            created->presence = &presence;
            framework = created.get();
            return std::unique_ptr<UpdateFramework>(std::move(created));
        };
        return std::make_unique<UpdaterService>(appInfo, factory, presence, settings, environment);
    }

    MemoryPreferencesStore defaults;
    AppSettings settings{defaults};
    FakePresence presence;
    FakeUpdateFramework* framework = nullptr;
    UpdateFrameworkDelegate* delegate = nullptr;
    int frameworksCreated = 0;
};

} // namespace

TEST_F(ServiceFixture, StartsTheFrameworkOnlyUnderAValidConfiguration)
{
    const QString feed = "https://morvane.dev/colorpicker/appcast.xml";
    const QString key = "q83vEjRWeJq83vEjRWeJq83vEjRWeJq83vEjRWeJq80=";
    const struct
    {
        const char* name;
        QVariantMap appInfo;
        bool valid;
    } cases[] = {
        {"feed and key", {{"SUFeedURL", feed}, {"SUPublicEDKey", key}}, true},
        {"key with white space around it",
         {{"SUFeedURL", feed}, {"SUPublicEDKey", " \n" + key + "\t\n"}},
         true},
        {"lower-case placeholder is a key",
         {{"SUFeedURL", feed}, {"SUPublicEDKey", "replace_me"}},
         true},
        {"feed not parsed as an address",
         {{"SUFeedURL", "not a url"}, {"SUPublicEDKey", key}},
         true},
        {"placeholder key",
         {{"SUFeedURL", feed}, {"SUPublicEDKey", "REPLACE_WITH_PUBLIC_KEY"}},
         false},
        {"placeholder after trimming",
         {{"SUFeedURL", feed}, {"SUPublicEDKey", "  REPLACE_ME"}},
         false},
        {"blank key", {{"SUFeedURL", feed}, {"SUPublicEDKey", " \n \t\n"}}, false},
        {"blank feed", {{"SUFeedURL", "   "}, {"SUPublicEDKey", key}}, false},
        {"feed as a number", {{"SUFeedURL", 42}, {"SUPublicEDKey", key}}, false},
        {"key as bytes", {{"SUFeedURL", feed}, {"SUPublicEDKey", key.toUtf8()}}, false},
        {"no key", {{"SUFeedURL", feed}}, false},
        {"nothing", {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UpdaterService::hasValidUpdateConfig(c.appInfo), c.valid);

        frameworksCreated = 0;
        presence = FakePresence();
        auto service = makeService(c.appInfo);
        EXPECT_EQ(frameworksCreated, c.valid ? 1 : 0);
        EXPECT_EQ(service->isConfigured(), c.valid);
        QCoreApplication::processEvents();
        EXPECT_EQ(service->canCheckForUpdates(), c.valid);

        // Unconfigured, a check neither promotes the application nor reaches a framework.
        service->checkForUpdates();
        EXPECT_EQ(presence.activations, c.valid ? 1 : 0);
        EXPECT_EQ(presence.policyWrites, c.valid ? 1 : 0);
    }
}

TEST_F(ServiceFixture, MirrorsCanCheckOneLoopTurnBehindAndOnlyOnChange)
{
    auto service = makeService();
    QSignalSpy changes(service.get(), &UpdaterService::canCheckForUpdatesChanged);
    EXPECT_FALSE(service->canCheckForUpdates());

    QCoreApplication::processEvents();
    EXPECT_TRUE(service->canCheckForUpdates());
    EXPECT_EQ(changes.count(), 1);

    framework->setCanCheck(false);
    EXPECT_TRUE(service->canCheckForUpdates());
    QCoreApplication::processEvents();
    EXPECT_FALSE(service->canCheckForUpdates());
    EXPECT_EQ(changes.count(), 2);

    framework->setCanCheck(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(changes.count(), 2);

    // The handler reads the updater's current value, not the one of the moment it was queued.
    framework->canCheck = true;
    framework->handler();
    framework->canCheck = false;
    QCoreApplication::processEvents();
    EXPECT_TRUE(service->canCheckForUpdates());
}

TEST_F(ServiceFixture, EndsTheObservationAndDropsPendingWorkWhenDestroyed)
{
    auto service = makeService({validAppInfo()}, environmentWith("1"));
    framework->setCanCheck(false);
    service.reset();
    QCoreApplication::processEvents();
    // A forced check that would have fired later is gone with the service as well.
    QTest::qWait(int((UpdaterService::forcedCheckDelay + std::chrono::milliseconds(200)).count()));
    EXPECT_EQ(presence.activations, 0);
}

TEST_F(ServiceFixture, InteractiveChecksPromoteAndTheCycleEndRestoresTheFirstSavedPresence)
{
    auto service = makeService();
    presence.policy = ActivationPolicy::accessory;

    service->checkForUpdates();
    EXPECT_EQ(framework->policyDuringLastCheck, ActivationPolicy::regular);
    EXPECT_EQ(presence.activations, 1);
    EXPECT_EQ(service->policyBeforeCheck(), ActivationPolicy::accessory);

    // A second check before the cycle ends promotes again but keeps the first saved value.
    service->checkForUpdates();
    EXPECT_EQ(framework->checks, 2);
    EXPECT_EQ(presence.activations, 2);
    EXPECT_EQ(service->policyBeforeCheck(), ActivationPolicy::accessory);

    delegate->didFinishUpdateCycle(std::nullopt);
    EXPECT_EQ(presence.policy, ActivationPolicy::accessory);
    EXPECT_EQ(service->policyBeforeCheck(), std::nullopt);

    // An automatic cycle with no interactive check pending leaves the presence alone.
    presence.policyWrites = 0;
    delegate->didFinishUpdateCycle(UpdateError{"QNetworkReply", 1, "offline"});
    EXPECT_EQ(presence.policyWrites, 0);

    // The next interactive check saves afresh; it is not blocked by canCheckForUpdates.
    framework->setCanCheck(false);
    QCoreApplication::processEvents();
    presence.policy = ActivationPolicy::prohibited;
    service->checkForUpdates();
    EXPECT_EQ(framework->checks, 3);
    delegate->didFinishUpdateCycle(UpdateError{updateFrameworkErrorDomain, 3, "bad signature"});
    EXPECT_EQ(presence.policy, ActivationPolicy::prohibited);
}

TEST_F(ServiceFixture, RecordsOnlyForeignErrorsAndKeepsTheLastText)
{
    auto service = makeService();
    QSignalSpy changes(service.get(), &UpdaterService::statusMessageChanged);

    delegate->didFinishUpdateCycle(
        UpdateError{updateFrameworkErrorDomain, 1, "The update is improperly signed."});
    EXPECT_EQ(service->statusMessage(), std::nullopt);

    delegate->didFinishUpdateCycle(UpdateError{"QNetworkReply", 1, "Connection refused"});
    EXPECT_EQ(service->statusMessage(), QString("Update check failed: Connection refused"));
    EXPECT_EQ(service->property("statusMessage").toString(),
              "Update check failed: Connection refused");
    EXPECT_EQ(changes.count(), 1);

    delegate->didFinishUpdateCycle(std::nullopt);
    delegate->didFinishUpdateCycle(UpdateError{"QNetworkReply", 2, "Connection refused"});
    EXPECT_EQ(service->statusMessage(), QString("Update check failed: Connection refused"));
    EXPECT_EQ(changes.count(), 1);

    delegate->didFinishUpdateCycle(UpdateError{"Other", 7, ""});
    EXPECT_EQ(service->statusMessage(), QString("Update check failed: "));
    EXPECT_EQ(changes.count(), 2);
}

TEST_F(ServiceFixture, AllowsBetaOnlyWhileTheToggleReadsTrue)
{
    const QString betaKey = QStringLiteral("colorpicker.updates.betaEnabled");
    auto service = makeService();
    QSignalSpy toggled(service.get(), &UpdaterService::betaEnabledChanged);
    EXPECT_EQ(delegate->allowedChannels(), QSet<QString>());
    service->setBetaEnabled(true);
    EXPECT_EQ(delegate->allowedChannels(), QSet<QString>{"beta"});
    EXPECT_EQ(defaults.values.value(betaKey), QVariant(true));
    defaults.changeElsewhere({{betaKey, false}}); // turned off by another process
    EXPECT_EQ(delegate->allowedChannels(), QSet<QString>());
    EXPECT_EQ(toggled.count(), 2);
}

TEST_F(ServiceFixture, ForcesOneCheckASecondAfterLaunchOnlyForExactlyOne)
{
    QElapsedTimer clock;
    clock.start();
    auto forced = makeService(validAppInfo(), environmentWith("1"));
    FakeUpdateFramework* forcedFramework = framework;

    std::vector<std::unique_ptr<UpdaterService>> others;
    std::vector<FakeUpdateFramework*> otherFrameworks;
    for (const char* value : {"true", "yes", "01", " 1", ""}) {
        others.push_back(makeService(validAppInfo(), environmentWith(value)));
        otherFrameworks.push_back(framework);
    }
    others.push_back(makeService(validAppInfo(), QProcessEnvironment()));
    otherFrameworks.push_back(framework);
    others.push_back(makeService({}, environmentWith("1")));

    QCoreApplication::processEvents();
    EXPECT_EQ(forcedFramework->checks, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return forcedFramework->checks > 0; }, 10000));
    EXPECT_GE(clock.elapsed(), 900);
    EXPECT_EQ(forcedFramework->policyDuringLastCheck, ActivationPolicy::regular);
    EXPECT_EQ(presence.activations, 1);

    QTest::qWait(300);
    EXPECT_EQ(forcedFramework->checks, 1);
    for (FakeUpdateFramework* other : otherFrameworks)
        EXPECT_EQ(other->checks, 0);
}
