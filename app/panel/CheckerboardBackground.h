#pragma once

#include <QWidget>

// The faint checkerboard behind a swatch without a colour: 8 x 8 squares from the top-left
// corner, light where row + column is even (so the top-left square is light), primary at
// opacity 0.05 (light) and 0.11 (dark). Squares at the far edges are cut off.
class CheckerboardBackground : public QWidget
{
    Q_OBJECT

public:
    static constexpr int squareSize = 8;
    static constexpr qreal lightOpacity = 0.05;
    static constexpr qreal darkOpacity = 0.11;

    explicit CheckerboardBackground(QWidget* parent = nullptr);

    // Fills the rectangle with the pattern in the palette's primary colour.
    static void paint(QPainter& painter, const QRect& rect, const QPalette& palette);

protected:
    void paintEvent(QPaintEvent* event) override;
};
