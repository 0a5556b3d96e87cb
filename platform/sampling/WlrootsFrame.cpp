#include "WlrootsFrame.h"

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
    // In host order the wl_shm names read backwards: XRGB8888 is Format_RGB32 on a
    // little-endian host, XBGR8888 is RGBX8888 in bytes.
    const bool bgr = shmFormat == shmAbgr8888 || shmFormat == shmXbgr8888;
    const QImage view(data, size.width(), size.height(), stride,
                      bgr ? QImage::Format_RGBX8888 : QImage::Format_RGB32);
    // A copy the image owns (the shared memory is reused), with every pixel made opaque: an
    // alpha channel of the screen carries nothing the user sees.
    QImage image = view.convertToFormat(QImage::Format_RGB32);
    if (image.constBits() == view.constBits())
        image = view.copy();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] |= 0xFF000000u;
    }
    if (yInverted)
        image = image.mirrored(false, true);
    return undoOutputTransform(image, outputTransform);
}

} // namespace WlrootsFrame
