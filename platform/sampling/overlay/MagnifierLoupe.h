#pragma once

#include <QColor>
#include <QPoint>

#include <QRect>
#include <QSize>
#include <future>

class QImage;
class QPainter;

// The magnifier drawn beside the pointer while picking: a square of the grab's device
// pixels around the pointer, each shown as a cell of a grid, the sample area (the centre
// pixel, or the 3x3 or 5x5 square around it) outlined, and the picked colour's hex notation
// written underneath with the area's name. Its magnification and sample area are chosen
// during a pick and kept for the following ones, on every screen and back-end alike.
namespace MagnifierLoupe {

struct Zoom
{
    int pixelsAcross; // odd, so one pixel sits in the middle
    int cellSize;     // logical pixels per magnified device pixel
};
// From the widest view to the closest; each about 150 logical pixels across.
constexpr Zoom zoomLevels[] = {{31, 5}, {21, 7}, {15, 10}, {11, 14}, {7, 22}};
constexpr int defaultZoom = 2;
// The sides of the square the picked colour is averaged over, in device pixels.
constexpr int sampleSides[] = {1, 3, 5};
constexpr int labelHeight = 22;
constexpr int pointerGap = 24; // distance between the pointer and the loupe

// The magnification now (an index of zoomLevels) and its pixels and cells.
int zoom();
int pixelsAcross();
int cellSize();
// Moves the magnification by `steps` (positive closer), within the levels. False when it
// stays where it was.
bool zoomBy(int steps);
// The side of the sample square now: 1, 3 or 5.
int sampleSide();
// 1x1, 3x3, 5x5, 1x1, ...
void cycleSampleArea();
// Back to the default magnification and a single pixel.
void resetChoices();

// The loupe's whole size in logical pixels, label included, at the magnification now.
QSize size();

// Where the loupe goes for a pointer at `pointer`: below and right of it, flipped to the
// other side near a right or bottom edge, and always kept inside `bounds`.
QRect placement(QPoint pointer, const QRect& bounds);

// "#RRGGBB" in upper case.
QString hexText(const QColor& color);
// The label: the hex, and for a sample area larger than a pixel its size, "#3A7BD5 · 3×3".
QString labelText(const QColor& color);

// The mean of the grab's pixels in the sample square around `centre`, taken in linear light
// and encoded back to sRGB, each channel rounded half away from zero; the square's pixels
// outside the grab are left out. Invalid when none lies inside.
QColor sampleColor(const QImage& grab, QPoint centre);

// Paints the loupe into `target` (logical coordinates) for the device pixel `centre` of
// `grab`, labelled with `picked`. Pixels outside the grab are drawn as a neutral grey.
void paint(QPainter& painter, const QRect& target, const QImage& grab, QPoint centre,
           const QColor& picked);

// Draws a loupe once, on a thread of its own and with a font of its own, so that a process's
// first pick finds fontconfig, the font database and the painting code ready. The future
// waits for it when destroyed.
std::future<void> prepareAhead();

} // namespace MagnifierLoupe
