#include "OverlayScreenSampler.h"

#include "PickOverlay.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace {
constexpr int keepOverlaysMs = 30'000;
}

OverlayScreenSampler::OverlayScreenSampler(QObject* parent) : QObject(parent)
{
    // A screen unplugged mid-pick would leave an overlay without its screen.
    connect(qApp, &QGuiApplication::screenRemoved, this, [this] {
        if (isShowing())
            finish(std::nullopt);
        releaseOverlays();
    });
    m_releaseTimer.setSingleShot(true);
    m_releaseTimer.setInterval(keepOverlaysMs);
    connect(&m_releaseTimer, &QTimer::timeout, this, &OverlayScreenSampler::releaseOverlays);
}

OverlayScreenSampler::~OverlayScreenSampler()
{
    if (isShowing())
        finish(std::nullopt);
    releaseOverlays();
}

void OverlayScreenSampler::showSampler(SelectionHandler handler)
{
    if (isShowing()) {
        handler(std::nullopt);
        return;
    }

    // Every screen is grabbed before any overlay shows, so no overlay is in a grab.
    QList<std::pair<QScreen*, QImage>> grabs;
    for (QScreen* screen : QGuiApplication::screens()) {
        QImage image = screen->grabWindow(0).toImage();
        if (image.isNull()) {
            m_log.warning("could not grab a screen; the pick ends without a colour");
            handler(std::nullopt);
            return;
        }
        grabs.append({screen, std::move(image)});
    }
    if (grabs.isEmpty()) {
        m_log.warning("no screen to pick from");
        handler(std::nullopt);
        return;
    }

    m_handler = std::move(handler);
    m_releaseTimer.stop();
    for (auto& [screen, image] : grabs) {
        PickOverlay* overlay = overlayFor(screen);
        overlay->present(std::move(image));
        m_shown.append(overlay);
    }
    // The keyboard goes to the overlay under the pointer (then follows the pointer).
    PickOverlay* keyboardOverlay = m_shown.first();
    for (PickOverlay* overlay : std::as_const(m_shown)) {
        if (overlay->hasPointer()) {
            keyboardOverlay = overlay;
            break;
        }
    }
    keyboardOverlay->takeKeyboard();
}

QList<PickOverlay*> OverlayScreenSampler::overlays() const
{
    return m_shown;
}

PickOverlay* OverlayScreenSampler::overlayFor(QScreen* screen)
{
    for (PickOverlay* overlay : std::as_const(m_overlays)) {
        if (overlay->targetScreen() == screen)
            return overlay;
    }
    auto* overlay = new PickOverlay(screen);
    connect(overlay, &PickOverlay::colorPicked, this, [this](const QColor& color) {
        finish(SrgbComponents{color.redF(), color.greenF(), color.blueF()});
    });
    connect(overlay, &PickOverlay::cancelled, this, [this] { finish(std::nullopt); });
    m_overlays.append(overlay);
    return overlay;
}

void OverlayScreenSampler::finish(std::optional<SrgbComponents> components)
{
    if (!m_handler)
        return;
    const SelectionHandler handler = std::exchange(m_handler, {});
    hideOverlays();
    m_releaseTimer.start();
    handler(components);
}

void OverlayScreenSampler::hideOverlays()
{
    for (PickOverlay* overlay : std::exchange(m_shown, {})) {
        overlay->releaseKeyboard();
        overlay->hide();
    }
}

void OverlayScreenSampler::releaseOverlays()
{
    // Deleted later: a release may be asked for from inside an overlay's own event.
    for (PickOverlay* overlay : std::exchange(m_overlays, {})) {
        overlay->disconnect(this);
        overlay->deleteLater();
    }
}
