// Where a pick reads its pixel and where the loupe goes: pure geometry, no display needed.
#include "platform/sampling/overlay/MagnifierLoupe.h"
#include "platform/sampling/overlay/ScreenPixel.h"
#include "platform/sampling/wlroots/WlrootsPickSurface.h"

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

namespace {

// A 6x6 fixture: a black and white checkerboard whose top-left pixel is white.
QImage checkerboard()
{
    QImage image(6, 6, QImage::Format_RGB32);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x)
            image.setPixel(x, y, (x + y) % 2 == 0 ? 0xFFFFFFFF : 0xFF000000);
    }
    return image;
}

// The sample area at `side` (1, 3 or 5), then back to the default choices afterwards.
struct SampleSide
{
    explicit SampleSide(int side)
    {
        MagnifierLoupe::resetChoices();
        while (MagnifierLoupe::sampleSide() != side)
            MagnifierLoupe::cycleSampleArea();
    }
    ~SampleSide() { MagnifierLoupe::resetChoices(); }
};

} // namespace

// The mean is taken in linear light: five white pixels of nine average to 5/9 of white's
// light, sRGB 196.56 of 255, so 197; the mean of the sRGB values would be 142. At a corner
// only the pixels that exist count.
TEST(MagnifierLoupeTest, SampleAreaAveragesInLinearLightOverThePixelsThatExist)
{
    const QImage image = checkerboard();
    const struct
    {
        int side;
        QPoint centre;
        int expected;  // grey level
        QString label; // for the colour picked
    } cases[] = {
        {1, {2, 2}, 255, "#FFFFFF"},       {1, {3, 2}, 0, "#000000"},
        {3, {2, 2}, 197, "#C5C5C5 · 3×3"}, // 5 white of 9: 196.56
        {3, {3, 2}, 178, "#B2B2B2 · 3×3"}, // 4 white of 9: 177.86
        {5, {2, 2}, 191, "#BFBFBF · 5×5"}, // 13 white of 25: 190.84
        {3, {0, 0}, 188, "#BCBCBC · 3×3"}, // the corner's 2x2, 2 white of 4: 187.52
        {5, {0, 0}, 197, "#C5C5C5 · 5×5"}, // its 3x3: 5 white of 9
        {5, {5, 5}, 197, "#C5C5C5 · 5×5"}, // the far corner's 3x3
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.side << " at " << c.centre.x() << "," << c.centre.y());
        SampleSide side(c.side);
        const QColor picked = MagnifierLoupe::sampleColor(image, c.centre);
        EXPECT_EQ(picked, QColor(c.expected, c.expected, c.expected));
        EXPECT_EQ(MagnifierLoupe::labelText(picked), c.label);
    }
}

// Five magnifications, each stepped to in turn and no further; the loupe keeps about its
// size, an odd number of pixels across and the placement inside the screen.
TEST(MagnifierLoupeTest, ZoomStepsThroughFiveLevelsAndStopsAtTheEnds)
{
    MagnifierLoupe::resetChoices();
    EXPECT_EQ(MagnifierLoupe::pixelsAcross(), 15);
    EXPECT_EQ(MagnifierLoupe::cellSize(), 10);
    while (MagnifierLoupe::zoomBy(-1)) {
    }
    QList<int> across{MagnifierLoupe::pixelsAcross()};
    while (MagnifierLoupe::zoomBy(1))
        across.append(MagnifierLoupe::pixelsAcross());
    EXPECT_EQ(across, QList<int>({31, 21, 15, 11, 7}));
    EXPECT_FALSE(MagnifierLoupe::zoomBy(1));
    EXPECT_EQ(MagnifierLoupe::size(), QSize(154, 154 + MagnifierLoupe::labelHeight));
    const QRect screen(0, 0, 800, 600);
    EXPECT_TRUE(screen.contains(MagnifierLoupe::placement({799, 599}, screen)));
    MagnifierLoupe::resetChoices();
}
