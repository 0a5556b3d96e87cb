#pragma once

#include <QTabWidget>

class QScrollArea;

// The settings window's tabs. Each page sits in a scroll area: a page taller than its room
// scrolls instead of growing the window, and is never wider than the room (its layout gets the
// width there is). The focused control is scrolled into view, however it got the focus.
//
// Keyboard: a window opening with nothing focused focuses the shown page's first control.
// Tab and Shift+Tab go round the tab bar and the shown page's controls in the order the
// page's layouts place them (top to bottom, left to right). Ctrl+Tab and Ctrl+PageDown show
// the next page, Ctrl+Shift+Tab and Ctrl+PageUp the previous one (round the ends), wherever
// the focus is in the tabs, except in a control that takes every key (a key chooser records
// them). Each tab's name is also its page's accessible name.
class SettingsTabs : public QTabWidget
{
    Q_OBJECT

public:
    explicit SettingsTabs(QWidget* parent = nullptr);
    ~SettingsTabs() override;

    // Adds `page` under `title` at `index` (at the end when out of range) and returns its
    // index. Its controls join the focus order.
    int addPage(QWidget* page, const QString& title, int index = -1);
    // The page shown under tab `index` (inside its scroll area); null when out of range.
    QWidget* page(int index) const;
    QScrollArea* scrollArea(int index) const;

    // Orders Tab again after controls were added to a page.
    void updateFocusOrder();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The controls Tab reaches in `page`, in the order its layouts place them.
    static QList<QWidget*> readingOrder(const QWidget& page);
    void showAdjacent(int step);
    void scrollToFocus(QWidget* focused);

    QMetaObject::Connection m_focusFollower;
};
