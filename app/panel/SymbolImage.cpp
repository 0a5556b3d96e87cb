#include "app/panel/SymbolImage.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

namespace {

QString resourcePath(const QString& name)
{
    static const QHash<QString, QString> files{
        {QStringLiteral("eyedropper"), QStringLiteral(":/icons/eyedropper.svg")},
        {QStringLiteral("gearshape"), QStringLiteral(":/icons/gearshape.svg")},
        {QStringLiteral("doc.on.doc"), QStringLiteral(":/icons/doc-on-doc.svg")},
        {QStringLiteral("checkmark"), QStringLiteral(":/icons/checkmark.svg")},
    };
    return files.value(name);
}

} // namespace

namespace SymbolImage {

QPixmap pixmap(const QString& name, int size, const QColor& color, qreal devicePixelRatio)
{
    const int side = int(std::ceil(size * devicePixelRatio));
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(resourcePath(name));
    if (renderer.isValid()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, side, side));
        // The artwork is black on transparent: keep its coverage, take the colour.
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), color);
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
}

void paint(QPainter& painter, const QRectF& rect, const QString& name, int size,
           const QColor& color)
{
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QPixmap symbol = pixmap(name, size, color, ratio);
    // Whole-pixel placement keeps the artwork crisp.
    const QRectF target(std::floor(rect.x() + (rect.width() - size) / 2),
                        std::floor(rect.y() + (rect.height() - size) / 2), size, size);
    painter.drawPixmap(target, symbol, QRectF(symbol.rect()));
}

} // namespace SymbolImage
