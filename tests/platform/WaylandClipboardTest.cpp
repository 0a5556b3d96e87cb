// The focus-aware clipboard on Qt's offscreen platform: focus and the clipboard behave like a
// compositor's from the application's side, and the test decides when focus arrives.
#include "platform/clipboard/WaylandClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

class WaylandClipboardTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        // No window of the application has focus at the start.
        m_window.hide();
        (void)QTest::qWaitFor([] { return QGuiApplication::focusWindow() == nullptr; }, 2000);
        ASSERT_EQ(QGuiApplication::focusWindow(), nullptr);
    }

    void showAndActivate()
    {
        m_window.show();
        m_window.activateWindow();
    }

    // Runs setText and returns its completion; fails unless it comes exactly once.
    std::optional<bool> copy(WaylandClipboard& clipboard, const QString& text)
    {
        int calls = 0;
        std::optional<bool> copied;
        clipboard.setText(text, [&](bool done) {
            ++calls;
            copied = done;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 5000));
        QTest::qWait(100);
        EXPECT_EQ(calls, 1);
        return copied;
    }

    static constexpr WaylandClipboard::Timing timing{300ms, 50ms};
    QWidget m_window;
};

TEST_F(WaylandClipboardTest, CopiesAtOnceWhenAWindowHasFocus)
{
    showAndActivate();
    ASSERT_TRUE(QTest::qWaitFor([] { return QGuiApplication::focusWindow() != nullptr; }, 2000));
    int broughtForward = 0;
    WaylandClipboard clipboard([&] { ++broughtForward; }, timing);

    EXPECT_EQ(copy(clipboard, QStringLiteral("#3A7BD5")), true);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("#3A7BD5"));
    EXPECT_EQ(broughtForward, 0);
}

TEST_F(WaylandClipboardTest, BringsAWindowForwardAndCopiesOnceItHasFocus)
{
    int broughtForward = 0;
    QString clipboardWhenFocused;
    WaylandClipboard clipboard(
        [&] {
            ++broughtForward;
            showAndActivate();
        },
        timing);
    // Nothing is copied before the focus arrives: the compositor would refuse it.
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &m_window,
                     [&] { clipboardWhenFocused = QGuiApplication::clipboard()->text(); });

    EXPECT_EQ(copy(clipboard, QStringLiteral("#3A7BD5")), true);
    EXPECT_EQ(broughtForward, 1);
    EXPECT_EQ(clipboardWhenFocused, QStringLiteral("before"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("#3A7BD5"));
}

TEST_F(WaylandClipboardTest, ReportsNoCopyWhenFocusNeverComes)
{
    WaylandClipboard clipboard([] {}, timing);

    EXPECT_EQ(copy(clipboard, QStringLiteral("#3A7BD5")), false);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
}

TEST_F(WaylandClipboardTest, ReportsNoCopyWhenTheTextDoesNotStick)
{
    showAndActivate();
    ASSERT_TRUE(QTest::qWaitFor([] { return QGuiApplication::focusWindow() != nullptr; }, 2000));
    WaylandClipboard clipboard({}, timing);
    // As a compositor that refuses the selection: the clipboard turns empty right after.
    const auto refusal =
        QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &m_window, [] {
            if (!QGuiApplication::clipboard()->text().isEmpty())
                QGuiApplication::clipboard()->clear();
        });

    EXPECT_EQ(copy(clipboard, QStringLiteral("#3A7BD5")), false);
    QObject::disconnect(refusal);
}

TEST_F(WaylandClipboardTest, ANewerCopySupersedesOneWaitingForFocus)
{
    WaylandClipboard clipboard([] {}, timing);
    std::optional<bool> first;
    clipboard.setText(QStringLiteral("#000000"), [&](bool done) { first = done; });
    ASSERT_FALSE(first.has_value());

    clipboard.setText(QStringLiteral("#FFFFFF"), [](bool) {});
    EXPECT_EQ(first, false);
}

TEST_F(WaylandClipboardTest, ShowsItsOwnWindowWhenGivenNone)
{
    WaylandClipboard clipboard({}, timing);

    EXPECT_EQ(copy(clipboard, QStringLiteral("#12AB34")), true);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("#12AB34"));
}

} // namespace
