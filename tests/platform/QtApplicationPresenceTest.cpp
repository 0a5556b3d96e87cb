#include "platform/desktop/QtApplicationPresence.h"
#include "platform/desktop/X11TaskbarState.h"

#include <QGuiApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

} // namespace

TEST(QtApplicationPresence, OnlyVisibleOrdinaryWindowsKeepTheApplicationRegular)
{
    QtApplicationPresence presence;
    EXPECT_FALSE(presence.hasVisibleOrdinaryWindow()) << "no window at all";

    const struct
    {
        const char* name;
        Qt::WindowFlags flags;
        bool ordinary;
    } cases[] = {
        {"window", Qt::Window, true},
        {"dialog", Qt::Dialog, true},
        {"frameless window", Qt::Window | Qt::FramelessWindowHint, true},
        {"popup panel", Qt::Popup | Qt::FramelessWindowHint, false},
        {"tool panel", Qt::Tool | Qt::FramelessWindowHint, false},
        {"tooltip", Qt::ToolTip, false},
        {"unmanaged (tray icon)", Qt::Window | Qt::BypassWindowManagerHint, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget window(nullptr, c.flags);
        window.resize(50, 50);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_EQ(presence.hasVisibleOrdinaryWindow(), c.ordinary);
        window.hide();
        EXPECT_FALSE(presence.hasVisibleOrdinaryWindow()) << "hidden windows do not count";
    }
}

TEST(QtApplicationPresence, ActivateRaisesAndFocusesTheVisibleOrdinaryWindow)
{
    QtApplicationPresence presence;
    presence.activate(); // nothing to bring forward: no effect, no crash
    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    presence.activate();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

TEST(QtApplicationPresence, AccessoryWindowsSkipTheTaskbarOnX11)
{
    if (!onX11())
        GTEST_SKIP() << "needs an X server";
    QtApplicationPresence presence;
    presence.setActivationPolicy(ActivationPolicy::accessory);
    EXPECT_EQ(presence.activationPolicy(), ActivationPolicy::accessory);

    QWidget shownLater;
    shownLater.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shownLater));
    EXPECT_TRUE(X11TaskbarState::skipsTaskbar(*shownLater.windowHandle()));

    QWidget panel(nullptr, Qt::Popup);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    EXPECT_FALSE(X11TaskbarState::skipsTaskbar(*panel.windowHandle())) << "not an ordinary window";
    panel.hide();

    // An unmapped window takes the regular state directly (a mapped one asks the window
    // manager, which this bare server lacks).
    shownLater.hide();
    presence.setActivationPolicy(ActivationPolicy::regular);
    EXPECT_FALSE(X11TaskbarState::skipsTaskbar(*shownLater.windowHandle()));
}
