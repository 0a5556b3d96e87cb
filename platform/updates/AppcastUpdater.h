#pragma once

#include "Appcast.h"
#include "UpdateFramework.h"
#include "UpdateInstaller.h"
#include "UpdateUserDriver.h"

#include <QDateTime>
#include <QMap>
#include <QNetworkAccessManager>
#include <QObject>
#include <QProcessEnvironment>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>

#include <chrono>
#include <memory>

class FileManagerReveal;
class PreferencesStore;
class QFile;
class UpdateTransfer;

struct AppcastUpdaterSettings
{
    QUrl feedUrl;
    QString publicKey; // base64 Ed25519
    QString currentVersion;
    QString systemVersion;   // compared with an item's minimumSystemVersion
    QString appImagePath;    // the running AppImage; empty when not running from one
    QString downloadCache;   // downloads wait here until installed
    QString downloadsFolder; // where a download is put for the user to install by hand
    std::chrono::milliseconds automaticCheckInterval = std::chrono::hours(24);
    std::chrono::milliseconds firstAutomaticCheckDelay = std::chrono::seconds(60);
    std::chrono::milliseconds transferTimeout = std::chrono::seconds(60);
    qint64 maximumFeedBytes = 4 * 1024 * 1024;

    // From the build's information map ("SUFeedURL", "SUPublicEDKey",
    // "CFBundleShortVersionString") and the process environment ($APPIMAGE); the rest from the
    // system's standard folders and the kernel version.
    static AppcastUpdaterSettings fromAppInfo(const QVariantMap& appInfo,
                                              const QProcessEnvironment& environment);
};

// The update framework: fetches the appcast, keeps the items of the default channel and of the
// delegate's allowed channels that suit this system and are newer than the running version,
// downloads the newest, and offers it only after its length and Ed25519 signature check out.
// Bad signatures, length mismatches, downgrades, malformed feeds and insecure addresses end
// the cycle with an error of updateFrameworkErrorDomain; network failures with the network's
// domain. User-initiated checks report every outcome in the user driver's windows; automatic
// checks, once per interval, only offer updates. One cycle runs at a time.
class AppcastUpdater : public QObject, public UpdateFramework
{
    Q_OBJECT

public:
    static inline const QString lastCheckTimeKey = QStringLiteral("updates.lastCheckTime");
    static inline const QString skippedVersionKey = QStringLiteral("updates.skippedVersion");
    using Clock = std::function<QDateTime()>;

    // The delegate and the store must outlive the updater.
    AppcastUpdater(AppcastUpdaterSettings settings, UpdateFrameworkDelegate& delegate,
                   PreferencesStore& defaults, std::unique_ptr<UpdateUserDriver> userDriver,
                   UpdateInstaller::Hooks installHooks, Clock clock = {},
                   QObject* parent = nullptr);
    ~AppcastUpdater() override;

    // The factory of the real framework: its own windows, relaunch of the AppImage, downloads
    // revealed through the file manager. The store and the file manager must outlive it.
    static UpdateFramework::Factory factory(AppcastUpdaterSettings settings,
                                            PreferencesStore& defaults,
                                            FileManagerReveal& fileManager);

    // Allows checks and schedules the automatic ones.
    void start();
    QDateTime nextAutomaticCheck() const { return m_nextAutomaticCheck; }

    bool canCheckForUpdates() const override { return m_canCheck; }
    std::unique_ptr<UpdateObservation>
    observeCanCheckForUpdates(std::function<void()> handler) override;
    // While a cycle runs, makes it report like a user-initiated one and raises its window.
    void checkForUpdates() override;

private:
    struct Cycle;
    class Observation;

    void beginCycle(bool interactive);
    void onFeed(const QByteArray& body, const std::optional<UpdateError>& error);
    std::optional<AppcastItem> newestSuitableItem(const QList<AppcastItem>& items) const;
    void download(const AppcastItem& item);
    void onDownloaded(const std::optional<UpdateError>& error);
    void onChoice(quint64 cycleId, UpdateChoice choice);
    void install();
    void finishCycle(const std::optional<UpdateError>& error);
    void scheduleAutomaticCheck(const QDateTime& due);
    void setCanCheck(bool canCheck);

    AppcastUpdaterSettings m_settings;
    UpdateFrameworkDelegate& m_delegate;
    PreferencesStore& m_defaults;
    std::unique_ptr<UpdateUserDriver> m_userDriver;
    UpdateInstaller m_installer;
    Clock m_clock;
    QNetworkAccessManager m_network;
    QTimer m_automaticTimer;
    QDateTime m_nextAutomaticCheck;
    std::unique_ptr<Cycle> m_cycle;
    quint64 m_lastCycleId = 0;
    bool m_started = false;
    bool m_canCheck = false;
    QMap<int, std::function<void()>> m_observers;
    int m_lastObserverId = 0;
};
