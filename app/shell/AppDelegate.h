#pragma once

#include "app/shell/RelocationWarning.h"
#include "core/ActivationPolicyController.h"
#include "core/ReviewLaunchMode.h"

#include <QObject>

#include <chrono>
#include <functional>

class AppSettings;
class ApplicationPresence;
class FileManagerReveal;
class SingleInstance;

// Carries out the launch sequence for the process's launch mode and answers the desktop's
// questions: reopening the running copy and whether closing the last window quits.
//   self-test: one "lifecycle" line, tray-only presence, quit on the next turn; nothing else.
//   otherwise: one copy per user (a duplicate asks the running copy to reopen and quits
//   without touching presence or menus), tray-only presence, the menu sanitizer, then
//   settings launch: promotion and "colorpicker.openSettings" on the next turn;
//   ordinary launch: the relocation check.
class AppDelegate : public QObject
{
    Q_OBJECT

public:
    enum class LaunchOutcome
    {
        running,
        quitting
    };

    static constexpr std::chrono::milliseconds reopenPanelDelay{350};

    AppDelegate(ReviewLaunchMode mode, ApplicationPresence& presence, AppSettings& settings,
                SingleInstance& singleInstance, FileManagerReveal& reveal,
                QObject* parent = nullptr);

    ReviewLaunchMode reviewLaunchMode() const { return m_reviewLaunchMode; }
    ActivationPolicyController& activationPolicy() { return m_activationPolicy; }
    RelocationWarning& relocationWarning() { return m_relocationWarning; }

    // How the tray item's panel is opened; the reopen of the ordinary launch uses it.
    void setPanelOpener(std::function<void()> openPanel) { m_openPanel = std::move(openPanel); }
    // How the application ends; by default a queued QCoreApplication::quit().
    void setTerminator(std::function<void()> terminate) { m_terminate = std::move(terminate); }

    // Called once, just before the event loop starts. Quitting: a quit is already queued.
    LaunchOutcome applicationDidFinishLaunching();
    bool applicationShouldTerminateAfterLastWindowClosed() const;
    // Ordinary launch: opens the panel 0.35 s later and answers false. Otherwise answers
    // true, and the caller does the default handling (bring the windows forward).
    bool applicationShouldHandleReopen();

signals:
    // The settings launch's "colorpicker.openSettings" notification: the settings window is
    // wanted.
    void settingsWindowRequested();

private:
    void handleReopen();
    void openMenuBarPopover();
    void terminate();

    ActivationPolicyController m_activationPolicy;
    const ReviewLaunchMode m_reviewLaunchMode;
    ApplicationPresence& m_presence;
    AppSettings& m_settings;
    SingleInstance& m_singleInstance;
    RelocationWarning m_relocationWarning;
    std::function<void()> m_openPanel;
    std::function<void()> m_terminate;
};
