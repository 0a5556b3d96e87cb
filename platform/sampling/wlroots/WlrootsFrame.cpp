#include "platform/sampling/wlroots/WlrootsFrame.h"

#include <QSysInfo>
#include <QTransform>

namespace WlrootsFrame {

bool isSupportedFormat(std::uint32_t shmFormat)
{
    return shmFormat == shmArgb8888 || shmFormat == shmXrgb8888 || shmFormat == shmAbgr8888 ||
           shmFormat == shmXbgr8888;
}

QImage undoOutputTransform(const QImage& buffer, int outputTransform)
{
    if (outputTransform < 0 || outputTransform > 7)
        return {};
    // The compositor flips (for 4...7) and then turns the screen counter-clockwise to make
    // the buffer; turning clockwise and then flipping gives the screen back. QTransform's
    // positive angles turn clockwise on a screen whose y axis points down.
    const int quarterTurns = outputTransform % 4;
    QImage image =
        quarterTurns == 0 ? buffer : buffer.transformed(QTransform().rotate(90.0 * quarterTurns));
    if (outputTransform >= 4)
        image = image.mirrored(true, false);
    return image;
}

QImage toScreenImage(const uchar* data, QSize size, int stride, std::uint32_t shmFormat,
                     int outputTransform, bool yInverted)
{
    // wl_shm's formats are little-endian words.
    if (QSysInfo::ByteOrder != QSysInfo::LittleEndian)
        return {};
    if (!isSupportedFormat(shmFormat) || outputTransform < 0 || outputTransform > 7 ||
        size.isEmpty() || stride < size.width() * 4)
        return {};
    // One pass into an image of its own (the shared memory is reused): rows in screen order,
    // channels in Format_RGB32's order, every pixel opaque (an alpha channel of the screen
    // carries nothing the user sees). In host order the wl_shm names read backwards:
    // XRGB8888 is Format_RGB32 on a little-endian host, XBGR8888 is R, G, B, X in bytes.
    const bool bgr = shmFormat == shmAbgr8888 || shmFormat == shmXbgr8888;
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    for (int y = 0; y < size.height(); ++y) {
        const int row = yInverted ? size.height() - 1 - y : y;
        const auto* from = reinterpret_cast<const quint32*>(data + std::size_t(row) * stride);
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
        if (bgr) {
            for (int x = 0; x < size.width(); ++x) {
                const quint32 pixel = from[x];
                to[x] = 0xFF000000u | ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) |
                        ((pixel >> 16) & 0xFFu);
            }
        } else {
            for (int x = 0; x < size.width(); ++x)
                to[x] = from[x] | 0xFF000000u;
        }
    }
    return undoOutputTransform(image, outputTransform);
}

} // namespace WlrootsFrame
