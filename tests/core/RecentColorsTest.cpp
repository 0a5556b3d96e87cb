#include "core/RecentColors.h"
#include "GreyColors.h"
#include "MemoryPreferencesStore.h"
#include "core/AppSettings.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString recentsKey = QStringLiteral("colorpicker.recentHexes");
const QString limitKey = QStringLiteral("colorpicker.recentLimit");

// The recent colours over the store, as one launch has them.
struct Launch
{
    explicit Launch(PreferencesStore& store) : settings(store), recents(settings) {}

    AppSettings settings;
    RecentColors recents;
};

class RecentColorsTest : public testing::Test
{
protected:
    std::unique_ptr<Launch> launch() { return std::make_unique<Launch>(store); }

    MemoryPreferencesStore store;
};

} // namespace

// The setting's three lengths, and a stored value that is none of them.
TEST_F(RecentColorsTest, RecentsKeepAsManyAsTheLimitAllows)
{
    const struct
    {
        const char* stored;
        int limit;
    } cases[] = {{nullptr, 8}, {"16", 16}, {"32", 32}, {"12", 8}, {"many", 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "unset");
        store.values.clear();
        if (c.stored)
            store.values.insert(limitKey, QString::fromLatin1(c.stored));
        const auto app = launch();
        EXPECT_EQ(app->recents.limit(), c.limit);
        for (int level = 1; level <= 40; ++level)
            app->recents.add(grey(level));
        EXPECT_EQ(app->recents.shown(), greys(40, c.limit));
        EXPECT_EQ(store.values.value(recentsKey).toByteArray(), hexList(greys(40, c.limit)));
    }
}

// Lowering the limit hides the tail; only the next colour added cuts it from the file, so
// raising the limit again before then brings it back.
TEST_F(RecentColorsTest, ALoweredLimitCutsTheStoredListOnlyAtTheNextColour)
{
    store.values = {{limitKey, "32"}, {recentsKey, hexList(greys(32, 32))}};
    const auto app = launch();
    RecentColors& recents = app->recents;
    QSignalSpy shown(&recents, &RecentColors::changed);
    recents.setLimit(8);
    EXPECT_EQ(store.values.value(limitKey), "8");
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(recents.shown(), greys(32, 8));
    EXPECT_EQ(store.values.value(recentsKey).toByteArray(), hexList(greys(32, 32)));
    recents.setLimit(16);
    EXPECT_EQ(recents.shown(), greys(32, 16));
    recents.setLimit(7); // not offered: ignored
    EXPECT_EQ(recents.limit(), 16);

    recents.setLimit(8);
    recents.add(grey(100));
    QList<PickedColor> expected = {grey(100)};
    expected.append(greys(32, 7));
    EXPECT_EQ(store.values.value(recentsKey).toByteArray(), hexList(expected));
    EXPECT_EQ(launch()->recents.all(), expected);
}

// A limit stored in a form that reads as the chosen one is left as it is.
TEST_F(RecentColorsTest, ChoosingTheLimitItReadsAsWritesNothing)
{
    for (const char* stored : {"8", "12", "many"}) {
        store.values = {{limitKey, QString::fromLatin1(stored)}};
        store.writes = 0;
        launch()->recents.setLimit(8);
        EXPECT_EQ(store.values.value(limitKey), QString::fromLatin1(stored));
        EXPECT_EQ(store.writes, 0) << stored;
    }
}

// A clear is stored at once; the undo puts the list back and stores it again, until the
// chance is forgotten. An empty list offers nothing to undo.
TEST_F(RecentColorsTest, AClearCanBeUndoneUntilItIsForgotten)
{
    store.values = {{recentsKey, hexList(greys(3, 3))}};
    const auto app = launch();
    RecentColors& recents = app->recents;
    QSignalSpy changed(&recents, &RecentColors::changed);
    QSignalSpy undo(&recents, &RecentColors::canUndoClearChanged);

    recents.clear();
    EXPECT_TRUE(recents.all().isEmpty());
    EXPECT_EQ(store.values.value(recentsKey).toByteArray(), "[]");
    EXPECT_TRUE(recents.canUndoClear());
    recents.clear(); // nothing left to clear: the undo still restores the first clear
    recents.undoClear();
    EXPECT_EQ(recents.all(), greys(3, 3));
    EXPECT_EQ(store.values.value(recentsKey).toByteArray(), hexList(greys(3, 3)));
    EXPECT_FALSE(recents.canUndoClear());
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(undo.count(), 2);

    recents.clear();
    recents.forgetClear();
    recents.undoClear();
    EXPECT_TRUE(recents.all().isEmpty());
    EXPECT_EQ(undo.count(), 4);
}

// Another process changed the file: the list and the limit follow, and notify only when what
// they stand for changed.
TEST_F(RecentColorsTest, FollowsTheListAndTheLimitChangedElsewhere)
{
    store.values = {{recentsKey, QByteArray(R"(["#3A7BD5"])")}};
    const auto app = launch();
    RecentColors& recents = app->recents;
    QSignalSpy changed(&recents, &RecentColors::changed);
    QSignalSpy limit(&recents, &RecentColors::limitChanged);

    store.changeElsewhere({{recentsKey, QByteArray(R"(["#3a7bd5"])")}}); // the same colour
    store.changeElsewhere({{limitKey, "8"}});                            // the same limit
    store.changeElsewhere({{QStringLiteral("colorpicker.other"), "x"}});
    EXPECT_EQ(changed.count() + limit.count(), 0);

    store.changeElsewhere({{recentsKey, hexList(greys(20, 20))}, {limitKey, "16"}});
    EXPECT_EQ(recents.all(), greys(20, 20));
    EXPECT_EQ(recents.shown(), greys(20, 16));
    EXPECT_EQ(limit.count(), 1);
    EXPECT_EQ(changed.count(), 2); // the list, and the part shown
    EXPECT_EQ(store.writes, 0);
}
