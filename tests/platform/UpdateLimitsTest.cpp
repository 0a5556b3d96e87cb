// The limits the update framework keeps: transfer time, the silent download cap, a second
// check of what is installed, private download folders, no leftovers of a replacement.

#include "UpdaterTestSupport.h"
#include "platform/updates/UpdateTransfer.h"

#include <QFileInfo>
#include <QNetworkReply>

#include <unistd.h>

TEST_F(UpdaterFixture, EndsATransferThatNeverFinishesAtItsTimeLimit)
{
    // A head announcing a long body, then a byte every 100 ms: never idle, never done.
    const morvane::TestHttpServer::Reply trickle{
        .delivery = morvane::TestHttpServer::Delivery::trickledBody};
    server.route("/trickle/appcast.xml", trickle);
    server.route("/trickle/app-1.2.AppImage", trickle);
    settings.feedTimeLimit = std::chrono::milliseconds(600);
    settings.downloadTimeLimit = std::chrono::milliseconds(600);
    for (const bool feedTrickles : {true, false}) {
        SCOPED_TRACE(feedTrickles ? "feed" : "download");
        Release release{"1.2"};
        release.url = serverUrl("/trickle/app-1.2.AppImage");
        release.length = 100000;
        publish({release});
        settings.feedUrl = serverUrl(feedTrickles ? "/trickle/appcast.xml" : "/appcast.xml");
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
    defaults.setString(lastCheckTimeKey, launchTime.addDays(-2).toString(Qt::ISODateWithMs));
    settings.firstAutomaticCheckDelay = std::chrono::milliseconds(0);
    auto updater = makeUpdater(delegate);
    ASSERT_TRUE(waitFor([&] { return delegate.finishes.size() == 1; }));
    EXPECT_EQ(lastFrameworkError(), static_cast<int>(UpdateErrorCode::tooLarge));
    EXPECT_FALSE(requestedPaths().contains("/app-1.2.AppImage"));
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
