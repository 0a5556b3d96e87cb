// A compositor's copy of an output, turned back into the screen the user sees: every output
// transform, the y_invert flag, the pixel formats and a padded stride.
#include "platform/sampling/wlroots/WlrootsFrame.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Six pixels with their own colours, named as the grids below name them.
QRgb colourOf(char name)
{
    const int index = name - 'A';
    return qRgb(10 + index * 40, 200 - index * 30, 7 * index + 3);
}

// A buffer of rows given as letters, stored in `format` with 4 padding bytes a row.
std::vector<uchar> bufferOf(const std::vector<const char*>& rows, std::uint32_t format,
                            uchar alpha = 0xFF)
{
    const int width = int(std::strlen(rows.front()));
    const int stride = width * 4 + 4;
    std::vector<uchar> bytes(std::size_t(stride) * rows.size(), 0xAB);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb rgb = colourOf(rows[y][x]);
            uchar* pixel = bytes.data() + y * std::size_t(stride) + std::size_t(x) * 4;
            const bool bgr =
                format == WlrootsFrame::shmXbgr8888 || format == WlrootsFrame::shmAbgr8888;
            // Little-endian words: XRGB8888 is B, G, R, X in memory; XBGR8888 R, G, B, X.
            pixel[0] = uchar(bgr ? qRed(rgb) : qBlue(rgb));
            pixel[1] = uchar(qGreen(rgb));
            pixel[2] = uchar(bgr ? qBlue(rgb) : qRed(rgb));
            pixel[3] = alpha;
        }
    }
    return bytes;
}

void expectScreen(const QImage& image, const std::vector<const char*>& rows)
{
    ASSERT_FALSE(image.isNull());
    ASSERT_EQ(image.size(), QSize(int(std::strlen(rows.front())), int(rows.size())));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            EXPECT_EQ(image.pixel(x, y), colourOf(rows[std::size_t(y)][x]))
                << "at " << x << "," << y << ", expected " << rows[std::size_t(y)][x];
    }
}

QImage screenOf(const std::vector<uchar>& bytes, QSize size, std::uint32_t format, int transform,
                bool yInverted)
{
    return WlrootsFrame::toScreenImage(bytes.data(), size, size.width() * 4 + 4, format, transform,
                                       yInverted);
}

TEST(WlrootsFrameTest, EveryOutputTransformIsUndone)
{
    // The compositor's buffer (in scan-out order) and the screen the user saw.
    const std::vector<const char*> buffer = {"ABC", "DEF"};
    struct Case
    {
        int transform;
        std::vector<const char*> screen;
    };
    const Case cases[] = {
        {0, {"ABC", "DEF"}},
        // The screen turned 90 degrees counter-clockwise made the buffer.
        {1, {"DA", "EB", "FC"}},
        {2, {"FED", "CBA"}},
        {3, {"CF", "BE", "AD"}},
        // Flipped around the vertical axis, then turned.
        {4, {"CBA", "FED"}},
        {5, {"AD", "BE", "CF"}},
        {6, {"DEF", "ABC"}},
        {7, {"FC", "EB", "DA"}},
    };
    const auto bytes = bufferOf(buffer, WlrootsFrame::shmXrgb8888);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.transform);
        expectScreen(screenOf(bytes, {3, 2}, WlrootsFrame::shmXrgb8888, c.transform, false),
                     c.screen);
    }
}

TEST(WlrootsFrameTest, YInvertedCopiesAreReadBottomRowFirst)
{
    // Stored bottom row first: the buffer is "DEF" over "ABC".
    const auto bytes = bufferOf({"ABC", "DEF"}, WlrootsFrame::shmXrgb8888);
    expectScreen(screenOf(bytes, {3, 2}, WlrootsFrame::shmXrgb8888, 0, true), {"DEF", "ABC"});
    // The row order is undone before the transform.
    expectScreen(screenOf(bytes, {3, 2}, WlrootsFrame::shmXrgb8888, 1, true), {"AD", "BE", "CF"});
}

TEST(WlrootsFrameTest, PixelFormatsGiveTheSameOpaqueColours)
{
    for (const std::uint32_t format : {WlrootsFrame::shmXrgb8888, WlrootsFrame::shmArgb8888,
                                       WlrootsFrame::shmXbgr8888, WlrootsFrame::shmAbgr8888}) {
        SCOPED_TRACE(format);
        // An alpha channel of zero still shows the colour: a screen has no transparency.
        const auto bytes = bufferOf({"AB", "CD"}, format, 0x00);
        const QImage screen = screenOf(bytes, {2, 2}, format, 0, false);
        expectScreen(screen, {"AB", "CD"});
        EXPECT_EQ(qAlpha(screen.pixel(1, 1)), 255);
    }
    // A format the overlay cannot read gives no image rather than wrong colours.
    const auto bytes = bufferOf({"AB"}, WlrootsFrame::shmXrgb8888);
    EXPECT_TRUE(screenOf(bytes, {2, 1}, 0x36314752 /* RGB565 */, 0, false).isNull());
    EXPECT_TRUE(screenOf(bytes, {2, 1}, WlrootsFrame::shmXrgb8888, 8, false).isNull());
}

} // namespace
