#pragma once

#include "core/DesktopSession.h"

#include <QElapsedTimer>
#include <QRect>
#include <QWidget>

class ColorPickerModel;
class PickerView;

// The drop-down panel that holds the picker: a frameless popup, anchored to the tray icon
// (or the pointer), that closes on Escape and on a click outside. While a pick runs it gets
// out of the way of the screen sampler, and it comes back at the same place afterwards.
class PickerPanel : public QWidget
{
    Q_OBJECT

public:
    PickerPanel(ColorPickerModel& picker, const DesktopSession& session, QWidget* parent = nullptr);

    // Wayland grants popups only to windows with a parent surface; there the panel is a
    // frameless tool window that closes when it loses focus.
    static bool opensAsPopup(const DesktopSession& session);

    PickerView* view() const { return m_view; }

    // Shows the panel next to the anchor (screen coordinates); an empty anchor means the tray
    // icon's place is unknown, and the panel goes next to the pointer.
    void showAnchored(const QRect& anchor);
    // True within a moment of the panel closing: the click outside that closed it may be the
    // same click that reaches the tray icon, which must then not reopen it.
    bool closedJustNow() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void followSampling();

    ColorPickerModel& m_picker;
    PickerView* m_view;
    QRect m_anchor;
    bool m_returnAfterPick = false;
    bool m_isPopup = true;
    QElapsedTimer m_sinceClose;
};
