#include "RecentChip.h"

#include "ForegroundStyle.h"

#include <QPainter>
#include <QPainterPath>

RecentChip::RecentChip(QWidget* parent) : QAbstractButton(parent)
{
    setFixedSize(side, side);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::clicked, this, [this] { emit chosen(m_color); });
    setColor(m_color);
}

void RecentChip::setColor(const PickedColor& color)
{
    m_color = color;
    const QString hex = color.hexString();
    setObjectName(hex);
    setToolTip(hex);
    updateAccessibleName();
    update();
}

void RecentChip::setPosition(int position, int count)
{
    m_position = position;
    m_count = count;
    updateAccessibleName();
}

void RecentChip::updateAccessibleName()
{
    setAccessibleName(
        tr("Recent color %1, %2 of %3")
            .arg(m_color.hexString(), QString::number(m_position), QString::number(m_count)));
    setAccessibleDescription(tr("Use recent color %1").arg(m_color.hexString()));
}

void RecentChip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath face;
    face.addRoundedRect(QRectF(rect()), 6, 6);
    painter.fillPath(face, QColor(int(m_color.red), int(m_color.green), int(m_color.blue)));

    QPainterPath border;
    border.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 5.5, 5.5);
    painter.setPen(QPen(ForegroundStyle::primary(palette(), 0.15), 1));
    painter.drawPath(border);
    if (hasFocus())
        ForegroundStyle::paintFocusRing(painter, rect(), 6, palette());
}
