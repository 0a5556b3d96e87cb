#include "app/panel/TextButton.h"

#include "app/panel/ForegroundStyle.h"

#include <QPainter>

TextButton::TextButton(const QString& text, const QFont& font, const QColor& color, QWidget* parent)
    : QAbstractButton(parent), m_color(color)
{
    setText(text);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize TextButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()), metrics.height()};
}

void TextButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (isDown())
        painter.setOpacity(0.6);
    painter.setFont(font());
    painter.setPen(m_color.isValid() ? m_color : ForegroundStyle::secondary(palette()));
    painter.drawText(rect(), Qt::AlignCenter, text());
    if (hasFocus())
        ForegroundStyle::paintFocusRing(painter, rect(), 4, palette());
}
