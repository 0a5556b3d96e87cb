#pragma once

#include "platform/sampling/overlay/FrozenScreen.h"

#include <QAbstractNativeEventFilter>
#include <QImage>
#include <QPointF>
#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <optional>

class QScreen;
class X11ScreenGrab;

// One screen's part of the X11 pick: an override-redirect window over the whole screen
// showing its FrozenScreen, with a crosshair pointer. It only reports what the user did: a
// left click or Enter picks the device pixel under the pointer, Escape or a right click
// cancels. The arrow keys move the pointer by one device pixel of this screen (the X server
// warps it); the wheel, + and - zoom the loupe and A changes its sample area.
class X11PickOverlay : public QWidget, private QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    // How the overlay comes to show the frozen screen: from a grab taken before it maps,
    // or by mapping, where no compositing manager runs (the window, mapped without a
    // background, keeps the screen's pixels; see X11ScreenGrab::grabPartNow()).
    enum class Frozen
    {
        byGrab,
        byMapping
    };

    explicit X11PickOverlay(QScreen* screen);

    QScreen* targetScreen() const { return m_screen; }
    // The device pixel of the grab under the pointer, once the pointer has been seen here.
    std::optional<QPoint> devicePixel() const { return m_frozen.devicePixel(); }

    // Shows the overlay over its screen with `grab`, the screen's own image in device
    // pixels (its devicePixelRatio set to the screen's). An overlay is shown again for each
    // pick, so its window is made once. With a `source` that can paint (the shared-memory
    // grab `grab` lies in), the window shows the grab straight from that memory and has no
    // image of its own; otherwise it paints through its backing store. `source` must outlive
    // the pick, or releaseGrab() be called first. Frozen::byMapping needs a `source` that
    // can paint and was only prepared: the overlay grabs through it as it shows.
    void present(QImage grab, X11ScreenGrab* source = nullptr, Frozen frozen = Frozen::byGrab);
    // Makes the native window ahead of the first pick (hidden, without pixels) and warms the
    // loupe's text drawing, so that present() only grabs, paints and maps.
    void prepare();
    // Frees the window's image (a backing store's) while the overlay is hidden; present()
    // paints a new one.
    void releaseWindowImage();
    // Lets go of the grab (memory its sampler is about to free); present() brings a new one.
    void releaseGrab();
    // Whether the pointer is on this overlay's screen.
    bool hasPointer() const;
    // Directs the keyboard to this overlay (the one the pointer is on).
    void takeKeyboard();

signals:
    void colorPicked(const QColor& color);
    void cancelled();

protected:
    // None: drawn by the X server from the grab's memory while the grab can paint.
    QPaintEngine* paintEngine() const override { return nullptr; }
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    std::optional<QPoint> nativePointer() const;
    void followPointer(QPointF globalPosition);
    void syncWithPointer();
    void setDevicePixel(QPoint pixel);
    // Updates a region whose content changed (the loupe moved, zoomed or changed its area).
    void redraw(const QRegion& damage);
    void moveByDevicePixels(QPoint step);
    void pick();
    void paintFromSource(const QRegion& region);
    // Sets the marker m_onScreenSince after every request sent so far: exposures the server
    // made before it do not undo what m_onScreen records.
    void markPutsFromNow();
    // The rest of present() for Frozen::byMapping: only the loupe is put, from the part of
    // the screen it needs, grabbed first.
    void showMappedScreen();
    // Notes the server's exposures of this window, which lose what was put there.
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

    QScreen* m_screen;
    FrozenScreen m_frozen;
    X11ScreenGrab* m_source = nullptr;
    // What the window shows of the grab and the loupe (device pixels), put by requests sent
    // after the marker m_onScreenSince. Qt paints a newly mapped window whole three times
    // over; each repeat of a whole screen would keep the server busy for milliseconds (tens
    // at 4K), so only what is not there yet is put.
    QRegion m_onScreen;
    // Sends the whole grab's bands while the overlay shows the screen by being mapped.
    QTimer m_grabTimer;
    unsigned m_onScreenSince = 0;
    // Where the arrow keys last put the system pointer: the motion that warp causes must
    // not undo a sub-logical-pixel step on a scaled screen.
    std::optional<QPointF> m_warpedTo;
    int m_wheelTravel = 0; // wheel angle not yet a whole notch
};
