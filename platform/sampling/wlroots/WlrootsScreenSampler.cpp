#include "platform/sampling/wlroots/WlrootsScreenSampler.h"

#include "platform/sampling/overlay/MagnifierLoupe.h"
#include "platform/sampling/wlroots/WlrootsPickSurface.h"
#include "platform/sampling/wlroots/WlrootsScreenCopy.h"

#include <wayland-client.h>

#include <linux/input-event-codes.h>

#include <algorithm>

namespace {
constexpr std::chrono::seconds copyTimeout{3};
constexpr std::chrono::milliseconds answerAfterAtMost{500};

SrgbComponents componentsOf(const QColor& color)
{
    return {color.redF(), color.greenF(), color.blueF()};
}
} // namespace

WlrootsScreenSampler::WlrootsScreenSampler(std::unique_ptr<WlrootsDisplay> display, QObject* parent)
    : QObject(parent), m_display(std::move(display))
{
    m_answerTimer.setSingleShot(true);
    m_answerTimer.setInterval(answerAfterAtMost);
    connect(&m_answerTimer, &QTimer::timeout, this, &WlrootsScreenSampler::answer);
}

WlrootsScreenSampler::~WlrootsScreenSampler()
{
    finish(std::nullopt);
    answer();
}

void WlrootsScreenSampler::prepareForPick()
{
    if (!m_loupePrepared.valid())
        m_loupePrepared = MagnifierLoupe::prepareAhead();
}

void WlrootsScreenSampler::showSampler(SelectionHandler handler)
{
    if (isShowing()) {
        handler(std::nullopt);
        return;
    }
    m_unavailable.clear();
    if (!m_display->isConnected()) {
        m_log.warning("the connection to the Wayland compositor is lost; the pick ends "
                      "without a colour");
        m_unavailable = "the connection to the Wayland compositor was lost";
        handler(std::nullopt);
        return;
    }
    m_handler = std::move(handler);
    // The application's own windows (the panel, which hides as the pick starts) go away
    // through Qt's connection, which Qt sends at the next turn of the event loop; the copy is
    // asked for after that, so the frozen frame does not show them.
    QTimer::singleShot(0, this, &WlrootsScreenSampler::freezeAndShow);
}

void WlrootsScreenSampler::freezeAndShow()
{
    if (!isShowing() || !m_surfaces.empty())
        return;
    // Every output is copied before any surface shows, so no surface is in a copy.
    std::optional<std::vector<WlrootsScreenCopy::Shot>> shots =
        WlrootsScreenCopy::captureAll(*m_display, copyTimeout);
    if (!shots) {
        m_log.warning("the compositor did not copy the screen; the pick ends without a colour");
        m_unavailable = "the compositor did not copy the screen";
        std::exchange(m_handler, {})(std::nullopt);
        return;
    }
    m_display->setInput(this);
    for (WlrootsScreenCopy::Shot& shot : *shots) {
        m_surfaces.push_back(std::make_unique<WlrootsPickSurface>(
            *m_display, shot.output, std::move(shot.image), [this] { surfaceShown(); },
            // Ended later: the surface is inside its own event here.
            [this] { QTimer::singleShot(0, this, [this] { finish(std::nullopt); }); }));
    }
}

bool WlrootsScreenSampler::isOnScreen() const
{
    return isShowing() && std::all_of(m_surfaces.begin(), m_surfaces.end(),
                                      [](const auto& surface) { return surface->isShown(); });
}

void WlrootsScreenSampler::surfaceShown()
{
    if (isOnScreen())
        emit shown();
}

void WlrootsScreenSampler::pointerEntered(wl_surface* surface, QPointF position)
{
    m_pointerSurface = nullptr;
    for (const auto& candidate : m_surfaces) {
        if (candidate->surface() == surface)
            m_pointerSurface = candidate.get();
    }
    if (m_pointerSurface)
        m_pointerSurface->pointAt(position);
}

void WlrootsScreenSampler::pointerMoved(QPointF position)
{
    if (m_pointerSurface)
        m_pointerSurface->pointAt(position);
}

void WlrootsScreenSampler::buttonPressed(std::uint32_t button)
{
    if (button == BTN_RIGHT) {
        finish(std::nullopt);
        return;
    }
    if (button != BTN_LEFT || !m_pointerSurface)
        return;
    // The pixel the pointer or, since its last motion, the arrow keys named.
    const QColor color = m_pointerSurface->frozen().color();
    if (color.isValid())
        finish(componentsOf(color));
}

void WlrootsScreenSampler::keyPressed(int qtKey)
{
    WlrootsPickSurface* surface = keyboardSurface();
    switch (FrozenScreen::keyAction(qtKey)) {
    case FrozenScreen::KeyAction::cancel:
        finish(std::nullopt);
        return;
    case FrozenScreen::KeyAction::pick:
        // Enter before the pointer or a key has named a pixel has nothing to pick.
        if (surface && surface->frozen().color().isValid())
            finish(componentsOf(surface->frozen().color()));
        return;
    case FrozenScreen::KeyAction::move:
        if (surface)
            surface->moveBy(FrozenScreen::arrowStep(qtKey));
        return;
    case FrozenScreen::KeyAction::zoomIn:
    case FrozenScreen::KeyAction::zoomOut:
    case FrozenScreen::KeyAction::cycleArea:
        if (surface)
            surface->changeLoupe(
                [qtKey](FrozenScreen& frozen) { return frozen.applyLoupeKey(qtKey); });
        return;
    case FrozenScreen::KeyAction::none:
        return;
    }
}

void WlrootsScreenSampler::wheelTurned(int notches)
{
    if (m_pointerSurface)
        m_pointerSurface->changeLoupe(
            [notches](FrozenScreen& frozen) { return frozen.zoomBy(notches); });
}

WlrootsPickSurface* WlrootsScreenSampler::keyboardSurface() const
{
    // The keys act where the pointer is, as on X11.
    if (m_pointerSurface)
        return m_pointerSurface;
    return m_surfaces.empty() ? nullptr : m_surfaces.front().get();
}

void WlrootsScreenSampler::outputRemoved(wl_output* output)
{
    // An output unplugged mid-pick would leave a surface without its screen.
    const bool ours =
        std::any_of(m_surfaces.begin(), m_surfaces.end(),
                    [output](const auto& surface) { return surface->output() == output; });
    if (ours)
        finish(std::nullopt);
}

void WlrootsScreenSampler::finish(std::optional<SrgbComponents> components)
{
    if (!m_handler)
        return;
    const SelectionHandler handler = std::exchange(m_handler, {});
    m_display->setInput(nullptr);
    m_pointerSurface = nullptr;
    m_surfaces.clear();
    answer(); // a pick ended before this one's surfaces came down is answered first
    m_answer = [handler, components] { handler(components); };
    // Whatever the answer leads to (the clipboard wants the keyboard focus back on a window
    // of ours) waits until the compositor has taken the surfaces down.
    static const wl_callback_listener listener{
        .done = [](void* data, wl_callback*,
                   std::uint32_t) { static_cast<WlrootsScreenSampler*>(data)->answer(); },
    };
    m_sync = wl_display_sync(m_display->display());
    wl_callback_add_listener(m_sync, &listener, this);
    m_display->flush();
    m_answerTimer.start();
}

void WlrootsScreenSampler::answer()
{
    m_answerTimer.stop();
    if (m_sync) {
        wl_callback_destroy(std::exchange(m_sync, nullptr));
        m_display->flush();
    }
    if (const std::function<void()> pending = std::exchange(m_answer, {}))
        pending();
}
