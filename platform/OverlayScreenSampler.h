#pragma once

#include "Log.h"
#include "ScreenSampler.h"

#include <QList>
#include <QObject>
#include <QPointer>

class PickOverlay;
class QColor;

// The X11 sampler: freezes every screen and shows a PickOverlay on each at once; the first
// pick or cancel on any of them ends the pick everywhere. One pick runs at a time: a
// showSampler() while one is shown ends the new request as a cancel at once and leaves the
// running pick alone. Main thread only; the handler is called on the main thread.
class OverlayScreenSampler : public QObject, public ScreenSampler
{
    Q_OBJECT

public:
    explicit OverlayScreenSampler(QObject* parent = nullptr);
    // A pick still shown ends as a cancel.
    ~OverlayScreenSampler() override;

    void showSampler(SelectionHandler handler) override;

    bool isShowing() const { return static_cast<bool>(m_handler); }
    // The overlays of the running pick, one per screen; empty when none runs.
    QList<PickOverlay*> overlays() const;

private:
    void finish(std::optional<SrgbComponents> components);
    void closeOverlays();

    SelectionHandler m_handler;
    QList<QPointer<PickOverlay>> m_overlays;
    Log m_log{"sampler"};
};
