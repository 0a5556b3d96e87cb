#include "app/settings/SettingsWindow.h"
#include "AppFakes.h"
#include "FakeApplicationPresence.h"
#include "PickerOverStore.h"
#include "app/panel/PickerView.h"
#include "app/panel/RecentsSection.h"
#include "app/panel/ValueRow.h"
#include "app/settings/FormatsSection.h"
#include "app/settings/PickKeySection.h"
#include "app/settings/SettingsScene.h"
#include "app/settings/SettingsTabs.h"
#include "core/AppInfo.h"
#include "core/ColorPickerModel.h"
#include "core/PickShortcut.h"
#include "core/UpdaterService.h"
#include "platform/preferences/SettingsPreferencesStore.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

const QString pickKey = QStringLiteral("colorpicker.pickShortcut");

// A started framework whose "a check may start" flag the test moves.
class SwitchableFramework : public UpdateFramework
{
public:
    struct Token : UpdateObservation
    {
        explicit Token(SwitchableFramework& framework) : framework(framework) {}
        ~Token() override { framework.handler = nullptr; }
        SwitchableFramework& framework;
    };

    bool canCheckForUpdates() const override { return canCheck; }
    std::unique_ptr<UpdateObservation> observeCanCheckForUpdates(std::function<void()> h) override
    {
        handler = std::move(h);
        handler();
        return std::make_unique<Token>(*this);
    }
    void checkForUpdates() override { ++checks; }

    void setCanCheck(bool value)
    {
        canCheck = value;
        if (handler)
            handler();
    }

    bool canCheck = false;
    std::function<void()> handler;
    int checks = 0;
};

struct SettingsFixture : testing::Test
{
    std::unique_ptr<UpdaterService> makeUpdater(bool configured)
    {
        QVariantMap info{{AppInfo::feedUrlKey, QStringLiteral("https://morvane.dev/a.xml")},
                         {AppInfo::publicEdKeyKey, configured
                                                       ? QStringLiteral("q83vEjRWeJq83vEjRWeJq80=")
                                                       : QStringLiteral("REPLACE_ME")}};
        auto factory = [this](UpdateFrameworkDelegate&) {
            auto created = std::make_unique<SwitchableFramework>();
            framework = created.get();
            return std::unique_ptr<UpdateFramework>(std::move(created));
        };
        return std::make_unique<UpdaterService>(info, factory, presence, settings,
                                                QProcessEnvironment());
    }

    void TearDown() override { AppInfo::restoreBuiltIn(); }

    QTemporaryDir scratch;
    AutostartEntry autostart{scratch.filePath(QStringLiteral("autostart")),
                             QStringLiteral("/usr/bin/morvane-color-picker")};
    MemoryPreferencesStore store;
    AppSettings settings{store};
    FakeApplicationPresence presence;
    SwitchableFramework* framework = nullptr;
};

QStringList groupTitles(const QWidget& window)
{
    QStringList titles;
    for (const QGroupBox* box : window.findChildren<QGroupBox*>())
        titles.append(box->title());
    return titles;
}

QStringList tabTitles(const SettingsWindow& window)
{
    QStringList titles;
    for (int i = 0; i < window.tabs().count(); ++i)
        titles.append(window.tabs().tabText(i));
    return titles;
}

// Shows the tab named `title`, as a click on it would.
void showTab(const SettingsWindow& window, const QString& title)
{
    const int index = int(tabTitles(window).indexOf(title));
    ASSERT_GE(index, 0) << title.toStdString();
    window.tabs().setCurrentIndex(index);
}

// Each tab of the shown `window` in turn fits the fixed window: the page as wide as its room,
// not squeezed below its least height, not scrolled, and every visible control in it inside
// the window with the height it needs. SETTINGS_SCREENSHOT=FILE.png keeps each tab as
// FILE-1.png, FILE-2.png...
void expectEveryTabFits(SettingsWindow& window)
{
    EXPECT_EQ(window.size(), QSize(400, 320));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    const QRect inside = window.rect();
    for (int i = 0; i < window.tabs().count(); ++i) {
        window.tabs().setCurrentIndex(i);
        settle();
        SCOPED_TRACE(window.tabs().tabText(i).toStdString());
        const QScrollArea& area = *window.tabs().scrollArea(i);
        const QWidget& page = *window.tabs().page(i);
        EXPECT_TRUE(inside.contains(QRect(area.mapTo(&window, QPoint()), area.size())));
        EXPECT_EQ(page.width(), area.viewport()->width()) << "as wide as its room";
        EXPECT_GE(page.height(), page.minimumSizeHint().height()) << "not squeezed";
        EXPECT_FALSE(area.verticalScrollBar()->isVisible()) << "fits without scrolling";
        for (const QWidget* child : page.findChildren<QWidget*>()) {
            if (!child->isVisible())
                continue;
            SCOPED_TRACE(child->metaObject()->className());
            const QRect shown(child->mapTo(&window, QPoint(0, 0)), child->size());
            EXPECT_TRUE(inside.contains(shown));
            const int needed = child->hasHeightForWidth() ? child->heightForWidth(child->width())
                                                          : child->minimumSizeHint().height();
            EXPECT_GE(child->height(), needed);
        }

        const QImage image = window.grab().toImage();
        EXPECT_EQ(image.size(), QSize(400, 320) * image.devicePixelRatio());
        if (const QString path = qEnvironmentVariable("SETTINGS_SCREENSHOT"); !path.isEmpty()) {
            const QFileInfo file(path);
            EXPECT_TRUE(image.save(file.dir().filePath(QStringLiteral("%1-%2.%3")
                                                           .arg(file.completeBaseName())
                                                           .arg(i + 1)
                                                           .arg(file.suffix()))));
        }
    }
}

} // namespace

TEST_F(SettingsFixture, ShowsTheFixedFormWithItsTextsAndTheVersion)
{
    const auto updater = makeUpdater(false);
    const struct
    {
        const char* name;
        QVariantMap info;
        QString shown;
    } versions[] = {
        {"built-in", AppInfo::builtIn(),
         AppInfo::builtIn().value(AppInfo::shortVersionKey).toString()},
        {"missing", {}, QStringLiteral("0.1.0")},
        {"verbatim",
         {{AppInfo::shortVersionKey, QStringLiteral("2.0 beta (7)")}},
         QStringLiteral("2.0 beta (7)")},
    };
    for (const auto& c : versions) {
        SCOPED_TRACE(c.name);
        AppInfo::replace(c.info);
        SettingsWindow window(*updater, autostart);
        EXPECT_EQ(window.size(), QSize(400, 320));
        EXPECT_EQ(window.minimumSize(), window.maximumSize());
        EXPECT_EQ(tabTitles(window), (QStringList{"General", "About"}));
        EXPECT_EQ(groupTitles(window), QStringList{"Updates"}) << "on About";
        EXPECT_EQ(window.startAtLoginToggle().text(), QStringLiteral("Start at login"));
        EXPECT_EQ(window.checkForUpdatesButton().text(), QStringLiteral("Check for Updates\u2026"));
        EXPECT_EQ(window.betaToggle().text(), QStringLiteral("Get early-access updates"));
        EXPECT_EQ(window.findChild<QLabel*>("versionValue")->text(), c.shown);
        EXPECT_EQ(window.findChild<QLabel*>("tagline")->text(),
                  QStringLiteral("Pick any color on your screen, right from the menu bar."));
        bool hasVersionLabel = false;
        for (const QLabel* label : window.findChildren<QLabel*>())
            hasVersionLabel |= label->text() == QLatin1String("Version");
        EXPECT_TRUE(hasVersionLabel);
    }
}

TEST_F(SettingsFixture, CheckButtonFollowsCanCheckForUpdatesAndCallsTheUpdater)
{
    const auto updater = makeUpdater(true);
    SettingsWindow window(*updater, autostart);
    window.show();
    QPushButton& button = window.checkForUpdatesButton();
    // The first value arrives one main-thread task after construction.
    EXPECT_FALSE(button.isEnabled());

    framework->setCanCheck(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return button.isEnabled(); }));
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(framework->checks, 1);

    framework->setCanCheck(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !button.isEnabled(); }));
}

TEST_F(SettingsFixture, TheKeyboardAloneReachesAndPressesTheControlsAndEscapeCloses)
{
    const auto updater = makeUpdater(true);
    framework->setCanCheck(true);
    SettingsWindow window(*updater, autostart);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.checkForUpdatesButton().isEnabled(); }));
    // Opening focuses the first control; Ctrl+Tab shows the next tab and focuses its first
    // control; Tab goes on in the tab's order.
    EXPECT_EQ(QApplication::focusWidget(), &window.startAtLoginToggle());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(autostart.isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(window.tabs().tabText(window.tabs().currentIndex()), QStringLiteral("About"));
    EXPECT_EQ(QApplication::focusWidget(), &window.checkForUpdatesButton());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(framework->checks, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &window.betaToggle());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    EXPECT_TRUE(window.betaToggle().isChecked());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(SettingsFixture, UnconfiguredUpdatesLeaveTheButtonDisabledAndTheToggleWorking)
{
    const auto updater = makeUpdater(false);
    SettingsWindow window(*updater, autostart);
    window.show();
    QTest::qWait(50);
    EXPECT_FALSE(window.checkForUpdatesButton().isEnabled());
    EXPECT_EQ(framework, nullptr);

    window.betaToggle().click();
    EXPECT_TRUE(store.boolForKey(QStringLiteral("colorpicker.updates.betaEnabled")));
}

TEST_F(SettingsFixture, ToggleWritesAtOnceAndEachOpeningShowsTheStoredChoice)
{
    const auto updater = makeUpdater(false);
    const QString key = QStringLiteral("colorpicker.updates.betaEnabled");
    SettingsScene scene(*updater, autostart);
    EXPECT_EQ(scene.window(), nullptr) << "built only when first opened";

    scene.open();
    SettingsWindow* window = scene.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->betaToggle().isChecked()) << "absent key reads false";
    window->betaToggle().click();
    EXPECT_TRUE(store.boolForKey(key));

    window->close();
    store.changeElsewhere({{key, false}}); // changed elsewhere while closed
    scene.open();
    EXPECT_EQ(scene.window(), window) << "one window, reopened";
    EXPECT_FALSE(window->betaToggle().isChecked());

    store.changeElsewhere({{key, true}});
    SettingsScene relaunched(*updater, autostart);
    relaunched.open();
    EXPECT_TRUE(relaunched.window()->betaToggle().isChecked());
}

TEST_F(SettingsFixture, StartAtLoginWritesOrRemovesTheEntryAndEachOpeningShowsTheFile)
{
    const auto updater = makeUpdater(false);
    const QString file = autostart.filePath();
    SettingsScene scene(*updater, autostart);
    scene.open();
    QCheckBox& toggle = scene.window()->startAtLoginToggle();
    EXPECT_FALSE(toggle.isChecked()) << "off by default";
    EXPECT_FALSE(QFile::exists(file)) << "opening the window turns nothing on";

    toggle.click();
    EXPECT_TRUE(QFile::exists(file));
    toggle.click();
    EXPECT_FALSE(QFile::exists(file));

    // Changed elsewhere while the window was closed.
    scene.window()->close();
    ASSERT_TRUE(autostart.setEnabled(true));
    scene.open();
    EXPECT_TRUE(toggle.isChecked());
    scene.window()->close();
    ASSERT_TRUE(QFile::remove(file));
    scene.open();
    EXPECT_FALSE(toggle.isChecked());
}

TEST_F(SettingsFixture, ARefusedAutostartWriteLeavesTheToggleOff)
{
    const auto updater = makeUpdater(false);
    QFile blocker(scratch.filePath(QStringLiteral("blocked")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    SettingsWindow window(*updater,
                          AutostartEntry(blocker.fileName(), QStringLiteral("/usr/bin/x")));
    window.show();
    window.startAtLoginToggle().click();
    EXPECT_FALSE(window.startAtLoginToggle().isChecked());
}

TEST_F(SettingsFixture, EveryTabFitsTheFixedWindow)
{
    const auto updater = makeUpdater(false);
    SettingsWindow window(*updater, autostart);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    expectEveryTabFits(window);
}

namespace {

// A global key whose answers the test gives.
class ScriptedGlobalShortcut : public GlobalShortcut
{
public:
    void setHandlers(ActivationHandler, ReportHandler handler) override
    {
        report = std::move(handler);
    }
    void bind(const QString& keySequence) override { bound.append(keySequence); }

    ReportHandler report;
    QStringList bound;
};

// The window with the pick key over a global key whose answers the test gives.
struct PickKeyFixture : SettingsFixture
{
    std::unique_ptr<UpdaterService> updater = makeUpdater(false);
    ScriptedGlobalShortcut port;
    PickShortcut shortcut{settings, port};
    SettingsWindow window{*updater, autostart, &shortcut};
    PickKeySection& section = *window.pickKeySection();
};

TEST_F(PickKeyFixture, ThePickKeyIsOffuntilTurnedOnAndSaysInWordsWhatBecameOfIt)
{
    EXPECT_EQ(tabTitles(window), (QStringList{"General", "Picking", "About"}));
    showTab(window, QStringLiteral("Picking"));
    EXPECT_FALSE(section.toggle().isChecked());
    EXPECT_FALSE(section.keyChooser().isEnabled());

    section.toggle().click();
    EXPECT_EQ(store.stringForKey(pickKey), QStringLiteral("Meta+Shift+C"));
    EXPECT_EQ(port.bound, QStringList{QStringLiteral("Meta+Shift+C")});
    EXPECT_TRUE(section.keyChooser().isEnabled());
    EXPECT_EQ(window.size(), QSize(400, 320));

    using Status = GlobalShortcut::Status;
    const struct
    {
        GlobalShortcut::Report report;
        const char* words;
        bool command;
    } cases[] = {
        {{Status::active, {}}, "Press Super+Shift+C anywhere to pick a color.", false},
        {{Status::active, QStringLiteral("Ctrl+Alt+P")}, "Press Ctrl+Alt+P anywhere", false},
        {{Status::taken, {}}, "Super+Shift+C is already taken by another program.", false},
        {{Status::declined, {}}, "The desktop was not allowed to bind Super+Shift+C.", false},
        {{Status::failed, QStringLiteral("no session")},
         "could not bind Super+Shift+C: no session",
         false},
        {{Status::unsupported, {}},
         "Bind this command to a key in the desktop's keyboard settings",
         true},
    };
    for (const auto& c : cases) {
        port.report(c.report);
        EXPECT_TRUE(section.status().text().contains(QString::fromUtf8(c.words)))
            << section.status().text().toStdString();
        EXPECT_EQ(section.command().isVisibleTo(&window), c.command) << c.words;
    }
    section.copyButton().click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), section.command().text());
    EXPECT_TRUE(section.command().text().endsWith(QStringLiteral(" --pick")));

    section.toggle().click();
    EXPECT_EQ(store.stringForKey(pickKey), QString());
    EXPECT_EQ(port.bound.last(), QString()) << "turning it off frees the key";
    EXPECT_FALSE(section.status().isVisibleTo(&window));
}

// A key chosen by another process (a second copy, an edit of the file) is bound and shown; a
// stored text that reads as the same key binds nothing again.
TEST_F(PickKeyFixture, ThePickKeyFollowsAKeyChosenElsewhere)
{
    store.changeElsewhere({{pickKey, QStringLiteral("Ctrl+Alt+P")}});
    EXPECT_EQ(port.bound, QStringList{QStringLiteral("Ctrl+Alt+P")});
    EXPECT_TRUE(section.toggle().isChecked());
    store.changeElsewhere({{pickKey, QStringLiteral(" Ctrl+Alt+P ")}});
    EXPECT_EQ(port.bound.size(), 1);

    store.changeElsewhere({{pickKey, QVariant()}});
    EXPECT_EQ(port.bound.last(), QString());
    EXPECT_FALSE(section.toggle().isChecked());
    EXPECT_EQ(store.writes, 0);
}

} // namespace

namespace {
// The window as the application builds it, with the Formats and Picking tabs, over a picker
// whose preferences live in `store`.
struct FullWindow : SettingsFixture
{
    FullWindow() { window.showFormats(picker); }

    FormatsSection& section() const { return *window.formatsSection(); }
    QStringList listed() const
    {
        QStringList texts;
        for (int i = 0; i < section().formatList().count(); ++i) {
            const QListWidgetItem* item = section().formatList().item(i);
            texts.append((item->checkState() == Qt::Checked ? "[x] " : "[ ] ") + item->text());
        }
        return texts;
    }
    QListWidgetItem* item(const QString& id) const
    {
        for (int i = 0; i < section().formatList().count(); ++i) {
            if (section().formatList().item(i)->data(Qt::UserRole) == id)
                return section().formatList().item(i);
        }
        return nullptr;
    }
    QStringList rowLabels() const
    {
        QStringList labels;
        for (const ValueRow* row : panel.valueRows())
            labels.append(row->label());
        return labels;
    }

    RecordingClipboard clipboard;
    ScriptedScreenSampler sampler;
    RecentColors recents{settings};
    ColorPickerModel picker{settings, recents, sampler, clipboard};
    ScriptedGlobalShortcut port;
    PickShortcut shortcut{settings, port};
    std::unique_ptr<UpdaterService> updater = makeUpdater(true);
    SettingsWindow window{*updater, autostart, &shortcut};
    PickerView panel{picker};
};

} // namespace

TEST_F(FullWindow, ListsEveryFormatWithTodaysRowsCheckedFirstAndEveryTabFits)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(tabTitles(window), (QStringList{"General", "Formats", "Picking", "About"}));

    const QStringList texts = listed();
    ASSERT_EQ(texts.size(), 18);
    EXPECT_EQ(texts.mid(0, 4), QStringList({"[x] HEX — #3A7BD5", "[x] RGB — 58, 123, 213",
                                            "[x] HSL — 215°, 65%, 53%", "[ ] hex — #3a7bd5"}));
    EXPECT_EQ(section().copiedChoice().currentData(), "hex");
    EXPECT_EQ(store.writes, 0);

    // The tallest Picking tab: the key on, and the command to bind shown.
    window.pickKeySection()->toggle().click();
    port.report({GlobalShortcut::Status::unsupported, {}});
    expectEveryTabFits(window);
    showTab(window, QStringLiteral("Formats"));
    for (const QLabel* label : section().findChildren<QLabel*>()) {
        if (label->isVisible() && !label->text().isEmpty()) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
    }
}

// A screen reader names each tab, and the page it opens, by the tab's text.
TEST_F(FullWindow, ScreenReadersHearEachTabsName)
{
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(window.tabs().tabBar());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->role(), QAccessible::PageTabList);
    for (int i = 0; i < window.tabs().count(); ++i) {
        const QString title = window.tabs().tabText(i);
        SCOPED_TRACE(title.toStdString());
        const QAccessibleInterface* tab = bar->child(i);
        ASSERT_NE(tab, nullptr);
        EXPECT_EQ(tab->role(), QAccessible::PageTab);
        EXPECT_EQ(tab->text(QAccessible::Name), title);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(window.tabs().scrollArea(i))
                      ->text(QAccessible::Name),
                  title);
    }
}

// Tab goes round the tab bar and the shown tab's controls as they read, top to bottom and
// left to right; Shift+Tab goes round the other way.
TEST_F(FullWindow, TabFollowsTheReadingOrderOfEachTab)
{
    // Every control shown and enabled: the key on with its command to copy, a template picked
    // in the middle of the list, updates that may be checked.
    window.pickKeySection()->toggle().click();
    port.report({GlobalShortcut::Status::unsupported, {}});
    ASSERT_EQ(picker.addTemplate(QStringLiteral("Flutter"), QStringLiteral("Color(0xFF{hex})")),
              std::nullopt);
    section().formatList().setCurrentItem(item(QStringLiteral("template-1")));
    framework->setCanCheck(true);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.checkForUpdatesButton().isEnabled(); }));

    using Stops = std::vector<std::pair<QString, QWidget*>>;
    const FormatsSection& formats = section();
    const PickKeySection& key = *window.pickKeySection();
    const struct
    {
        const char* tab;
        Stops stops;
    } tabs[] = {
        {"General",
         {{"Start at login", &window.startAtLoginToggle()},
          {"Recent colors to keep", window.recentLimitChoice()}}},
        {"Formats",
         {{"format list", &formats.formatList()},
          {"Move Up", &formats.moveUpButton()},
          {"Move Down", &formats.moveDownButton()},
          {"Remove", &formats.removeButton()},
          {"Copied on a pick", &formats.copiedChoice()},
          {"template name", &formats.templateName()},
          {"template", &formats.templateText()},
          {"Add", &formats.addButton()}}},
        {"Picking",
         {{"Pick a color with a key", &key.toggle()},
          {"key chooser", &key.keyChooser()},
          {"command", &key.command()},
          {"Copy", &key.copyButton()}}},
        {"About",
         {{"Check for Updates", &window.checkForUpdatesButton()},
          {"Get early-access updates", &window.betaToggle()}}},
    };
    QTabBar* bar = window.tabs().tabBar();
    for (const auto& t : tabs) {
        SCOPED_TRACE(t.tab);
        showTab(window, QString::fromLatin1(t.tab));
        settle();
        // What Tab (or Shift+Tab) reaches from the tab bar until it is back there.
        const auto walk = [&](Qt::Key tabKey) {
            bar->setFocus(Qt::TabFocusReason);
            QStringList reached;
            for (size_t i = 0; i <= t.stops.size(); ++i) {
                QTest::keyClick(QApplication::focusWidget(), tabKey);
                const QWidget* focused = QApplication::focusWidget();
                QString name = focused == bar
                                   ? QStringLiteral("tab bar")
                                   : QString::fromLatin1(focused->metaObject()->className());
                for (const auto& [stopName, stop] : t.stops) {
                    if (stop == focused || stop->isAncestorOf(focused))
                        name = stopName;
                }
                reached.append(name);
            }
            return reached;
        };
        QStringList forward;
        for (const auto& stop : t.stops)
            forward.append(stop.first);
        QStringList backward(forward.rbegin(), forward.rend());
        forward.append(QStringLiteral("tab bar"));
        backward.append(QStringLiteral("tab bar"));
        EXPECT_EQ(walk(Qt::Key_Tab), forward);
        EXPECT_EQ(walk(Qt::Key_Backtab), backward);

        // The order is the reading order: each control below the one before, or beside it on
        // its right.
        for (size_t i = 1; i < t.stops.size(); ++i) {
            const auto place = [&](const QWidget* w) {
                return QRect(w->mapTo(&window, QPoint()), w->size());
            };
            const QRect before = place(t.stops[i - 1].second);
            const QRect after = place(t.stops[i].second);
            const bool below = after.top() > before.bottom();
            const bool beside = after.top() <= before.bottom() && after.left() > before.right();
            EXPECT_TRUE(below || beside) << t.stops[i].first.toStdString();
        }
    }
}

// Ctrl+Tab and Ctrl+PageDown show the next tab, Ctrl+Shift+Tab and Ctrl+PageUp the one
// before, round the ends; from the tab bar or from inside a page, even from the format list,
// which would take Ctrl+PageDown as a page down. From a page the focus moves into the new one.
TEST_F(FullWindow, CtrlTabAndCtrlPageDownSwitchTabsWhereverTheFocusIs)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTabBar* bar = window.tabs().tabBar();
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    const struct
    {
        const char* from;
        int tab;
        QWidget* focus;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int shown;
    } cases[] = {
        {"tab bar", 0, bar, Qt::Key_Tab, ctrl, 1},
        {"tab bar, round the start", 0, bar, Qt::Key_Backtab, ctrlShift, 3},
        {"tab bar, round the end", 3, bar, Qt::Key_PageDown, ctrl, 0},
        {"toggle", 0, &window.startAtLoginToggle(), Qt::Key_PageDown, ctrl, 1},
        {"choice", 0, window.recentLimitChoice(), Qt::Key_Tab, ctrl, 1},
        {"format list", 1, &section().formatList(), Qt::Key_PageDown, ctrl, 2},
        {"format list, back", 1, &section().formatList(), Qt::Key_PageUp, ctrl, 0},
        {"template", 1, &section().templateText(), Qt::Key_Backtab, ctrlShift, 0},
        {"toggle, back", 3, &window.betaToggle(), Qt::Key_PageUp, ctrl, 2},
        {"key toggle", 2, &window.pickKeySection()->toggle(), Qt::Key_PageDown, ctrl, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        window.tabs().setCurrentIndex(c.tab);
        c.focus->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), c.focus);
        QTest::keyClick(c.focus, c.key, c.modifiers);
        EXPECT_EQ(window.tabs().currentIndex(), c.shown);
        if (c.focus == bar)
            EXPECT_EQ(QApplication::focusWidget(), bar);
        else
            EXPECT_TRUE(window.tabs().page(c.shown)->isAncestorOf(QApplication::focusWidget()));
    }
}

TEST_F(FullWindow, ChecksOrderAndTheCopiedChoiceReachThePanelAndThePick)
{
    item(QStringLiteral("oklch"))->setCheckState(Qt::Checked);
    EXPECT_EQ(rowLabels(), QStringList({"HEX", "RGB", "HSL", "OKLCH"}));
    item(QStringLiteral("hex"))->setCheckState(Qt::Unchecked);
    EXPECT_EQ(rowLabels(), QStringList({"RGB", "HSL", "OKLCH"}));

    section().formatList().setCurrentItem(item(QStringLiteral("oklch")));
    EXPECT_FALSE(section().removeButton().isEnabled()) << "a built-in cannot be removed";
    QTest::mouseClick(&section().moveUpButton(), Qt::LeftButton);
    QTest::mouseClick(&section().moveUpButton(), Qt::LeftButton);
    EXPECT_EQ(rowLabels(), QStringList({"OKLCH", "RGB", "HSL"}));
    EXPECT_EQ(store.stringForKey(QStringLiteral("colorpicker.formats.shown")),
              QStringLiteral(R"(["oklch","rgb","hsl"])"));
    EXPECT_EQ(section().formatList().currentItem(), item(QStringLiteral("oklch")));

    const int cssRgb = section().copiedChoice().findData(QStringLiteral("css-rgb"));
    section().copiedChoice().setCurrentIndex(cssRgb);
    emit section().copiedChoice().activated(cssRgb);
    picker.adopt({58, 123, 213});
    EXPECT_EQ(clipboard.text, QStringLiteral("rgb(58 123 213)"));
    EXPECT_EQ(picker.copyConfirmation(), std::optional<QString>("rgb() copied"));
}

TEST_F(FullWindow, AddsATemplateOnlyWhenItWorksAndRemovesIt)
{
    window.show();
    showTab(window, FormatsSection::title());
    QTest::keyClicks(&section().templateName(), QStringLiteral("Flutter"));
    QTest::keyClicks(&section().templateText(), QStringLiteral("Color(0x{alpha}{hex})"));
    QTest::mouseClick(&section().addButton(), Qt::LeftButton);
    EXPECT_EQ(section().templateProblem().text(),
              QStringLiteral("Not added: unknown placeholder \"{alpha}\"."));
    settle();
    EXPECT_FALSE(window.tabs().scrollArea(1)->verticalScrollBar()->isVisible())
        << "the list makes room for the reason";
    EXPECT_FALSE(store.contains(QStringLiteral("colorpicker.formats.templates")));
    EXPECT_EQ(listed().size(), 18);

    section().templateText().setText(QStringLiteral("Color(0xFF{hex})"));
    QTest::keyClick(&section().templateText(), Qt::Key_Return);
    EXPECT_EQ(section().templateProblem().text(), QString());
    EXPECT_EQ(section().templateName().text(), QString());
    EXPECT_TRUE(listed().contains("[x] Flutter — Color(0xFF3A7BD5)"));
    EXPECT_EQ(rowLabels(), QStringList({"HEX", "RGB", "HSL", "Flutter"}));
    picker.adopt({58, 123, 213});
    EXPECT_EQ(panel.valueRows().last()->valueLabel()->text(), QStringLiteral("Color(0xFF3A7BD5)"));

    section().formatList().setCurrentItem(item(QStringLiteral("template-1")));
    ASSERT_TRUE(section().removeButton().isEnabled());
    QTest::mouseClick(&section().removeButton(), Qt::LeftButton);
    EXPECT_EQ(listed().size(), 18);
    EXPECT_EQ(rowLabels(), QStringList({"HEX", "RGB", "HSL"}));
}

// "Recent colors to keep" sets how many the following picks keep and the panel shows.
TEST_F(FullWindow, RecentColoursToKeepSetsHowManyThePanelShows)
{
    for (int i = 1; i <= 20; ++i)
        picker.adopt(PickedColor{0, 0, std::uint8_t(i)});
    QComboBox& choice = *window.recentLimitChoice();
    EXPECT_EQ(choice.currentText(), "8");
    EXPECT_EQ(panel.recentsSection()->chips().size(), 8);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(window.rect().contains(choice.mapTo(&window, choice.rect().bottomRight())));
    choice.setFocus();
    QTest::keyClick(&choice, Qt::Key_Down);
    EXPECT_EQ(choice.currentText(), "16");
    EXPECT_EQ(store.stringForKey(QStringLiteral("colorpicker.recentLimit")), "16");
    for (int i = 21; i <= 40; ++i)
        picker.adopt(PickedColor{0, 0, std::uint8_t(i)});
    EXPECT_EQ(panel.recentsSection()->chips().size(), 16);
}

// A length chosen by another process shows in the choice.
TEST_F(FullWindow, RecentColoursToKeepFollowsALengthChosenElsewhere)
{
    store.changeElsewhere({{QStringLiteral("colorpicker.recentLimit"), QStringLiteral("32")}});
    EXPECT_EQ(window.recentLimitChoice()->currentText(), "32");
}

// The choices in the preferences file, read back by the next launch; ids this version does
// not know survive the user's change.
TEST(FormatsOnDisk, ChoicesSurviveARelaunchWithUnknownIdsKept)
{
    QTemporaryDir home;
    const QString path = home.filePath(QStringLiteral("morvane/colorpicker.conf"));
    QDir().mkpath(QFileInfo(path).path());
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[General]\ncolorpicker.currentHex=#3A7BD5\n");
        file.write("colorpicker.formats.shown=\"[\\\"future-id\\\",\\\"hsl\\\"]\"\n");
    }
    RecordingClipboard clipboard;
    ScriptedScreenSampler sampler;
    {
        SettingsPreferencesStore store(path);
        PickerOverStore launched(store, sampler, clipboard);
        ColorPickerModel& picker = launched.model;
        ASSERT_EQ(picker.shownFormats().size(), 1);
        picker.setShownFormats({QStringLiteral("hsl"), QStringLiteral("css-hwb")});
        picker.setCopiedFormat(QStringLiteral("vec3"));
        ASSERT_EQ(picker.addTemplate(QStringLiteral("Quoted \"name\", with = and ;"),
                                     QStringLiteral("{{\"r\": {r}}} ; x=1")),
                  std::nullopt);
    }
    SettingsPreferencesStore store(path);
    PickerOverStore launched(store, sampler, clipboard);
    const ColorPickerModel& relaunched = launched.model;
    QStringList ids;
    for (const ColorFormat& format : relaunched.shownFormats())
        ids.append(format.id);
    EXPECT_EQ(ids, QStringList({"hsl", "css-hwb", "template-1"}));
    EXPECT_EQ(relaunched.shownFormats().last().format({58, 123, 213}),
              QStringLiteral("{\"r\": 58} ; x=1"));
    EXPECT_EQ(relaunched.copiedFormat().id, QStringLiteral("vec3"));
    EXPECT_EQ(store.stringForKey(QStringLiteral("colorpicker.formats.shown")),
              QStringLiteral(R"(["hsl","css-hwb","template-1","future-id"])"));
}

// A page taller than its room scrolls: the tabs keep their size, the page the room's width,
// and a control that takes the focus out of sight (Shift+Tab from the tab bar reaches the
// last one) is scrolled into view.
TEST(SettingsTabsTest, ATallPageScrollsToTheFocusedControl)
{
    SettingsTabs tabs;
    tabs.setFixedSize(300, 200);
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    QList<QCheckBox*> options;
    for (int i = 1; i <= 20; ++i) {
        options.append(new QCheckBox(QStringLiteral("Option %1").arg(i)));
        column->addWidget(options.last());
    }
    tabs.addPage(page, QStringLiteral("Long"));
    tabs.addPage(new QWidget, QStringLiteral("Empty"));
    tabs.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tabs));

    const QScrollArea& area = *tabs.scrollArea(0);
    const auto inSight = [&area](const QWidget* w) {
        return area.viewport()->rect().contains(
            QRect(w->mapTo(area.viewport(), QPoint()), w->size()));
    };
    EXPECT_EQ(tabs.size(), QSize(300, 200));
    EXPECT_TRUE(area.verticalScrollBar()->isVisible());
    EXPECT_EQ(page->width(), area.viewport()->width());
    EXPECT_FALSE(inSight(options.last()));

    tabs.tabBar()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(tabs.tabBar(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), options.last());
    EXPECT_TRUE(inSight(options.last()));
    EXPECT_FALSE(inSight(options.first()));
    QTest::keyClick(options.last(), Qt::Key_Tab);
    QTest::keyClick(tabs.tabBar(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), options.first());
    EXPECT_TRUE(inSight(options.first()));
}

// Tab follows where the layouts place the controls, not the order they joined the page in: a
// row inserted above the others later, a form row inserted first, a row's left button added
// after its right one.
TEST(SettingsTabsTest, TabFollowsTheLayoutsNotTheOrderControlsJoined)
{
    SettingsTabs tabs;
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* below = new QCheckBox(QStringLiteral("below"));
    column->addWidget(below);
    auto* buttons = new QHBoxLayout;
    column->insertLayout(0, buttons);
    auto* right = new QPushButton(QStringLiteral("right"));
    buttons->addWidget(right);
    auto* left = new QPushButton(QStringLiteral("left"));
    buttons->insertWidget(0, left);
    auto* form = new QFormLayout;
    column->insertLayout(0, form);
    auto* second = new QLineEdit;
    form->addRow(QStringLiteral("second"), second);
    auto* first = new QLineEdit;
    form->insertRow(0, QStringLiteral("first"), first);
    tabs.addPage(page, QStringLiteral("Page"));
    tabs.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tabs));

    const QList<QWidget*> reading{first, second, left, right, below, tabs.tabBar()};
    tabs.tabBar()->setFocus(Qt::TabFocusReason);
    QList<QWidget*> reached;
    for (qsizetype i = 0; i < reading.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.append(QApplication::focusWidget());
    }
    EXPECT_EQ(reached, reading);
}
