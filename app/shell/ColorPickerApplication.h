#pragma once

#include "app/shell/AppDelegate.h"
#include "core/AppSettings.h"
#include "core/DesktopSession.h"
#include "core/ReviewLaunchMode.h"
#include "core/TrayPresence.h"
#include "core/ports/ApplicationPresence.h"
#include "core/ports/Clipboard.h"
#include "core/ports/FileManagerReveal.h"
#include "core/ports/GlobalShortcut.h"
#include "core/ports/PreferencesStore.h"
#include "core/ports/ScreenSampler.h"
#include "core/ports/TrayHost.h"
#include "core/ports/UpdateFramework.h"
#include "platform/instance/SingleInstance.h"

#include <QByteArray>
#include <QProcessEnvironment>

#include <functional>
#include <memory>

class AppServices;
class ColorPickerModel;
class PickShortcut;
class PickerWindow;
class SettingsScene;
class TrayController;

// The adapters the application runs on: the desktop's (desktop()), or fakes in a test.
struct ColorPickerAdapters
{
    // Shows and activates a window of the application (a Wayland compositor takes a copy
    // only from a focused client).
    using BringForward = std::function<void()>;

    std::unique_ptr<PreferencesStore> store;
    std::unique_ptr<ApplicationPresence> presence;
    std::unique_ptr<FileManagerReveal> reveal;
    std::function<std::unique_ptr<ScreenSampler>()> makeSampler;
    std::function<std::unique_ptr<Clipboard>(BringForward)> makeClipboard;
    // The update framework over the settings and the reveal; empty for none.
    std::function<UpdateFramework::Factory(AppSettings&, FileManagerReveal&)> makeUpdater;
    // The single instance's lock and socket folder; empty for $XDG_RUNTIME_DIR.
    QString runtimeDirectory;
    // Whether the desktop shows tray items; made by the copy that goes on running. Empty: a
    // tray host is taken to be there.
    std::function<std::unique_ptr<TrayHost>()> makeTrayHost;
    // The global pick key's mechanism. Empty: no program may bind a key here.
    std::function<std::unique_ptr<GlobalShortcut>()> makeGlobalShortcut;

    static ColorPickerAdapters desktop(const DesktopSession& session);
};

// The application of one process, wired in one place. Members are declared in dependency
// order, so each is built after and destroyed before what it uses; the self-test builds no
// sampler, clipboard, services, tray or settings window.
class ColorPickerApplication
{
public:
    ColorPickerApplication(ReviewLaunchMode mode, const DesktopSession& session,
                           ColorPickerAdapters adapters);
    ~ColorPickerApplication();

    // Once, after the QApplication is built: names the process, sends Log to the journal and
    // ignores SIGXFSZ (a file-size limit then fails a write instead of ending the process).
    static void setUpProcess();
    // The platform plugins a self-test tries, as a QT_QPA_PLATFORM list: those the environment
    // names, then "offscreen", so that the self-test also runs where no display is reachable.
    static QByteArray selftestPlatforms(const QProcessEnvironment& environment);
    // The session of the running QGuiApplication, read once.
    static DesktopSession currentSession();

    enum class Start
    {
        inTray,
        // A pick begins once the copy holds the single-instance channel, before the tray
        // item: a "--pick" that found no copy running waits for it, and joins it.
        withPick,
    };
    // The launch sequence; the tray item appears only in the copy that goes on running, and
    // with no tray host to show it, the picker's main window (after the pick, if one runs).
    AppDelegate::LaunchOutcome launch(Start start = Start::inTray);

    // Absent in the self-test.
    ColorPickerModel* picker() const;
    TrayController* tray() const { return m_tray.get(); }
    SettingsScene* settings() const { return m_settings.get(); }
    AppDelegate& delegate() { return m_delegate; }
    // Absent until the launch has settled; decides between the tray and the main window.
    TrayPresence* trayPresence() const { return m_trayPresence.get(); }
    // Absent until first shown.
    PickerWindow* mainWindow() const { return m_window.get(); }
    // Absent in the self-test.
    PickShortcut* pickShortcut() const { return m_pickShortcut.get(); }

private:
    // The picker brought forward: the tray's panel, or the main window without a tray host. A
    // second launch's reopen, and the window a Wayland copy brings forward to get the focus.
    void bringPickerForward();
    void followTrayHost(TrayPresence::Mode mode);
    void showMainWindow();
    void mainWindowClosed();
    void pickFromKey();
    // The global key, the tray item and the settings, made once the copy is the one running.
    void buildDesktopParts();

    const DesktopSession m_session;
    std::unique_ptr<PreferencesStore> m_store;
    AppSettings m_appSettings;
    std::unique_ptr<ApplicationPresence> m_presence;
    std::unique_ptr<FileManagerReveal> m_reveal;
    std::unique_ptr<ScreenSampler> m_sampler;
    std::unique_ptr<Clipboard> m_clipboard;
    std::unique_ptr<AppServices> m_services;
    std::unique_ptr<GlobalShortcut> m_globalShortcut;
    std::unique_ptr<PickShortcut> m_pickShortcut;
    bool m_pickingFromKey = false;
    std::unique_ptr<TrayController> m_tray;
    std::unique_ptr<SettingsScene> m_settings;
    SingleInstance m_singleInstance;
    AppDelegate m_delegate;
    std::function<std::unique_ptr<TrayHost>()> m_makeTrayHost;
    std::function<std::unique_ptr<GlobalShortcut>()> m_makeGlobalShortcut;
    std::unique_ptr<TrayHost> m_trayHost;
    std::unique_ptr<TrayPresence> m_trayPresence;
    std::unique_ptr<PickerWindow> m_window;
};
