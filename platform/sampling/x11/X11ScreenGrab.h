#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <optional>

class QRegion;
class QWindow;

// Grabs what lies under a window from the X server through shared memory: the server writes
// the pixels straight into memory this process maps, instead of sending them through the
// socket as QScreen::grabWindow() does, which at 4K costs several times longer. The segment
// is kept for the next grab of the same size. The same memory can be put back onto a window
// by the server (paintOnto), so a window can show the grab without an image of its own.
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

    // The same grab in steps. First the memory for a grab under `window` (None as above),
    // its pixels not grabbed yet; then either grabWhole(), or, for an overlay that shows the
    // screen by being mapped, grabPartNow(), grabRestLater() and finishGrab().
    std::optional<QImage> prepareUnder(const QWindow* window);
    bool grabWhole();
    // Whether a compositing manager runs on the X screen of the prepared grab. Without one, a
    // window mapped there without a background keeps showing what the screen showed: a pick's
    // overlay is the frozen screen the moment it maps, before anything is grabbed.
    bool screenIsComposited();
    // A whole grab keeps the server busy for milliseconds (tens at 4K, in memory new to it),
    // so such an overlay grabs the part its loupe needs first: grabPartNow() grabs `rect` (the
    // window's device pixels) at once, through the socket, and keeps a copy, since the loupe
    // is then drawn over it and the whole grab would see the loupe there. grabRestLater()
    // then grabs the whole screen in bands, one at a time: each continueGrab() sends the next
    // once the server has handled the last (the first on its first call), so that other
    // clients (the one showing the loupe to the user among them) are served in between. It
    // returns false once the last band is done.
    bool grabPartNow(const QRect& rect);
    void grabRestLater();
    bool continueGrab();
    // Grabs what is left of the whole grab at once and waits for it, then puts the part
    // grabbed first back over it. The image is complete after this.
    void finishGrab();
    // Whether the whole grab is still under way, and the part grabbed first (device pixels of
    // the window), with its pixels: right while the whole grab's memory may show the loupe.
    bool isGrabbing() const { return m_grabbing; }
    QRect partRect() const { return m_partRect; }
    const QImage& part() const { return m_part; }

    // Lets go of the grab's pixels and keeps its memory without them, mapped here and known to
    // the server: a screen's worth of memory goes back to the system, and the next grab of
    // the same size skips the set-up (server round trips). Its pages come back as written.
    void releasePixels();
    // Whether the last grab can be put onto the window it was taken under: that window has
    // the root's depth, so the grab's pixels are in its format.
    bool canPaint() const { return m_memory && m_paintable; }
    // Puts the part `region` (the window's device pixels) of the last grab onto `window` at the
    // same place, straight from the shared memory; the server copies, this process touches
    // nothing. False when canPaint() does not hold.
    bool paintOnto(const QWindow* window, const QRegion& region) const;
    // Puts `image` (Format_RGB32, device pixels) onto that window with its top-left corner at
    // `at`, sent through the socket. False when canPaint() does not hold.
    bool putImage(const QWindow* window, const QImage& image, QPoint at) const;

    // A marker after every request this process has sent the X server so far, and whether the
    // server has handled it: a way to wait for the server without blocking on it. None when
    // not on X11.
    static std::optional<unsigned> sendFence();
    static bool fenceReached(unsigned fence);
    // Forgets a fence that was not reached, so its reply is not kept.
    static void dropFence(unsigned fence);

private:
    bool ensureSegment(std::size_t bytes);
    void releaseSegment();
    // Drops a whole grab asked for and not yet waited for.
    void dropPendingGrab();
    // Asks the server for rows [top, top + rows) of the screen, into the segment in place;
    // returns the request's sequence.
    unsigned requestRows(int top, int rows) const;
    void sendBand();
    // Puts the part grabbed first into the segment, at its place.
    void writePart();

    std::size_t m_bytes = 0;
    std::uint32_t m_root = 0;
    QPoint m_origin; // the window's place on its root
    // A whole grab in bands: under way, the next row to grab, the last band's request and
    // whether its reply came.
    bool m_grabbing = false;
    int m_nextRow = 0;
    unsigned m_bandSequence = 0;
    bool m_bandDone = true;
    bool m_fresh = false; // pages not handed out yet below the bands sent
    QRect m_partRect;
    QImage m_part; // the part grabbed first, its own copy
    int m_width = 0;
    int m_height = 0;
    std::uint8_t m_depth = 0;
    bool m_paintable = false;
    std::uint32_t m_managerAtom = 0; // _NET_WM_CM_Sn of the grab's screen, once asked
    int m_shmId = -1;
    void* m_memory = nullptr;
    std::uint32_t m_segment = 0;
};
