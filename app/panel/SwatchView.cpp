#include "app/panel/SwatchView.h"

#include "app/panel/CheckerboardBackground.h"
#include "app/panel/ForegroundStyle.h"

#include <QColor>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

QFont emptyTextFont()
{
    return ForegroundStyle::systemFont(12, QFont::Medium);
}

QFont capsuleFont()
{
    return ForegroundStyle::systemFont(11, QFont::DemiBold);
}

} // namespace

SwatchView::SwatchView(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(72);
    setMinimumWidth(276);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(emptyText());

    m_fade.setDuration(int(fadeDuration.count()));
    m_fade.setEasingCurve(QEasingCurve::InOutQuad);
    connect(&m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_capsuleOpacity = value.toReal();
        update();
    });
}

void SwatchView::mousePressEvent(QMouseEvent* event)
{
    if (m_capsuleOpacity > 0 && capsuleRect().contains(event->position()))
        emit capsuleClicked();
    QWidget::mousePressEvent(event);
}

void SwatchView::setColor(const std::optional<PickedColor>& color)
{
    m_color = color;
    setAccessibleName(color ? tr("Current color %1").arg(color->hexString()) : emptyText());
    update();
}

void SwatchView::setConfirmation(const std::optional<QString>& message)
{
    if (message && *message != m_capsuleText) {
        m_capsuleText = *message;
        update(); // a capsule already shown keeps its opacity: only the text changes
    }
    const qreal target = message ? 1.0 : 0.0;
    m_fade.stop();
    if (m_capsuleOpacity == target)
        return;
    m_fade.setStartValue(m_capsuleOpacity);
    m_fade.setEndValue(target);
    m_fade.start();
}

QRectF SwatchView::capsuleRect() const
{
    if (m_capsuleText.isEmpty())
        return {};
    const QFontMetricsF metrics(capsuleFont());
    const qreal width = metrics.horizontalAdvance(m_capsuleText) + 2 * 10;
    const qreal height = metrics.height() + 2 * 4;
    return {std::round((this->width() - width) / 2), this->height() - 8 - height, std::ceil(width),
            height};
}

void SwatchView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = rect();
    QPainterPath shape;
    shape.addRoundedRect(bounds, cornerRadius, cornerRadius);

    if (m_color) {
        painter.fillPath(shape, QColor(int(m_color->red), int(m_color->green), int(m_color->blue)));
    } else {
        painter.save();
        painter.setClipPath(shape);
        CheckerboardBackground::paint(painter, rect(), palette());
        painter.restore();
        painter.setFont(emptyTextFont());
        painter.setPen(ForegroundStyle::secondary(palette()));
        painter.drawText(bounds, Qt::AlignCenter, emptyText());
    }

    // A 1-wide stroke inside the edge: the path inset by half the line width.
    QPainterPath border;
    border.addRoundedRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius - 0.5,
                          cornerRadius - 0.5);
    painter.setPen(QPen(ForegroundStyle::primary(palette(), 0.12), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(border);

    if (m_capsuleOpacity > 0)
        paintCapsule(painter);
}

void SwatchView::paintCapsule(QPainter& painter)
{
    const QRectF capsule = capsuleRect();
    painter.save();
    painter.setOpacity(m_capsuleOpacity);
    QPainterPath shape;
    shape.addRoundedRect(capsule, capsule.height() / 2, capsule.height() / 2);
    // A thin frosted fill: the panel's own background, mostly opaque.
    QColor material = palette().color(QPalette::Window);
    material.setAlphaF(0.78f);
    painter.fillPath(shape, material);
    painter.setPen(QPen(ForegroundStyle::primary(palette(), 0.08), 1));
    painter.drawPath(shape);
    painter.setFont(capsuleFont());
    painter.setPen(ForegroundStyle::primary(palette()));
    painter.drawText(capsule, Qt::AlignCenter, m_capsuleText);
    painter.restore();
}
