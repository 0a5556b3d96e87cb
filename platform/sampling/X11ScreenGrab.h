#pragma once

#include <QImage>

#include <cstdint>
#include <optional>

class QWindow;

// Grabs what lies under a window from the X server through shared memory: the server writes
// the pixels straight into memory this process maps, instead of sending them through the
// socket as QScreen::grabWindow() does, which at 4K costs several times longer. The segment
// is kept for the next grab of the same size.
class X11ScreenGrab
{
public:
    X11ScreenGrab() = default;
    ~X11ScreenGrab();
    X11ScreenGrab(const X11ScreenGrab&) = delete;
    X11ScreenGrab& operator=(const X11ScreenGrab&) = delete;

    // The root window's pixels under `window` (created, not necessarily shown), in device
    // pixels, as Format_RGB32. The image shares this object's memory and stays valid until
    // its next grab or its end. None when not on X11, without the shared-memory extension,
    // or for a pixel format other than 32 bits per pixel in the host's byte order; callers
    // then use QScreen::grabWindow().
    std::optional<QImage> grabUnder(const QWindow* window);

private:
    bool ensureSegment(std::size_t bytes);
    void releaseSegment();

    std::size_t m_bytes = 0;
    int m_shmId = -1;
    void* m_memory = nullptr;
    std::uint32_t m_segment = 0;
};
