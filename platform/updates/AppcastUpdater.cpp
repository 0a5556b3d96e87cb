#include "AppcastUpdater.h"

#include "PreferencesStore.h"
#include "UpdateErrors.h"
#include "UpdateSignature.h"
#include "UpdateTransfer.h"
#include "UpdateVersion.h"
#include "WidgetUpdateUserDriver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QSysInfo>

#include <algorithm>

struct AppcastUpdater::Cycle
{
    quint64 id = 0;
    bool interactive = false;
    std::optional<AppcastItem> item;
    QString verifiedFile;
    std::unique_ptr<QFile> partialFile;
    std::unique_ptr<UpdateTransfer> transfer;
};

class AppcastUpdater::Observation : public UpdateObservation
{
public:
    Observation(AppcastUpdater& updater, int id) : m_updater(&updater), m_id(id) {}
    ~Observation() override
    {
        if (m_updater)
            m_updater->m_observers.remove(m_id);
    }

private:
    QPointer<AppcastUpdater> m_updater;
    int m_id;
};

AppcastUpdaterSettings AppcastUpdaterSettings::fromAppInfo(const QVariantMap& appInfo,
                                                           const QProcessEnvironment& environment)
{
    const auto text = [&appInfo](const QString& key) {
        const QVariant value = appInfo.value(key);
        return value.typeId() == QMetaType::QString ? value.toString() : QString();
    };
    AppcastUpdaterSettings settings;
    settings.feedUrl = QUrl(text(QStringLiteral("SUFeedURL")).trimmed());
    settings.publicKey = text(QStringLiteral("SUPublicEDKey")).trimmed();
    const QVariant version = appInfo.value(QStringLiteral("CFBundleShortVersionString"));
    settings.currentVersion =
        version.typeId() == QMetaType::QString ? version.toString() : QStringLiteral("0.1.0");
    settings.systemVersion = QSysInfo::kernelVersion();
    settings.appImagePath = environment.value(QStringLiteral("APPIMAGE"));
    QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (cache.isEmpty())
        cache = QDir::tempPath() + QStringLiteral("/morvane-colorpicker");
    settings.downloadCache = cache + QStringLiteral("/updates");
    settings.downloadsFolder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (settings.downloadsFolder.isEmpty())
        settings.downloadsFolder = QDir::homePath();
    return settings;
}

AppcastUpdater::AppcastUpdater(AppcastUpdaterSettings settings, UpdateFrameworkDelegate& delegate,
                               PreferencesStore& defaults,
                               std::unique_ptr<UpdateUserDriver> userDriver,
                               UpdateInstaller::Hooks installHooks, Clock clock, QObject* parent)
    : QObject(parent), m_settings(std::move(settings)), m_delegate(delegate), m_defaults(defaults),
      m_userDriver(std::move(userDriver)),
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
    if (m_cycle && m_cycle->partialFile)
        m_cycle->partialFile->remove();
    m_cycle.reset();
}

UpdateFramework::Factory AppcastUpdater::factory(AppcastUpdaterSettings settings,
                                                 PreferencesStore& defaults,
                                                 FileManagerReveal& fileManager)
{
    return [settings, &defaults, &fileManager](UpdateFrameworkDelegate& delegate) {
        auto updater = std::make_unique<AppcastUpdater>(settings, delegate, defaults,
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
    setCanCheck(true);
    const QDateTime now = m_clock();
    const QDateTime last = QDateTime::fromString(
        m_defaults.stringForKey(lastCheckTimeKey).value_or(QString()), Qt::ISODateWithMs);
    // A stored time in the future (a clock set back) does not postpone checks for long.
    QDateTime due = last.isValid() && last <= now
                        ? last.addMSecs(m_settings.automaticCheckInterval.count())
                        : now;
    due = std::max(due, now.addMSecs(m_settings.firstAutomaticCheckDelay.count()));
    scheduleAutomaticCheck(due);
}

std::unique_ptr<UpdateObservation>
AppcastUpdater::observeCanCheckForUpdates(std::function<void()> handler)
{
    const int id = ++m_lastObserverId;
    m_observers.insert(id, handler);
    handler();
    return std::make_unique<Observation>(*this, id);
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
    setCanCheck(false);
    m_defaults.setString(lastCheckTimeKey, m_clock().toString(Qt::ISODateWithMs));

    if (!UpdateSignature::decodePublicKey(m_settings.publicKey)) {
        finishCycle(frameworkError(UpdateErrorCode::invalidPublicKey,
                                   tr("The application's update key is not valid.")));
        return;
    }
    m_cycle->transfer = std::make_unique<UpdateTransfer>(
        m_network, m_settings.feedUrl, m_settings.maximumFeedBytes, m_settings.transferTimeout,
        nullptr, [this](const QByteArray& body, const std::optional<UpdateError>& error) {
            onFeed(body, error);
        });
}

void AppcastUpdater::onFeed(const QByteArray& body, const std::optional<UpdateError>& error)
{
    if (error) {
        finishCycle(error);
        return;
    }
    const std::optional<QList<AppcastItem>> items = Appcast::parse(body);
    if (!items) {
        finishCycle(frameworkError(UpdateErrorCode::malformedFeed,
                                   tr("The update feed could not be read.")));
        return;
    }
    const std::optional<AppcastItem> item = newestSuitableItem(*items);
    const bool skipped = item && m_defaults.stringForKey(skippedVersionKey) == item->version;
    if (!item || (skipped && !m_cycle->interactive)) {
        if (m_cycle->interactive)
            m_userDriver->showUpToDate(m_settings.currentVersion);
        finishCycle(std::nullopt);
        return;
    }
    download(*item);
}

std::optional<AppcastItem> AppcastUpdater::newestSuitableItem(const QList<AppcastItem>& items) const
{
    const QSet<QString> channels = m_delegate.allowedChannels();
    std::optional<AppcastItem> newest;
    for (const AppcastItem& item : items) {
        if (!item.channel.isEmpty() && !channels.contains(item.channel))
            continue;
        if (!item.minimumSystemVersion.isEmpty() &&
            UpdateVersion::compare(m_settings.systemVersion, item.minimumSystemVersion) < 0)
            continue;
        if (!UpdateVersion::isNewer(item.version, m_settings.currentVersion))
            continue;
        if (!newest || UpdateVersion::isNewer(item.version, newest->version))
            newest = item;
    }
    return newest;
}

void AppcastUpdater::download(const AppcastItem& item)
{
    m_cycle->item = item;
    if (item.edSignature.isEmpty()) {
        finishCycle(frameworkError(UpdateErrorCode::signatureInvalid,
                                   tr("The update %1 is not signed.").arg(item.displayVersion())));
        return;
    }
    if (item.enclosureLength <= 0) {
        finishCycle(frameworkError(
            UpdateErrorCode::lengthMismatch,
            tr("The feed gives no size for the update %1.").arg(item.displayVersion())));
        return;
    }
    QString fileName = item.enclosureUrl.fileName();
    if (fileName.isEmpty() || fileName.startsWith(u'.'))
        fileName = QStringLiteral("update");
    const QDir cache(m_settings.downloadCache);
    cache.mkpath(QStringLiteral("."));
    m_cycle->verifiedFile = cache.filePath(fileName);
    m_cycle->partialFile = std::make_unique<QFile>(m_cycle->verifiedFile + QStringLiteral(".part"));
    if (!m_cycle->partialFile->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        finishCycle(frameworkError(
            UpdateErrorCode::downloadFailed,
            tr("The update could not be saved: %1").arg(m_cycle->partialFile->errorString())));
        return;
    }
    m_cycle->transfer = std::make_unique<UpdateTransfer>(
        m_network, item.enclosureUrl, item.enclosureLength, m_settings.transferTimeout,
        m_cycle->partialFile.get(),
        [this](const QByteArray&, const std::optional<UpdateError>& error) {
            onDownloaded(error);
        });
}

void AppcastUpdater::onDownloaded(const std::optional<UpdateError>& error)
{
    Cycle& cycle = *m_cycle;
    QFile& partial = *cycle.partialFile;
    partial.close();
    const auto refuse = [&](const UpdateError& reason) {
        partial.remove();
        finishCycle(reason);
    };
    if (error)
        return refuse(*error);
    const AppcastItem& item = *cycle.item;
    if (partial.size() != item.enclosureLength)
        return refuse(frameworkError(
            UpdateErrorCode::lengthMismatch,
            tr("The update %1 does not have the size the feed gives.").arg(item.displayVersion())));
    const QByteArray key = *UpdateSignature::decodePublicKey(m_settings.publicKey);
    if (!UpdateSignature::verifyFile(partial.fileName(), item.edSignature, key))
        return refuse(frameworkError(UpdateErrorCode::signatureInvalid,
                                     tr("The update %1 is improperly signed and was not offered.")
                                         .arg(item.displayVersion())));
    QFile::remove(cycle.verifiedFile);
    if (!partial.rename(cycle.verifiedFile))
        return refuse(
            frameworkError(UpdateErrorCode::downloadFailed,
                           tr("The update could not be saved: %1").arg(partial.errorString())));
    cycle.partialFile.reset();
    cycle.transfer.reset();

    const UpdateOffer offer{item.displayVersion(), item.version,          m_settings.currentVersion,
                            item.description,      item.releaseNotesLink, cycle.verifiedFile};
    QPointer<AppcastUpdater> self(this);
    const quint64 id = cycle.id;
    m_userDriver->showUpdateAvailable(offer, [self, id](UpdateChoice choice) {
        if (self)
            self->onChoice(id, choice);
    });
}

void AppcastUpdater::onChoice(quint64 cycleId, UpdateChoice choice)
{
    if (!m_cycle || m_cycle->id != cycleId || !m_cycle->item)
        return;
    switch (choice) {
    case UpdateChoice::install:
        install();
        return;
    case UpdateChoice::skip:
        m_defaults.setString(skippedVersionKey, m_cycle->item->version);
        finishCycle(std::nullopt);
        return;
    case UpdateChoice::later:
        finishCycle(std::nullopt);
        return;
    }
}

void AppcastUpdater::install()
{
    // The user acted on this offer, so its outcome is shown even for an automatic cycle.
    m_cycle->interactive = true;
    const AppcastItem item = *m_cycle->item;
    if (!UpdateVersion::isNewer(item.version, m_settings.currentVersion)) {
        finishCycle(frameworkError(UpdateErrorCode::downgrade,
                                   tr("%1 is not newer than the running version %2.")
                                       .arg(item.displayVersion(), m_settings.currentVersion)));
        return;
    }
    if (m_installer.replacesItself()) {
        finishCycle(m_installer.replaceAppImage(m_cycle->verifiedFile));
        return;
    }
    QString placedAt;
    const std::optional<UpdateError> error =
        m_installer.revealDownload(m_cycle->verifiedFile, placedAt);
    if (!error)
        m_userDriver->showDownloadReady(item.displayVersion(), placedAt);
    finishCycle(error);
}

void AppcastUpdater::finishCycle(const std::optional<UpdateError>& error)
{
    const std::unique_ptr<Cycle> cycle = std::move(m_cycle);
    // A download lives only as long as its cycle: by now it is installed, copied for the user,
    // postponed (the next cycle fetches afresh) or refused.
    if (cycle->partialFile)
        cycle->partialFile->remove();
    if (!cycle->verifiedFile.isEmpty())
        QFile::remove(cycle->verifiedFile);
    if (error && cycle->interactive)
        m_userDriver->showError(*error);
    scheduleAutomaticCheck(m_clock().addMSecs(m_settings.automaticCheckInterval.count()));
    setCanCheck(true);
    m_delegate.didFinishUpdateCycle(error);
}

void AppcastUpdater::scheduleAutomaticCheck(const QDateTime& due)
{
    m_nextAutomaticCheck = due;
    const qint64 wait =
        std::clamp<qint64>(m_clock().msecsTo(due), 0, std::numeric_limits<int>::max());
    m_automaticTimer.start(static_cast<int>(wait));
}

void AppcastUpdater::setCanCheck(bool canCheck)
{
    if (m_canCheck == canCheck)
        return;
    m_canCheck = canCheck;
    // A handler may end its own observation.
    const auto observers = m_observers;
    for (const auto& handler : observers)
        handler();
}
