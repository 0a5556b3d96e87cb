#pragma once

#include "core/PickedColor.h"

#include <QAbstractButton>

// One recent colour: a 26 x 26 rounded square (radius 6) in the colour with a faint inner
// border. Its tooltip is the hex; a click asks for the colour to be used, a Ctrl+click for a
// comparison with the current one. Its context menu (actions()) compares, compares with a new
// pick, removes it, or clears the row; Delete while it has focus removes it.
class RecentChip : public QAbstractButton
{
    Q_OBJECT

public:
    static constexpr int side = 26;

    explicit RecentChip(QWidget* parent = nullptr);

    const PickedColor& color() const { return m_color; }
    void setColor(const PickedColor& color);
    // Its place in the row (from 1) and the row's length, which its accessible name says.
    void setPosition(int position, int count);

    QSize sizeHint() const override { return {side, side}; }

signals:
    void chosen(const PickedColor& color);
    void compareRequested(const PickedColor& color);
    void comparePickRequested();
    void removeRequested(const PickedColor& color);
    void clearRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateAccessibleName();

    PickedColor m_color;
    int m_position = 1;
    int m_count = 1;
    Qt::KeyboardModifiers m_pressModifiers;
};
