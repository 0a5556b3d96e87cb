#include "core/Contrast.h"

#include "core/Oklab.h"

#include <algorithm>
#include <cmath>

namespace {

// The luminance times 10,000: the weights as integers, so white sums to exactly 10,000 and
// black to 0, and the ratios 21 and 1 come out whole rather than a hair either side.
double weightedLuminance(const PickedColor& c)
{
    return 2126 * Srgb::linear(c.red) + 7152 * Srgb::linear(c.green) + 722 * Srgb::linear(c.blue);
}

} // namespace

Contrast::Contrast(const PickedColor& first, const PickedColor& second)
{
    const double a = weightedLuminance(first);
    const double b = weightedLuminance(second);
    // (L1 + 0.05) / (L2 + 0.05) with both terms times 20,000.
    const double lighter = 2 * std::max(a, b) + 1000;
    const double darker = 2 * std::min(a, b) + 1000;
    m_hundredths = static_cast<int>(std::floor(100 * lighter / darker));
}

QString Contrast::ratioText() const
{
    return QStringLiteral("%1.%2:1")
        .arg(m_hundredths / 100)
        .arg(m_hundredths % 100, 2, 10, QLatin1Char('0'));
}

double Contrast::relativeLuminance(const PickedColor& color)
{
    return weightedLuminance(color) / 10000;
}
