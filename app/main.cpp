#include "AppDelegate.h"
#include "AppInfo.h"
#include "AppServices.h"
#include "AppcastUpdater.h"
#include "ClipboardChoice.h"
#include "CommandLineReply.h"
#include "FreedesktopFileManagerReveal.h"
#include "JournalLogSink.h"
#include "Log.h"
#include "QtApplicationPresence.h"
#include "ReviewLaunchMode.h"
#include "ScreenSamplerChoice.h"
#include "SettingsPreferencesStore.h"
#include "SettingsScene.h"
#include "SingleInstance.h"
#include "TrayController.h"

#include <QApplication>
#include <QProcessEnvironment>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

// --help and --version answer before any display is opened.
std::optional<QString> informationalReply(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return commandLineReply(arguments, Constants::version());
}

} // namespace

int main(int argc, char* argv[])
{
    if (const std::optional<QString> reply = informationalReply(argc, argv)) {
        std::fputs(reply->toLocal8Bit().constData(), stdout);
        return 0;
    }

    Log::installProcessSink(JournalLogSink::system());
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("morvane-color-picker"));
    QApplication::setApplicationDisplayName(QStringLiteral("Morvane Color Picker"));
    QApplication::setApplicationVersion(Constants::version());
    QApplication::setDesktopFileName(QStringLiteral("dev.morvane.colorpicker"));
    QApplication::setQuitOnLastWindowClosed(false);

    const ReviewLaunchMode mode = ReviewLaunchModes::current();
    SettingsPreferencesStore preferences;
    QtApplicationPresence presence;
    FreedesktopFileManagerReveal reveal;

    // No service, tray item or settings window in the self-test. Declared in dependency
    // order, so each is destroyed before what it uses.
    TrayController* focusTray = nullptr;
    std::unique_ptr<Clipboard> clipboard;
    std::unique_ptr<ScreenSampler> sampler;
    std::optional<AppServices> services;
    std::optional<TrayController> tray;
    std::optional<SettingsScene> settings;
    if (mode != ReviewLaunchMode::selftest) {
        // A Wayland copy needs a focused window: the panel is brought forward for it.
        clipboard = makeClipboard([&focusTray] {
            if (focusTray)
                focusTray->openPanel();
        });
        sampler = makeScreenSampler();
        services.emplace(preferences, *sampler, *clipboard, presence,
                         AppcastUpdater::factory(
                             AppcastUpdaterSettings::fromAppInfo(
                                 AppInfo::current(), QProcessEnvironment::systemEnvironment()),
                             preferences, reveal));
        tray.emplace(services->picker());
        focusTray = &*tray;
        settings.emplace(services->updater(), preferences);
        QObject::connect(&*tray, &TrayController::settingsRequested, &*settings,
                         &SettingsScene::open);
    }

    SingleInstance singleInstance;
    AppDelegate delegate(mode, presence, preferences, singleInstance, reveal);
    if (tray)
        delegate.setPanelOpener([&tray] { tray->openPanel(); });
    if (settings) {
        QObject::connect(&delegate, &AppDelegate::notificationPosted, &*settings,
                         [&settings](const QString& name) {
                             // The settings launch announces that the window is wanted.
                             if (name == AppDelegate::colorPickerOpenSettings)
                                 settings->open();
                         });
    }

    // The tray item appears only in the copy that goes on running.
    if (delegate.applicationDidFinishLaunching() == AppDelegate::LaunchOutcome::running && tray)
        tray->show();
    return QApplication::exec();
}
