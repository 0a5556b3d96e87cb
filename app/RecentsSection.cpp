#include "RecentsSection.h"

#include "ForegroundStyle.h"
#include "RecentChip.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

RecentsSection::RecentsSection(QWidget* parent) : QWidget(parent)
{
    m_title = new QLabel(tr("Recent"), this);
    m_title->setFont(ForegroundStyle::systemFont(11, QFont::DemiBold));
    refreshTitleColor();

    m_chipRow = new QHBoxLayout;
    m_chipRow->setContentsMargins(0, 0, 0, 0);
    m_chipRow->setSpacing(7);
    m_chipRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_title, 0, Qt::AlignLeft);
    layout->addLayout(m_chipRow);
    setVisible(false);
}

void RecentsSection::setColors(const QList<PickedColor>& allColors)
{
    // Eight chips fill the row. A stored list can hold more (the next pick cuts it to
    // eight); the extra ones would not fit, so they are not drawn.
    const QList<PickedColor> colors = allColors.mid(0, maximumChips);
    while (m_chipPool.size() < colors.size()) {
        auto* chip = new RecentChip(this);
        connect(chip, &RecentChip::chosen, this, &RecentsSection::colorChosen);
        // Before the trailing stretch.
        m_chipRow->insertWidget(int(m_chipPool.size()), chip);
        m_chipPool.append(chip);
    }
    for (qsizetype i = 0; i < m_chipPool.size(); ++i) {
        if (i < colors.size())
            m_chipPool[i]->setColor(colors[i]);
        m_chipPool[i]->setVisible(i < colors.size());
    }
    m_visibleChips = int(colors.size());
    setVisible(!colors.isEmpty());
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
    QPalette palette = m_title->palette();
    palette.setColor(QPalette::WindowText, ForegroundStyle::secondary(this->palette()));
    m_title->setPalette(palette);
}
