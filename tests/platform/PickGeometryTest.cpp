// Where a pick reads its pixel and where the loupe goes: pure geometry, no display needed.
#include "MagnifierLoupe.h"
#include "ScreenPixel.h"
#include "WlrootsPickSurface.h"

#include <gtest/gtest.h>

namespace {

TEST(DevicePixelAtTest, OffsetsAndScaleFactorsGiveTheDevicePixel)
{
    struct Case
    {
        QPointF global;
        QRect screen; // logical geometry
        qreal ratio;
        QPoint expected;
    };
    const Case cases[] = {
        {{0, 0}, {0, 0, 1920, 1080}, 1, {0, 0}},
        {{1919, 1079}, {0, 0, 1920, 1080}, 1, {1919, 1079}},
        // A second monitor right of and below the first: its own grab starts at zero.
        {{1920, 200}, {1920, 200, 1280, 1024}, 1, {0, 0}},
        {{2000.5, 300.25}, {1920, 200, 1280, 1024}, 1, {80, 100}},
        // Scale 2 on a monitor at an offset: the offset is logical, taken before scaling.
        {{1920 + 100, 50}, {1920, 0, 1280, 720}, 2, {200, 100}},
        {{1920 + 100.5, 50.5}, {1920, 0, 1280, 720}, 2, {201, 101}},
        // Scale 1.5: positions computed from device pixels come back to the same pixel.
        {{1199 / 1.5, 749 / 1.5}, {0, 0, 800, 500}, 1.5, {1199, 749}},
        {{-1280 + 1 / 1.5, 0}, {-1280, 0, 1280, 800}, 1.5, {1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.global.x() << "," << c.global.y() << " @" << c.ratio);
        EXPECT_EQ(devicePixelAt(c.global, c.screen, c.ratio), c.expected);
        // And the way back lands inside that pixel.
        EXPECT_EQ(devicePixelAt(logicalCentreOf(c.expected, c.screen, c.ratio), c.screen, c.ratio),
                  c.expected);
    }
}

TEST(MagnifierLoupeTest, StaysInsideTheScreenNearEdgesAndCorners)
{
    const QRect screen(1920, 0, 1280, 1024);
    const QSize size = MagnifierLoupe::size();
    const int gap = MagnifierLoupe::pointerGap;
    struct Case
    {
        QPoint pointer;
        QPoint expectedTopLeft;
    };
    const Case cases[] = {
        {{2400, 500}, {2400 + gap, 500 + gap}},                                  // free space
        {{3199, 500}, {3199 - gap - size.width(), 500 + gap}},                   // right edge
        {{2400, 1023}, {2400 + gap, 1023 - gap - size.height()}},                // bottom edge
        {{3199, 1023}, {3199 - gap - size.width(), 1023 - gap - size.height()}}, // corner
        {{1920, 0}, {1920 + gap, gap}},                                          // top-left
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pointer.x() << "," << c.pointer.y());
        const QRect placed = MagnifierLoupe::placement(c.pointer, screen);
        EXPECT_EQ(placed.topLeft(), c.expectedTopLeft);
        EXPECT_TRUE(screen.contains(placed));
        EXPECT_FALSE(placed.contains(c.pointer)); // never under the pointer
    }
    // A screen too small to flip into still keeps the loupe on it.
    const QRect tiny(0, 0, size.width() + 10, size.height() + 10);
    EXPECT_TRUE(tiny.contains(MagnifierLoupe::placement({5, 5}, tiny)));
}

TEST(MagnifierLoupeTest, HexTextIsUpperCaseWithHash)
{
    EXPECT_EQ(MagnifierLoupe::hexText(QColor(58, 123, 213)), QStringLiteral("#3A7BD5"));
    EXPECT_EQ(MagnifierLoupe::hexText(QColor(0, 0, 0)), QStringLiteral("#000000"));
}

// A wlroots output's scale, from the copied frame's width and the surface's logical width
// (rounded down by the compositor): the device pixel under the pointer depends on it.
TEST(WlrootsOutputScaleTest, FractionalScalesComeBackExactly)
{
    struct Case
    {
        int device;
        int logical;
        qreal expected;
    };
    const Case cases[] = {
        {1280, 1280, 1.0},     {2560, 1280, 2.0},         {1280, 853, 1.5}, // 853.33 rounded down
        {1920, 1097, 1.75},                                                 // 1097.14
        {3840, 2880, 4 / 3.0}, {1280, 934, 1280 / 934.0}, // 1.37 is no 120th: the quotient stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.logical);
        EXPECT_DOUBLE_EQ(WlrootsPickSurface::outputScale(c.device, c.logical), c.expected);
    }
    // At 1.5 a position a tenth of a device pixel short of pixel 1200 names 1199 (the
    // quotient 1280 / 853 would say 1200).
    const qreal scale = WlrootsPickSurface::outputScale(1280, 853);
    EXPECT_EQ(devicePixelAt({1199.9 / 1.5, 0}, {0, 0, 853, 533}, scale).x(), 1199);
}

} // namespace
