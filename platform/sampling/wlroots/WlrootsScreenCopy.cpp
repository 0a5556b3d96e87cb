#include "platform/sampling/wlroots/WlrootsScreenCopy.h"

#include "platform/sampling/wlroots/WaylandShmBuffer.h"
#include "platform/sampling/wlroots/WlrootsDisplay.h"
#include "platform/sampling/wlroots/WlrootsFrame.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <algorithm>
#include <memory>

namespace WlrootsScreenCopy {

namespace {

struct Capture
{
    WlrootsDisplay* display = nullptr;
    wl_output* output = nullptr;
    int transform = 0;
    zwlr_screencopy_frame_v1* frame = nullptr;
    std::uint32_t format = 0;
    QSize size;
    int stride = 0;
    bool chosen = false;
    bool yInverted = false;
    bool ready = false;
    bool failed = false;
    std::unique_ptr<WaylandShmBuffer> buffer;

    bool finished() const { return ready || failed; }

    void copy()
    {
        if (buffer || failed)
            return;
        buffer = chosen ? WaylandShmBuffer::create(display->shm(), size, stride, format) : nullptr;
        if (!buffer) {
            failed = true;
            return;
        }
        zwlr_screencopy_frame_v1_copy(frame, buffer->buffer());
    }
};

void onBuffer(void* data, zwlr_screencopy_frame_v1* frame, std::uint32_t format,
              std::uint32_t width, std::uint32_t height, std::uint32_t stride)
{
    auto* capture = static_cast<Capture*>(data);
    // The first shared-memory format the overlay can read.
    if (!capture->chosen && WlrootsFrame::isSupportedFormat(format)) {
        capture->chosen = true;
        capture->format = format;
        capture->size = QSize(int(width), int(height));
        capture->stride = int(stride);
    }
    // Before version 3 one buffer event is all there is.
    if (zwlr_screencopy_frame_v1_get_version(frame) < 3)
        capture->copy();
}

void onFlags(void* data, zwlr_screencopy_frame_v1*, std::uint32_t flags)
{
    static_cast<Capture*>(data)->yInverted = flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT;
}

void onReady(void* data, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t)
{
    static_cast<Capture*>(data)->ready = true;
}

void onFailed(void* data, zwlr_screencopy_frame_v1*)
{
    static_cast<Capture*>(data)->failed = true;
}

void onDamage(void*, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t,
              std::uint32_t)
{
}

void onDmabuf(void*, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t) {}

void onBufferDone(void* data, zwlr_screencopy_frame_v1*)
{
    static_cast<Capture*>(data)->copy();
}

const zwlr_screencopy_frame_v1_listener frameListener{
    .buffer = onBuffer,
    .flags = onFlags,
    .ready = onReady,
    .failed = onFailed,
    .damage = onDamage,
    .linux_dmabuf = onDmabuf,
    .buffer_done = onBufferDone,
};

} // namespace

std::optional<std::vector<Shot>> captureAll(WlrootsDisplay& display,
                                            std::chrono::milliseconds timeout)
{
    if (!display.screencopy() || display.outputs().empty())
        return std::nullopt;
    std::vector<std::unique_ptr<Capture>> captures;
    for (const WlrootsDisplay::Output& output : display.outputs()) {
        auto capture = std::make_unique<Capture>();
        capture->display = &display;
        capture->output = output.output;
        capture->transform = output.transform;
        capture->frame =
            zwlr_screencopy_manager_v1_capture_output(display.screencopy(), 0, output.output);
        zwlr_screencopy_frame_v1_add_listener(capture->frame, &frameListener, capture.get());
        captures.push_back(std::move(capture));
    }
    display.flush();
    const bool finished = display.dispatchUntil(
        [&] {
            return std::all_of(captures.begin(), captures.end(),
                               [](const auto& capture) { return capture->finished(); });
        },
        timeout);

    std::optional<std::vector<Shot>> shots;
    if (finished) {
        shots.emplace();
        for (const auto& capture : captures) {
            if (!capture->ready) {
                shots.reset();
                break;
            }
            QImage image = WlrootsFrame::toScreenImage(capture->buffer->data(), capture->size,
                                                       capture->stride, capture->format,
                                                       capture->transform, capture->yInverted);
            if (image.isNull()) {
                shots.reset();
                break;
            }
            shots->push_back({capture->output, std::move(image)});
        }
    }
    for (const auto& capture : captures)
        zwlr_screencopy_frame_v1_destroy(capture->frame);
    display.flush();
    return shots;
}

} // namespace WlrootsScreenCopy
