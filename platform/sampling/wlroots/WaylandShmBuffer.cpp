#include "platform/sampling/wlroots/WaylandShmBuffer.h"

#include <wayland-client.h>

#include <sys/mman.h>
#include <unistd.h>

std::unique_ptr<WaylandShmBuffer> WaylandShmBuffer::create(wl_shm* shm, QSize size, int stride,
                                                           std::uint32_t format)
{
    if (!shm || size.isEmpty() || stride < size.width() * 4)
        return nullptr;
    const std::size_t bytes = std::size_t(stride) * std::size_t(size.height());
    const int fd = memfd_create("morvane-pick", MFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    std::unique_ptr<WaylandShmBuffer> buffer(new WaylandShmBuffer);
    void* memory = MAP_FAILED;
    if (ftruncate(fd, off_t(bytes)) == 0)
        memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory == MAP_FAILED) {
        close(fd);
        return nullptr;
    }
    buffer->m_memory = memory;
    buffer->m_bytes = bytes;
    buffer->m_size = size;
    buffer->m_stride = stride;
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, int32_t(bytes));
    buffer->m_buffer =
        wl_shm_pool_create_buffer(pool, 0, size.width(), size.height(), stride, format);
    wl_shm_pool_destroy(pool);
    // The compositor holds its own reference to the memory.
    close(fd);
    static const wl_buffer_listener listener{&WaylandShmBuffer::released};
    wl_buffer_add_listener(buffer->m_buffer, &listener, buffer.get());
    return buffer;
}

WaylandShmBuffer::~WaylandShmBuffer()
{
    if (m_buffer)
        wl_buffer_destroy(m_buffer);
    if (m_memory)
        munmap(m_memory, m_bytes);
}

QImage WaylandShmBuffer::image(QImage::Format format) const
{
    return QImage(data(), m_size.width(), m_size.height(), m_stride, format);
}

void WaylandShmBuffer::released(void* data, wl_buffer*)
{
    auto* self = static_cast<WaylandShmBuffer*>(data);
    self->m_busy = false;
    if (self->m_onRelease)
        self->m_onRelease();
}
