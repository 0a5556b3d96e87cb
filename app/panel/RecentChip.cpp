#include "app/panel/RecentChip.h"

#include "app/panel/ForegroundStyle.h"

#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

RecentChip::RecentChip(QWidget* parent) : QAbstractButton(parent)
{
    setFixedSize(side, side);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::clicked, this, [this] {
        const bool compare = m_pressModifiers.testFlag(Qt::ControlModifier);
        m_pressModifiers = {};
        if (compare)
            emit compareRequested(m_color);
        else
            emit chosen(m_color);
    });

    setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto addItem = [this](const QString& text, auto handler) {
        auto* action = new QAction(text, this);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
    };
    addItem(tr("Compare contrast"), [this] { emit compareRequested(m_color); });
    addItem(tr("Compare with a new pick"), [this] { emit comparePickRequested(); });
    addItem(tr("Remove"), [this] { emit removeRequested(m_color); });
    addItem(tr("Clear recent colors"), [this] { emit clearRequested(); });
    setColor(m_color);
}

void RecentChip::mousePressEvent(QMouseEvent* event)
{
    m_pressModifiers = event->modifiers();
    QAbstractButton::mousePressEvent(event);
}

void RecentChip::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete) {
        emit removeRequested(m_color);
        return;
    }
    QAbstractButton::keyPressEvent(event);
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
