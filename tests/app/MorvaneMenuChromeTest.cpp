#include "app/shell/MorvaneMenuChrome.h"
#include "AppFakes.h"

#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Builds a menu from a compact description: "-" is a separator, anything else an item.
void fill(QMenu& menu, const QStringList& items)
{
    for (const QString& item : items) {
        if (item == QLatin1String("-"))
            menu.addSeparator();
        else
            menu.addAction(item);
    }
}

QStringList describe(const QMenu& menu)
{
    QStringList items;
    for (const QAction* action : menu.actions())
        items.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return items;
}

QStringList topLevelTitles(const QMenuBar& bar)
{
    QStringList titles;
    for (const QAction* action : bar.actions())
        titles.append(action->text());
    return titles;
}

} // namespace

TEST(MorvaneMenuChrome, StripsJunkItemsAndTheirSeparatorsFromABuiltMenu)
{
    const struct
    {
        const char* name;
        QStringList items;
        QStringList left;
    } cases[] = {
        {"junk between separators",
         {"-", "Start Dictation…", "Copy", "-", "-", "Emoji && Symbols", "-"},
         {"Copy"}},
        {"only separators", {"-", "-"}, {}},
        {"mnemonics do not hide a prefix", {"&Services", "Auto&Fill Password", "&Open"}, {"&Open"}},
        {"a blank inside the word stays",
         {"Auto Fill", "Writing Tools…", "-", "Paste"},
         {"Auto Fill", "-", "Paste"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QMenu menu;
        fill(menu, c.items);
        MorvaneMenuChrome::stripJunk(menu);
        EXPECT_EQ(describe(menu), c.left);
    }
}

TEST(MorvaneMenuChrome, MenuBarLosesFormatAndItsOtherMenusAreStrippedOnce)
{
    QWidget window;
    QMenuBar bar(&window);
    QMenu* edit = bar.addMenu(QStringLiteral("Edit"));
    fill(*edit, {"Undo", "-", "Start Dictation…", "Emoji && Symbols"});
    QMenu* format = bar.addMenu(QStringLiteral("Format"));
    fill(*format, {"Bold"});
    QMenu* formatting = bar.addMenu(QStringLiteral("Format Painter"));
    fill(*formatting, {"Services", "Brush"});
    QMenu* deeper = edit->addMenu(QStringLiteral("Deeper"));
    fill(*deeper, {"Services", "-"});
    bar.addAction(QStringLiteral("Plain action"));

    const qsizetype before = MorvaneMenuChrome::sanitizers().size();
    MorvaneMenuChrome::sanitizeMenuBar(bar);
    EXPECT_EQ(topLevelTitles(bar), (QStringList{"Edit", "Format Painter", "Plain action"}));
    EXPECT_EQ(describe(*edit), (QStringList{"Undo", "-", "Deeper"}));
    EXPECT_EQ(describe(*formatting), QStringList{"Brush"});
    EXPECT_EQ(describe(*deeper), (QStringList{"Services", "-"})) << "deeper menus untouched";
    EXPECT_EQ(MorvaneMenuChrome::sanitizers().size(), before + 2);

    MorvaneMenuChrome::sanitizeNow();
    MorvaneMenuChrome::sanitizeNow();
    EXPECT_EQ(MorvaneMenuChrome::sanitizers().size(), before + 2) << "no second delegate";
    EXPECT_EQ(describe(*deeper), (QStringList{"Services", "-"}));
}

TEST(MorvaneMenuChrome, StripsBeforeShowingAfterTheMenusOwnHandlers)
{
    QMenu trayMenu; // a stand-alone menu, as the tray's context menu is
    QStringList seenByHandler;
    QObject::connect(&trayMenu, &QMenu::aboutToShow, [&] {
        seenByHandler = describe(trayMenu);
        trayMenu.addSeparator();
        trayMenu.addAction(QStringLiteral("Services"));
    });
    fill(trayMenu, {"Open", "Quit"});
    MorvaneMenuChrome::sanitizeNow();

    trayMenu.popup(QPoint(0, 0));
    EXPECT_EQ(seenByHandler, (QStringList{"Open", "Quit"}));
    EXPECT_EQ(describe(trayMenu), (QStringList{"Open", "Quit"}));
    trayMenu.hide();
}

TEST(MorvaneMenuChrome, InstallWritesTheTwoKeysAndRerunsForLateMenus)
{
    MemoryPreferencesStore store;
    AppSettings settings(store);
    QMenu early;
    fill(early, {"Services", "Keep"});
    MorvaneMenuChrome::installSanitizer(settings);
    EXPECT_TRUE(store.boolForKey(QStringLiteral("NSDisabledDictationMenuItem")));
    EXPECT_TRUE(store.boolForKey(QStringLiteral("NSDisabledCharacterPaletteMenuItem")));
    EXPECT_EQ(describe(early), QStringList{"Keep"}) << "runs at once";

    QMenu nextTurn;
    fill(nextTurn, {"Writing Tools", "Keep"});
    QCoreApplication::processEvents();
    EXPECT_EQ(describe(nextTurn), QStringList{"Keep"}) << "runs on the next turn";

    QMenu late;
    fill(late, {"AutoFill", "Keep"});
    QTest::qWait(int(MorvaneMenuChrome::lateRerunDelay.count()) / 2);
    EXPECT_EQ(describe(late).size(), 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return describe(late) == QStringList{"Keep"}; }))
        << "runs again after 0.4 s";
}
