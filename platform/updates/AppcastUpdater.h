#pragma once

#include "core/ports/UpdateFramework.h"
#include "platform/updates/ObservableFlag.h"
#include "platform/updates/UpdateInstaller.h"
#include "platform/updates/UpdateUserDriver.h"
#include "platform/updates/entry/AppcastUpdaterSettings.h"

#include <QDateTime>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QTimer>

#include <memory>

class AppSettings;
class FileManagerReveal;
struct AppcastItem;

// The update framework: fetches the appcast and its detached Ed25519 signature (the feed's
// address with ".sig" appended), keeps the items of the default channel and of the delegate's
// allowed channels that suit this system, are newer than the running version and not older
// than the highest version ever installed or offered, downloads the newest, and offers it only
// after its length and signature check out; both are checked again on the copy that is
// installed. Bad or missing signatures, length mismatches, downgrades, malformed feeds and
// insecure addresses end the cycle with an error of updateFrameworkErrorDomain; network
// failures with the network's domain. User-initiated checks report every outcome in the user
// driver's windows, and the cycle ends when that window is closed; automatic checks, once per
// interval, only offer updates and download no more than a fixed cap. One cycle runs at a time.
class AppcastUpdater : public QObject, public UpdateFramework
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    // The delegate and the application's settings (the last check, the skipped and the highest
    // version) must outlive the updater.
    AppcastUpdater(AppcastUpdaterSettings settings, UpdateFrameworkDelegate& delegate,
                   AppSettings& appSettings, std::unique_ptr<UpdateUserDriver> userDriver,
                   UpdateInstaller::Hooks installHooks, Clock clock = {},
                   QObject* parent = nullptr);
    ~AppcastUpdater() override;

    // The factory of the real framework: its own windows, relaunch of the AppImage, downloads
    // revealed through the file manager. The settings and the file manager must outlive it.
    static UpdateFramework::Factory factory(AppcastUpdaterSettings settings,
                                            AppSettings& appSettings,
                                            FileManagerReveal& fileManager);

    // Allows checks, removes what an interrupted replacement left, records the running version
    // as installed and schedules the automatic checks.
    void start();
    QDateTime nextAutomaticCheck() const { return m_nextAutomaticCheck; }

    bool canCheckForUpdates() const override { return m_canCheck.value(); }
    std::unique_ptr<UpdateObservation>
    observeCanCheckForUpdates(std::function<void()> handler) override
    {
        return m_canCheck.observe(std::move(handler));
    }
    // While a cycle runs, makes it report like a user-initiated one and raises its window.
    void checkForUpdates() override;

private:
    struct Cycle;
    struct Notice;

    void beginCycle(bool interactive);
    void onFeed(const QList<AppcastItem>& items, const std::optional<UpdateError>& error);
    void download(const AppcastItem& item);
    void onDownloaded(const std::optional<UpdateError>& error);
    void onChoice(quint64 cycleId, UpdateChoice choice);
    void install();
    void finishCycle(const std::optional<UpdateError>& error, const Notice& notice);
    void endCycle(const std::optional<UpdateError>& error);
    QString highestVersionSeen() const;
    void recordVersionSeen(const QString& version);
    void scheduleAutomaticCheck(const QDateTime& due);

    AppcastUpdaterSettings m_settings;
    QByteArray m_publicKey; // decoded; empty when the configured key is not an Ed25519 key
    UpdateFrameworkDelegate& m_delegate;
    AppSettings& m_appSettings;
    std::unique_ptr<UpdateUserDriver> m_userDriver;
    UpdateInstaller m_installer;
    Clock m_clock;
    QNetworkAccessManager m_network;
    QTimer m_automaticTimer;
    QDateTime m_nextAutomaticCheck;
    std::unique_ptr<Cycle> m_cycle;
    quint64 m_lastCycleId = 0;
    bool m_started = false;
    ObservableFlag m_canCheck;
};
