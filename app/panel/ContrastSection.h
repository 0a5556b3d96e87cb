#pragma once

#include "core/PickedColor.h"

#include <QWidget>

#include <optional>

class QLabel;
class TextButton;

// The contrast of the current colour with another: "Contrast with #FFFFFF", the WCAG ratio
// rounded down to hundredths ("4.54:1"), pass or fail for AA and AAA at normal and large text
// and for non-text contrast, and a sample of text in each colour on the other. Hidden without
// both colours; "Close" asks for it to go.
class ContrastSection : public QWidget
{
    Q_OBJECT

public:
    explicit ContrastSection(QWidget* parent = nullptr);

    void setColors(const std::optional<PickedColor>& current,
                   const std::optional<PickedColor>& partner);

    QLabel* title() const { return m_title; }
    QLabel* ratio() const { return m_ratio; }
    // One line per level: "AA normal text  4.5  Pass".
    QLabel* verdicts() const { return m_verdicts; }
    QWidget* sample() const { return m_sample; }
    TextButton* closeButton() const { return m_close; }

signals:
    void closeRequested();

private:
    QLabel* m_title;
    QLabel* m_ratio;
    QLabel* m_verdicts;
    QWidget* m_sample;
    TextButton* m_close;
};
