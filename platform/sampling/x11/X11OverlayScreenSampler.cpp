#include "platform/sampling/x11/X11OverlayScreenSampler.h"

#include "platform/sampling/overlay/MagnifierLoupe.h"
#include "platform/sampling/x11/X11PickOverlay.h"
#include "platform/sampling/x11/X11ScreenGrab.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <chrono>
#include <tuple>

namespace {
constexpr std::chrono::seconds keepGrabs{30};
constexpr std::chrono::seconds prepareOverlaysAfter{1};
constexpr std::chrono::milliseconds releaseWindowImageAfter{300};
} // namespace

X11OverlayScreenSampler::X11OverlayScreenSampler(QObject* parent) : QObject(parent)
{
    // A screen unplugged mid-pick would leave an overlay without its screen.
    connect(qApp, &QGuiApplication::screenRemoved, this, [this] {
        if (isShowing())
            finish(std::nullopt);
        releaseOverlays();
    });
    m_releaseTimer.setSingleShot(true);
    m_releaseTimer.setInterval(keepGrabs);
    connect(&m_releaseTimer, &QTimer::timeout, this, &X11OverlayScreenSampler::releaseGrabs);
    m_fenceTimer.setTimerType(Qt::PreciseTimer);
    m_fenceTimer.setInterval(1);
    connect(&m_fenceTimer, &QTimer::timeout, this, [this] {
        if (X11ScreenGrab::fenceReached(*m_fence))
            m_fence.reset();
        if (!m_fence || std::chrono::steady_clock::now() > m_answerDeadline)
            answer();
    });
    // The windows are made in idle time after start, so the first pick does not wait for them.
    QTimer::singleShot(prepareOverlaysAfter, this, &X11OverlayScreenSampler::prepareOverlays);
}

X11OverlayScreenSampler::~X11OverlayScreenSampler()
{
    if (isShowing())
        finish(std::nullopt);
    answer();
    releaseOverlays();
}

void X11OverlayScreenSampler::showSampler(SelectionHandler handler)
{
    if (isShowing()) {
        handler(std::nullopt);
        return;
    }

    // Every screen grabbed whole is grabbed before any overlay shows, so no overlay is in a
    // grab; one grabbed as its overlay shows is grabbed only where that overlay lies.
    QList<std::tuple<X11PickOverlay*, QImage, X11ScreenGrab*, X11PickOverlay::Frozen>> grabs;
    for (QScreen* screen : QGuiApplication::screens()) {
        ScreenOverlay& entry = overlayFor(screen);
        auto [image, frozen] = grabScreen(entry);
        if (image.isNull()) {
            m_log.warning("could not grab a screen; the pick ends without a colour");
            m_releaseTimer.start();
            handler(std::nullopt);
            return;
        }
        grabs.append({entry.overlay, std::move(image), entry.grab.get(), frozen});
    }
    if (grabs.isEmpty()) {
        m_log.warning("no screen to pick from");
        handler(std::nullopt);
        return;
    }

    m_handler = std::move(handler);
    m_releaseTimer.stop();
    for (auto& [overlay, image, source, frozen] : grabs) {
        overlay->present(std::move(image), source, frozen);
        m_shown.append(overlay);
    }
    // The keyboard goes to the overlay under the pointer (then follows the pointer).
    X11PickOverlay* keyboardOverlay = m_shown.first();
    for (X11PickOverlay* overlay : std::as_const(m_shown)) {
        if (overlay->hasPointer()) {
            keyboardOverlay = overlay;
            break;
        }
    }
    keyboardOverlay->takeKeyboard();
}

void X11OverlayScreenSampler::prepareForPick()
{
    if (!m_loupePrepared.valid())
        m_loupePrepared = MagnifierLoupe::prepareAhead();
}

QList<X11PickOverlay*> X11OverlayScreenSampler::overlays() const
{
    return m_shown;
}

X11OverlayScreenSampler::ScreenOverlay& X11OverlayScreenSampler::overlayFor(QScreen* screen)
{
    for (ScreenOverlay& entry : m_overlays) {
        if (entry.overlay->targetScreen() == screen)
            return entry;
    }
    auto* overlay = new X11PickOverlay(screen);
    connect(overlay, &X11PickOverlay::colorPicked, this, [this](const QColor& color) {
        finish(SrgbComponents{color.redF(), color.greenF(), color.blueF()});
    });
    connect(overlay, &X11PickOverlay::cancelled, this, [this] { finish(std::nullopt); });
    m_overlays.push_back({overlay, std::make_unique<X11ScreenGrab>()});
    return m_overlays.back();
}

void X11OverlayScreenSampler::prepareOverlays()
{
    if (isShowing())
        return;
    for (QScreen* screen : QGuiApplication::screens()) {
        ScreenOverlay& entry = overlayFor(screen);
        entry.overlay->prepare();
        // The grab's memory, without pages yet: the first pick skips its set-up.
        if (entry.grab->prepareUnder(entry.overlay->windowHandle()))
            entry.grab->screenIsComposited();
    }
}

std::pair<QImage, X11PickOverlay::Frozen> X11OverlayScreenSampler::grabScreen(ScreenOverlay& entry)
{
    QScreen* screen = entry.overlay->targetScreen();
    // The (hidden) window marks out the screen for the grab; the screen may have changed
    // size or place since the window was made.
    entry.overlay->setGeometry(screen->geometry());
    entry.overlay->winId();
    X11ScreenGrab& grab = *entry.grab;
    std::optional<QImage> image = grab.prepareUnder(entry.overlay->windowHandle());
    auto frozen = X11PickOverlay::Frozen::byGrab;
    if (image && grab.canPaint() && !grab.screenIsComposited())
        frozen = X11PickOverlay::Frozen::byMapping;
    else if (image && !grab.grabWhole())
        image.reset();
    if (!image)
        image = screen->grabWindow(0).toImage();
    image->setDevicePixelRatio(screen->devicePixelRatio());
    return {*image, frozen};
}

void X11OverlayScreenSampler::finish(std::optional<SrgbComponents> components)
{
    if (!m_handler)
        return;
    const SelectionHandler handler = std::exchange(m_handler, {});
    hideOverlays();
    m_releaseTimer.start();
    answer(); // a pick ended before this one's overlays came down is answered first
    m_answer = [handler, components] { handler(components); };
    answerWhenServerCaughtUp();
}

void X11OverlayScreenSampler::answerWhenServerCaughtUp()
{
    // Uncovering a whole screen costs the X server milliseconds (tens at 4K); whatever the
    // answer leads to (the clipboard's ownership check, say) would wait for a reply that
    // long, holding this event loop. So the answer waits, without blocking, until the server
    // has taken the overlays down.
    m_fence = X11ScreenGrab::sendFence();
    if (!m_fence) {
        answer();
        return;
    }
    m_answerDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    m_fenceTimer.start();
}

void X11OverlayScreenSampler::answer()
{
    m_fenceTimer.stop();
    if (m_fence)
        X11ScreenGrab::dropFence(*std::exchange(m_fence, std::nullopt));
    if (const std::function<void()> pending = std::exchange(m_answer, {}))
        pending();
}

void X11OverlayScreenSampler::hideOverlays()
{
    for (X11PickOverlay* overlay : std::exchange(m_shown, {})) {
        overlay->releaseKeyboard();
        overlay->hide();
        // Off the pick's critical path: the colour reaches the clipboard first.
        QTimer::singleShot(releaseWindowImageAfter, overlay, &X11PickOverlay::releaseWindowImage);
    }
}

void X11OverlayScreenSampler::releaseGrabs()
{
    // The windows and the grabs' memory stay (hidden, without pixels); only the screen
    // images go.
    for (ScreenOverlay& entry : m_overlays) {
        entry.overlay->releaseGrab();
        entry.grab->releasePixels();
    }
}

void X11OverlayScreenSampler::releaseOverlays()
{
    // Deleted later: a release may be asked for from inside an overlay's own event.
    for (ScreenOverlay& entry : std::exchange(m_overlays, {})) {
        entry.overlay->disconnect(this);
        entry.overlay->deleteLater();
    }
}
