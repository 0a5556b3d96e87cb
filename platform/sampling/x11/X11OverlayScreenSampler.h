#pragma once

#include "core/Log.h"
#include "core/ports/ScreenSampler.h"
#include "platform/sampling/x11/X11PickOverlay.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <utility>
#include <vector>

class QColor;
class QImage;
class QScreen;
class X11ScreenGrab;

// The X11 sampler: freezes every screen and shows an X11PickOverlay on each at once; the first
// pick or cancel on any of them ends the pick everywhere. One pick runs at a time: a
// showSampler() while one is shown ends the new request as a cancel at once and leaves the
// running pick alone. Main thread only; the handler is called on the main thread, once the
// X server has taken the overlays down.
class X11OverlayScreenSampler : public QObject, public ScreenSampler
{
    Q_OBJECT

public:
    explicit X11OverlayScreenSampler(QObject* parent = nullptr);
    // A pick still shown ends as a cancel.
    ~X11OverlayScreenSampler() override;

    void showSampler(SelectionHandler handler) override;
    void prepareForPick() override;

    bool isShowing() const { return static_cast<bool>(m_handler); }
    // The overlays of the running pick, one per screen; empty when none runs.
    QList<X11PickOverlay*> overlays() const;
    // How long after a pick the screen images are kept for a quick next pick (30 s unless
    // set; benchmarks and tests shorten it). The overlay windows stay, hidden and without
    // pixels, until a screen goes away.
    void setIdleReleaseDelay(std::chrono::milliseconds delay) { m_releaseTimer.setInterval(delay); }

private:
    struct ScreenOverlay
    {
        X11PickOverlay* overlay;
        std::unique_ptr<X11ScreenGrab> grab;
    };

    ScreenOverlay& overlayFor(QScreen* screen);
    // The screen's image, and whether the overlay shows the screen by being mapped (its
    // image then grabbed in parts as it shows, see X11ScreenGrab) or from a grab taken now.
    std::pair<QImage, X11PickOverlay::Frozen> grabScreen(ScreenOverlay& entry);
    void finish(std::optional<SrgbComponents> components);
    void answerWhenServerCaughtUp();
    void answer();
    void prepareOverlays();
    void hideOverlays();
    void releaseGrabs();
    void releaseOverlays();

    SelectionHandler m_handler;
    // One overlay per screen, kept hidden between picks: a full-screen window costs about as
    // much to make as a grab. Its grab's memory is kept for picks that follow closely.
    std::vector<ScreenOverlay> m_overlays;
    QList<X11PickOverlay*> m_shown;
    QTimer m_releaseTimer;
    // The answer of a pick whose overlays are coming down, sent once the X server has taken
    // them down (see finish()).
    std::function<void()> m_answer;
    std::optional<unsigned> m_fence;
    QTimer m_fenceTimer;
    std::chrono::steady_clock::time_point m_answerDeadline;
    Log m_log{"sampler"};
    // The loupe drawn ahead of a first pick (prepareForPick()).
    std::future<void> m_loupePrepared;
};
