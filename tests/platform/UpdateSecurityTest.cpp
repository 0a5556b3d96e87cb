// What the update framework refuses, and the limits it keeps: signed feeds, no rollback,
// transfer limits, the silent download cap, a second check of what is installed, private
// download folders.

#include "UpdateTransfer.h"
#include "UpdaterTestSupport.h"

#include <QFileInfo>
#include <QNetworkReply>
#include <QTcpServer>
#include <QTcpSocket>

#include <unistd.h>

namespace {

// Answers every request with a header announcing a long body, then one byte every 50 ms:
// never idle, never done.
class TrickleServer : public QObject
{
public:
    TrickleServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                socket->write("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
                auto* timer = new QTimer(socket);
                connect(timer, &QTimer::timeout, socket, [socket] { socket->write("x"); });
                timer->start(50);
            }
        });
    }
    QUrl url(const QString& path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
    }

private:
    QTcpServer m_server;
};

} // namespace

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
        {"signed with another key",
         {"1.2", {}, {}, {}, otherKey.sign(archive)},
         {},
         UpdateErrorCode::signatureInvalid,
         true},
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

TEST_F(UpdaterFixture, RefusesAFeedWithoutItsOwnSignature)
{
    const KeyPair otherKey;
    publish({{"1.2"}});
    const QByteArray feed = server.routes["/appcast.xml"].body;
    QByteArray older = feed;
    older.replace("1.2", "1.3");
    const struct
    {
        const char* name;
        std::optional<QByteArray> signature; // none: no signature file
        QByteArray feed;
    } cases[] = {
        {"no signature file", std::nullopt, feed},
        {"empty signature", QByteArray(), feed},
        {"signed with another key", otherKey.sign(feed).toUtf8(), feed},
        {"signature of another feed", key.sign(older).toUtf8(), feed},
        {"feed changed after signing", key.sign(feed).toUtf8(), older},
        {"not base64", "not a signature", feed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        server.requests.clear();
        server.routes["/appcast.xml"].body = c.feed;
        if (c.signature)
            server.routes["/appcast.xml.sig"] = {200, *c.signature, {}};
        else
            server.routes.remove("/appcast.xml.sig");
        auto updater = makeUpdater(delegate);

        checkAndWait(*updater);

        EXPECT_EQ(lastFrameworkError(), static_cast<int>(UpdateErrorCode::feedSignatureInvalid));
        ASSERT_EQ(driver->errors.size(), 1); // in the framework's own error window
        EXPECT_TRUE(driver->offers.isEmpty());
        EXPECT_EQ(server.requests, QStringList({"/appcast.xml", "/appcast.xml.sig"}));
    }

    // A signature wrapped over lines, as base64 tools write it, is the same signature.
    server.routes["/appcast.xml"].body = feed;
    QByteArray wrapped = key.sign(feed).toUtf8();
    wrapped.insert(40, "\n");
    server.routes["/appcast.xml.sig"] = {200, wrapped, {}};
    auto updater = makeUpdater(delegate);
    checkAndWait(*updater);
    EXPECT_EQ(driver->offers.size(), 1);
}

TEST_F(UpdaterFixture, NeverOffersOrInstallsOlderThanTheHighestVersionSeen)
{
    settings.currentVersion = "1.1";
    publish({{"1.3"}});
    auto updater = makeUpdater(delegate);
    EXPECT_EQ(defaults.stringForKey(AppcastUpdater::highestVersionKey), "1.1"); // installed
    checkAndWait(*updater);
    ASSERT_EQ(driver->offers.size(), 1);
    EXPECT_EQ(defaults.stringForKey(AppcastUpdater::highestVersionKey), "1.3"); // offered

    // An older build, validly signed and served under a correctly signed feed: never offered,
    // however it is labelled against the running version.
    for (const QList<Release>& rollback :
         {QList<Release>{{"1.2"}}, QList<Release>{{"1.2.9"}, {"1.0"}}}) {
        publish(rollback);
        server.requests.clear();
        const int upToDate = driver->upToDate;
        checkAndWait(*updater);
        EXPECT_EQ(driver->offers.size(), 1);
        EXPECT_EQ(driver->upToDate, upToDate + 1);
        EXPECT_FALSE(server.requests.contains(rollback[0].path()));
    }

    // A version installed by hand above the stored one is the new floor at the next start.
    settings.currentVersion = "1.6";
    publish({{"1.5"}, {"1.7"}});
    updater = makeUpdater(delegate);
    EXPECT_EQ(defaults.stringForKey(AppcastUpdater::highestVersionKey), "1.6");
    checkAndWait(*updater);
    EXPECT_EQ(driver->offers.value(0).version, "1.7");
}

TEST(UpdateTransfer, NeverRedirectsFromARemoteHostToLoopback)
{
    const struct
    {
        const char* from;
        const char* to;
        bool allowed;
    } cases[] = {
        {"https://morvane.dev/appcast.xml", "https://cdn.morvane.dev/appcast.xml", true},
        {"http://127.0.0.1:8080/a", "http://localhost:8081/b", true},
        {"http://127.0.0.1:8080/a", "https://morvane.dev/b", true},
        {"https://morvane.dev/a", "http://127.0.0.1/b", false},
        {"https://morvane.dev/a", "https://127.0.0.1/b", false},
        {"https://morvane.dev/a", "https://127.9.9.9:4443/b", false},
        {"https://morvane.dev/a", "https://localhost/b", false},
        {"https://morvane.dev/a", "https://LocalHost./b", false},
        {"https://morvane.dev/a", "https://admin.localhost/b", false},
        {"https://morvane.dev/a", "https://[::1]/b", false},
        {"https://morvane.dev/a", "https://[::ffff:127.0.0.1]/b", false},
        {"https://morvane.dev/a", "https://0.0.0.0/b", false},
        {"https://morvane.dev/a", "https://[::]/b", false},
        {"https://morvane.dev/a", "http://morvane.dev/b", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        const bool remote = !UpdateTransfer::isLoopbackHost(QUrl(c.from).host());
        EXPECT_EQ(UpdateTransfer::isAllowedRedirect(remote, QUrl(c.to)), c.allowed);
    }
}

TEST_F(UpdaterFixture, EndsATransferThatNeverFinishesAtItsTimeLimit)
{
    TrickleServer trickle;
    settings.feedTimeLimit = std::chrono::milliseconds(600);
    settings.downloadTimeLimit = std::chrono::milliseconds(600);
    for (const bool feedTrickles : {true, false}) {
        SCOPED_TRACE(feedTrickles ? "feed" : "download");
        Release release{"1.2"};
        release.url = trickle.url("/app-1.2.AppImage");
        release.length = 100000;
        publish({release});
        settings.feedUrl = feedTrickles ? trickle.url("/appcast.xml") : server.url("/appcast.xml");
        auto updater = makeUpdater(delegate);

        ASSERT_NO_FATAL_FAILURE(checkAndWait(*updater));

        ASSERT_TRUE(delegate.finishes.last());
        EXPECT_EQ(delegate.finishes.last()->domain, UpdateTransfer::networkErrorDomain);
        EXPECT_EQ(delegate.finishes.last()->code, int(QNetworkReply::TimeoutError));
        EXPECT_TRUE(driver->offers.isEmpty());
    }
}

TEST_F(UpdaterFixture, AnAutomaticCheckDownloadsNoMoreThanTheCap)
{
    EXPECT_EQ(AppcastUpdaterSettings().automaticDownloadCap, qint64(256) * 1024 * 1024);
    settings.automaticDownloadCap = 10;
    publish({{"1.2"}});
    defaults.setString(AppcastUpdater::lastCheckTimeKey,
                       launchTime.addDays(-2).toString(Qt::ISODateWithMs));
    settings.firstAutomaticCheckDelay = std::chrono::milliseconds(0);
    auto updater = makeUpdater(delegate);
    ASSERT_TRUE(waitFor([&] { return delegate.finishes.size() == 1; }));
    EXPECT_EQ(lastFrameworkError(), static_cast<int>(UpdateErrorCode::tooLarge));
    EXPECT_FALSE(server.requests.contains("/app-1.2.AppImage"));
    EXPECT_TRUE(driver->errors.isEmpty()); // silent

    // A user who asks gets it.
    checkAndWait(*updater);
    EXPECT_EQ(driver->offers.size(), 1);
}

TEST_F(UpdaterFixture, RemovesWhatAnInterruptedReplacementLeftBesideTheImage)
{
    const QDir bin(folder.filePath("bin"));
    ASSERT_TRUE(bin.mkpath("."));
    const QStringList kept{"Morvane.AppImage", ".Other.AppImage.update-a1B2c3",
                           ".Morvane.AppImage.update-a1B2c3.txt", "notes.txt"};
    for (const QString& name :
         kept + QStringList{".Morvane.AppImage.update-a1B2c3", ".Morvane.AppImage.update-ZZZZZZ"})
        writeFile(bin.filePath(name), "x");
    settings.appImagePath = bin.filePath("Morvane.AppImage");

    auto updater = makeUpdater(delegate);

    QStringList left = bin.entryList(QDir::Files | QDir::Hidden);
    QStringList expected = kept;
    left.sort();
    expected.sort();
    EXPECT_EQ(left, expected);
}

TEST_F(UpdaterFixture, ChecksTheDownloadAgainJustBeforeInstalling)
{
    const KeyPair otherKey;
    const QByteArray archive = Release{"1.2"}.archive();
    QByteArray flipped = archive;
    flipped[0] = flipped[0] ^ 1;
    const struct
    {
        const char* name;
        QByteArray replacement; // written over the verified download before the choice
        UpdateErrorCode code;
    } cases[] = {
        {"one byte changed", flipped, UpdateErrorCode::signatureInvalid},
        {"one byte more", archive + "!", UpdateErrorCode::lengthMismatch},
        {"emptied", "", UpdateErrorCode::lengthMismatch},
    };
    QDir(folder.path()).mkdir("bin");
    const QString image = folder.filePath("bin/Morvane.AppImage");
    for (const bool appImage : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (appImage ? " (AppImage)" : " (download)"));
            writeFile(image, "old image");
            settings.appImagePath = appImage ? image : QString();
            publish({{"1.2"}});
            auto updater = makeUpdater(delegate);
            driver->choice = UpdateChoice::install;
            driver->beforeChoice = [&](const UpdateOffer& offer) {
                writeFile(offer.downloadedFile, c.replacement);
            };

            checkAndWait(*updater);

            EXPECT_EQ(lastFrameworkError(), static_cast<int>(c.code));
            QFile installed(image);
            ASSERT_TRUE(installed.open(QIODevice::ReadOnly));
            EXPECT_EQ(installed.readAll(), "old image");
            EXPECT_TRUE(relaunched.isEmpty());
            EXPECT_TRUE(revealed.isEmpty());
            EXPECT_TRUE(QDir(settings.downloadsFolder).entryList(QDir::Files).isEmpty());
            EXPECT_EQ(QDir(folder.filePath("bin")).entryList(QDir::Files | QDir::Hidden),
                      QStringList{"Morvane.AppImage"});
        }
    }
}

TEST_F(UpdaterFixture, KeepsDownloadsOnlyInAFolderNobodyElseMayWrite)
{
    const QString shared = folder.filePath("shared");
    ASSERT_TRUE(QDir().mkpath(shared));
    ASSERT_TRUE(QFile::setPermissions(shared, QFileDevice::Permissions(0x7777)));
    const QString own = folder.filePath("own");
    const struct
    {
        const char* name;
        QString cache;
        bool used;
    } cases[] = {
        {"no cache folder", QString(), false},
        {"a folder others may write", shared, false},
        {"the user's own folder", own, true},
    };
    publish({{"1.2"}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        settings.downloadCache = c.cache;
        auto updater = makeUpdater(delegate);
        QString where;
        uint owner = 0;
        QFileDevice::Permissions permissions;
        driver->beforeChoice = [&](const UpdateOffer& offer) {
            where = QFileInfo(offer.downloadedFile).absolutePath();
            owner = QFileInfo(where).ownerId();
            permissions = QFileInfo(where).permissions();
        };

        checkAndWait(*updater);

        ASSERT_EQ(driver->offers.size(), 1);
        EXPECT_EQ(where == QFileInfo(c.cache).absoluteFilePath(), c.used);
        EXPECT_EQ(owner, ::getuid());
        EXPECT_FALSE(permissions & (QFileDevice::WriteGroup | QFileDevice::WriteOther));
        EXPECT_FALSE(where.startsWith(QDir::currentPath() + "/"));
        EXPECT_FALSE(QFileInfo::exists(driver->offers[0].downloadedFile));
        if (!c.used) {
            EXPECT_FALSE(QFileInfo::exists(where)); // the private folder goes with the cycle
        }
    }
}
