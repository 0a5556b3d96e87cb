#include "app/settings/SettingsTabs.h"

#include <QApplication>
#include <QFormLayout>
#include <QScrollArea>
#include <QShortcut>
#include <QTabBar>

#include <algorithm>
#include <tuple>

namespace {

// A control Tab stops at; a compound one (a key chooser with its inner line) is one stop.
bool takesTab(const QWidget& widget)
{
    return (widget.focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

// The layout's items as they are read: a form row by row, each label before its field; a box
// in its own order.
QList<QLayoutItem*> itemsInReadingOrder(const QLayout& layout)
{
    struct Placed
    {
        int row;
        int column;
        QLayoutItem* item;
    };
    QList<Placed> placed;
    for (int i = 0; i < layout.count(); ++i) {
        int row = i;
        int column = 0;
        if (const auto* form = qobject_cast<const QFormLayout*>(&layout)) {
            QFormLayout::ItemRole role{};
            form->getItemPosition(i, &row, &role);
            column = role;
        }
        placed.append({row, column, layout.itemAt(i)});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return std::tie(a.row, a.column) < std::tie(b.row, b.column);
    });
    QList<QLayoutItem*> items;
    for (const Placed& p : std::as_const(placed))
        items.append(p.item);
    return items;
}

void collectStops(const QLayout& layout, QList<QWidget*>& stops);

void collectStops(QWidget& widget, QList<QWidget*>& stops)
{
    if (takesTab(widget))
        stops.append(&widget);
    else if (const QLayout* inner = widget.layout())
        collectStops(*inner, stops);
}

void collectStops(const QLayout& layout, QList<QWidget*>& stops)
{
    for (QLayoutItem* item : itemsInReadingOrder(layout)) {
        if (QWidget* widget = item->widget())
            collectStops(*widget, stops);
        else if (const QLayout* inner = item->layout())
            collectStops(*inner, stops);
    }
}

} // namespace

SettingsTabs::SettingsTabs(QWidget* parent) : QTabWidget(parent)
{
    const struct
    {
        QKeyCombination keys;
        int step;
    } switches[] = {
        {Qt::CTRL | Qt::Key_Tab, 1},
        {Qt::CTRL | Qt::Key_PageDown, 1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
        {Qt::CTRL | Qt::Key_PageUp, -1},
    };
    // Shortcuts rather than key presses: a list would take Ctrl+PageDown as a page down.
    for (const auto& s : switches) {
        new QShortcut(
            QKeySequence(s.keys), this, this, [this, step = s.step] { showAdjacent(step); },
            Qt::WidgetWithChildrenShortcut);
    }
    m_focusFollower = connect(qApp, &QApplication::focusChanged, this,
                              [this](QWidget*, QWidget* now) { scrollToFocus(now); });
}

// The focus moves on while the pages are taken down; no longer ours to follow.
SettingsTabs::~SettingsTabs()
{
    disconnect(m_focusFollower);
}

int SettingsTabs::addPage(QWidget* page, const QString& title, int index)
{
    auto* area = new QScrollArea;
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Not a stop of its own: its controls are, and the one focused is scrolled into view.
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidget(page);
    // The tab's pane shows through, as it would behind an unscrolled page.
    page->setAutoFillBackground(false);
    area->setAccessibleName(title);
    const int added = insertTab(index, area, title);
    updateFocusOrder();
    return added;
}

QScrollArea* SettingsTabs::scrollArea(int index) const
{
    return qobject_cast<QScrollArea*>(widget(index));
}

QWidget* SettingsTabs::page(int index) const
{
    const QScrollArea* area = scrollArea(index);
    return area ? area->widget() : nullptr;
}

QList<QWidget*> SettingsTabs::readingOrder(const QWidget& page)
{
    QList<QWidget*> stops;
    if (const QLayout* layout = page.layout())
        collectStops(*layout, stops);
    return stops;
}

void SettingsTabs::updateFocusOrder()
{
    // One ring from the tab bar through every page: Tab skips the hidden pages, so the shown
    // page's controls come round to the tab bar and back.
    QList<QWidget*> ring{tabBar()};
    for (int i = 0; i < count(); ++i) {
        if (const QWidget* shown = page(i))
            ring += readingOrder(*shown);
    }
    for (qsizetype i = 1; i < ring.size(); ++i)
        setTabOrder(ring[i - 1], ring[i]);
}

void SettingsTabs::showEvent(QShowEvent* event)
{
    // Qt would focus the tab bar, the first stop; the page's first control is where the user
    // starts. A window that had the focus somewhere keeps it there.
    if (!window()->focusWidget()) {
        if (const QWidget* shown = page(currentIndex())) {
            if (const QList<QWidget*> stops = readingOrder(*shown); !stops.isEmpty())
                stops.first()->setFocus(Qt::ActiveWindowFocusReason);
        }
    }
    QTabWidget::showEvent(event);
}

void SettingsTabs::showAdjacent(int step)
{
    if (count() > 1)
        setCurrentIndex((currentIndex() + step + count()) % count());
}

void SettingsTabs::scrollToFocus(QWidget* focused)
{
    for (int i = 0; focused && i < count(); ++i) {
        QScrollArea* area = scrollArea(i);
        if (area && area->widget()->isAncestorOf(focused))
            area->ensureWidgetVisible(focused);
    }
}
