#include "UpdaterTestSupport.h"

#include "core/AppInfo.h"
#include "core/UpdaterService.h"
#include "core/ports/ApplicationPresence.h"
#include "platform/updates/WidgetUpdateUserDriver.h"

#include <QApplication>
#include <QLabel>

namespace {

class FakePresence : public ApplicationPresence
{
public:
    ActivationPolicy activationPolicy() const override { return policy; }
    void setActivationPolicy(ActivationPolicy newPolicy) override { policy = newPolicy; }
    void activate() override {}
    bool hasVisibleOrdinaryWindow() const override { return false; }

    ActivationPolicy policy = ActivationPolicy::accessory;
};

QWidget* windowShowing(const QString& headline)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (window->isVisible() && label->text() == headline)
                return window;
        }
    }
    return nullptr;
}

} // namespace

TEST_F(UpdaterFixture, OffersTheNewestVerifiedUpdateOfTheDefaultChannel)
{
    publish(
        {{"1.0"}, {"1.9"}, {"1.10"}, {"2.0", "beta"}, {"3.0", {}, "99.0"}}); // needs a newer system
    auto updater = makeUpdater(delegate);
    QList<bool> canCheck;
    auto observation =
        updater->observeCanCheckForUpdates([&] { canCheck.append(updater->canCheckForUpdates()); });

    checkAndWait(*updater);

    ASSERT_EQ(driver->offers.size(), 1);
    const UpdateOffer& offer = driver->offers[0];
    EXPECT_EQ(offer.version, "1.10");
    EXPECT_EQ(offer.currentVersion, "1.1");
    EXPECT_EQ(offer.releaseNotes, "Notes for 1.10");
    EXPECT_EQ(driver->offeredBytes, QList<QByteArray>{Release{"1.10"}.archive()});
    EXPECT_EQ(cachedFiles(), QStringList()); // the postponed download is not kept
    EXPECT_EQ(requestedPaths(),
              QStringList({"/appcast.xml", "/appcast.xml.sig", "/app-1.10.AppImage"}));
    EXPECT_EQ(delegate.finishes, QList<std::optional<UpdateError>>{std::nullopt});
    EXPECT_EQ(canCheck, QList<bool>({true, false, true}));
    EXPECT_EQ(defaults.stringForKey(lastCheckTimeKey), launchTime.toString(Qt::ISODateWithMs));
    EXPECT_TRUE(driver->errors.isEmpty());
}

TEST_F(UpdaterFixture, ReportsUpToDateOnlyToTheUserWhoAsked)
{
    publish({{"1.0"}, {"1.1"}, {"2.0", "beta"}});
    auto updater = makeUpdater(delegate);
    checkAndWait(*updater);
    EXPECT_EQ(driver->upToDate, 1);
    EXPECT_TRUE(driver->offers.isEmpty());
    EXPECT_EQ(requestedPaths(), QStringList({"/appcast.xml", "/appcast.xml.sig"}));
    EXPECT_EQ(delegate.finishes, QList<std::optional<UpdateError>>{std::nullopt});

    // An automatic check, due since the last one is a day old, runs on its own and says nothing.
    updater.reset();
    defaults.setString(lastCheckTimeKey,
                       launchTime.addSecs(-25 * 3600).toString(Qt::ISODateWithMs));
    settings.firstAutomaticCheckDelay = std::chrono::milliseconds(0);
    updater = makeUpdater(delegate);
    ASSERT_TRUE(waitFor([&] { return delegate.finishes.size() == 2; }));
    EXPECT_EQ(delegate.finishes[1], std::nullopt);
    EXPECT_EQ(driver->upToDate, 0);
    EXPECT_EQ(updater->nextAutomaticCheck(), launchTime.addDays(1));
}

TEST_F(UpdaterFixture, WaitsADayBetweenAutomaticChecksAndStopsCleanly)
{
    publish({{"1.2"}});
    const QDateTime lastCheck = launchTime.addSecs(-3600);
    defaults.setString(lastCheckTimeKey, lastCheck.toString(Qt::ISODateWithMs));
    settings.firstAutomaticCheckDelay = std::chrono::milliseconds(0);
    auto updater = makeUpdater(delegate);
    EXPECT_EQ(updater->nextAutomaticCheck(), lastCheck.addDays(1));
    QTest::qWait(200);
    EXPECT_TRUE(server.requests().empty());

    // Destroyed in the middle of a cycle, its feed request held open by the server: the request
    // is dropped (its connection closed) and nobody is called back.
    server.route("/appcast.xml", {.delivery = morvane::TestHttpServer::Delivery::silent});
    updater->checkForUpdates();
    ASSERT_TRUE(waitFor([&] { return server.requests().size() == 1; }));
    updater.reset();
    EXPECT_TRUE(waitFor([&] { return server.openConnections() == 0; }));
    QTest::qWait(200);
    EXPECT_TRUE(delegate.finishes.isEmpty());
}

TEST_F(UpdaterFixture, SkippedVersionIsLeftOutOfAutomaticChecksOnly)
{
    publish({{"1.2"}});
    driver = nullptr;
    auto updater = makeUpdater(delegate);
    driver->choice = UpdateChoice::skip;
    checkAndWait(*updater);
    EXPECT_EQ(defaults.stringForKey(skippedVersionKey), "1.2");

    updater.reset();
    defaults.setString(lastCheckTimeKey, launchTime.addDays(-2).toString(Qt::ISODateWithMs));
    settings.firstAutomaticCheckDelay = std::chrono::milliseconds(0);
    updater = makeUpdater(delegate);
    ASSERT_TRUE(waitFor([&] { return delegate.finishes.size() == 2; }));
    EXPECT_TRUE(driver->offers.isEmpty());

    checkAndWait(*updater);
    EXPECT_EQ(driver->offers.size(), 1);
}

TEST_F(UpdaterFixture, InstallReplacesTheAppImageAtomicallyAndRelaunches)
{
    publish({{"1.2"}});
    QDir(folder.path()).mkdir("bin");
    const QString image = folder.filePath("bin/Morvane_Color_Picker.AppImage");
    {
        QFile old(image);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old image");
    }
    settings.appImagePath = image;
    auto updater = makeUpdater(delegate);
    driver->choice = UpdateChoice::install;

    checkAndWait(*updater);

    EXPECT_EQ(delegate.finishes, QList<std::optional<UpdateError>>{std::nullopt});
    QFile replaced(image);
    ASSERT_TRUE(replaced.open(QIODevice::ReadOnly));
    EXPECT_EQ(replaced.readAll(), Release{"1.2"}.archive());
    EXPECT_TRUE(replaced.permissions() & QFileDevice::ExeOwner);
    EXPECT_EQ(QDir(folder.filePath("bin")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"Morvane_Color_Picker.AppImage"});
    EXPECT_EQ(relaunched, QStringList{image});
    EXPECT_TRUE(revealed.isEmpty());

    // An image whose folder is gone is not replaced: the cycle ends with the error shown.
    settings.appImagePath = folder.filePath("gone/Morvane_Color_Picker.AppImage");
    relaunched.clear();
    updater = makeUpdater(delegate);
    driver->choice = UpdateChoice::install;
    checkAndWait(*updater);
    ASSERT_TRUE(delegate.finishes.last());
    EXPECT_EQ(delegate.finishes.last()->code,
              static_cast<int>(UpdateErrorCode::installationFailed));
    EXPECT_EQ(driver->errors.size(), 1);
    EXPECT_TRUE(relaunched.isEmpty());
}

TEST_F(UpdaterFixture, InstallOutsideAnAppImageRevealsTheVerifiedDownload)
{
    publish({{"1.2"}});
    auto updater = makeUpdater(delegate);
    driver->choice = UpdateChoice::install;

    checkAndWait(*updater);

    const QString placed = QDir(settings.downloadsFolder).filePath("app-1.2.AppImage");
    EXPECT_EQ(revealed, QStringList{placed});
    EXPECT_EQ(driver->readyPaths, QStringList{placed});
    QFile file(placed);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), Release{"1.2"}.archive());
    EXPECT_TRUE(relaunched.isEmpty());
    EXPECT_EQ(delegate.finishes, QList<std::optional<UpdateError>>{std::nullopt});
}

TEST_F(UpdaterFixture, EndsTheCycleWithTheFailureInItsDomain)
{
    const QUrl downUrl(
        QString("http://127.0.0.1:%1/appcast.xml").arg(morvane::TestHttpServer::closedPort()));

    publish({{"1.2"}});
    const QByteArray feed = publishedFeed;
    const auto serveSigned = [&](const QString& path, const QByteArray& body) {
        serve(path, body);
        serve(path + ".sig", key.sign(body).toUtf8());
    };
    serve("/500", "oops", 500);
    serveSigned("/truncated", feed.left(feed.indexOf("</item>") + 7));
    serveSigned("/html", "<html><body>Moved</body></html>");
    using Reply = morvane::TestHttpServer::Reply;
    server.route("/insecure-redirect", Reply::redirect("http://morvane.dev/appcast.xml"));
    server.route("/redirect", Reply::redirect(server.url("/appcast.xml")));
    serve("/redirect.sig", key.sign(feed).toUtf8() + "\n");

    const struct
    {
        const char* name;
        QUrl feedUrl;
        std::optional<UpdateErrorCode> own; // none: a foreign (network) error
    } cases[] = {
        {"server down", downUrl, std::nullopt},
        {"status 500", serverUrl("/500"), std::nullopt},
        {"truncated feed", serverUrl("/truncated"), UpdateErrorCode::malformedFeed},
        {"not a feed", serverUrl("/html"), UpdateErrorCode::malformedFeed},
        {"plain http elsewhere", QUrl("http://morvane.dev/appcast.xml"),
         UpdateErrorCode::insecureAddress},
        {"redirect to plain http", serverUrl("/insecure-redirect"),
         UpdateErrorCode::insecureAddress},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        settings.feedUrl = c.feedUrl;
        auto updater = makeUpdater(delegate);

        checkAndWait(*updater);

        ASSERT_EQ(driver->errors.size(), 1);
        ASSERT_TRUE(delegate.finishes.last());
        EXPECT_EQ(*delegate.finishes.last(), driver->errors[0]);
        EXPECT_EQ(driver->errors[0].domain == updateFrameworkErrorDomain, c.own.has_value());
        if (c.own) {
            EXPECT_EQ(driver->errors[0].code, static_cast<int>(*c.own));
        }
        EXPECT_TRUE(driver->offers.isEmpty());
    }

    // A redirect that stays on loopback is followed.
    settings.feedUrl = serverUrl("/redirect");
    auto updater = makeUpdater(delegate);
    checkAndWait(*updater);
    EXPECT_EQ(driver->offers.size(), 1);
}

TEST_F(UpdaterFixture, AsksForTheAllowedChannelsAtEveryCheck)
{
    publish({{"1.2"}, {"2.0", "beta"}, {"2.1", "nightly"}});
    auto updater = makeUpdater(delegate);
    checkAndWait(*updater);
    delegate.channels = {"beta"};
    checkAndWait(*updater);
    delegate.channels = {};
    checkAndWait(*updater);

    QStringList offered;
    for (const UpdateOffer& offer : driver->offers)
        offered.append(offer.version);
    // 2.0 was offered once, so 1.2 is never offered again: it is older.
    EXPECT_EQ(offered, QStringList({"1.2", "2.0"}));
    EXPECT_EQ(driver->upToDate, 1);
}

TEST_F(UpdaterFixture, ACheckDuringACycleRaisesItsWindowInsteadOfStartingAnother)
{
    publish({{"1.2"}});
    auto updater = makeUpdater(delegate);
    driver->choice = std::nullopt;

    updater->checkForUpdates();
    ASSERT_TRUE(waitFor([&] { return driver->offers.size() == 1; }));
    EXPECT_FALSE(updater->canCheckForUpdates());
    updater->checkForUpdates();
    EXPECT_EQ(driver->raises, 1);

    std::exchange(driver->pendingReply, nullptr)(UpdateChoice::later);
    EXPECT_EQ(delegate.finishes, QList<std::optional<UpdateError>>{std::nullopt});
    EXPECT_TRUE(updater->canCheckForUpdates());
    EXPECT_EQ(requestedPaths().count("/appcast.xml"), 1);
}

// The application's service over the real framework and its real windows, as the
// application wires them: a user-initiated check keeps the application regular until its last
// window is closed.
TEST_F(UpdaterFixture, TheApplicationStaysRegularWhileTheOutcomeIsOnScreen)
{
    serve("/broken.xml", "<html/>");
    serve("/broken.xml.sig", key.sign("<html/>").toUtf8());
    const struct
    {
        const char* name;
        QList<Release> releases;
        QString feedPath;
        QStringList headlines; // each window's, answered with Return
    } cases[] = {
        {"up to date", {{"1.0"}}, "/appcast.xml", {"You're up to date!"}},
        {"error", {}, "/broken.xml", {"Update Error!"}},
        {"downloaded",
         {{"1.2"}},
         "/appcast.xml",
         {"A new version of Morvane Color Picker is available!", "Update downloaded"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        publish(c.releases);
        settings.feedUrl = serverUrl(c.feedPath);
        FakePresence presence;
        const QVariantMap appInfo{{AppInfo::feedUrlKey, settings.feedUrl.toString()},
                                  {AppInfo::publicEdKeyKey, settings.publicKey}};
        const auto factory = [this](UpdateFrameworkDelegate& owner) {
            return std::unique_ptr<UpdateFramework>(
                makeUpdater(owner, std::make_unique<WidgetUpdateUserDriver>()));
        };
        AppSettings serviceSettings(defaults);
        UpdaterService service(appInfo, factory, presence, serviceSettings, QProcessEnvironment());

        service.checkForUpdates();
        for (const QString& headline : c.headlines) {
            ASSERT_TRUE(waitFor([&] { return windowShowing(headline) != nullptr; }));
            EXPECT_EQ(presence.policy, ActivationPolicy::regular);
            QWidget* window = windowShowing(headline);
            window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        ASSERT_TRUE(waitFor([&] { return presence.policy == ActivationPolicy::accessory; }));
        QApplication::processEvents();
    }
    EXPECT_EQ(revealed.size(), 1); // Return on the offer installed it
}

TEST(AppcastUpdaterSettings, ReadsTheInformationMapAndTheImageWeRunFrom)
{
    const auto settings = AppcastUpdaterSettings::fromAppInfo(
        {{"SUFeedURL", " https://morvane.dev/colorpicker/appcast.xml\n"},
         {"SUPublicEDKey", "\tq83vEjRWeJq83vEjRWeJq83vEjRWeJq83vEjRWeJq80= "},
         {"CFBundleShortVersionString", "1.4.2"}},
        RunningImage{"/opt/Morvane_Color_Picker.AppImage", true});
    EXPECT_EQ(settings.feedUrl, QUrl("https://morvane.dev/colorpicker/appcast.xml"));
    EXPECT_EQ(settings.publicKey, "q83vEjRWeJq83vEjRWeJq83vEjRWeJq83vEjRWeJq80=");
    EXPECT_EQ(settings.currentVersion, "1.4.2");
    EXPECT_EQ(settings.appImagePath, "/opt/Morvane_Color_Picker.AppImage");
    EXPECT_FALSE(settings.downloadCache.isEmpty());
    EXPECT_FALSE(settings.downloadsFolder.isEmpty());

    // Values that are not text count as missing; the version then falls back. An executable
    // that is no AppImage is never replaced.
    const auto fallback =
        AppcastUpdaterSettings::fromAppInfo({{"SUFeedURL", 7}, {"CFBundleShortVersionString", 2}},
                                            RunningImage{"/usr/bin/morvane-color-picker", false});
    EXPECT_TRUE(fallback.feedUrl.isEmpty());
    EXPECT_EQ(fallback.currentVersion, "0.1.0");
    EXPECT_TRUE(fallback.appImagePath.isEmpty());
}
