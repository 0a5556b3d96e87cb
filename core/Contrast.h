#pragma once

#include "core/PickedColor.h"

#include <QString>

// The WCAG 2.2 contrast between two colours, in either order.
class Contrast
{
public:
    // The thresholds the ratio is held to, in hundredths.
    enum class Level
    {
        aaNormalText = 450,
        aaLargeText = 300,
        aaaNormalText = 700,
        aaaLargeText = 450,
        nonText = 300,
    };

    Contrast(const PickedColor& first, const PickedColor& second);

    // The ratio (lighter + 0.05) / (darker + 0.05) in hundredths, rounded down: 100 to 2100.
    // A ratio just below 4.5 reads 4.49 and fails, never 4.50.
    int hundredths() const { return m_hundredths; }
    // "4.54:1"
    QString ratioText() const;
    // Whether the ratio reaches the level's threshold.
    bool passes(Level level) const { return m_hundredths >= static_cast<int>(level); }

    // The relative luminance 0...1 of a colour, from its linear-light channels.
    static double relativeLuminance(const PickedColor& color);

private:
    int m_hundredths = 100;
};
