#include "ForegroundStyle.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>

namespace ForegroundStyle {

QColor primary(const QPalette& palette, qreal opacity)
{
    QColor color = palette.color(QPalette::Active, QPalette::WindowText);
    color.setAlphaF(float(color.alphaF() * opacity));
    return color;
}

QColor secondary(const QPalette& palette)
{
    // The desktop's secondary labels are the text colour at about half strength.
    return primary(palette, 0.5);
}

QFont systemFont(int pixelSize, QFont::Weight weight)
{
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

QFont monospacedFont(int pixelSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace ForegroundStyle
