#pragma once

#include "core/ports/ApplicationPresence.h"

#include <QObject>

class QWindow;

// Presence over Qt's windows. Regular: ordinary windows have taskbar entries and activate()
// raises and activates the front one. Accessory: ordinary windows carry the EWMH "skip
// taskbar" and "skip pager" states on X11, including windows shown later (Wayland offers no
// standard equivalent; there the policy is only recorded). Popups, tool windows, tooltips and
// windows that bypass the window manager (the XEmbed tray icon) are not ordinary windows: the
// picker panel and menus never keep the application regular.
class QtApplicationPresence : public QObject, public ApplicationPresence
{
    Q_OBJECT

public:
    // Starts as the toolkit starts: regular.
    QtApplicationPresence();
    ~QtApplicationPresence() override;

    ActivationPolicy activationPolicy() const override { return m_policy; }
    void setActivationPolicy(ActivationPolicy policy) override;
    void activate() override;
    bool hasVisibleOrdinaryWindow() const override;

    static bool isOrdinaryWindow(const QWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyTaskbarState(QWindow& window) const;

    ActivationPolicy m_policy = ActivationPolicy::regular;
};
