#include "ColorPickerApplication.h"

#include "AppInfo.h"
#include "AppServices.h"
#include "ApplicationPresence.h"
#include "Clipboard.h"
#include "FileManagerReveal.h"
#include "JournalLogSink.h"
#include "PickedColor.h"
#include "PreferencesStore.h"
#include "ScreenSampler.h"
#include "SettingsScene.h"
#include "TrayController.h"

#include <QApplication>
#include <QProcessEnvironment>

#include <atomic>

namespace {

// Passes picks through to the desktop's sampler and reports how each ended (the hex, or none
// for a cancel) on the main thread, after the model has adopted the colour: the answer to a
// "--pick" request.
class ReportingScreenSampler : public ScreenSampler
{
public:
    // hex: the picked colour; reason: when there is none, what kept the pick from running.
    using Report = std::function<void(const std::optional<QString>& hex, const QString& reason)>;

    ReportingScreenSampler(std::unique_ptr<ScreenSampler> sampler, Report report)
        : m_sampler(std::move(sampler)), m_report(std::move(report))
    {
    }

    void showSampler(SelectionHandler handler) override
    {
        m_sampler->showSampler([handler = std::move(handler), report = m_report,
                                sampler = m_sampler.get(),
                                answered = std::make_shared<std::atomic_bool>(false)](
                                   std::optional<SrgbComponents> components) {
            handler(components);
            if (answered->exchange(true))
                return;
            std::optional<QString> hex;
            if (components) {
                if (const auto color = PickedColor::fromSrgb(*components))
                    hex = color->hexString();
            }
            const QString reason =
                hex ? QString() : QString::fromStdString(sampler->unavailableReason());
            // Queued behind the model's own handling of the answer.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [report, hex, reason] { report(hex, reason); },
                Qt::QueuedConnection);
        });
    }

    std::string unavailableReason() const override { return m_sampler->unavailableReason(); }

private:
    std::unique_ptr<ScreenSampler> m_sampler;
    Report m_report;
};

} // namespace

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
    // The report outlives no part of this object: the sampler and the single instance are
    // members, and a queued report runs only while the event loop does.
    m_sampler = std::make_unique<ReportingScreenSampler>(
        adapters.makeSampler(), [singleInstance = QPointer<SingleInstance>(&m_singleInstance)](
                                    const std::optional<QString>& hex, const QString& reason) {
            if (singleInstance)
                singleInstance->answerPickRequests(hex, reason);
        });
    m_clipboard = adapters.makeClipboard([this] { m_panelOpener.open(); });
    const UpdateFramework::Factory updater =
        adapters.makeUpdater ? adapters.makeUpdater(*m_store, *m_reveal) : nullptr;
    m_services =
        std::make_unique<AppServices>(*m_store, *m_sampler, *m_clipboard, *m_presence, updater);
    m_tray = std::make_unique<TrayController>(m_services->picker(), m_session);
    m_panelOpener.attach(*m_tray);
    m_settings = std::make_unique<SettingsScene>(m_services->updater(), *m_store);
    m_settings->setPicker(&m_services->picker());
    QObject::connect(m_tray.get(), &TrayController::settingsRequested, m_settings.get(),
                     &SettingsScene::open);
    QObject::connect(&m_delegate, &AppDelegate::settingsWindowRequested, m_settings.get(),
                     &SettingsScene::open);
    // "--pick" from another launch: a pick as from the panel (joining one already running).
    QObject::connect(&m_singleInstance, &SingleInstance::pickRequested, &m_services->picker(),
                     &ColorPickerModel::pickColor);
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
