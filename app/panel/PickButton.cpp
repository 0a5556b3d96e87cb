#include "app/panel/PickButton.h"

#include "app/panel/ColorPickerTheme.h"
#include "app/panel/ForegroundStyle.h"
#include "app/panel/SymbolImage.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr int symbolSize = 16;
constexpr int spacing = 7;
constexpr int buttonHeight = 36;

} // namespace

PickButton::PickButton(QWidget* parent) : QAbstractButton(parent)
{
    setText(tr("Pick a color"));
    setFont(ForegroundStyle::systemFont(13, QFont::DemiBold));
    setAccessibleName(tr("Pick a color"));
    setAccessibleDescription(tr("Pick a color from the screen"));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize PickButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {symbolSize + spacing + metrics.horizontalAdvance(text()) + 24, buttonHeight};
}

QSize PickButton::minimumSizeHint() const
{
    return sizeHint();
}

void PickButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(disabledOpacity);

    QPainterPath face;
    face.addRoundedRect(QRectF(rect()), 10, 10);
    QColor fill = ColorPickerTheme::accent();
    if (isDown())
        fill = fill.darker(110);
    painter.fillPath(face, fill);

    // The symbol and the text as one centred group.
    const QFontMetricsF metrics(font());
    const qreal textWidth = metrics.horizontalAdvance(text());
    const qreal groupWidth = symbolSize + spacing + textWidth;
    const qreal left = std::round((width() - groupWidth) / 2);
    SymbolImage::paint(painter, QRectF(left, 0, symbolSize, height()), QStringLiteral("eyedropper"),
                       symbolSize, ColorPickerTheme::onAccent());
    painter.setFont(font());
    painter.setPen(ColorPickerTheme::onAccent());
    painter.drawText(QRectF(left + symbolSize + spacing, 0, textWidth + 1, height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text());
    if (hasFocus())
        ForegroundStyle::paintFocusRing(painter, rect(), 10, palette());
}
