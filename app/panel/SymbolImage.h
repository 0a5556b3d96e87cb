#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

class QPainter;
class QRectF;

// Our monochrome symbol artwork ("eyedropper", "gearshape", "doc.on.doc", "checkmark"),
// drawn in one colour at any size. Unknown names draw nothing.
namespace SymbolImage {

QPixmap pixmap(const QString& name, int size, const QColor& color, qreal devicePixelRatio);
// Draws the symbol centred in the rectangle at the side length.
void paint(QPainter& painter, const QRectF& rect, const QString& name, int size,
           const QColor& color);

} // namespace SymbolImage
