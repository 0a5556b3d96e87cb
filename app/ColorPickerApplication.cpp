#include "ColorPickerApplication.h"

#include "AppInfo.h"
#include "AppServices.h"
#include "ApplicationPresence.h"
#include "Clipboard.h"
#include "FileManagerReveal.h"
#include "JournalLogSink.h"
#include "PreferencesStore.h"
#include "ScreenSampler.h"
#include "SettingsScene.h"
#include "TrayController.h"

#include <QApplication>
#include <QProcessEnvironment>

void TrayPanelOpener::attach(TrayController& tray)
{
    m_tray = &tray;
}

void TrayPanelOpener::open() const
{
    if (m_tray)
        m_tray->openPanel();
}

ColorPickerApplication::ColorPickerApplication(ReviewLaunchMode mode, const DesktopSession& session,
                                               ColorPickerAdapters adapters)
    : m_session(session), m_store(std::move(adapters.store)),
      m_presence(std::move(adapters.presence)), m_reveal(std::move(adapters.reveal)),
      m_singleInstance(adapters.runtimeDirectory),
      m_delegate(mode, *m_presence, *m_store, m_singleInstance, *m_reveal)
{
    m_delegate.setPanelOpener([this] { m_panelOpener.open(); });
    if (mode == ReviewLaunchMode::selftest)
        return;

    // The parts the self-test goes without, in their declaration order.
    m_sampler = adapters.makeSampler();
    m_clipboard = adapters.makeClipboard([this] { m_panelOpener.open(); });
    const UpdateFramework::Factory updater =
        adapters.makeUpdater ? adapters.makeUpdater(*m_store, *m_reveal) : nullptr;
    m_services =
        std::make_unique<AppServices>(*m_store, *m_sampler, *m_clipboard, *m_presence, updater);
    m_tray = std::make_unique<TrayController>(m_services->picker(), m_session);
    m_panelOpener.attach(*m_tray);
    m_settings = std::make_unique<SettingsScene>(m_services->updater(), *m_store);
    QObject::connect(m_tray.get(), &TrayController::settingsRequested, m_settings.get(),
                     &SettingsScene::open);
    QObject::connect(&m_delegate, &AppDelegate::settingsWindowRequested, m_settings.get(),
                     &SettingsScene::open);
}

ColorPickerApplication::~ColorPickerApplication() = default;

void ColorPickerApplication::setUpProcess()
{
    Log::installProcessSink(JournalLogSink::system());
    QApplication::setApplicationName(QStringLiteral("morvane-color-picker"));
    QApplication::setApplicationDisplayName(QStringLiteral("Morvane Color Picker"));
    QApplication::setApplicationVersion(Constants::version());
    QApplication::setDesktopFileName(QStringLiteral("dev.morvane.colorpicker"));
    QApplication::setQuitOnLastWindowClosed(false);
}

DesktopSession ColorPickerApplication::currentSession()
{
    return DesktopSession::from(QGuiApplication::platformName(),
                                QProcessEnvironment::systemEnvironment());
}

AppDelegate::LaunchOutcome ColorPickerApplication::launch()
{
    const AppDelegate::LaunchOutcome outcome = m_delegate.applicationDidFinishLaunching();
    if (outcome == AppDelegate::LaunchOutcome::running && m_tray)
        m_tray->show();
    return outcome;
}

ColorPickerModel* ColorPickerApplication::picker() const
{
    return m_services ? &m_services->picker() : nullptr;
}
