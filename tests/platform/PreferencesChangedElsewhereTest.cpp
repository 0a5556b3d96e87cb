#include "PreferencesFileSupport.h"
#include "platform/preferences/SettingsPreferencesStore.h"

#include <QTemporaryDir>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <memory>

// How the store follows what other processes do to its file: a rewrite reaches its reads and
// its handler, and its own saves never reach the handler.
namespace {

const QString currentKey = QStringLiteral("colorpicker.currentHex");
const QString betaKey = QStringLiteral("colorpicker.updates.betaEnabled");

QByteArray fileWith(const char* hex)
{
    return QByteArray("[General]\ncolorpicker.currentHex=") + hex + '\n';
}

// Another process's save: a whole new file renamed over the old one.
void replaceByRename(const QString& path, const QByteArray& content)
{
    writeFile(path + QStringLiteral(".new"), content);
    ASSERT_TRUE(QFile::rename(path + QStringLiteral(".new"), path) ||
                (QFile::remove(path) && QFile::rename(path + QStringLiteral(".new"), path)));
}

// Counts the handler's calls.
struct Told
{
    std::shared_ptr<int> count = std::make_shared<int>(0);

    std::function<void()> handler() const
    {
        return [count = count] { ++*count; };
    }
    bool waitForFirst() const
    {
        return QTest::qWaitFor([this] { return *count > 0; }, 5000);
    }
};

using PreferencesChangedElsewhereTest = PreferencesFolderTest;

} // namespace

TEST_F(PreferencesChangedElsewhereTest, AChangeByAnotherProcessReachesReadsAndTheHandler)
{
    const QString elsewhere = dir.filePath(QStringLiteral("dotfiles/colorpicker.conf"));
    struct Case
    {
        const char* name;
        std::function<void()> before; // the file as the store finds it
        std::function<void()> change; // what the other process does
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {"saved by another store", [&] { writeFile(path, fileWith("#111111")); },
         [&] { SettingsPreferencesStore(path).setString(currentKey, "#222222"); }, "#222222"},
        {"renamed over", [&] { writeFile(path, fileWith("#111111")); },
         [&] { replaceByRename(path, fileWith("#333333")); }, "#333333"},
        {"rewritten in place", [&] { writeFile(path, fileWith("#111111")); },
         [&] { writeFile(path, fileWith("#444444")); }, "#444444"},
        {"removed", [&] { writeFile(path, fileWith("#111111")); }, [&] { QFile::remove(path); },
         std::nullopt},
        {"made with its folders after the store started", [] {},
         [&] { replaceByRename(path, fileWith("#555555")); }, "#555555"},
        {"a link made in its place",
         [&] {
             writeFile(path, fileWith("#111111"));
             writeFile(elsewhere, fileWith("#666666"));
         },
         [&] { ASSERT_TRUE(QFile::remove(path) && QFile::link(elsewhere, path)); }, "#666666"},
        {"the file a link names renamed over",
         [&] {
             writeFile(elsewhere, fileWith("#111111"));
             QDir().mkpath(QFileInfo(path).absolutePath());
             ASSERT_TRUE(QFile::link(elsewhere, path));
         },
         [&] { replaceByRename(elsewhere, fileWith("#777777")); }, "#777777"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(QFileInfo(path).absolutePath()).removeRecursively();
        QDir(QFileInfo(elsewhere).absolutePath()).removeRecursively();
        c.before();
        SettingsPreferencesStore store(path);
        Told told;
        store.setChangedElsewhereHandler(told.handler());
        c.change();
        EXPECT_TRUE(told.waitForFirst());
        EXPECT_EQ(store.stringForKey(currentKey), c.expected);
    }
}

TEST_F(PreferencesChangedElsewhereTest, TheStoresOwnSavesAndRewritesOfTheSameValuesAreNotTold)
{
    struct Case
    {
        const char* name;
        QByteArray before;
        std::function<void(SettingsPreferencesStore&)> act;
        QByteArray afterwards; // in the file
    };
    const Case cases[] = {
        {"a save by flush()", fileWith("#111111"),
         [](SettingsPreferencesStore& store) {
             store.setString(currentKey, "#222222");
             ASSERT_TRUE(store.flush());
         },
         "#222222"},
        {"a save by the writer thread", fileWith("#111111"),
         [](SettingsPreferencesStore& store) { store.setBool(betaKey, true); }, "betaEnabled=true"},
        {"a damaged file set aside and replaced", fileWith("#111111") + "/a=1\n",
         [](SettingsPreferencesStore& store) {
             store.setString(currentKey, "#333333");
             ASSERT_TRUE(store.flush());
         },
         "#333333"},
        {"another process writing the same values", fileWith("#111111"),
         [this](SettingsPreferencesStore&) { replaceByRename(path, "\n" + fileWith("#111111")); },
         "#111111"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path, c.before);
        SettingsPreferencesStore store(path);
        Told told;
        store.setChangedElsewhereHandler(told.handler());
        c.act(store);
        QTest::qWait(int(SettingsPreferencesStore::writeDelay.count()) + 400);
        EXPECT_TRUE(contentOf(path).contains(c.afterwards));
        EXPECT_EQ(*told.count, 0);
    }
}

// A save loads what someone else wrote since the store last looked, so both changes land,
// and tells it once, even before the watch has seen that write.
TEST_F(PreferencesChangedElsewhereTest, ASaveKeepsAChangeMadeMeanwhileAndTellsItOnce)
{
    writeFile(path, fileWith("#111111"));
    SettingsPreferencesStore store(path);
    Told told;
    store.setChangedElsewhereHandler(told.handler());
    replaceByRename(path, fileWith("#222222"));
    store.setBool(betaKey, true);
    ASSERT_TRUE(store.flush());

    const SettingsPreferencesStore reopened(path);
    EXPECT_EQ(reopened.stringForKey(currentKey), QStringLiteral("#222222"));
    EXPECT_TRUE(reopened.boolForKey(betaKey));
    EXPECT_EQ(store.stringForKey(currentKey), QStringLiteral("#222222"));
    EXPECT_TRUE(told.waitForFirst());
    QTest::qWait(200);
    EXPECT_EQ(*told.count, 1);
}

// A short command-line process has no event loop: the store reads the file once at start,
// never calls a handler, and still keeps others' changes when it saves.
TEST_F(PreferencesChangedElsewhereTest, AStoreWithoutAnEventLoopReadsTheFileAtStart)
{
    writeFile(path, fileWith("#111111"));
    auto made = std::async(std::launch::async,
                           [this] { return std::make_unique<SettingsPreferencesStore>(path); });
    const std::unique_ptr<SettingsPreferencesStore> store = made.get();
    EXPECT_EQ(store->stringForKey(currentKey), QStringLiteral("#111111"));
    Told told;
    store->setChangedElsewhereHandler(told.handler());
    replaceByRename(path, fileWith("#222222"));
    store->setBool(betaKey, true);
    ASSERT_TRUE(store->flush());
    QTest::qWait(200);
    EXPECT_EQ(*told.count, 0);
    EXPECT_EQ(store->stringForKey(currentKey), QStringLiteral("#222222"));
    EXPECT_TRUE(contentOf(path).contains("#222222"));
}

TEST_F(PreferencesChangedElsewhereTest, AHandlerSetAgainReplacesTheFirstAndAnEmptyOneRemovesIt)
{
    writeFile(path, fileWith("#111111"));
    SettingsPreferencesStore store(path);
    Told first;
    Told second;
    store.setChangedElsewhereHandler(first.handler());
    store.setChangedElsewhereHandler(second.handler());
    replaceByRename(path, fileWith("#222222"));
    EXPECT_TRUE(second.waitForFirst());
    EXPECT_EQ(*first.count, 0);

    store.setChangedElsewhereHandler({});
    replaceByRename(path, fileWith("#333333"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return store.stringForKey(currentKey) == QStringLiteral("#333333"); }, 5000));
    EXPECT_EQ(*second.count, 1);
}
