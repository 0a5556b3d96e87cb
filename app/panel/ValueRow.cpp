#include "app/panel/ValueRow.h"

#include "app/panel/ColorPickerTheme.h"
#include "app/panel/ForegroundStyle.h"
#include "app/panel/SymbolButton.h"
#include "core/ColorPickerModel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int minimumLabelWidth = 32;

QFont labelFont()
{
    return ForegroundStyle::systemFont(11, QFont::DemiBold);
}

} // namespace

ValueRow::ValueRow(ColorPickerModel& picker, const QString& label, QWidget* parent)
    : QWidget(parent), m_picker(picker), m_label(label)
{
    m_labelText = new QLabel(label, this);
    m_labelText->setFont(labelFont());
    m_labelText->setFixedWidth(labelWidthFor(label));
    m_labelText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_valueLabel = new QLabel(this);
    m_valueLabel->setFont(ForegroundStyle::monospacedFont(13));
    m_valueLabel->setTextFormat(Qt::PlainText);
    m_valueLabel->setWordWrap(false);
    m_valueLabel->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Reached by a click, not by Tab, which goes from copy button to copy button: a label
    // draws no focus ring.
    m_valueLabel->setFocusPolicy(Qt::ClickFocus);

    m_copyButton = new SymbolButton(QStringLiteral("doc.on.doc"), 13, 20, this);
    m_copyButton->setDisabledOpacity(0.4);
    m_copyButton->setAccessibleName(tr("Copy %1 value").arg(label));
    connect(m_copyButton, &SymbolButton::clicked, this, &ValueRow::copy);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 6, 10, 6);
    layout->setSpacing(8);
    layout->addWidget(m_labelText);
    layout->addWidget(m_valueLabel);
    layout->addStretch(1);
    layout->addWidget(m_copyButton);

    m_resetTimer.setSingleShot(true);
    m_resetTimer.setTimerType(Qt::PreciseTimer);
    m_resetTimer.setInterval(tickDuration);
    connect(&m_resetTimer, &QTimer::timeout, this, [this] { setJustCopied(false); });

    refresh();
}

int ValueRow::labelWidthFor(const QString& label)
{
    return std::max(minimumLabelWidth, QFontMetrics(labelFont()).horizontalAdvance(label) + 1);
}

void ValueRow::setLabelWidth(int width)
{
    m_labelText->setFixedWidth(width);
}

void ValueRow::setValue(const std::optional<QString>& value)
{
    if (m_value == value)
        return;
    m_value = value;
    refresh();
}

void ValueRow::copy()
{
    if (!m_value)
        return;
    m_picker.copyValue(*m_value, tr("%1 copied").arg(m_label));
    setJustCopied(true);
    m_resetTimer.start(); // restarting drops the older reset, so it never clears a newer tick
}

void ValueRow::setJustCopied(bool copied)
{
    if (m_justCopied == copied)
        return;
    m_justCopied = copied;
    refresh();
    emit justCopiedChanged();
}

void ValueRow::refresh()
{
    const QPalette& palette = this->palette();
    ForegroundStyle::setTextColor(m_labelText, ForegroundStyle::secondary(palette));
    m_valueLabel->setText(m_value.value_or(placeholder));
    ForegroundStyle::setTextColor(m_valueLabel, m_value ? ForegroundStyle::primary(palette)
                                                        : ForegroundStyle::secondary(palette));
    m_copyButton->setEnabled(m_value.has_value());
    // What a screen reader says on the button: the notation and the value it copies.
    m_copyButton->setAccessibleName(m_value ? tr("Copy %1 %2").arg(m_label, *m_value)
                                            : tr("Copy %1 value").arg(m_label));
    m_copyButton->setSymbol(m_justCopied ? QStringLiteral("checkmark")
                                         : QStringLiteral("doc.on.doc"));
    m_copyButton->setColor(m_justCopied ? ColorPickerTheme::accent() : QColor());
}

void ValueRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath background;
    background.addRoundedRect(QRectF(rect()), 8, 8);
    painter.fillPath(background, ForegroundStyle::primary(palette(), 0.05));
}

void ValueRow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        refresh();
    QWidget::changeEvent(event);
}
