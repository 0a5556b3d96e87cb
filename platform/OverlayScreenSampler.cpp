#include "OverlayScreenSampler.h"

#include "PickOverlay.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

OverlayScreenSampler::OverlayScreenSampler(QObject* parent) : QObject(parent)
{
    // A screen unplugged mid-pick would leave an overlay without its screen.
    connect(qApp, &QGuiApplication::screenRemoved, this, [this] {
        if (isShowing())
            finish(std::nullopt);
    });
}

OverlayScreenSampler::~OverlayScreenSampler()
{
    if (isShowing())
        finish(std::nullopt);
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
    for (auto& [screen, image] : grabs) {
        auto* overlay = new PickOverlay(screen, std::move(image));
        connect(overlay, &PickOverlay::colorPicked, this, [this](const QColor& color) {
            finish(SrgbComponents{color.redF(), color.greenF(), color.blueF()});
        });
        connect(overlay, &PickOverlay::cancelled, this, [this] { finish(std::nullopt); });
        m_overlays.append(overlay);
    }

    for (const auto& overlay : std::as_const(m_overlays))
        overlay->present();
    // The keyboard goes to the overlay under the pointer (then follows the pointer).
    PickOverlay* keyboardOverlay = m_overlays.first();
    for (const auto& overlay : std::as_const(m_overlays)) {
        if (overlay->hasPointer()) {
            keyboardOverlay = overlay;
            break;
        }
    }
    keyboardOverlay->takeKeyboard();
}

QList<PickOverlay*> OverlayScreenSampler::overlays() const
{
    QList<PickOverlay*> shown;
    for (const auto& overlay : m_overlays) {
        if (overlay)
            shown.append(overlay);
    }
    return shown;
}

void OverlayScreenSampler::finish(std::optional<SrgbComponents> components)
{
    if (!m_handler)
        return;
    const SelectionHandler handler = std::exchange(m_handler, {});
    closeOverlays();
    handler(components);
}

void OverlayScreenSampler::closeOverlays()
{
    for (const auto& overlay : std::exchange(m_overlays, {})) {
        if (!overlay)
            continue;
        overlay->disconnect(this);
        overlay->releaseKeyboard();
        overlay->close(); // deletes it: WA_DeleteOnClose
    }
}
