#include "app/shell/AppDelegate.h"

#include "app/shell/MorvaneMenuChrome.h"
#include "core/AppInfo.h"
#include "core/Log.h"
#include "core/RunningImage.h"
#include "core/ports/ApplicationPresence.h"
#include "platform/instance/SingleInstance.h"

#include <QApplication>
#include <QTimer>

AppDelegate::AppDelegate(ReviewLaunchMode mode, ApplicationPresence& presence,
                         AppSettings& settings, SingleInstance& singleInstance,
                         FileManagerReveal& reveal, QObject* parent)
    : QObject(parent), m_activationPolicy(presence), m_reviewLaunchMode(mode), m_presence(presence),
      m_settings(settings), m_singleInstance(singleInstance),
      m_relocationWarning(settings, presence, m_activationPolicy, reveal)
{
}

AppDelegate::LaunchOutcome AppDelegate::applicationDidFinishLaunching()
{
    QApplication::setQuitOnLastWindowClosed(applicationShouldTerminateAfterLastWindowClosed());

    if (m_reviewLaunchMode == ReviewLaunchMode::selftest) {
        Log("lifecycle")
            .info("selftest ok — Morvane Color Picker " + Constants::version().toStdString());
        m_presence.setActivationPolicy(ActivationPolicy::accessory);
        terminate();
        return LaunchOutcome::quitting;
    }

    if (!m_singleInstance.claim()) {
        if (!m_singleInstance.requestReopen())
            Log("lifecycle").warning("the running copy did not answer the reopen request");
        terminate();
        return LaunchOutcome::quitting;
    }
    connect(&m_singleInstance, &SingleInstance::reopenRequested, this, &AppDelegate::handleReopen);

    m_presence.setActivationPolicy(ActivationPolicy::accessory);
    MorvaneMenuChrome::installSanitizer(m_settings);

    if (m_reviewLaunchMode == ReviewLaunchMode::settings) {
        QTimer::singleShot(0, this, [this] {
            m_activationPolicy.promoteNow();
            emit settingsWindowRequested();
        });
    } else {
        m_relocationWarning.check(RunningImage::current().path);
    }
    return LaunchOutcome::running;
}

bool AppDelegate::applicationShouldTerminateAfterLastWindowClosed() const
{
    return m_reviewLaunchMode != ReviewLaunchMode::none;
}

bool AppDelegate::applicationShouldHandleReopen()
{
    if (m_reviewLaunchMode == ReviewLaunchMode::none) {
        openMenuBarPopover();
        return false;
    }
    return true;
}

void AppDelegate::handleReopen()
{
    if (applicationShouldHandleReopen())
        m_presence.activate();
}

void AppDelegate::openMenuBarPopover()
{
    QTimer::singleShot(reopenPanelDelay, this, [openPanel = m_openPanel] {
        if (openPanel)
            openPanel();
    });
}

void AppDelegate::terminate()
{
    if (m_terminate) {
        m_terminate();
        return;
    }
    // After the present call has returned, through the ordinary quit.
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}
