#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>

#include <optional>

class QPainter;

// One screen's frozen image while a pick runs, the device pixel the user points at and the
// magnifier loupe beside it: what every back-end's overlay shows and picks from. A back-end
// captures the image, makes the surface that shows it and feeds it the pointer and the keys;
// this part decides which device pixel is meant and paints.
class FrozenScreen
{
public:
    // What a key does during a pick.
    enum class KeyAction
    {
        none,
        pick,     // Enter
        cancel,   // Escape
        move,     // an arrow key: one device pixel, see arrowStep()
        zoomIn,   // + (or =, the same key unshifted)
        zoomOut,  // -
        cycleArea // A: the sample area 1x1, 3x3, 5x5
    };

    // Takes the screen's image in device pixels (its devicePixelRatio set to the screen's)
    // and the screen's logical bounds relative to itself (the loupe stays inside them).
    // Forgets the previous pixel.
    void reset(QImage image, const QRect& bounds);
    // Lets go of the image (memory a back-end is about to free).
    void release();

    const QImage& image() const { return m_image; }
    qreal ratio() const { return m_image.devicePixelRatio(); }
    bool isEmpty() const { return m_image.isNull(); }
    // The device pixel picked now, once the pointer or a key has named one.
    std::optional<QPoint> devicePixel() const { return m_pixel; }
    // Where the loupe is drawn (logical, relative to the screen); null without a pixel.
    QRect loupeRect() const { return m_loupeRect; }
    // The loupe's rectangle with the margin its border pen may reach on a scaled screen.
    QRect loupeDamage() const;
    // The device pixels the loupe's cells and the picked colour read around the named pixel;
    // null without a pixel.
    QRect sampledRect() const;

    // Names a device pixel, clamped to the image. Returns the logical region to repaint
    // (the loupe's old and new places), empty when the pixel did not change.
    QRegion setDevicePixel(QPoint pixel);
    // Moves the named pixel by device pixels (from the top-left one when none is named yet).
    QRegion moveBy(QPoint step);

    // The colour picked now: the named pixel's, or the mean of the sample area around it
    // (MagnifierLoupe::sampleColor); invalid without a pixel.
    QColor color() const;
    // The same, read from `part`, which holds the frozen screen's pixels from `origin` on and
    // must cover sampledRect().
    QColor color(const QImage& part, QPoint origin) const;

    // Change the loupe's magnification (a wheel notch or + / - is one step) or its sample
    // area, for this pick and the following ones. Return the logical region to repaint.
    QRegion zoomBy(int steps);
    QRegion cycleSampleArea();
    // What a key that is no move does to the loupe; empty for other keys.
    QRegion applyLoupeKey(int qtKey);

    // Paints the image under the logical rectangle `area`, 1:1 in device pixels, and the
    // loupe where it meets `area`.
    void paint(QPainter& painter, const QRect& area) const;
    // Paints only the loupe (nothing without a pixel).
    void paintLoupe(QPainter& painter) const;

    static KeyAction keyAction(int qtKey);
    // The device pixel step of an arrow key; (0, 0) for any other key.
    static QPoint arrowStep(int qtKey);

private:
    // Repaints the loupe after its size or contents changed.
    QRegion replaceLoupe();

    QImage m_image;
    QRect m_bounds;
    std::optional<QPoint> m_pixel;
    QRect m_loupeRect;
};
