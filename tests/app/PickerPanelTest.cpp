#include "PickerPanel.h"
#include "AppFakes.h"
#include "PanelPlacement.h"
#include "PickerView.h"
#include "TrayController.h"

#include "PickButton.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(PanelPlacement, AnchorsBelowOrAboveByScreenEdgeAndStaysOnScreen)
{
    const QRect screen(0, 0, 1920, 1080);
    const QRect available(0, 28, 1920, 1052); // a top panel takes 28
    const QSize panel(300, 400);
    struct Case
    {
        const char* name;
        QRect anchor;
        QRect area;
        QPoint expected;
    };
    const std::vector<Case> cases{
        {"icon in a top panel", QRect(1000, 2, 24, 24), available, QPoint(862, 30)},
        {"icon at the top-right corner", QRect(1890, 2, 24, 24), available, QPoint(1620, 30)},
        {"icon in a bottom panel", QRect(1800, 1050, 24, 24), QRect(0, 0, 1920, 1044),
         QPoint(1620, 1044 - 400)},
        {"icon in a left bottom corner", QRect(2, 1050, 24, 24), QRect(0, 0, 1920, 1044),
         QPoint(0, 644)},
        {"pointer in the upper half", QRect(400, 300, 1, 1), screen, QPoint(251, 305)},
        {"pointer in the lower half", QRect(400, 900, 1, 1), screen, QPoint(251, 496)},
        {"screen smaller than the panel", QRect(100, 10, 24, 24), QRect(0, 0, 250, 300),
         QPoint(0, 0)},
        {"second monitor", QRect(2900, 2, 24, 24), QRect(1920, 28, 1280, 996), QPoint(2762, 30)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PanelPlacement::topLeft(c.anchor, panel, c.area), c.expected);
    }
}

class PickerPanelTest : public testing::Test, public PickerHarness
{
protected:
    PickerPanel panel{picker};
};

TEST_F(PickerPanelTest, IsAFramelessPopup300Wide)
{
    panel.showAnchored(QRect(500, 0, 24, 24));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));

    EXPECT_TRUE(panel.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(panel.windowType(), Qt::Popup);
    EXPECT_EQ(panel.width(), 300);
    EXPECT_EQ(panel.view()->width(), 300);
    EXPECT_EQ(panel.pos().y(), 24 + PanelPlacement::gap);
}

TEST_F(PickerPanelTest, GrowsWhenRecentColoursAppear)
{
    panel.showAnchored(QRect(500, 0, 24, 24));
    const int emptyHeight = panel.height();
    picker.adopt(color("#3A7BD5"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.height() > emptyHeight + 26; }));
    EXPECT_EQ(panel.width(), 300);
}

TEST_F(PickerPanelTest, EscapeCloses)
{
    panel.showAnchored(QRect());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    QTest::keyClick(&panel, Qt::Key_Escape);
    EXPECT_FALSE(panel.isVisible());
    EXPECT_TRUE(panel.closedJustNow());
}

TEST_F(PickerPanelTest, StepsAsideWhileSamplingAndReturnsAfterThePick)
{
    struct Case
    {
        const char* name;
        std::optional<SrgbComponents> answer;
    };
    for (const Case& c : {Case{"a colour", SrgbComponents{1, 0, 0}}, Case{"dismissed", {}}}) {
        SCOPED_TRACE(c.name);
        panel.showAnchored(QRect(500, 0, 24, 24));
        const QPoint place = panel.pos();

        picker.pickColor();
        EXPECT_FALSE(panel.isVisible());

        sampler.answer(c.answer);
        ASSERT_TRUE(QTest::qWaitFor([&] { return panel.isVisible(); }));
        EXPECT_EQ(panel.pos(), place);
    }
    EXPECT_EQ(picker.current(), color("#FF0000"));
}

TEST_F(PickerPanelTest, KeyboardFocusReturnsToThePickButtonAfterThePick)
{
    struct Case
    {
        const char* name;
        std::optional<SrgbComponents> answer;
    };
    // Without a colour the rows' copy buttons are disabled, and the footer's link is next.
    for (const Case& c :
         {Case{"dismissed, no colour yet", {}}, Case{"a colour", SrgbComponents{1, 0, 0}},
          Case{"dismissed, with a colour", {}}}) {
        SCOPED_TRACE(c.name);
        panel.showAnchored(QRect(500, 0, 24, 24));
        ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
        PickButton* button = panel.view()->pickButton();
        button->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), button);

        QTest::keyClick(button, Qt::Key_Space);
        ASSERT_TRUE(picker.isSampling());
        sampler.answer(c.answer);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return panel.isActiveWindow() && !picker.isSampling(); }));
        EXPECT_EQ(QApplication::focusWidget(), button)
            << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className()
                                            : "nothing");
    }
}

TEST_F(PickerPanelTest, SaysWhatKeepsPickingFromWorkingUntilAPickRuns)
{
    panel.showAnchored(QRect(500, 0, 24, 24));
    QLabel* notice = panel.view()->pickNotice();
    EXPECT_FALSE(notice->isVisible());
    const int height = panel.height();

    const std::string missing =
        "Screen picking needs the desktop portal (xdg-desktop-portal) with a screenshot back-end.";
    sampler.reason = missing;
    picker.pickColor();
    sampler.answer(std::nullopt);
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.isVisible(); }));
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), QString::fromStdString(missing));
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel.height() > height; }));
    EXPECT_EQ(picker.current(), std::nullopt); // the pick itself ended as a dismissal

    sampler.reason.clear();
    picker.pickColor();
    sampler.answer(SrgbComponents{0, 0, 1});
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.isVisible(); }));
    EXPECT_FALSE(notice->isVisible());
}

TEST_F(PickerPanelTest, StaysClosedAfterAPickStartedWhileClosed)
{
    picker.pickColor();
    sampler.answer(SrgbComponents{0, 1, 0});
    ASSERT_TRUE(QTest::qWaitFor([&] { return picker.current() == color("#00FF00"); }));
    QCoreApplication::processEvents();
    EXPECT_FALSE(panel.isVisible());
}

class TrayControllerTest : public testing::Test, public PickerHarness
{
protected:
    TrayController tray{picker};

    QAction* action(const QString& text)
    {
        for (QAction* action : tray.contextMenu()->actions()) {
            if (action->text() == text)
                return action;
        }
        return nullptr;
    }
};

TEST_F(TrayControllerTest, ContextMenuOpensPicksAndAsksForSettings)
{
    QSignalSpy settings(&tray, &TrayController::settingsRequested);
    ASSERT_NE(action("Open Color Picker"), nullptr);
    ASSERT_NE(action("Pick a color"), nullptr);
    ASSERT_NE(action("Settings\u2026"), nullptr);
    ASSERT_NE(action("Quit"), nullptr);

    action("Open Color Picker")->trigger();
    EXPECT_TRUE(tray.panel()->isVisible());
    action("Settings\u2026")->trigger();
    EXPECT_EQ(settings.count(), 1);
    action("Pick a color")->trigger();
    EXPECT_TRUE(picker.isSampling());
    EXPECT_TRUE(sampler.pending != nullptr);
}

TEST_F(TrayControllerTest, ClickTogglesThePanelAndTheGearClosesIt)
{
    QSignalSpy settings(&tray, &TrayController::settingsRequested);
    tray.togglePanel();
    EXPECT_TRUE(tray.panel()->isVisible());
    tray.togglePanel();
    EXPECT_FALSE(tray.panel()->isVisible());
    tray.togglePanel(); // the same click that closed the popup from outside
    EXPECT_FALSE(tray.panel()->isVisible());

    tray.openPanel();
    emit tray.panel()->view()->settingsRequested();
    EXPECT_FALSE(tray.panel()->isVisible());
    EXPECT_EQ(settings.count(), 1);
}

TEST(TrayArtwork, DarkAndLightVariantsReadAt18)
{
    for (const bool forDarkPanel : {false, true}) {
        SCOPED_TRACE(forDarkPanel ? "light artwork" : "dark artwork");
        const QImage image = TrayController::trayArtwork(forDarkPanel)
                                 .pixmap(18, 18)
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(18, 18));
        int ink = 0;
        for (int y = 0; y < 18; ++y) {
            for (int x = 0; x < 18; ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (qAlpha(pixel) < 200)
                    continue;
                ++ink;
                // Monochrome: every solid pixel is the variant's one grey.
                EXPECT_EQ(qGray(pixel) > 128, forDarkPanel);
            }
        }
        EXPECT_GT(ink, 25);
    }
}

} // namespace
