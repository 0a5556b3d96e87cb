#pragma once

#include <QAbstractButton>
#include <QColor>

// A plain button that shows one symbol, centred in a fixed square that is all click target.
// Drawn at the disabled opacity while disabled.
class SymbolButton : public QAbstractButton
{
    Q_OBJECT

public:
    SymbolButton(const QString& symbol, int symbolSize, int frameSize, QWidget* parent = nullptr);

    QString symbol() const { return m_symbol; }
    void setSymbol(const QString& symbol);
    // An invalid colour draws in the palette's secondary colour.
    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    qreal disabledOpacity() const { return m_disabledOpacity; }
    void setDisabledOpacity(qreal opacity);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    int m_symbolSize;
    int m_frameSize;
    QColor m_color;
    qreal m_disabledOpacity = 1.0;
};
