#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>

class QImage;
class QPainter;

// The magnifier drawn beside the pointer while picking: a square of the grab's device
// pixels around the pointer, each shown as a cell of a grid, the centre pixel outlined and
// its hex notation written underneath.
namespace MagnifierLoupe {

constexpr int pixelsAcross = 15; // odd, so one pixel sits in the middle
constexpr int cellSize = 10;     // logical pixels per magnified device pixel
constexpr int labelHeight = 22;
constexpr int pointerGap = 24; // distance between the pointer and the loupe

// The loupe's whole size in logical pixels, label included.
QSize size();

// Where the loupe goes for a pointer at `pointer`: below and right of it, flipped to the
// other side near a right or bottom edge, and always kept inside `bounds`.
QRect placement(QPoint pointer, const QRect& bounds);

// "#RRGGBB" in upper case.
QString hexText(const QColor& color);

// Paints the loupe into `target` (logical coordinates) for the device pixel `centre` of
// `grab`. Pixels outside the grab are drawn as a neutral grey.
void paint(QPainter& painter, const QRect& target, const QImage& grab, QPoint centre);

} // namespace MagnifierLoupe
