#pragma once

#include "core/Log.h"
#include "core/ports/ScreenSampler.h"
#include "platform/sampling/wlroots/WlrootsDisplay.h"

#include <QObject>
#include <QTimer>

#include <future>
#include <memory>
#include <vector>

class WlrootsPickSurface;
struct wl_callback;

// The wlroots sampler (Sway, Hyprland, river, labwc, ...): freezes every output with the
// compositor's screen copy and shows a WlrootsPickSurface on each; the first pick or cancel on
// any of them ends the pick everywhere. A left click or Enter picks the device pixel meant,
// Escape or a right click cancels, the arrow keys move by one device pixel (the pointer
// itself stays: Wayland lets no client move it). One pick runs at a time: a showSampler()
// while one is shown ends the new request as a cancel at once. Main thread only; the handler
// is called on the main thread, once the compositor has taken the surfaces down.
class WlrootsScreenSampler : public QObject, public ScreenSampler, private WlrootsInput
{
    Q_OBJECT

public:
    // `display` offers layer-shell and screen copy.
    explicit WlrootsScreenSampler(std::unique_ptr<WlrootsDisplay> display,
                                  QObject* parent = nullptr);
    // A pick still shown ends as a cancel.
    ~WlrootsScreenSampler() override;

    void showSampler(SelectionHandler handler) override;
    void prepareForPick() override;
    std::string unavailableReason() const override { return m_unavailable; }

    bool isShowing() const { return static_cast<bool>(m_handler); }
    // Ends a running pick as Escape does (for benchmarks).
    void cancel() { finish(std::nullopt); }
    // Whether every output's surface is on the screen (for tests and benchmarks).
    bool isOnScreen() const;

signals:
    // Every output shows its frozen frame.
    void shown();

private:
    void pointerEntered(wl_surface* surface, QPointF position) override;
    void pointerMoved(QPointF position) override;
    void buttonPressed(std::uint32_t button) override;
    void keyPressed(int qtKey) override;
    void wheelTurned(int notches) override;
    void outputRemoved(wl_output* output) override;
    void connectionLost() override { finish(std::nullopt); }

    void freezeAndShow();
    WlrootsPickSurface* keyboardSurface() const;
    void surfaceShown();
    void finish(std::optional<SrgbComponents> components);
    void answer();

    std::unique_ptr<WlrootsDisplay> m_display;
    SelectionHandler m_handler;
    std::vector<std::unique_ptr<WlrootsPickSurface>> m_surfaces;
    WlrootsPickSurface* m_pointerSurface = nullptr;
    // The answer of a pick whose surfaces are coming down, sent once the compositor has
    // handled their end (or after a short wait).
    std::function<void()> m_answer;
    wl_callback* m_sync = nullptr;
    QTimer m_answerTimer;
    std::string m_unavailable;
    Log m_log{"sampler"};
    // The loupe drawn ahead of a first pick (prepareForPick()).
    std::future<void> m_loupePrepared;
};
