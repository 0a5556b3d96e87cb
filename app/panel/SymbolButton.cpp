#include "app/panel/SymbolButton.h"

#include "app/panel/ForegroundStyle.h"
#include "app/panel/SymbolImage.h"

#include <QPainter>

SymbolButton::SymbolButton(const QString& symbol, int symbolSize, int frameSize, QWidget* parent)
    : QAbstractButton(parent), m_symbol(symbol), m_symbolSize(symbolSize), m_frameSize(frameSize)
{
    setFixedSize(frameSize, frameSize);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void SymbolButton::setSymbol(const QString& symbol)
{
    if (m_symbol == symbol)
        return;
    m_symbol = symbol;
    update();
}

void SymbolButton::setColor(const QColor& color)
{
    if (m_color == color)
        return;
    m_color = color;
    update();
}

void SymbolButton::setDisabledOpacity(qreal opacity)
{
    m_disabledOpacity = opacity;
    update();
}

QSize SymbolButton::sizeHint() const
{
    return {m_frameSize, m_frameSize};
}

void SymbolButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!isEnabled())
        painter.setOpacity(m_disabledOpacity);
    else if (isDown())
        painter.setOpacity(0.6);
    const QColor color = m_color.isValid() ? m_color : ForegroundStyle::secondary(palette());
    SymbolImage::paint(painter, rect(), m_symbol, m_symbolSize, color);
    if (hasFocus())
        ForegroundStyle::paintFocusRing(painter, rect(), 4, palette());
}
