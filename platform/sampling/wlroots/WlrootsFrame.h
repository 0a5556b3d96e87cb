#pragma once

#include <QImage>

#include <cstdint>

// A frame the compositor copied into shared memory, turned into the screen as the user sees
// it. The copy holds the output's pixels as its hardware scans them out: rotated or mirrored
// by the output's transform (wl_output.transform) and, with the y_invert flag, stored bottom
// row first. Both are undone here.
namespace WlrootsFrame {

// wl_shm format codes the overlay reads.
constexpr std::uint32_t shmArgb8888 = 0;
constexpr std::uint32_t shmXrgb8888 = 1;
constexpr std::uint32_t shmAbgr8888 = 0x34324241;
constexpr std::uint32_t shmXbgr8888 = 0x34324258;

bool isSupportedFormat(std::uint32_t shmFormat);

// The screen image (Format_RGB32, opaque, upright) of `size` pixels stored at `data` with
// `stride` bytes a row in `shmFormat`; null for a format isSupportedFormat() refuses or a
// transform outside 0...7.
QImage toScreenImage(const uchar* data, QSize size, int stride, std::uint32_t shmFormat,
                     int outputTransform, bool yInverted);

// The image as the output shows it, from an upright copy of its buffer: the inverse of the
// output's transform (0 normal, 1...3 turned 90, 180, 270 degrees counter-clockwise, 4...7 the
// same after a flip around the vertical axis).
QImage undoOutputTransform(const QImage& buffer, int outputTransform);

} // namespace WlrootsFrame
