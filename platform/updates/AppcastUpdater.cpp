#include "platform/updates/AppcastUpdater.h"

#include "core/AppSettings.h"
#include "platform/updates/SignedFeed.h"
#include "platform/updates/UpdateDownload.h"
#include "platform/updates/UpdateErrors.h"
#include "platform/updates/UpdatePolicy.h"
#include "platform/updates/UpdateSignature.h"
#include "platform/updates/UpdateVersion.h"
#include "platform/updates/WidgetUpdateUserDriver.h"

#include <QPointer>

#include <algorithm>

struct AppcastUpdater::Cycle
{
    quint64 id = 0;
    bool interactive = false;
    std::optional<AppcastItem> item;
    std::unique_ptr<SignedFeed> feed;
    std::unique_ptr<UpdateDownload> download;
};

// What a user-initiated cycle shows when it ends without an error.
struct AppcastUpdater::Notice
{
    enum class Kind
    {
        none,
        upToDate,
        downloadReady
    } kind = Kind::none;
    QString displayVersion;
    QString path;
};

AppcastUpdater::AppcastUpdater(AppcastUpdaterSettings settings, UpdateFrameworkDelegate& delegate,
                               AppSettings& appSettings,
                               std::unique_ptr<UpdateUserDriver> userDriver,
                               UpdateInstaller::Hooks installHooks, Clock clock, QObject* parent)
    : QObject(parent), m_settings(std::move(settings)),
      m_publicKey(UpdateSignature::decodePublicKey(m_settings.publicKey).value_or(QByteArray())),
      m_delegate(delegate), m_appSettings(appSettings), m_userDriver(std::move(userDriver)),
      m_installer(m_settings.appImagePath, m_settings.downloadsFolder, std::move(installHooks)),
      m_clock(clock ? std::move(clock) : [] { return QDateTime::currentDateTimeUtc(); })
{
    m_automaticTimer.setSingleShot(true);
    connect(&m_automaticTimer, &QTimer::timeout, this, [this] {
        if (m_cycle)
            scheduleAutomaticCheck(m_clock().addMSecs(m_settings.automaticCheckInterval.count()));
        else
            beginCycle(false);
    });
}

// A running cycle ends silently: the delegate is being torn down with its owner.
AppcastUpdater::~AppcastUpdater()
{
    m_cycle.reset();
}

UpdateFramework::Factory AppcastUpdater::factory(AppcastUpdaterSettings settings,
                                                 AppSettings& appSettings,
                                                 FileManagerReveal& fileManager)
{
    return [settings, &appSettings, &fileManager](UpdateFrameworkDelegate& delegate) {
        auto updater = std::make_unique<AppcastUpdater>(settings, delegate, appSettings,
                                                        std::make_unique<WidgetUpdateUserDriver>(),
                                                        UpdateInstaller::systemHooks(fileManager));
        updater->start();
        return std::unique_ptr<UpdateFramework>(std::move(updater));
    };
}

void AppcastUpdater::start()
{
    if (m_started)
        return;
    m_started = true;
    m_installer.removeLeftovers();
    recordVersionSeen(m_settings.currentVersion);
    m_canCheck.set(true);
    scheduleAutomaticCheck(UpdatePolicy::firstAutomaticCheck(
        m_clock(), m_appSettings.lastUpdateCheck(), m_settings.automaticCheckInterval,
        m_settings.firstAutomaticCheckDelay));
}

void AppcastUpdater::checkForUpdates()
{
    if (!m_started)
        return;
    if (m_cycle) {
        m_cycle->interactive = true;
        m_userDriver->raiseWindows();
        return;
    }
    beginCycle(true);
}

void AppcastUpdater::beginCycle(bool interactive)
{
    m_automaticTimer.stop();
    m_cycle = std::make_unique<Cycle>();
    m_cycle->id = ++m_lastCycleId;
    m_cycle->interactive = interactive;
    m_canCheck.set(false);
    m_appSettings.setLastUpdateCheck(m_clock());

    if (m_publicKey.isEmpty()) {
        finishCycle(frameworkError(UpdateErrorCode::invalidPublicKey,
                                   tr("The application's update key is not valid.")),
                    {});
        return;
    }
    const UpdateTransfer::Limits limits{m_settings.maximumFeedBytes, m_settings.transferTimeout,
                                        m_settings.feedTimeLimit};
    m_cycle->feed = std::make_unique<SignedFeed>(
        m_network, m_settings.feedUrl, m_publicKey, limits,
        [this](const QList<AppcastItem>& items, const std::optional<UpdateError>& error) {
            onFeed(items, error);
        });
}

void AppcastUpdater::onFeed(const QList<AppcastItem>& items,
                            const std::optional<UpdateError>& error)
{
    if (error)
        return finishCycle(error, {});
    const UpdatePolicy::Candidates candidates{m_delegate.allowedChannels(),
                                              m_settings.currentVersion, m_settings.systemVersion,
                                              highestVersionSeen()};
    const std::optional<AppcastItem> item = UpdatePolicy::newestSuitableItem(items, candidates);
    if (!item || !UpdatePolicy::isOffered(item->version, m_appSettings.skippedUpdateVersion(),
                                          m_cycle->interactive))
        return finishCycle(std::nullopt, {Notice::Kind::upToDate, {}, {}});
    if (!m_cycle->interactive && item->enclosureLength > m_settings.automaticDownloadCap)
        return finishCycle(
            frameworkError(
                UpdateErrorCode::tooLarge,
                tr("The update %1 is too large to download unasked.").arg(item->displayVersion())),
            {});
    download(*item);
}

void AppcastUpdater::download(const AppcastItem& item)
{
    m_cycle->item = item;
    const UpdateTransfer::Limits limits{item.enclosureLength, m_settings.transferTimeout,
                                        m_settings.downloadTimeLimit};
    m_cycle->download = std::make_unique<UpdateDownload>(m_network, item, m_publicKey,
                                                         m_settings.downloadCache, limits);
    if (const std::optional<UpdateError> error = m_cycle->download->start(
            [this](const std::optional<UpdateError>& failure) { onDownloaded(failure); }))
        finishCycle(error, {});
}

void AppcastUpdater::onDownloaded(const std::optional<UpdateError>& error)
{
    if (error)
        return finishCycle(error, {});
    const AppcastItem& item = *m_cycle->item;
    recordVersionSeen(item.version);
    const UpdateOffer offer{item.displayVersion(),     item.version,
                            m_settings.currentVersion, item.description,
                            item.releaseNotesLink,     m_cycle->download->file()};
    QPointer<AppcastUpdater> self(this);
    const quint64 id = m_cycle->id;
    m_userDriver->showUpdateAvailable(offer, [self, id](UpdateChoice choice) {
        if (self)
            self->onChoice(id, choice);
    });
}

void AppcastUpdater::onChoice(quint64 cycleId, UpdateChoice choice)
{
    if (!m_cycle || m_cycle->id != cycleId || !m_cycle->download)
        return;
    switch (choice) {
    case UpdateChoice::install:
        return install();
    case UpdateChoice::skip:
        m_appSettings.setSkippedUpdateVersion(m_cycle->item->version);
        return finishCycle(std::nullopt, {});
    case UpdateChoice::later:
        return finishCycle(std::nullopt, {});
    }
}

void AppcastUpdater::install()
{
    // The user acted on this offer, so its outcome is shown even for an automatic cycle.
    m_cycle->interactive = true;
    const AppcastItem item = *m_cycle->item;
    if (!UpdateVersion::isNewer(item.version, m_settings.currentVersion) ||
        UpdateVersion::compare(item.version, highestVersionSeen()) < 0)
        return finishCycle(frameworkError(UpdateErrorCode::downgrade,
                                          tr("%1 is older than a version already offered or "
                                             "installed (%2).")
                                              .arg(item.displayVersion(), highestVersionSeen())),
                           {});
    const QByteArray key = m_publicKey;
    const auto check = [item, key](const QString& path) {
        return UpdateDownload::check(path, item, key);
    };
    const QString file = m_cycle->download->file();
    if (m_installer.replacesItself())
        return finishCycle(m_installer.replaceAppImage(file, check), {});
    QString placedAt;
    const std::optional<UpdateError> error = m_installer.revealDownload(file, check, placedAt);
    finishCycle(error, {Notice::Kind::downloadReady, item.displayVersion(), placedAt});
}

// A user-initiated cycle shows its outcome and ends once that window is closed, so whoever
// brought the application forward for it keeps it so while the window is on screen.
void AppcastUpdater::finishCycle(const std::optional<UpdateError>& error, const Notice& notice)
{
    m_cycle->feed.reset();
    m_cycle->download.reset();
    if (!m_cycle->interactive || (!error && notice.kind == Notice::Kind::none))
        return endCycle(error);
    QPointer<AppcastUpdater> self(this);
    const quint64 id = m_cycle->id;
    auto closed = [self, id, error] {
        if (self && self->m_cycle && self->m_cycle->id == id)
            self->endCycle(error);
    };
    if (error)
        m_userDriver->showError(*error, closed);
    else if (notice.kind == Notice::Kind::upToDate)
        m_userDriver->showUpToDate(m_settings.currentVersion, closed);
    else
        m_userDriver->showDownloadReady(notice.displayVersion, notice.path, closed);
}

void AppcastUpdater::endCycle(const std::optional<UpdateError>& error)
{
    m_cycle.reset();
    scheduleAutomaticCheck(m_clock().addMSecs(m_settings.automaticCheckInterval.count()));
    m_canCheck.set(true);
    m_delegate.didFinishUpdateCycle(error);
}

QString AppcastUpdater::highestVersionSeen() const
{
    return UpdatePolicy::higherVersion(m_appSettings.highestUpdateVersion(),
                                       m_settings.currentVersion);
}

void AppcastUpdater::recordVersionSeen(const QString& version)
{
    m_appSettings.setHighestUpdateVersion(
        UpdatePolicy::higherVersion(highestVersionSeen(), version));
}

void AppcastUpdater::scheduleAutomaticCheck(const QDateTime& due)
{
    m_nextAutomaticCheck = due;
    const qint64 wait =
        std::clamp<qint64>(m_clock().msecsTo(due), 0, std::numeric_limits<int>::max());
    m_automaticTimer.start(static_cast<int>(wait));
}
