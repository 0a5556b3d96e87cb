#include "app/shell/ColorPickerApplication.h"

#include "app/panel/PickerPanel.h"
#include "app/panel/PickerView.h"
#include "app/panel/PickerWindow.h"
#include "app/panel/TrayController.h"
#include "app/settings/SettingsScene.h"
#include "core/AppInfo.h"
#include "core/AppServices.h"
#include "core/PickShortcut.h"
#include "core/PickedColor.h"
#include "core/ports/ApplicationPresence.h"
#include "core/ports/Clipboard.h"
#include "core/ports/FileManagerReveal.h"
#include "core/ports/PreferencesStore.h"
#include "core/ports/ScreenSampler.h"
#include "platform/desktop/JournalLogSink.h"
#include "platform/shortcuts/GlobalShortcutChoice.h"

#include <QApplication>
#include <QProcessEnvironment>

#include <atomic>
#include <csignal>

namespace {

// Where the desktop's tray host is not asked about: taken to be there.
class AssumedTrayHost : public TrayHost
{
public:
    State state() const override { return State::present; }
    void setChangeHandler(ChangeHandler) override {}
};

} // namespace

ColorPickerApplication::ColorPickerApplication(ReviewLaunchMode mode, const DesktopSession& session,
                                               ColorPickerAdapters adapters)
    : m_session(session), m_store(std::move(adapters.store)), m_appSettings(*m_store),
      m_presence(std::move(adapters.presence)), m_reveal(std::move(adapters.reveal)),
      m_singleInstance(adapters.runtimeDirectory),
      m_delegate(mode, *m_presence, m_appSettings, m_singleInstance, *m_reveal),
      m_makeTrayHost(std::move(adapters.makeTrayHost)),
      m_makeGlobalShortcut(std::move(adapters.makeGlobalShortcut))
{
    m_delegate.setPanelOpener([this] { bringPickerForward(); });
    if (mode == ReviewLaunchMode::selftest)
        return;

    // The parts the self-test goes without, in their declaration order.
    m_sampler = adapters.makeSampler();
    m_clipboard = adapters.makeClipboard([this] { bringPickerForward(); });
    const UpdateFramework::Factory updater =
        adapters.makeUpdater ? adapters.makeUpdater(m_appSettings, *m_reveal) : nullptr;
    m_services = std::make_unique<AppServices>(m_appSettings, *m_sampler, *m_clipboard, *m_presence,
                                               updater);
    // "--pick" from another launch: a pick as from the panel (joining one already running),
    // answered with how it ended.
    QObject::connect(&m_singleInstance, &SingleInstance::pickRequested, &m_services->picker(),
                     &ColorPickerModel::pickColor);
    QObject::connect(&m_services->picker(), &ColorPickerModel::pickEnded, &m_singleInstance,
                     [this](const PickOutcome& outcome) {
                         m_singleInstance.answerPickRequests(
                             outcome.kind == PickOutcome::Kind::picked
                                 ? std::optional<QString>(outcome.hex)
                                 : std::nullopt,
                             outcome.reason);
                     });
}

ColorPickerApplication::~ColorPickerApplication() = default;

void ColorPickerApplication::buildDesktopParts()
{
    m_globalShortcut = m_makeGlobalShortcut ? m_makeGlobalShortcut()
                                            : std::make_unique<UnsupportedGlobalShortcut>();
    m_pickShortcut = std::make_unique<PickShortcut>(m_appSettings, *m_globalShortcut);
    QObject::connect(m_pickShortcut.get(), &PickShortcut::activated, m_pickShortcut.get(),
                     [this] { pickFromKey(); });
    QObject::connect(&m_services->picker(), &ColorPickerModel::isSamplingChanged,
                     m_pickShortcut.get(), [this] {
                         // A pick from the key ends with the picker in front, as from the panel.
                         if (m_pickingFromKey && !m_services->picker().isSampling()) {
                             m_pickingFromKey = false;
                             bringPickerForward();
                         }
                     });
    m_tray = std::make_unique<TrayController>(m_services->picker(), m_session);
    m_settings = std::make_unique<SettingsScene>(m_services->updater());
    m_settings->setPickShortcut(m_pickShortcut.get());
    m_settings->setPicker(&m_services->picker());
    QObject::connect(m_tray.get(), &TrayController::settingsRequested, m_settings.get(),
                     &SettingsScene::open);
    QObject::connect(&m_delegate, &AppDelegate::settingsWindowRequested, m_settings.get(),
                     &SettingsScene::open);
}

void ColorPickerApplication::setUpProcess()
{
    Log::installProcessSink(JournalLogSink::system());
    QApplication::setApplicationName(QStringLiteral("morvane-color-picker"));
    QApplication::setApplicationDisplayName(QStringLiteral("Morvane Color Picker"));
    QApplication::setApplicationVersion(Constants::version());
    QApplication::setDesktopFileName(QStringLiteral("dev.morvane.colorpicker"));
    QApplication::setQuitOnLastWindowClosed(false);
    // Under a file-size limit a write past it fails with EFBIG, which the preferences store
    // refuses like a full disk, instead of the signal's default of killing the process.
    std::signal(SIGXFSZ, SIG_IGN);
}

QByteArray ColorPickerApplication::selftestPlatforms(const QProcessEnvironment& environment)
{
    QByteArrayList platforms;
    const QByteArray chosen = environment.value(QStringLiteral("QT_QPA_PLATFORM")).toLocal8Bit();
    if (!chosen.isEmpty()) {
        platforms = chosen.split(';');
    } else {
        // Qt's own choice where a display is named.
        if (!environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty())
            platforms.append("wayland");
        if (!environment.value(QStringLiteral("DISPLAY")).isEmpty())
            platforms.append("xcb");
    }
    if (!platforms.contains("offscreen"))
        platforms.append("offscreen");
    return platforms.join(';');
}

DesktopSession ColorPickerApplication::currentSession()
{
    return DesktopSession::from(QGuiApplication::platformName(),
                                QProcessEnvironment::systemEnvironment());
}

AppDelegate::LaunchOutcome ColorPickerApplication::launch(Start start)
{
    const AppDelegate::LaunchOutcome outcome = m_delegate.applicationDidFinishLaunching();
    if (outcome != AppDelegate::LaunchOutcome::running || !m_services)
        return outcome;
    // The pick first: the tray item, the key and the settings are built once it shows.
    if (start == Start::withPick) {
        m_sampler->prepareForPick();
        m_services->picker().pickColor();
    }
    buildDesktopParts();
    // The icon goes in at once and stays: Qt docks it when a tray host comes later.
    m_tray->show();
    m_pickShortcut->start();
    m_trayHost = m_makeTrayHost ? m_makeTrayHost() : std::make_unique<AssumedTrayHost>();
    m_trayPresence = std::make_unique<TrayPresence>(*m_trayHost);
    QObject::connect(m_trayPresence.get(), &TrayPresence::modeChanged, m_trayPresence.get(),
                     [this](TrayPresence::Mode mode) { followTrayHost(mode); });
    followTrayHost(m_trayPresence->mode());
    return outcome;
}

void ColorPickerApplication::bringPickerForward()
{
    if (m_trayPresence && m_trayPresence->mode() == TrayPresence::Mode::window)
        showMainWindow();
    else if (m_tray)
        m_tray->openPanel();
}

void ColorPickerApplication::followTrayHost(TrayPresence::Mode mode)
{
    switch (mode) {
    case TrayPresence::Mode::window:
        Log("lifecycle").info("no tray host: the picker shows as a window");
        // Not built for the question: the window comes first.
        if (m_tray->isPanelBuilt() && m_tray->panel()->isVisible())
            m_tray->panel()->close();
        showMainWindow();
        break;
    case TrayPresence::Mode::tray:
        if (m_window && m_window->isVisible()) {
            Log("lifecycle").info("a tray host appeared: the picker moves into the tray");
            m_window->hide();
            m_delegate.activationPolicy().demoteWhenIdle(true);
        }
        break;
    case TrayPresence::Mode::deciding:
        break;
    }
}

void ColorPickerApplication::showMainWindow()
{
    if (!m_window) {
        m_window = std::make_unique<PickerWindow>(m_services->picker());
        QObject::connect(m_window->view(), &PickerView::settingsRequested, m_settings.get(),
                         &SettingsScene::open);
        QObject::connect(m_window->view(), &PickerView::quitRequested, qApp,
                         &QCoreApplication::quit, Qt::QueuedConnection);
        QObject::connect(m_window.get(), &PickerWindow::closeRequested, m_window.get(),
                         [this] { mainWindowClosed(); });
    }
    // Regular presence first, so the window maps with its taskbar entry.
    m_delegate.activationPolicy().promoteNow();
    m_window->bringForward();
}

void ColorPickerApplication::mainWindowClosed()
{
    switch (m_trayPresence->windowClosed(m_pickShortcut->isActive())) {
    case TrayPresence::CloseAction::quit:
        m_window->hide();
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        break;
    case TrayPresence::CloseAction::explainOnce:
        m_window->explainStaying(m_pickShortcut->keepsRunningText());
        break;
    case TrayPresence::CloseAction::hide:
        m_window->hide();
        m_delegate.activationPolicy().demoteWhenIdle(true);
        break;
    }
}

void ColorPickerApplication::pickFromKey()
{
    ColorPickerModel& picker = m_services->picker();
    if (picker.isSampling())
        return;
    // The panel or window steps aside for the pick and is brought forward when it ends.
    m_pickingFromKey = true;
    picker.pickColor();
}

ColorPickerModel* ColorPickerApplication::picker() const
{
    return m_services ? &m_services->picker() : nullptr;
}
