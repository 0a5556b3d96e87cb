#include "app/panel/RecentsSection.h"

#include "app/panel/ForegroundStyle.h"
#include "app/panel/RecentChip.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

RecentsSection::RecentsSection(QWidget* parent) : QWidget(parent)
{
    m_title = new QLabel(tr("Recent"), this);
    m_title->setFont(ForegroundStyle::systemFont(11, QFont::DemiBold));
    refreshTitleColor();

    m_chips = new QGridLayout;
    m_chips->setContentsMargins(0, 0, 0, 0);
    m_chips->setHorizontalSpacing(7);
    m_chips->setVerticalSpacing(7);
    m_chips->setColumnStretch(chipsPerRow, 1); // the chips keep to the leading edge

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_title, 0, Qt::AlignLeft);
    layout->addLayout(m_chips);
    setVisible(false);
}

void RecentsSection::setColors(const QList<PickedColor>& allColors)
{
    const QList<PickedColor> colors = allColors.mid(0, maximumChips);
    while (m_chipPool.size() < colors.size()) {
        auto* chip = new RecentChip(this);
        chip->installEventFilter(this);
        connect(chip, &RecentChip::chosen, this, &RecentsSection::colorChosen);
        connect(chip, &RecentChip::compareRequested, this, &RecentsSection::compareRequested);
        connect(chip, &RecentChip::comparePickRequested, this,
                &RecentsSection::comparePickRequested);
        connect(chip, &RecentChip::removeRequested, this, &RecentsSection::removeRequested);
        connect(chip, &RecentChip::clearRequested, this, &RecentsSection::clearRequested);
        const int at = int(m_chipPool.size());
        m_chips->addWidget(chip, at / chipsPerRow, at % chipsPerRow);
        m_chipPool.append(chip);
    }
    for (qsizetype i = 0; i < m_chipPool.size(); ++i) {
        if (i < colors.size()) {
            m_chipPool[i]->setColor(colors[i]);
            m_chipPool[i]->setPosition(int(i) + 1, int(colors.size()));
        }
        m_chipPool[i]->setVisible(i < colors.size());
    }
    m_visibleChips = int(colors.size());
    setVisible(!colors.isEmpty());
    const QList<RecentChip*> shown = chips();
    const auto stop = std::find_if(shown.begin(), shown.end(), [](const RecentChip* chip) {
        return chip->focusPolicy() == Qt::TabFocus;
    });
    if (!shown.isEmpty())
        setTabStop(stop != shown.end() ? *stop : shown.first());
}

void RecentsSection::setTabStop(RecentChip* chip)
{
    for (RecentChip* each : std::as_const(m_chipPool))
        each->setFocusPolicy(each == chip ? Qt::TabFocus : Qt::ClickFocus);
}

bool RecentsSection::eventFilter(QObject* watched, QEvent* event)
{
    auto* chip = qobject_cast<RecentChip*>(watched);
    if (!chip)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        setTabStop(chip);
    } else if (event->type() == QEvent::KeyPress) {
        const QList<RecentChip*> shown = chips();
        const qsizetype at = shown.indexOf(chip);
        qsizetype to = at;
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
            to = layoutDirection() == Qt::RightToLeft ? at + 1 : at - 1;
            break;
        case Qt::Key_Right:
            to = layoutDirection() == Qt::RightToLeft ? at - 1 : at + 1;
            break;
        case Qt::Key_Home:
            to = 0;
            break;
        case Qt::Key_End:
            to = shown.size() - 1;
            break;
        default:
            return QWidget::eventFilter(watched, event);
        }
        if (at >= 0 && to >= 0 && to < shown.size())
            shown[to]->setFocus(Qt::TabFocusReason);
        return true; // at either end the key stays in the row
    }
    return QWidget::eventFilter(watched, event);
}

QList<RecentChip*> RecentsSection::chips() const
{
    return m_chipPool.mid(0, m_visibleChips);
}

void RecentsSection::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        refreshTitleColor();
    QWidget::changeEvent(event);
}

void RecentsSection::refreshTitleColor()
{
    ForegroundStyle::setTextColor(m_title, ForegroundStyle::secondary(palette()));
}
