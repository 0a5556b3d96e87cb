#include "platform/sampling/x11/X11ScreenGrab.h"

#include <QGuiApplication>
#include <QRegion>
#include <QSysInfo>
#include <QWindow>

#include <xcb/shm.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/shm.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace {

struct FreeDeleter
{
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_connection_t* connection()
{
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// Whether a ZPixmap of this depth holds 32 bits per pixel in the host's byte order, which
// is Format_RGB32's layout.
bool isRgb32Layout(xcb_connection_t* x, std::uint8_t depth)
{
    const xcb_setup_t* setup = xcb_get_setup(x);
    const bool hostLittleEndian = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
    if ((setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST) != hostLittleEndian)
        return false;
    if (depth != 24 && depth != 32)
        return false;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it)) {
        if (it.data->depth == depth)
            return it.data->bits_per_pixel == 32;
    }
    return false;
}

// The kernel hands out a new segment's pages as they are first written, each with a fault:
// for a whole screen that is milliseconds (tens at 4K). Asked for in one call, they come far
// cheaper. Best effort: a kernel before 5.14 refuses, and the pages come as written.
void populate(void* memory, std::size_t bytes)
{
#ifdef MADV_POPULATE_WRITE
    const auto page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(memory) & ~(page - 1);
    ::madvise(reinterpret_cast<void*>(start),
              reinterpret_cast<std::uintptr_t>(memory) + bytes - start, MADV_POPULATE_WRITE);
#else
    (void)memory;
    (void)bytes;
#endif
}

// A graphics context for copying pixels onto `window`: no exposure events for the copies.
xcb_gcontext_t makeGc(xcb_connection_t* x, xcb_window_t window)
{
    const xcb_gcontext_t gc = xcb_generate_id(x);
    const std::uint32_t noExposures = 0;
    xcb_create_gc(x, gc, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    return gc;
}

} // namespace

X11ScreenGrab::~X11ScreenGrab()
{
    releaseSegment();
}

std::optional<QImage> X11ScreenGrab::grabUnder(const QWindow* window)
{
    std::optional<QImage> image = prepareUnder(window);
    if (!image || !grabWhole())
        return std::nullopt;
    return image;
}

std::optional<QImage> X11ScreenGrab::prepareUnder(const QWindow* window)
{
    dropPendingGrab();
    m_paintable = false;
    m_part = QImage();
    m_partRect = QRect();
    xcb_connection_t* x = connection();
    if (!x || !window || !window->handle())
        return std::nullopt;
    const auto* shm = xcb_get_extension_data(x, &xcb_shm_id);
    if (!shm || !shm->present)
        return std::nullopt;

    // The overlay window is placed over exactly its screen, so its geometry (relative to the
    // root, its parent) is the screen's rectangle in device pixels.
    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(x, xcb_get_geometry(x, xcb_window_t(window->winId())), nullptr));
    if (!geometry || geometry->width == 0 || geometry->height == 0)
        return std::nullopt;
    const Reply<xcb_get_geometry_reply_t> root(
        xcb_get_geometry_reply(x, xcb_get_geometry(x, geometry->root), nullptr));
    if (!root || !isRgb32Layout(x, root->depth))
        return std::nullopt;

    const int width = geometry->width;
    const int height = geometry->height;
    const std::size_t bytes = std::size_t(width) * std::size_t(height) * 4;
    if (!ensureSegment(bytes))
        return std::nullopt;
    if (m_root != geometry->root)
        m_managerAtom = 0;
    m_root = geometry->root;
    m_origin = QPoint(geometry->x, geometry->y);
    m_width = width;
    m_height = height;
    m_depth = root->depth;
    m_paintable = geometry->depth == root->depth;
    return QImage(static_cast<const uchar*>(m_memory), width, height, width * 4,
                  QImage::Format_RGB32);
}

bool X11ScreenGrab::grabWhole()
{
    xcb_connection_t* x = connection();
    if (!x || !m_memory)
        return false;
    dropPendingGrab();
    const Reply<xcb_shm_get_image_reply_t> image(
        xcb_shm_get_image_reply(x, {requestRows(0, m_height)}, nullptr));
    if (!image)
        m_paintable = false;
    return bool(image);
}

bool X11ScreenGrab::screenIsComposited()
{
    xcb_connection_t* x = connection();
    if (!x || !m_root)
        return true; // unknown: the grab that holds under a compositing manager too
    if (!m_managerAtom) {
        int number = 0;
        for (auto it = xcb_setup_roots_iterator(xcb_get_setup(x)); it.rem;
             xcb_screen_next(&it), ++number) {
            if (it.data->root == m_root)
                break;
        }
        // A compositing manager owns this selection while it runs (freedesktop's window
        // manager specification).
        const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(number);
        const Reply<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
            x, xcb_intern_atom(x, 0, std::uint16_t(name.size()), name.constData()), nullptr));
        if (!atom)
            return true;
        m_managerAtom = atom->atom;
    }
    const Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(x, xcb_get_selection_owner(x, m_managerAtom), nullptr));
    return !owner || owner->owner != XCB_NONE;
}

bool X11ScreenGrab::grabPartNow(const QRect& rect)
{
    xcb_connection_t* x = connection();
    const QRect part = rect & QRect(0, 0, m_width, m_height);
    if (!x || !m_memory || part.isEmpty())
        return false;
    const Reply<xcb_get_image_reply_t> image(xcb_get_image_reply(
        x,
        xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root, std::int16_t(m_origin.x() + part.x()),
                      std::int16_t(m_origin.y() + part.y()), std::uint16_t(part.width()),
                      std::uint16_t(part.height()), ~0u),
        nullptr));
    const std::size_t line = std::size_t(part.width()) * 4;
    if (!image || std::size_t(xcb_get_image_data_length(image.get())) < line * part.height())
        return false;
    const std::uint8_t* data = xcb_get_image_data(image.get());
    QImage copy(part.size(), QImage::Format_RGB32);
    for (int row = 0; row < part.height(); ++row)
        std::memcpy(copy.scanLine(row), data + line * std::size_t(row), line);
    m_part = std::move(copy);
    m_partRect = part;
    if (m_fresh) {
        populate(static_cast<std::uint8_t*>(m_memory) +
                     std::size_t(part.y()) * std::size_t(m_width) * 4,
                 std::size_t(part.height()) * std::size_t(m_width) * 4);
    }
    writePart();
    return true;
}

void X11ScreenGrab::grabRestLater()
{
    if (!connection() || !m_memory || m_grabbing)
        return;
    m_grabbing = true;
    m_nextRow = 0;
    // The first band waits for the next continueGrab(): until then the server has nothing
    // of ours to do but show what was sent before (the loupe).
    m_bandDone = true;
    xcb_flush(connection());
}

unsigned X11ScreenGrab::requestRows(int top, int rows) const
{
    return xcb_shm_get_image(connection(), m_root, std::int16_t(m_origin.x()),
                             std::int16_t(m_origin.y() + top), std::uint16_t(m_width),
                             std::uint16_t(rows), ~0u, XCB_IMAGE_FORMAT_Z_PIXMAP, m_segment,
                             std::uint32_t(top) * std::uint32_t(m_width) * 4)
        .sequence;
}

void X11ScreenGrab::sendBand()
{
    xcb_connection_t* x = connection();
    // About a megabyte each: well under a millisecond of the server's time.
    constexpr int bandBytes = 1 << 20;
    const int top = m_nextRow;
    const int rows = std::min(std::max(1, bandBytes / (m_width * 4)), m_height - top);
    // A new segment's pages handed out a band at a time, just ahead of the server's writes:
    // all at once they would take a core from the server while it shows the loupe.
    if (m_fresh) {
        const std::size_t line = std::size_t(m_width) * 4;
        populate(static_cast<std::uint8_t*>(m_memory) + std::size_t(top) * line,
                 std::size_t(rows) * line);
        m_fresh = top + rows < m_height;
    }
    m_bandSequence = requestRows(top, rows);
    m_bandDone = false;
    m_nextRow = top + rows;
    xcb_flush(x);
}

bool X11ScreenGrab::continueGrab()
{
    xcb_connection_t* x = connection();
    if (!x || !m_grabbing)
        return false;
    if (!m_bandDone) {
        void* reply = nullptr;
        xcb_generic_error_t* error = nullptr;
        if (!xcb_poll_for_reply(x, m_bandSequence, &reply, &error))
            return true; // the server is still on it
        std::free(reply);
        std::free(error);
        m_bandDone = true;
    }
    if (m_nextRow >= m_height)
        return false;
    sendBand();
    return true;
}

void X11ScreenGrab::finishGrab()
{
    xcb_connection_t* x = connection();
    if (!x || !m_grabbing)
        return;
    // The rest at once: the server answers in order, so the last band's reply comes after
    // every other. A failed band (the screen changed size under the pick) leaves what the
    // memory held there; the part grabbed first is right either way.
    if (!m_bandDone && m_nextRow < m_height)
        xcb_discard_reply(x, m_bandSequence);
    while (m_nextRow < m_height) {
        sendBand();
        if (m_nextRow < m_height)
            xcb_discard_reply(x, m_bandSequence);
    }
    if (!m_bandDone)
        std::free(xcb_shm_get_image_reply(x, xcb_shm_get_image_cookie_t{m_bandSequence}, nullptr));
    m_bandDone = true;
    m_grabbing = false;
    writePart();
}

void X11ScreenGrab::writePart()
{
    if (m_part.isNull())
        return;
    auto* memory = static_cast<std::uint8_t*>(m_memory);
    const std::size_t line = std::size_t(m_partRect.width()) * 4;
    for (int row = 0; row < m_partRect.height(); ++row) {
        std::memcpy(memory + (std::size_t(m_partRect.y() + row) * std::size_t(m_width) +
                              std::size_t(m_partRect.x())) *
                                 4,
                    m_part.constScanLine(row), line);
    }
}

void X11ScreenGrab::dropPendingGrab()
{
    if (!m_grabbing)
        return;
    if (xcb_connection_t* x = connection(); x && !m_bandDone)
        xcb_discard_reply(x, m_bandSequence);
    m_bandDone = true;
    m_grabbing = false;
}

bool X11ScreenGrab::paintOnto(const QWindow* window, const QRegion& region) const
{
    xcb_connection_t* x = connection();
    if (!x || !canPaint() || !window || !window->handle())
        return false;
    const QRegion clipped = region & QRect(0, 0, m_width, m_height);
    if (clipped.isEmpty())
        return true;
    std::vector<xcb_rectangle_t> rectangles;
    for (const QRect& rect : clipped) {
        rectangles.push_back({std::int16_t(rect.x()), std::int16_t(rect.y()),
                              std::uint16_t(rect.width()), std::uint16_t(rect.height())});
    }
    const auto target = xcb_window_t(window->winId());
    const xcb_gcontext_t gc = makeGc(x, target);
    // One copy of the region's bounding rectangle, clipped to the region itself.
    xcb_set_clip_rectangles(x, XCB_CLIP_ORDERING_YX_BANDED, gc, 0, 0,
                            std::uint32_t(rectangles.size()), rectangles.data());
    const QRect bounds = clipped.boundingRect();
    xcb_shm_put_image(x, target, gc, std::uint16_t(m_width), std::uint16_t(m_height),
                      std::uint16_t(bounds.x()), std::uint16_t(bounds.y()),
                      std::uint16_t(bounds.width()), std::uint16_t(bounds.height()),
                      std::int16_t(bounds.x()), std::int16_t(bounds.y()), m_depth,
                      XCB_IMAGE_FORMAT_Z_PIXMAP, 0, m_segment, 0);
    xcb_free_gc(x, gc);
    xcb_flush(x);
    return true;
}

bool X11ScreenGrab::putImage(const QWindow* window, const QImage& image, QPoint at) const
{
    xcb_connection_t* x = connection();
    if (!x || !canPaint() || !window || !window->handle() ||
        image.format() != QImage::Format_RGB32 || image.bytesPerLine() != image.width() * 4)
        return false;
    const auto target = xcb_window_t(window->winId());
    const xcb_gcontext_t gc = makeGc(x, target);
    // In bands of rows, each within the server's request size (in 4-byte units).
    const std::size_t header = 32;
    const std::size_t maximum = std::size_t(xcb_get_maximum_request_length(x)) * 4;
    const std::size_t line = std::size_t(image.width()) * 4;
    const int band = std::max(1, int((maximum - header) / line));
    for (int top = 0; top < image.height(); top += band) {
        const int rows = std::min(band, image.height() - top);
        xcb_put_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, target, gc, std::uint16_t(image.width()),
                      std::uint16_t(rows), std::int16_t(at.x()), std::int16_t(at.y() + top), 0,
                      m_depth, std::uint32_t(line * std::size_t(rows)), image.constScanLine(top));
    }
    xcb_free_gc(x, gc);
    xcb_flush(x);
    return true;
}

std::optional<unsigned> X11ScreenGrab::sendFence()
{
    xcb_connection_t* x = connection();
    if (!x)
        return std::nullopt;
    // Any request with a reply will do; the server answers requests in order.
    const unsigned sequence = xcb_get_input_focus(x).sequence;
    xcb_flush(x);
    return sequence;
}

bool X11ScreenGrab::fenceReached(unsigned fence)
{
    xcb_connection_t* x = connection();
    if (!x)
        return true;
    void* reply = nullptr;
    xcb_generic_error_t* error = nullptr;
    const bool reached = xcb_poll_for_reply(x, fence, &reply, &error) != 0;
    std::free(reply);
    std::free(error);
    return reached;
}

void X11ScreenGrab::dropFence(unsigned fence)
{
    if (xcb_connection_t* x = connection())
        xcb_discard_reply(x, fence);
}

bool X11ScreenGrab::ensureSegment(std::size_t bytes)
{
    if (m_memory && m_bytes == bytes)
        return true;
    releaseSegment();
    xcb_connection_t* x = connection();
    m_shmId = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (m_shmId < 0)
        return false;
    m_memory = shmat(m_shmId, nullptr, 0);
    // Marked for removal at once: the kernel frees it when the last user detaches, even if
    // this process dies.
    shmctl(m_shmId, IPC_RMID, nullptr);
    if (m_memory == reinterpret_cast<void*>(-1)) {
        m_memory = nullptr;
        return false;
    }
    m_segment = xcb_generate_id(x);
    // Attached writable: the server writes the image into it.
    const Reply<xcb_generic_error_t> error(
        xcb_request_check(x, xcb_shm_attach_checked(x, m_segment, std::uint32_t(m_shmId), 0)));
    if (error) {
        shmdt(m_memory);
        m_memory = nullptr;
        return false;
    }
    m_bytes = bytes;
    m_fresh = true;
    return true;
}

void X11ScreenGrab::releasePixels()
{
    dropPendingGrab();
    m_part = QImage();
    m_partRect = QRect();
    if (!m_memory)
        return;
    // Frees the segment's pages for every process that maps it, the server included; what
    // is written next gets new, zeroed pages.
    if (::madvise(m_memory, m_bytes, MADV_REMOVE) != 0) {
        releaseSegment();
        return;
    }
    m_fresh = true;
}

void X11ScreenGrab::releaseSegment()
{
    dropPendingGrab();
    if (!m_memory)
        return;
    if (xcb_connection_t* x = connection()) {
        xcb_shm_detach(x, m_segment);
        xcb_flush(x);
    }
    shmdt(m_memory);
    m_memory = nullptr;
    m_bytes = 0;
    m_paintable = false;
}
