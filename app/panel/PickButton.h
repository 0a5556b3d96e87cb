#pragma once

#include <QAbstractButton>

// The panel's "Pick a color" button: an accent-filled rounded rectangle (radius 10, at least
// 36 high) with the eyedropper and the text centred in the on-accent colour. While disabled
// (a pick is running) it is drawn at opacity 0.6.
class PickButton : public QAbstractButton
{
    Q_OBJECT

public:
    static constexpr qreal disabledOpacity = 0.6;

    explicit PickButton(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
