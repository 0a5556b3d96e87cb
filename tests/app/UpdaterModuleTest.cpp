// The built updater module, loaded the way the application loads it.
#include "MemoryPreferencesStore.h"
#include "RecordingUpdateDelegate.h"
#include "app/shell/UpdaterModuleLoader.h"
#include "core/AppSettings.h"
#include "core/ports/FileManagerReveal.h"
#include "platform/updates/UpdateErrors.h"

#include <TestHttpServer.h>

#include <QNetworkProxy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

using namespace std::chrono_literals;

namespace {

class NoReveal : public FileManagerReveal
{
public:
    void reveal(const QString&) override {}
};

struct ModuleFixture : testing::Test
{
    DeferredUpdateFramework::Loaded load(const QString& path)
    {
        return UpdaterModuleLoader::loader(
            path, [this] { return settings; }, appSettings, reveal)(delegate);
    }

    AppcastUpdaterSettings settings;
    MemoryPreferencesStore defaults;
    AppSettings appSettings{defaults};
    NoReveal reveal;
    RecordingDelegate delegate;
};

} // namespace

// The module, where the executable looks for it in the build tree, gives a started updater: it
// records the running version in the store it was given and runs its first automatic check,
// fetching the feed and its signature over the network and verifying the signature (a wrong one
// here), then reports to the delegate.
TEST_F(ModuleFixture, TheBuiltModuleGivesAStartedUpdater)
{
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    morvane::TestHttpServer server;
    server.route("/appcast.xml", {.body = "<rss version=\"2.0\"><channel/></rss>"});
    server.route("/appcast.xml.sig", {.body = QByteArray(64, '\0').toBase64().toStdString()});
    QTemporaryDir folder;
    settings.feedUrl = QUrl(QString::fromStdString(server.url("/appcast.xml")));
    settings.publicKey = QByteArray(32, 'k').toBase64();
    settings.currentVersion = "1.4";
    settings.downloadCache = folder.filePath("cache");
    settings.downloadsFolder = folder.filePath("Downloads");
    settings.firstAutomaticCheckDelay = 0ms;

    // Where the executable looks for it, from the executable's build folder.
    const QString path = UpdaterModuleLoader::besideExecutable(MORVANE_EXECUTABLE_FOLDER);
    ASSERT_EQ(path.toStdString(), MORVANE_UPDATER_MODULE_PATH);
    DeferredUpdateFramework::Loaded loaded = load(path);
    ASSERT_TRUE(loaded.framework) << loaded.failure;
    EXPECT_TRUE(loaded.framework->canCheckForUpdates());
    EXPECT_EQ(defaults.stringForKey("updates.highestVersion"), "1.4");

    ASSERT_TRUE(QTest::qWaitFor([&] { return !delegate.finishes.isEmpty(); }, 30000));
    const std::optional<UpdateError> error = delegate.finishes.first();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->domain, updateFrameworkErrorDomain);
    EXPECT_EQ(error->code, int(UpdateErrorCode::feedSignatureInvalid));
    std::vector<std::string> targets;
    for (const auto& request : server.requests())
        targets.push_back(request.target);
    std::sort(targets.begin(), targets.end());
    EXPECT_EQ(targets, (std::vector<std::string>{"/appcast.xml", "/appcast.xml.sig"}));
}

TEST_F(ModuleFixture, WhatTheLoaderSaysWhenThereIsNoUsableModule)
{
    const struct
    {
        const char* path;
        const char* failure;
    } cases[] = {
        {"/nonexistent/morvane-updater.so", "cannot open shared object file"},
        {"libm.so.6", "undefined symbol: morvane_create_updater"}, // a library, no entry point
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const DeferredUpdateFramework::Loaded loaded = load(c.path);
        EXPECT_FALSE(loaded.framework);
        EXPECT_NE(loaded.failure.find(c.failure), std::string::npos) << loaded.failure;
    }
}
