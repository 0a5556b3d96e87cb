#include "platform/sampling/overlay/MagnifierLoupe.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <iterator>

namespace MagnifierLoupe {

namespace {

// Atomic: read on the thread prepareAhead() starts while a pick may change them.
struct Choices
{
    std::atomic<int> zoom = defaultZoom;
    std::atomic<int> area = 0; // index of sampleSides
};

Choices& choices()
{
    static Choices chosen;
    return chosen;
}

double linear(int channel)
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> values{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            values[std::size_t(i)] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return values;
    }();
    return table[std::size_t(channel)];
}

// Linear light back to an sRGB channel, rounded half away from zero as a picked colour's
// components are.
int encoded(double linearValue)
{
    const double c = linearValue <= 0.0031308 ? linearValue * 12.92
                                              : 1.055 * std::pow(linearValue, 1 / 2.4) - 0.055;
    return std::clamp(int(std::round(c * 255)), 0, 255);
}

} // namespace

int zoom()
{
    return choices().zoom;
}

int pixelsAcross()
{
    return zoomLevels[zoom()].pixelsAcross;
}

int cellSize()
{
    return zoomLevels[zoom()].cellSize;
}

bool zoomBy(int steps)
{
    const int level = std::clamp(zoom() + steps, 0, int(std::size(zoomLevels)) - 1);
    if (level == zoom())
        return false;
    choices().zoom = level;
    return true;
}

int sampleSide()
{
    return sampleSides[choices().area];
}

void cycleSampleArea()
{
    choices().area = (choices().area + 1) % int(std::size(sampleSides));
}

void resetChoices()
{
    choices().zoom = defaultZoom;
    choices().area = 0;
}

QSize size()
{
    const int extent = pixelsAcross() * cellSize();
    return QSize(extent, extent + labelHeight);
}

QRect placement(QPoint pointer, const QRect& bounds)
{
    const QSize loupe = size();
    QPoint topLeft = pointer + QPoint(pointerGap, pointerGap);
    if (topLeft.x() + loupe.width() > bounds.right() + 1)
        topLeft.setX(pointer.x() - pointerGap - loupe.width());
    if (topLeft.y() + loupe.height() > bounds.bottom() + 1)
        topLeft.setY(pointer.y() - pointerGap - loupe.height());
    // A screen smaller than the flipped loupe still keeps it whole where it can.
    topLeft.setX(std::clamp(topLeft.x(), bounds.left(),
                            std::max(bounds.left(), bounds.right() + 1 - loupe.width())));
    topLeft.setY(std::clamp(topLeft.y(), bounds.top(),
                            std::max(bounds.top(), bounds.bottom() + 1 - loupe.height())));
    return QRect(topLeft, loupe);
}

QString hexText(const QColor& color)
{
    return QStringLiteral("#%1%2%3")
        .arg(color.red(), 2, 16, QLatin1Char('0'))
        .arg(color.green(), 2, 16, QLatin1Char('0'))
        .arg(color.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString labelText(const QColor& color)
{
    if (!color.isValid())
        return {};
    const int side = sampleSide();
    if (side == 1)
        return hexText(color);
    return QStringLiteral("%1 \u00B7 %2\u00D7%2").arg(hexText(color)).arg(side);
}

QColor sampleColor(const QImage& grab, QPoint centre)
{
    // One pixel is its own colour, untouched by the round trip through linear light.
    if (sampleSide() == 1)
        return grab.valid(centre) ? grab.pixelColor(centre) : QColor();
    const int reach = sampleSide() / 2;
    double sums[3] = {0, 0, 0};
    int count = 0;
    for (int y = centre.y() - reach; y <= centre.y() + reach; ++y) {
        for (int x = centre.x() - reach; x <= centre.x() + reach; ++x) {
            if (!grab.valid(x, y))
                continue;
            const QRgb pixel = grab.pixel(x, y);
            sums[0] += linear(qRed(pixel));
            sums[1] += linear(qGreen(pixel));
            sums[2] += linear(qBlue(pixel));
            ++count;
        }
    }
    if (count == 0)
        return {};
    return QColor(encoded(sums[0] / count), encoded(sums[1] / count), encoded(sums[2] / count));
}

static void paintCells(QPainter& painter, QPoint origin, const QImage& grab, QPoint centre)
{
    const int pixelsAcross = MagnifierLoupe::pixelsAcross();
    const int cellSize = MagnifierLoupe::cellSize();
    const int half = pixelsAcross / 2;
    for (int row = 0; row < pixelsAcross; ++row) {
        for (int column = 0; column < pixelsAcross; ++column) {
            const QPoint source = centre + QPoint(column - half, row - half);
            const QColor color =
                grab.valid(source) ? grab.pixelColor(source) : QColor(128, 128, 128);
            painter.fillRect(QRect(origin + QPoint(column * cellSize, row * cellSize),
                                   QSize(cellSize, cellSize)),
                             color);
        }
    }
    // The grid: thin and half transparent, so it shows on light and dark pixels alike.
    painter.setPen(QPen(QColor(0, 0, 0, 60), 0));
    const int extent = pixelsAcross * cellSize;
    for (int line = 1; line < pixelsAcross; ++line) {
        const int at = line * cellSize;
        painter.drawLine(origin + QPoint(at, 0), origin + QPoint(at, extent - 1));
        painter.drawLine(origin + QPoint(0, at), origin + QPoint(extent - 1, at));
    }
    // The sample square, around the centre pixel.
    const int reach = sampleSide() / 2;
    const QRect middle(origin + QPoint((half - reach) * cellSize, (half - reach) * cellSize),
                       QSize(cellSize, cellSize) * sampleSide());
    painter.setPen(QPen(Qt::black, 2));
    painter.drawRect(middle.adjusted(-1, -1, 1, 1));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(middle.adjusted(0, 0, -1, -1));
}

static QString everyLabelCharacter()
{
    return QStringLiteral("#0123456789ABCDEF \u00B7 5\u00D75");
}

// The label's font, its engine loaded once and held for the life of the process: Qt's font
// cache frees an engine no font holds once it has gone unused a while, with the glyphs it
// rendered, and loading them again cost a pick after a pause several milliseconds.
static const QFont& labelFont()
{
    // Never freed: a font outliving the application would be torn down after Qt's font cache.
    static const QFont* const font = [] {
        const QImage device(1, 1, QImage::Format_RGB32); // the loupe is painted on images
        auto* resolved = new QFont(QGuiApplication::font(), &device);
        QFontMetricsF(*resolved).horizontalAdvance(everyLabelCharacter());
        return resolved;
    }();
    return *font;
}

std::future<void> prepareAhead()
{
    return std::async(std::launch::async, [] {
        // A font of its own: a QFont's engine is loaded per thread, and one shared with the
        // main thread would be changed under it.
        QFont font;
        font.fromString(QGuiApplication::font().toString());
        QImage scratch(size(), QImage::Format_RGB32);
        QImage grab(pixelsAcross(), pixelsAcross(), QImage::Format_RGB32);
        grab.fill(Qt::gray);
        QPainter painter(&scratch);
        paintCells(painter, QPoint(), grab, grab.rect().center());
        painter.setFont(font);
        painter.drawText(scratch.rect(), Qt::AlignBottom | Qt::AlignHCenter, everyLabelCharacter());
    });
}

void paint(QPainter& painter, const QRect& target, const QImage& grab, QPoint centre,
           const QColor& picked)
{
    painter.save();
    paintCells(painter, target.topLeft(), grab, centre);

    const QRect label(target.left(), target.top() + pixelsAcross() * cellSize(), target.width(),
                      labelHeight);
    painter.fillRect(label, QColor(30, 30, 30));
    painter.setPen(Qt::white);
    painter.setFont(labelFont());
    painter.drawText(label, Qt::AlignCenter, labelText(picked));

    painter.setPen(QPen(QColor(30, 30, 30), 1));
    painter.drawRect(target.adjusted(0, 0, -1, -1));
    painter.restore();
}

} // namespace MagnifierLoupe
