#pragma once

#include "core/PickedColor.h"

#include <QList>
#include <QWidget>

class QGridLayout;
class QLabel;
class RecentChip;

// The "Recent" title over one chip per recent colour, eight to a row, newest at the leading
// edge of the first. Hidden while there are no recent colours. The chips are one stop in the
// Tab order (the chip last focused, at first the newest); Left, Right, Home and End move along
// them.
class RecentsSection : public QWidget
{
    Q_OBJECT

public:
    // As many as fit in one row of the panel; the longest list fills four rows.
    static constexpr int chipsPerRow = 8;
    static constexpr int maximumChips = 32;

    explicit RecentsSection(QWidget* parent = nullptr);

    void setColors(const QList<PickedColor>& colors);
    // The visible chips in order.
    QList<RecentChip*> chips() const;

signals:
    void colorChosen(const PickedColor& color);
    void compareRequested(const PickedColor& color);
    void comparePickRequested();
    void removeRequested(const PickedColor& color);
    void clearRequested();

protected:
    void changeEvent(QEvent* event) override;
    // The chips' arrow keys, and which chip holds the row's tab stop.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshTitleColor();
    // Makes chip the row's one stop in the Tab order; the others are reached with the arrows.
    void setTabStop(RecentChip* chip);

    QLabel* m_title;
    QGridLayout* m_chips;
    // Chips are reused, never deleted while the panel lives: a chip's own click may be what
    // changes the list.
    QList<RecentChip*> m_chipPool;
    int m_visibleChips = 0;
};
