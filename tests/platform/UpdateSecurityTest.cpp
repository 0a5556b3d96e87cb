// What the update framework refuses: unsigned downloads and feeds, rollbacks, redirects from
// the network to this machine.

#include "UpdaterTestSupport.h"
#include "platform/updates/UpdateTransfer.h"

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
        server.clearRequests();
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
        EXPECT_EQ(requestedPaths().contains("/app-1.2.AppImage"), c.downloads);
        EXPECT_EQ(cachedFiles(), QStringList());
    }
}

TEST_F(UpdaterFixture, RefusesAFeedWithoutItsOwnSignature)
{
    const KeyPair otherKey;
    publish({{"1.2"}});
    const QByteArray feed = publishedFeed;
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
        server.clearRequests();
        serve("/appcast.xml", c.feed);
        if (c.signature)
            serve("/appcast.xml.sig", *c.signature);
        else
            serve("/appcast.xml.sig", "not found", 404);
        auto updater = makeUpdater(delegate);

        checkAndWait(*updater);

        EXPECT_EQ(lastFrameworkError(), static_cast<int>(UpdateErrorCode::feedSignatureInvalid));
        ASSERT_EQ(driver->errors.size(), 1); // in the framework's own error window
        EXPECT_TRUE(driver->offers.isEmpty());
        EXPECT_EQ(requestedPaths(), QStringList({"/appcast.xml", "/appcast.xml.sig"}));
    }

    // A signature wrapped over lines, as base64 tools write it, is the same signature.
    serve("/appcast.xml", feed);
    QByteArray wrapped = key.sign(feed).toUtf8();
    wrapped.insert(40, "\n");
    serve("/appcast.xml.sig", wrapped);
    auto updater = makeUpdater(delegate);
    checkAndWait(*updater);
    EXPECT_EQ(driver->offers.size(), 1);
}

TEST_F(UpdaterFixture, NeverOffersOrInstallsOlderThanTheHighestVersionSeen)
{
    settings.currentVersion = "1.1";
    publish({{"1.3"}});
    auto updater = makeUpdater(delegate);
    EXPECT_EQ(defaults.stringForKey(highestVersionKey), "1.1"); // installed
    checkAndWait(*updater);
    ASSERT_EQ(driver->offers.size(), 1);
    EXPECT_EQ(defaults.stringForKey(highestVersionKey), "1.3"); // offered

    // An older build, validly signed and served under a correctly signed feed: never offered,
    // however it is labelled against the running version.
    for (const QList<Release>& rollback :
         {QList<Release>{{"1.2"}}, QList<Release>{{"1.2.9"}, {"1.0"}}}) {
        publish(rollback);
        server.clearRequests();
        const int upToDate = driver->upToDate;
        checkAndWait(*updater);
        EXPECT_EQ(driver->offers.size(), 1);
        EXPECT_EQ(driver->upToDate, upToDate + 1);
        EXPECT_FALSE(requestedPaths().contains(rollback[0].path()));
    }

    // A version installed by hand above the stored one is the new floor at the next start.
    settings.currentVersion = "1.6";
    publish({{"1.5"}, {"1.7"}});
    updater = makeUpdater(delegate);
    EXPECT_EQ(defaults.stringForKey(highestVersionKey), "1.6");
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
