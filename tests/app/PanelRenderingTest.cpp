#include "AppFakes.h"
#include "app/panel/CheckerboardBackground.h"
#include "app/panel/ColorPickerTheme.h"
#include "app/panel/PickButton.h"
#include "app/panel/SwatchView.h"
#include "app/panel/SymbolButton.h"
#include "app/panel/ValueRow.h"

#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Widgets draw on black-on-white here, so expected pixels are simple to compute.
QPalette testPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    return palette;
}

// What the widget itself paints, on a transparent canvas, unpremultiplied for reading.
QImage render(QWidget& widget)
{
    widget.setPalette(testPalette());
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image.convertToFormat(QImage::Format_ARGB32);
}

// Channels within a rounding step or two of the expected colour.
testing::AssertionResult near(QRgb actual, QRgb expected, int tolerance = 2)
{
    const bool close = std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
                       std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
                       std::abs(qBlue(actual) - qBlue(expected)) <= tolerance &&
                       std::abs(qAlpha(actual) - qAlpha(expected)) <= tolerance;
    if (close)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << QColor::fromRgba(actual).name(QColor::HexArgb).toStdString() << " instead of "
           << QColor::fromRgba(expected).name(QColor::HexArgb).toStdString();
}

constexpr QRgb light = qRgba(0, 0, 0, 13); // primary at 0.05
constexpr QRgb dark = qRgba(0, 0, 0, 28);  // primary at 0.11

TEST(CheckerboardBackground, DrawsEightPixelSquaresFromALightTopLeft)
{
    CheckerboardBackground board;
    board.resize(276, 72);
    const QImage image = render(board);

    // 35 columns (the last one 4 wide) by 9 rows, checked at each square's centre.
    for (int row = 0; row < 9; ++row) {
        for (int column = 0; column < 35; ++column) {
            const int x = std::min(column * 8 + 4, 275);
            const QRgb expected = (row + column) % 2 == 0 ? light : dark;
            EXPECT_TRUE(near(image.pixel(x, row * 8 + 4), expected, 1))
                << "row " << row << " column " << column;
        }
    }
    // Squares are exact: the edges between them fall on multiples of 8.
    EXPECT_TRUE(near(image.pixel(7, 7), light, 1));
    EXPECT_TRUE(near(image.pixel(8, 7), dark, 1));
    EXPECT_TRUE(near(image.pixel(7, 8), dark, 1));
    EXPECT_TRUE(near(image.pixel(275, 71), (8 + 34) % 2 == 0 ? light : dark, 1));
}

TEST(CheckerboardBackground, ZeroHeightDrawsNothing)
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    CheckerboardBackground::paint(painter, QRect(0, 8, 16, 0), testPalette());
    painter.end();

    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(qAlpha(image.pixel(x, y)), 0) << x << "," << y;
}

class SwatchRendering : public testing::Test
{
protected:
    SwatchView swatch;
    static constexpr QRgb blue = qRgb(58, 123, 213);

    void SetUp() override { swatch.resize(276, 72); }
};

TEST_F(SwatchRendering, FillsTheRoundedRectangleWithTheColourInsideAFaintBorder)
{
    swatch.setColor(PickerHarness::color("#3A7BD5"));
    const QImage image = render(swatch);

    EXPECT_TRUE(near(image.pixel(138, 30), blue));
    EXPECT_TRUE(near(image.pixel(20, 30), blue));
    // The border: primary (black) at 0.12 over the colour, one pixel inside each edge.
    const QRgb border = qRgb(qRound(58 * 0.88), qRound(123 * 0.88), qRound(213 * 0.88));
    EXPECT_TRUE(near(image.pixel(138, 0), border, 3));
    EXPECT_TRUE(near(image.pixel(0, 36), border, 3));
    EXPECT_TRUE(near(image.pixel(275, 36), border, 3));
    EXPECT_TRUE(near(image.pixel(138, 1), blue));
    // Corner radius 14: the corner pixel stays clear, a pixel 14 in along the diagonal's
    // inner side is filled.
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(2, 2)), 0);
    EXPECT_TRUE(near(image.pixel(6, 6), blue));
    EXPECT_EQ(qAlpha(image.pixel(275, 71)), 0);
}

TEST_F(SwatchRendering, WithoutAColourShowsTheCheckerboardAndTheText)
{
    swatch.setColor(std::nullopt);
    const QImage image = render(swatch);

    EXPECT_TRUE(near(image.pixel(4, 36), light, 1));
    EXPECT_TRUE(near(image.pixel(12, 36), dark, 1));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0); // clipped to the rounded rectangle

    // The text, secondary, in the middle: some pixels much darker than the checkerboard.
    int textPixels = 0;
    for (int x = 60; x < 216; ++x)
        for (int y = 28; y < 44; ++y)
            textPixels += qAlpha(image.pixel(x, y)) > 80;
    EXPECT_GT(textPixels, 40);
}

TEST_F(SwatchRendering, CapsuleFadesInAtTheBottomAndOut)
{
    swatch.setColor(PickerHarness::color("#3A7BD5"));
    swatch.setConfirmation(QStringLiteral("Hex copied"));
    EXPECT_LT(swatch.capsuleOpacity(), 1.0); // fades, does not jump
    ASSERT_TRUE(QTest::qWaitFor([&] { return swatch.capsuleOpacity() == 1.0; }, 5000));

    const QRectF capsule = swatch.capsuleRect();
    EXPECT_NEAR(capsule.bottom(), 72 - 8, 0.5);
    EXPECT_NEAR(capsule.center().x(), 138, 1);
    const QImage shown = render(swatch);
    // Near the capsule's left end: the light material over the blue, no text.
    const QPoint probe(int(capsule.left()) + 6, int(capsule.center().y()));
    const QRgb material = qRgb(qRound(255 * 0.78 + 58 * 0.22), qRound(255 * 0.78 + 123 * 0.22),
                               qRound(255 * 0.78 + 213 * 0.22));
    EXPECT_TRUE(near(shown.pixel(probe), material, 3));

    swatch.setConfirmation(std::nullopt);
    EXPECT_EQ(swatch.capsuleText(), "Hex copied"); // the message stays while it fades out
    ASSERT_TRUE(QTest::qWaitFor([&] { return swatch.capsuleOpacity() == 0.0; }, 5000));
    EXPECT_TRUE(near(render(swatch).pixel(probe), blue));
}

// What the window shows: the offscreen platform's backing store, as last painted, so a
// change that never asked for a repaint shows as the old picture.
QImage onScreen(QWidget& window)
{
    QCoreApplication::processEvents();
    return window.screen()
        ->grabWindow(window.winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Pixels that differ by more than a rounding step inside the rectangle.
int differingPixels(const QImage& a, const QImage& b, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += !near(a.pixel(x, y), b.pixel(x, y), 8);
    return count;
}

TEST(SwatchOnScreen, ANewMessageWhileTheCapsuleShowsIsPaintedAtOnce)
{
    const auto shownWith = [](SwatchView& swatch, const QString& message) {
        swatch.setPalette(testPalette());
        swatch.resize(276, 72);
        swatch.setColor(PickerHarness::color("#3A7BD5"));
        swatch.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&swatch));
        swatch.setConfirmation(message);
        EXPECT_TRUE(QTest::qWaitFor([&] { return swatch.capsuleOpacity() == 1.0; }, 5000));
        QTest::qWait(50);
        return onScreen(swatch);
    };
    SwatchView hsl;
    const QImage expected = shownWith(hsl, QStringLiteral("HSL copied"));
    hsl.hide();

    SwatchView swatch;
    const QImage hex = shownWith(swatch, QStringLiteral("Hex copied"));
    const QRect capsule =
        swatch.capsuleRect().toAlignedRect().united(hsl.capsuleRect().toAlignedRect());
    ASSERT_GT(differingPixels(hex, expected, capsule), 20); // the two messages look different

    // Within the 1.5 s a second copy replaces the message: the capsule shows the new text.
    swatch.setConfirmation(QStringLiteral("HSL copied"));
    QTest::qWait(100);
    EXPECT_EQ(differingPixels(onScreen(swatch), expected, capsule), 0);
}

// The strongest ink of the row's copy button: its highest alpha, and how many of its pixels
// are the accent colour.
struct ButtonInk
{
    int maximumAlpha = 0;
    int accentPixels = 0;
};

ButtonInk copyButtonInk(ValueRow& row)
{
    row.resize(276, 32);
    const QImage image = render(row);
    const QRect button = row.copyButton()->geometry();
    ButtonInk ink;
    for (int y = button.top(); y <= button.bottom(); ++y) {
        for (int x = button.left(); x <= button.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            ink.maximumAlpha = std::max(ink.maximumAlpha, qAlpha(pixel));
            ink.accentPixels += near(pixel, ColorPickerTheme::accent().rgb(), 40);
        }
    }
    return ink;
}

TEST(ValueRowRendering, CopyIconIsSecondaryDimmedWithoutValueAndAccentWhileTicked)
{
    PickerHarness harness;
    ValueRow row(harness.picker, QStringLiteral("HEX"));
    row.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&row));

    // Secondary is primary (black) at 0.5; dimmed to 0.4 that is about 0.2, over the row's
    // own 0.05 background.
    const ButtonInk unavailable = copyButtonInk(row);
    EXPECT_LT(unavailable.maximumAlpha, 80);
    EXPECT_GT(unavailable.maximumAlpha, 40);

    row.setValue(QStringLiteral("#3A7BD5"));
    const ButtonInk idle = copyButtonInk(row);
    EXPECT_GT(idle.maximumAlpha, 110);
    EXPECT_LT(idle.maximumAlpha, 150);
    EXPECT_EQ(idle.accentPixels, 0);

    row.copy();
    EXPECT_GT(copyButtonInk(row).accentPixels, 8);
}

TEST(PickButtonRendering, AccentFaceDimmedWhileDisabled)
{
    PickButton button;
    button.resize(276, 36);
    const QRgb accent = ColorPickerTheme::accent().rgb();
    ASSERT_EQ(accent, qRgb(52, 211, 153));

    const QImage enabled = render(button);
    EXPECT_TRUE(near(enabled.pixel(12, 18), accent));
    EXPECT_TRUE(near(enabled.pixel(138, 2), accent));
    EXPECT_EQ(qAlpha(enabled.pixel(0, 0)), 0); // corner radius 10
    EXPECT_TRUE(near(enabled.pixel(4, 4), accent));
    // The symbol and the text in the on-accent colour.
    int ink = 0;
    for (int x = 60; x < 216; ++x)
        for (int y = 8; y < 28; ++y)
            ink += near(enabled.pixel(x, y), ColorPickerTheme::onAccent().rgb(), 30);
    EXPECT_GT(ink, 40);

    button.setEnabled(false);
    const QImage disabled = render(button);
    EXPECT_TRUE(near(disabled.pixel(12, 18), qRgba(52, 211, 153, qRound(255 * 0.6))));
}

} // namespace
