#include "app/panel/PickerPanel.h"
#include "AppFakes.h"
#include "app/panel/PanelPlacement.h"
#include "app/panel/PickerView.h"
#include "app/panel/TrayController.h"

#include "app/panel/PickButton.h"
#include "app/panel/ValueRow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

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
    PickerPanel panel{picker, offscreenSession()};
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

// The accessible name of the widget with keyboard focus after each key, joined by " | ".
std::string focusAfter(QWidget& window,
                       const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>& keys)
{
    QStringList names;
    for (const auto& [key, modifiers] : keys) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window, key,
                        modifiers);
        QWidget* focus = QApplication::focusWidget();
        names.append(focus ? focus->accessibleName() : QStringLiteral("(nothing)"));
    }
    return names.join(QLatin1String(" | ")).toStdString();
}

TEST_F(PickerPanelTest, TheKeyboardAloneReachesAndPressesEveryControl)
{
    for (const char* hex : {"#111111", "#222222", "#333333"})
        picker.adopt(color(hex));
    panel.showAnchored(QRect(500, 0, 24, 24));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
    // Opening puts the focus on "Pick a color".
    ASSERT_EQ(QApplication::focusWidget(), panel.view()->pickButton());

    const auto tab = std::pair{Qt::Key_Tab, Qt::KeyboardModifiers()};
    const auto backTab = std::pair{Qt::Key_Backtab, Qt::KeyboardModifiers(Qt::ShiftModifier)};
    const auto right = std::pair{Qt::Key_Right, Qt::KeyboardModifiers()};
    const auto left = std::pair{Qt::Key_Left, Qt::KeyboardModifiers()};
    const auto end = std::pair{Qt::Key_End, Qt::KeyboardModifiers()};
    const auto recent = [](const char* hex) {
        const QString place = QString::fromLatin1(hex) == QLatin1String("333333")   ? "1"
                              : QString::fromLatin1(hex) == QLatin1String("222222") ? "2"
                                                                                    : "3";
        return QStringLiteral("Recent color #%1, %2 of 3").arg(QLatin1String(hex), place);
    };
    // Tab: the copy buttons, the recent colours as one stop, the footer, around to the start.
    EXPECT_EQ(focusAfter(panel, {tab, tab, tab, tab, tab, tab, tab, tab}),
              (QStringList{"Copy HEX #333333", "Copy RGB 51, 51, 51", "Copy HSL 0\u00B0, 0%, 20%",
                           recent("333333"), "Open the web color picker in your browser",
                           "Settings", "Quit Morvane Color Picker", "Pick a color"}
                   .join(QLatin1String(" | "))
                   .toStdString()));
    // Within the recent colours the arrows move, and stop at the ends; Tab leaves from the
    // chip last focused, and Shift+Tab comes back to it.
    EXPECT_EQ(focusAfter(panel, {backTab, backTab, backTab, backTab, right, right, right, left, end,
                                 tab, backTab}),
              (QStringList{"Quit Morvane Color Picker", "Settings",
                           "Open the web color picker in your browser", recent("333333"),
                           recent("222222"), recent("111111"), recent("111111"), recent("222222"),
                           recent("111111"), "Open the web color picker in your browser",
                           recent("111111")}
                   .join(QLatin1String(" | "))
                   .toStdString()));

    // While a contrast is shown, its Close comes between the copy buttons and the recent
    // colours.
    picker.compareWith(color("#FFFFFF"));
    panel.view()->valueRows().last()->findChild<QAbstractButton*>()->setFocus();
    EXPECT_EQ(focusAfter(panel, {tab, tab}),
              (QStringList{"Close", recent("111111")}.join(QLatin1String(" | ")).toStdString()));
    picker.closeContrast();

    // Enter and Space press the focused control.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(picker.current(), color("#111111"));
    panel.view()->valueRows().at(0)->findChild<QAbstractButton*>()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    EXPECT_EQ(clipboard.text, QStringLiteral("#111111"));
    panel.view()->pickButton()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(picker.isSampling());
    sampler.answer({});
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
    TrayController tray{picker, offscreenSession()};

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

// The panel is made in idle time after the item shows, not by the first click, and a click
// that comes sooner still gets its panel.
TEST_F(TrayControllerTest, BuildsThePanelInIdleTimeAfterShowing)
{
    const auto panels = [] {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            count += qobject_cast<PickerPanel*>(widget) != nullptr;
        return count;
    };
    ASSERT_EQ(panels(), 0);
    tray.show();
    EXPECT_EQ(panels(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return panels() == 1; }, 5000));
    EXPECT_FALSE(tray.panel()->isVisible());
    tray.openPanel();
    EXPECT_TRUE(tray.panel()->isVisible());
    EXPECT_EQ(panels(), 1);

    TrayController early{picker, offscreenSession()};
    early.show();
    early.openPanel(); // before the idle build
    EXPECT_TRUE(early.panel()->isVisible());
    QTest::qWait(
        int((TrayController::panelPreparationDelay + std::chrono::milliseconds(200)).count()));
    EXPECT_TRUE(early.panel()->isVisible());
    EXPECT_EQ(panels(), 2);
}

// WCAG relative luminance and contrast ratio.
double luminance(QRgb colour)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
           0.0722 * linear(qBlue(colour));
}

double contrast(QRgb a, QRgb b)
{
    const double first = luminance(a);
    const double second = luminance(b);
    const double dark = std::min(first, second);
    const double light = std::max(first, second);
    return (light + 0.05) / (dark + 0.05);
}

// How the icon reads on a bar: the pixels it changes, and those that stand out at 3:1.
struct Reading
{
    int ink = 0;
    int strong = 0;
    QRect inkBounds, strongBounds;
};

Reading readOn(const QImage& shown, QRgb bar)
{
    Reading reading;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb pixel = shown.pixel(x, y);
            if (contrast(pixel, bar) < 1.05)
                continue;
            ++reading.ink;
            reading.inkBounds |= QRect(x, y, 1, 1);
            if (contrast(pixel, bar) >= 3.0) {
                ++reading.strong;
                reading.strongBounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return reading;
}

// The icon on a bar as each kind of tray host shows it: an XEmbed tray (trayer, as Qt paints
// into the embedded window over the tray's tint) and a StatusNotifierItem host (the host
// scales the largest pixmap it was sent and draws it on its bar).
QImage onBar(const QIcon& icon, QRgb bar, int side, bool statusNotifierHost)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(bar);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (statusNotifierHost)
        painter.drawImage(image.rect(), icon.pixmap(QSize(64, 64)).toImage());
    else
        icon.paint(&painter, image.rect());
    painter.end();
    return image;
}

TEST(TrayArtwork, ReadsAtThreeToOneOnLightAndDarkTraysInEitherTheme)
{
    const QPalette saved = QApplication::palette();
    const QRgb bars[] = {0xFFFFFF, 0xDCDAD5, 0xEFEFEF, 0x000000, 0x202020, 0x323232};
    for (const bool darkTheme : {false, true}) {
        QPalette palette;
        palette.setColor(QPalette::Window, darkTheme ? QColor(0x30, 0x30, 0x30) : Qt::white);
        palette.setColor(QPalette::WindowText, darkTheme ? Qt::white : Qt::black);
        QApplication::setPalette(palette);
        PickerHarness harness;
        TrayController tray{harness.picker, offscreenSession()};
        const QIcon icon = tray.trayIcon()->icon();
        for (const bool statusNotifierHost : {false, true}) {
            for (const QRgb bar : bars) {
                for (const int side : {16, 22, 24, 32}) {
                    SCOPED_TRACE(testing::Message()
                                 << (darkTheme ? "dark" : "light") << " theme, "
                                 << (statusNotifierHost ? "StatusNotifierItem" : "XEmbed")
                                 << " host, bar " << QColor(bar).name().toStdString() << ", "
                                 << side << " px");
                    const Reading reading = readOn(onBar(icon, bar, side, statusNotifierHost), bar);
                    // A third of what it draws stands out (an outline does on a light bar, the fill
                    // on a dark one), across its whole extent, not a few dots.
                    if (reading.ink <= side * side / 8) {
                        ADD_FAILURE() << "the icon barely changes the bar: " << reading.ink;
                        continue;
                    }
                    EXPECT_GE(reading.strong, reading.ink / 3)
                        << reading.strong << " of " << reading.ink;
                    EXPECT_GE(reading.strongBounds.width(), reading.inkBounds.width() * 4 / 5);
                    EXPECT_GE(reading.strongBounds.height(), reading.inkBounds.height() * 4 / 5);
                }
            }
        }
    }
    QApplication::setPalette(saved);
}

} // namespace

TEST_F(TrayControllerTest, PasteColorTakesTheClipboardsColour)
{
    ASSERT_NE(action("Paste color"), nullptr);
    clipboard.text = QStringLiteral("58, 123, 213");
    action("Paste color")->trigger();
    EXPECT_EQ(picker.currentHex(), QStringLiteral("#3A7BD5"));
    EXPECT_EQ(clipboard.copies, 0);
}
