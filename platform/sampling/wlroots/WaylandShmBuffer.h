#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>
#include <functional>
#include <memory>

struct wl_buffer;
struct wl_shm;

// A wl_buffer over memory shared with the compositor (a memfd, mapped here). The
// compositor reads it after a commit (or writes it, for a screen copy) until it releases it.
class WaylandShmBuffer
{
public:
    // None when the memory or the buffer cannot be made.
    static std::unique_ptr<WaylandShmBuffer> create(wl_shm* shm, QSize size, int stride,
                                                    std::uint32_t format);
    ~WaylandShmBuffer();
    WaylandShmBuffer(const WaylandShmBuffer&) = delete;
    WaylandShmBuffer& operator=(const WaylandShmBuffer&) = delete;

    wl_buffer* buffer() const { return m_buffer; }
    uchar* data() const { return static_cast<uchar*>(m_memory); }
    QSize size() const { return m_size; }
    int stride() const { return m_stride; }
    // The memory as an image of this format (no copy).
    QImage image(QImage::Format format) const;

    // Whether the compositor may still read it: set on attach, cleared by its release.
    bool isBusy() const { return m_busy; }
    void markBusy() { m_busy = true; }
    // Called when the compositor releases the buffer.
    void setOnRelease(std::function<void()> onRelease) { m_onRelease = std::move(onRelease); }

private:
    WaylandShmBuffer() = default;
    static void released(void* data, wl_buffer* buffer);

    wl_buffer* m_buffer = nullptr;
    void* m_memory = nullptr;
    std::size_t m_bytes = 0;
    QSize m_size;
    int m_stride = 0;
    bool m_busy = false;
    std::function<void()> m_onRelease;
};
