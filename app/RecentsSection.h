#pragma once

#include "PickedColor.h"

#include <QList>
#include <QWidget>

class QHBoxLayout;
class QLabel;
class RecentChip;

// The "Recent" title over one chip per recent colour, newest at the leading edge. Hidden
// while there are no recent colours.
class RecentsSection : public QWidget
{
    Q_OBJECT

public:
    explicit RecentsSection(QWidget* parent = nullptr);

    void setColors(const QList<PickedColor>& colors);
    // The visible chips in order.
    QList<RecentChip*> chips() const;

signals:
    void colorChosen(const PickedColor& color);

protected:
    void changeEvent(QEvent* event) override;

private:
    void refreshTitleColor();

    QLabel* m_title;
    QHBoxLayout* m_chipRow;
    // Chips are reused, never deleted while the panel lives: a chip's own click may be what
    // changes the list.
    QList<RecentChip*> m_chipPool;
    int m_visibleChips = 0;
};
