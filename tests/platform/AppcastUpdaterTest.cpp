#include "AppcastUpdater.h"
#include "ApplicationPresence.h"
#include "LoopbackHttpServer.h"
#include "MemoryPreferencesStore.h"
#include "UpdateErrors.h"
#include "UpdaterService.h"

#include <QDir>
#include <QFile>
#include <QNetworkProxy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <sodium.h>

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

class FakeUserDriver : public UpdateUserDriver
{
public:
    void showUpToDate(const QString&) override { ++upToDate; }
    void showUpdateAvailable(const UpdateOffer& offer,
                             std::function<void(UpdateChoice)> reply) override
    {
        offers.append(offer);
        QFile file(offer.downloadedFile);
        offeredBytes.append(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
        if (choice)
            reply(*choice);
        else
            pendingReply = std::move(reply);
    }
    void showError(const UpdateError& error) override { errors.append(error); }
    void showDownloadReady(const QString&, const QString& path) override
    {
        readyPaths.append(path);
    }
    void raiseWindows() override { ++raises; }

    std::optional<UpdateChoice> choice = UpdateChoice::later; // none: the reply waits
    std::function<void(UpdateChoice)> pendingReply;
    int upToDate = 0;
    int raises = 0;
    QList<UpdateOffer> offers;
    QList<QByteArray> offeredBytes; // the downloaded file's contents when it was offered
    QList<UpdateError> errors;
    QStringList readyPaths;
};

class RecordingDelegate : public UpdateFrameworkDelegate
{
public:
    QSet<QString> allowedChannels() override { return channels; }
    void didFinishUpdateCycle(const std::optional<UpdateError>& error) override
    {
        finishes.append(error);
    }

    QSet<QString> channels;
    QList<std::optional<UpdateError>> finishes;
};

struct KeyPair
{
    KeyPair() { crypto_sign_keypair(publicKey, secretKey); }

    QString publicKeyText() const
    {
        return QByteArray(reinterpret_cast<const char*>(publicKey), sizeof publicKey).toBase64();
    }
    QString sign(const QByteArray& message) const
    {
        unsigned char signature[crypto_sign_BYTES];
        crypto_sign_detached(signature, nullptr,
                             reinterpret_cast<const unsigned char*>(message.constData()),
                             static_cast<unsigned long long>(message.size()), secretKey);
        return QByteArray(reinterpret_cast<const char*>(signature), sizeof signature).toBase64();
    }

    unsigned char publicKey[crypto_sign_PUBLICKEYBYTES];
    unsigned char secretKey[crypto_sign_SECRETKEYBYTES];
};

// One item of a published feed and the archive served for it.
struct Release
{
    QString version;
    QString channel = {};
    QString minimumSystemVersion = {};
    QByteArray served = {};                // served instead of the signed archive when set
    std::optional<QString> signature = {}; // instead of the archive's own signature
    std::optional<qint64> length = {};     // instead of the archive's size; -1: no attribute

    QByteArray archive() const { return "image of version " + version.toUtf8(); }
    QString path() const { return "/app-" + version + ".AppImage"; }
};

const QDateTime launchTime = QDateTime::fromString("2026-12-10T02:00:00.000Z", Qt::ISODateWithMs);

bool waitFor(const std::function<bool()>& condition)
{
    return QTest::qWaitFor(condition, 30000);
}

struct UpdaterFixture : testing::Test
{
    void SetUp() override
    {
        ASSERT_GE(sodium_init(), 0);
        ASSERT_TRUE(folder.isValid());
        // The loopback server is reached directly, whatever proxy the machine sets.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        settings.feedUrl = server.url("/appcast.xml");
        settings.publicKey = key.publicKeyText();
        settings.currentVersion = "1.1";
        settings.systemVersion = "6.1.0-18-amd64";
        settings.downloadCache = folder.filePath("cache");
        settings.downloadsFolder = folder.filePath("Downloads");
        settings.firstAutomaticCheckDelay = std::chrono::hours(1); // out of the way
        settings.transferTimeout = std::chrono::seconds(20);
    }

    void publish(const QList<Release>& releases)
    {
        QByteArray feed = R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:appcast="https://morvane.dev/xml/appcast"><channel><title>Updates</title>
)";
        for (const Release& r : releases) {
            const QByteArray archive = r.archive();
            const qint64 length = r.length.value_or(archive.size());
            feed += "<item><title>Version " + r.version.toUtf8() + "</title><appcast:version>" +
                    r.version.toUtf8() + "</appcast:version>";
            if (!r.channel.isEmpty())
                feed += "<appcast:channel>" + r.channel.toUtf8() + "</appcast:channel>";
            if (!r.minimumSystemVersion.isEmpty())
                feed += "<appcast:minimumSystemVersion>" + r.minimumSystemVersion.toUtf8() +
                        "</appcast:minimumSystemVersion>";
            feed += "<description>Notes for " + r.version.toUtf8() + "</description>";
            feed += "<enclosure url=\"" + server.url(r.path()).toEncoded() + "\"";
            if (length >= 0)
                feed += " length=\"" + QByteArray::number(length) + "\"";
            feed += " appcast:edSignature=\"" + r.signature.value_or(key.sign(archive)).toUtf8() +
                    "\" type=\"application/octet-stream\"/></item>\n";
            server.routes[r.path()] = {200, r.served.isNull() ? archive : r.served, {}};
        }
        feed += "</channel></rss>\n";
        server.routes["/appcast.xml"] = {200, feed, {}};
    }

    std::unique_ptr<AppcastUpdater> makeUpdater(UpdateFrameworkDelegate& owner)
    {
        auto userDriver = std::make_unique<FakeUserDriver>();
        driver = userDriver.get();
        UpdateInstaller::Hooks hooks{[this](const QString& path) { relaunched.append(path); },
                                     [this](const QString& path) { revealed.append(path); }};
        auto updater = std::make_unique<AppcastUpdater>(
            settings, owner, defaults, std::move(userDriver), hooks, [] { return launchTime; });
        updater->start();
        return updater;
    }

    // Runs one user-initiated cycle to its end on a directly owned updater.
    void checkAndWait(AppcastUpdater& updater)
    {
        const qsizetype before = delegate.finishes.size();
        updater.checkForUpdates();
        ASSERT_TRUE(waitFor([&] { return delegate.finishes.size() > before; }));
    }

    QStringList cachedFiles() const
    {
        return QDir(settings.downloadCache).entryList(QDir::Files | QDir::Hidden);
    }

    LoopbackHttpServer server;
    QTemporaryDir folder;
    KeyPair key;
    AppcastUpdaterSettings settings;
    MemoryPreferencesStore defaults;
    RecordingDelegate delegate;
    FakeUserDriver* driver = nullptr;
    QStringList relaunched;
    QStringList revealed;
};

// The application's service over the real framework, as the application wires it.
struct ServiceFixture : UpdaterFixture
{
    std::unique_ptr<UpdaterService> makeService()
    {
        const QVariantMap appInfo{{"SUFeedURL", settings.feedUrl.toString()},
                                  {"SUPublicEDKey", settings.publicKey}};
        auto factory = [this](UpdateFrameworkDelegate& owner) {
            auto created = makeUpdater(owner);
            updater = created.get();
            return std::unique_ptr<UpdateFramework>(std::move(created));
        };
        return std::make_unique<UpdaterService>(appInfo, factory, presence, defaults,
                                                QProcessEnvironment());
    }

    void checkAndWait(UpdaterService& service)
    {
        service.checkForUpdates();
        ASSERT_TRUE(waitFor([&] { return updater->canCheckForUpdates(); }));
    }

    FakePresence presence;
    AppcastUpdater* updater = nullptr;
};

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
    EXPECT_EQ(offer.releaseNotesHtml, "Notes for 1.10");
    EXPECT_EQ(driver->offeredBytes, QList<QByteArray>{Release{"1.10"}.archive()});
    EXPECT_EQ(cachedFiles(), QStringList()); // the postponed download is not kept
    EXPECT_EQ(server.requests, QStringList({"/appcast.xml", "/app-1.10.AppImage"}));
    EXPECT_EQ(delegate.finishes, QList<std::optional<UpdateError>>{std::nullopt});
    EXPECT_EQ(canCheck, QList<bool>({true, false, true}));
    EXPECT_EQ(defaults.stringForKey(AppcastUpdater::lastCheckTimeKey),
              launchTime.toString(Qt::ISODateWithMs));
    EXPECT_TRUE(driver->errors.isEmpty());
}

TEST_F(UpdaterFixture, ReportsUpToDateOnlyToTheUserWhoAsked)
{
    publish({{"1.0"}, {"1.1"}, {"2.0", "beta"}});
    auto updater = makeUpdater(delegate);
    checkAndWait(*updater);
    EXPECT_EQ(driver->upToDate, 1);
    EXPECT_TRUE(driver->offers.isEmpty());
    EXPECT_EQ(server.requests, QStringList{"/appcast.xml"});
    EXPECT_EQ(delegate.finishes, QList<std::optional<UpdateError>>{std::nullopt});

    // An automatic check, due since the last one is a day old, runs on its own and says nothing.
    updater.reset();
    defaults.setString(AppcastUpdater::lastCheckTimeKey,
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
    defaults.setString(AppcastUpdater::lastCheckTimeKey, lastCheck.toString(Qt::ISODateWithMs));
    settings.firstAutomaticCheckDelay = std::chrono::milliseconds(0);
    auto updater = makeUpdater(delegate);
    EXPECT_EQ(updater->nextAutomaticCheck(), lastCheck.addDays(1));
    QTest::qWait(200);
    EXPECT_TRUE(server.requests.isEmpty());

    // Destroyed in the middle of a cycle: the request is dropped and nobody is called back.
    updater->checkForUpdates();
    updater.reset();
    QTest::qWait(200);
    EXPECT_TRUE(delegate.finishes.isEmpty());
}

TEST_F(UpdaterFixture, RefusesUpdatesThatDoNotVerify)
{
    const KeyPair otherKey;
    const QByteArray archive = Release{"1.2"}.archive();
    QByteArray tampered = archive;
    tampered[3] = tampered[3] ^ 1;
    const struct
    {
        const char* name;
        Release release;
        QString publicKey;
        UpdateErrorCode code;
        bool downloads;
    } cases[] = {
        {"tampered archive",
         {"1.2", {}, {}, tampered},
         {},
         UpdateErrorCode::signatureInvalid,
         true},
        {"wrong key", {"1.2"}, otherKey.publicKeyText(), UpdateErrorCode::signatureInvalid, true},
        {"signature of other bytes",
         {"1.2", {}, {}, {}, key.sign("other")},
         {},
         UpdateErrorCode::signatureInvalid,
         true},
        {"garbage signature",
         {"1.2", {}, {}, {}, "bm90IGEgc2lnbmF0dXJl"},
         {},
         UpdateErrorCode::signatureInvalid,
         true},
        {"no signature", {"1.2", {}, {}, {}, ""}, {}, UpdateErrorCode::signatureInvalid, false},
        {"shorter than the feed says",
         {"1.2", {}, {}, {}, {}, archive.size() + 10},
         {},
         UpdateErrorCode::lengthMismatch,
         true},
        {"longer than the feed says",
         {"1.2", {}, {}, {}, {}, archive.size() - 1},
         {},
         UpdateErrorCode::lengthMismatch,
         true},
        {"no length", {"1.2", {}, {}, {}, {}, -1}, {}, UpdateErrorCode::lengthMismatch, false},
        {"key not an Ed25519 key", {"1.2"}, "c2hvcnQ=", UpdateErrorCode::invalidPublicKey, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        server.requests.clear();
        delegate.finishes.clear();
        publish({c.release});
        settings.publicKey = c.publicKey.isEmpty() ? key.publicKeyText() : c.publicKey;
        auto updater = makeUpdater(delegate);

        checkAndWait(*updater);

        ASSERT_EQ(delegate.finishes.size(), 1);
        ASSERT_TRUE(delegate.finishes[0]);
        EXPECT_EQ(delegate.finishes[0]->domain, updateFrameworkErrorDomain);
        EXPECT_EQ(delegate.finishes[0]->code, static_cast<int>(c.code));
        EXPECT_TRUE(driver->offers.isEmpty());
        ASSERT_EQ(driver->errors.size(), 1);
        EXPECT_EQ(server.requests.contains("/app-1.2.AppImage"), c.downloads);
        EXPECT_EQ(cachedFiles(), QStringList());
    }
}

TEST_F(ServiceFixture, EndsTheCycleWithTheFailureAndRecordsForeignOnes)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QUrl downUrl(QString("http://127.0.0.1:%1/appcast.xml").arg(closed.serverPort()));
    closed.close();

    publish({{"1.2"}});
    const QByteArray feed = server.routes["/appcast.xml"].body;
    server.routes["/500"] = {500, "oops", {}};
    server.routes["/truncated"] = {200, feed.left(feed.indexOf("</item>") + 7), {}};
    server.routes["/html"] = {200, "<html><body>Moved</body></html>", {}};
    server.routes["/insecure-redirect"] = {302, {}, "http://morvane.dev/appcast.xml"};
    server.routes["/redirect"] = {302, {}, server.url("/appcast.xml").toEncoded()};

    const struct
    {
        const char* name;
        QUrl feedUrl;
        bool foreign;
    } cases[] = {
        {"server down", downUrl, true},
        {"status 500", server.url("/500"), true},
        {"truncated feed", server.url("/truncated"), false},
        {"not a feed", server.url("/html"), false},
        {"plain http elsewhere", QUrl("http://morvane.dev/appcast.xml"), false},
        {"redirect to plain http", server.url("/insecure-redirect"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        settings.feedUrl = c.feedUrl;
        presence.policy = ActivationPolicy::accessory;
        auto service = makeService();

        checkAndWait(*service);

        ASSERT_EQ(driver->errors.size(), 1);
        const UpdateError error = driver->errors[0];
        EXPECT_EQ(error.domain != updateFrameworkErrorDomain, c.foreign);
        if (c.foreign)
            EXPECT_EQ(service->statusMessage(),
                      "Update check failed: " + error.localizedDescription);
        else
            EXPECT_EQ(service->statusMessage(), std::nullopt);
        EXPECT_EQ(presence.policy, ActivationPolicy::accessory);
        EXPECT_TRUE(driver->offers.isEmpty());
    }

    // A redirect that stays on loopback is followed.
    settings.feedUrl = server.url("/redirect");
    auto service = makeService();
    checkAndWait(*service);
    EXPECT_EQ(driver->offers.size(), 1);
}

TEST_F(ServiceFixture, OffersBetaOnlyWhileTheToggleIsOn)
{
    publish({{"1.2"}, {"2.0", "beta"}, {"2.1", "nightly"}});
    auto service = makeService();
    const auto offeredVersions = [this] {
        QStringList versions;
        for (const UpdateOffer& offer : driver->offers)
            versions.append(offer.version);
        return versions;
    };

    checkAndWait(*service);
    defaults.setBool(UpdaterService::betaEnabledKey, true);
    checkAndWait(*service);
    defaults.setBool(UpdaterService::betaEnabledKey, false);
    checkAndWait(*service);

    EXPECT_EQ(offeredVersions(), QStringList({"1.2", "2.0", "1.2"}));
}

TEST_F(ServiceFixture, TwoChecksBeforeTheCycleEndsRestoreTheFirstSavedPresence)
{
    publish({{"1.2"}});
    auto service = makeService();
    driver->choice = std::nullopt;
    presence.policy = ActivationPolicy::accessory;

    service->checkForUpdates();
    ASSERT_TRUE(waitFor([&] { return driver->offers.size() == 1; }));
    EXPECT_EQ(presence.policy, ActivationPolicy::regular);
    EXPECT_FALSE(updater->canCheckForUpdates());

    service->checkForUpdates(); // brings the open offer forward instead of a second cycle
    EXPECT_EQ(driver->raises, 1);
    EXPECT_EQ(presence.policy, ActivationPolicy::regular);

    std::exchange(driver->pendingReply, nullptr)(UpdateChoice::later);
    EXPECT_EQ(presence.policy, ActivationPolicy::accessory);
    EXPECT_EQ(service->policyBeforeCheck(), std::nullopt);
    EXPECT_EQ(server.requests.count("/appcast.xml"), 1);
    EXPECT_EQ(driver->offers.size(), 1);
}

TEST_F(UpdaterFixture, SkippedVersionIsLeftOutOfAutomaticChecksOnly)
{
    publish({{"1.2"}});
    driver = nullptr;
    auto updater = makeUpdater(delegate);
    driver->choice = UpdateChoice::skip;
    checkAndWait(*updater);
    EXPECT_EQ(defaults.stringForKey(AppcastUpdater::skippedVersionKey), "1.2");

    updater.reset();
    defaults.setString(AppcastUpdater::lastCheckTimeKey,
                       launchTime.addDays(-2).toString(Qt::ISODateWithMs));
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

TEST(AppcastUpdaterSettings, ReadsTheInformationMapAndTheEnvironment)
{
    QProcessEnvironment environment;
    environment.insert("APPIMAGE", "/opt/Morvane_Color_Picker.AppImage");
    const auto settings = AppcastUpdaterSettings::fromAppInfo(
        {{"SUFeedURL", " https://morvane.dev/colorpicker/appcast.xml\n"},
         {"SUPublicEDKey", "\tq83vEjRWeJq83vEjRWeJq83vEjRWeJq83vEjRWeJq80= "},
         {"CFBundleShortVersionString", "1.4.2"}},
        environment);
    EXPECT_EQ(settings.feedUrl, QUrl("https://morvane.dev/colorpicker/appcast.xml"));
    EXPECT_EQ(settings.publicKey, "q83vEjRWeJq83vEjRWeJq83vEjRWeJq83vEjRWeJq80=");
    EXPECT_EQ(settings.currentVersion, "1.4.2");
    EXPECT_EQ(settings.appImagePath, "/opt/Morvane_Color_Picker.AppImage");
    EXPECT_FALSE(settings.downloadCache.isEmpty());
    EXPECT_FALSE(settings.downloadsFolder.isEmpty());

    // Values that are not text count as missing; the version then falls back.
    const auto fallback = AppcastUpdaterSettings::fromAppInfo(
        {{"SUFeedURL", 7}, {"CFBundleShortVersionString", 2}}, QProcessEnvironment());
    EXPECT_TRUE(fallback.feedUrl.isEmpty());
    EXPECT_EQ(fallback.currentVersion, "0.1.0");
    EXPECT_TRUE(fallback.appImagePath.isEmpty());
}
