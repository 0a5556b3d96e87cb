#pragma once

#include "core/PickedColor.h"

#include <QString>
#include <QVariantAnimation>
#include <QWidget>

#include <chrono>
#include <optional>

// The panel's swatch, 276 x 72: the current colour in a rounded rectangle (radius 14), or the
// checkerboard with "No color picked yet"; a faint inner border; and the confirmation capsule
// at the bottom centre, which fades in and out over 0.2 s as messages come and go. A click on
// the shown capsule is reported (it may offer an undo).
class SwatchView : public QWidget
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds fadeDuration{200};
    static constexpr int cornerRadius = 14;
    static QString emptyText() { return tr("No color picked yet"); }

    explicit SwatchView(QWidget* parent = nullptr);

    void setColor(const std::optional<PickedColor>& color);
    // None fades the capsule out (showing the last message while it fades).
    void setConfirmation(const std::optional<QString>& message);

    // 0 hidden ... 1 fully shown.
    qreal capsuleOpacity() const { return m_capsuleOpacity; }
    QString capsuleText() const { return m_capsuleText; }
    // The capsule's rectangle at full opacity; empty without a message.
    QRectF capsuleRect() const;

signals:
    void capsuleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void paintCapsule(QPainter& painter);

    std::optional<PickedColor> m_color;
    QString m_capsuleText;
    qreal m_capsuleOpacity = 0;
    QVariantAnimation m_fade;
};
