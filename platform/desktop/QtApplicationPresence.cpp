#include "platform/desktop/QtApplicationPresence.h"

#include "platform/desktop/X11TaskbarState.h"

#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QWindow>

QtApplicationPresence::QtApplicationPresence()
{
    // Windows created later get the policy's taskbar state before they are mapped.
    qGuiApp->installEventFilter(this);
}

QtApplicationPresence::~QtApplicationPresence()
{
    if (qGuiApp)
        qGuiApp->removeEventFilter(this);
}

bool QtApplicationPresence::isOrdinaryWindow(const QWindow& window)
{
    switch (window.type()) {
    case Qt::Popup:
    case Qt::Tool:
    case Qt::ToolTip:
    case Qt::SplashScreen:
    case Qt::Drawer:
    case Qt::ForeignWindow:
        return false;
    default:
        return !window.flags().testFlag(Qt::BypassWindowManagerHint);
    }
}

void QtApplicationPresence::setActivationPolicy(ActivationPolicy policy)
{
    m_policy = policy;
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->handle() && isOrdinaryWindow(*window))
            X11TaskbarState::setSkipTaskbar(*window, m_policy != ActivationPolicy::regular,
                                            window->isVisible());
    }
}

void QtApplicationPresence::activate()
{
    QWindow* front = QGuiApplication::focusWindow();
    if (!front || !front->isVisible() || !isOrdinaryWindow(*front)) {
        front = nullptr;
        // The most recently created visible ordinary window stands in for the front one.
        for (QWindow* window : QGuiApplication::topLevelWindows()) {
            if (window->isVisible() && isOrdinaryWindow(*window))
                front = window;
        }
    }
    if (!front)
        return;
    front->raise();
    front->requestActivate();
}

bool QtApplicationPresence::hasVisibleOrdinaryWindow() const
{
    const QWindowList windows = QGuiApplication::topLevelWindows();
    return std::any_of(windows.cbegin(), windows.cend(), [](const QWindow* window) {
        return window->isVisible() && isOrdinaryWindow(*window);
    });
}

bool QtApplicationPresence::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::PlatformSurface && watched->isWindowType()) {
        auto* surfaceEvent = static_cast<QPlatformSurfaceEvent*>(event);
        auto* window = static_cast<QWindow*>(watched);
        if (surfaceEvent->surfaceEventType() == QPlatformSurfaceEvent::SurfaceCreated &&
            m_policy != ActivationPolicy::regular && !window->parent() && isOrdinaryWindow(*window))
            X11TaskbarState::setSkipTaskbar(*window, true, false);
    }
    return QObject::eventFilter(watched, event);
}
