#include "core/UpdaterService.h"

#include "core/AppInfo.h"
#include "core/AppSettings.h"

#include <QMetaObject>
#include <QTimer>

UpdaterService::UpdaterService(const QVariantMap& appInfo,
                               const UpdateFramework::Factory& createFramework,
                               ApplicationPresence& presence, AppSettings& settings,
                               const QProcessEnvironment& environment, QObject* parent)
    : QObject(parent), m_presence(presence), m_settings(settings)
{
    connect(&m_settings, &AppSettings::betaUpdatesChanged, this,
            &UpdaterService::betaEnabledChanged);
    if (hasValidUpdateConfig(appInfo) && createFramework) {
        m_controller = createFramework(*this);
        UpdateFramework* updater = m_controller.get();
        // The handler may run on any thread: it reads the flag there and hands the value to
        // a queued call on this object, which Qt drops if the service is gone by then.
        m_canCheckObservation = updater->observeCanCheckForUpdates([this, updater] {
            const bool canCheck = updater->canCheckForUpdates();
            QMetaObject::invokeMethod(
                this, [this, canCheck] { setCanCheckForUpdates(canCheck); }, Qt::QueuedConnection);
        });
    }
    forceInteractiveCheckOnLaunchIfNeeded(environment);
}

// The observation ends before the updater it watches goes.
UpdaterService::~UpdaterService()
{
    m_canCheckObservation.reset();
    m_controller.reset();
}

bool UpdaterService::hasValidUpdateConfig(const QVariantMap& appInfo)
{
    return AppInfo::updateConfiguration(appInfo).isValid();
}

void UpdaterService::checkForUpdates()
{
    if (!m_controller)
        return;
    // The presence from before the first of several overlapping checks is the one restored.
    if (!m_policyBeforeCheck)
        m_policyBeforeCheck = m_presence.activationPolicy();
    m_presence.setActivationPolicy(ActivationPolicy::regular);
    m_presence.activate();
    m_controller->checkForUpdates();
}

bool UpdaterService::betaEnabled() const
{
    return m_settings.betaUpdates();
}

void UpdaterService::setBetaEnabled(bool enabled)
{
    m_settings.setBetaUpdates(enabled);
}

QSet<QString> UpdaterService::allowedChannels()
{
    if (betaEnabled())
        return {betaChannel};
    return {};
}

void UpdaterService::didFinishUpdateCycle(const std::optional<UpdateError>& error)
{
    // The framework's own errors are shown in its own windows.
    if (error && error->domain != updateFrameworkErrorDomain)
        setStatusMessage(tr("Update check failed: %1").arg(error->localizedDescription));
    if (m_policyBeforeCheck) {
        m_presence.setActivationPolicy(*m_policyBeforeCheck);
        m_policyBeforeCheck.reset();
    }
}

void UpdaterService::forceInteractiveCheckOnLaunchIfNeeded(const QProcessEnvironment& environment)
{
    if (environment.value(forceCheckVariable) != QLatin1String("1"))
        return;
    // The timer's context makes it hold the service weakly.
    QTimer::singleShot(forcedCheckDelay, this, &UpdaterService::checkForUpdates);
}

void UpdaterService::setCanCheckForUpdates(bool canCheck)
{
    if (m_canCheckForUpdates == canCheck)
        return;
    m_canCheckForUpdates = canCheck;
    emit canCheckForUpdatesChanged();
}

void UpdaterService::setStatusMessage(const QString& message)
{
    if (m_statusMessage == message)
        return;
    m_statusMessage = message;
    emit statusMessageChanged();
}
