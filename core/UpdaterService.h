#pragma once

#include "core/ports/ApplicationPresence.h"
#include "core/ports/UpdateFramework.h"

#include <QObject>
#include <QProcessEnvironment>
#include <QVariantMap>

#include <chrono>
#include <memory>
#include <optional>

class AppSettings;

// The application's bridge to the update framework. Decides once, at construction, whether
// the build's update configuration is valid and only then creates and starts the framework.
// Mirrors whether a check may start, runs user-initiated checks with the application brought
// forward as a regular windowed application and puts the previous presence back when the
// cycle ends, offers the "beta" channel only while the user opted in (betaEnabled, kept in the
// settings), and records failed
// cycles whose error is not the framework's own in statusMessage. Main thread only.
class UpdaterService : public QObject, public UpdateFrameworkDelegate
{
    Q_OBJECT
    Q_PROPERTY(bool canCheckForUpdates READ canCheckForUpdates NOTIFY canCheckForUpdatesChanged)
    Q_PROPERTY(QString statusMessage READ statusMessageText NOTIFY statusMessageChanged)
    Q_PROPERTY(bool betaEnabled READ betaEnabled WRITE setBetaEnabled NOTIFY betaEnabledChanged)

public:
    static inline const QString betaChannel = QStringLiteral("beta");
    static inline const QString forceCheckVariable =
        QStringLiteral("COLORPICKER_FORCE_UPDATE_CHECK_ON_LAUNCH");
    static constexpr std::chrono::milliseconds forcedCheckDelay{1000};

    // appInfo: the build's information map ("SUFeedURL", "SUPublicEDKey"; values that are not
    // text count as empty). createFramework runs only when that configuration is valid. The
    // environment is read once, for the forced check at launch.
    UpdaterService(
        const QVariantMap& appInfo, const UpdateFramework::Factory& createFramework,
        ApplicationPresence& presence, AppSettings& settings,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
        QObject* parent = nullptr);
    ~UpdaterService() override;

    // AppInfo::updateConfiguration(appInfo).isValid(): feed and key present as text, non-blank
    // after trimming, and the key not a "REPLACE_" placeholder.
    static bool hasValidUpdateConfig(const QVariantMap& appInfo);

    bool isConfigured() const { return m_controller != nullptr; }
    bool canCheckForUpdates() const { return m_canCheckForUpdates; }
    const std::optional<QString>& statusMessage() const { return m_statusMessage; }
    QString statusMessageText() const { return m_statusMessage.value_or(QString()); }
    const std::optional<ActivationPolicy>& policyBeforeCheck() const { return m_policyBeforeCheck; }
    // Whether the early-access ("beta") channel is offered.
    bool betaEnabled() const;
    void setBetaEnabled(bool enabled);

    // UpdateFrameworkDelegate
    QSet<QString> allowedChannels() override;
    void didFinishUpdateCycle(const std::optional<UpdateError>& error) override;

public slots:
    // A user-initiated check with the application brought forward; nothing when updates are
    // not configured.
    void checkForUpdates();

signals:
    void canCheckForUpdatesChanged();
    void statusMessageChanged();
    void betaEnabledChanged();

private:
    void forceInteractiveCheckOnLaunchIfNeeded(const QProcessEnvironment& environment);
    void setCanCheckForUpdates(bool canCheck);
    void setStatusMessage(const QString& message);

    std::unique_ptr<UpdateFramework> m_controller;
    std::unique_ptr<UpdateObservation> m_canCheckObservation;
    bool m_canCheckForUpdates = false;
    std::optional<QString> m_statusMessage;
    std::optional<ActivationPolicy> m_policyBeforeCheck;
    ApplicationPresence& m_presence;
    AppSettings& m_settings;
};
