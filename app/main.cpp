#include "AppDelegate.h"
#include "AppInfo.h"
#include "AppServices.h"
#include "CommandLineReply.h"
#include "FreedesktopFileManagerReveal.h"
#include "QtApplicationPresence.h"
#include "QtClipboard.h"
#include "ReviewLaunchMode.h"
#include "SettingsPreferencesStore.h"
#include "SettingsScene.h"
#include "SingleInstance.h"
#include "UnavailableScreenSampler.h"

#include <QApplication>

#include <cstdio>
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

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("morvane-color-picker"));
    QApplication::setApplicationDisplayName(QStringLiteral("Morvane Color Picker"));
    QApplication::setApplicationVersion(Constants::version());
    QApplication::setDesktopFileName(QStringLiteral("dev.morvane.colorpicker"));
    QApplication::setQuitOnLastWindowClosed(false);

    const ReviewLaunchMode mode = ReviewLaunchModes::current();
    SettingsPreferencesStore preferences;
    QtClipboard clipboard;
    UnavailableScreenSampler sampler;
    // No service is built in the self-test.
    std::optional<AppServices> services;
    if (mode != ReviewLaunchMode::selftest)
        services.emplace(preferences, sampler, clipboard);

    QtApplicationPresence presence;
    SingleInstance singleInstance;
    FreedesktopFileManagerReveal reveal;
    AppDelegate delegate(mode, presence, preferences, singleInstance, reveal);

    std::optional<SettingsScene> settings;
    if (services) {
        settings.emplace(services->updater(), preferences);
        QObject::connect(&delegate, &AppDelegate::notificationPosted, &*settings,
                         [&settings](const QString& name) {
                             // The settings launch announces that the window is wanted.
                             if (name == AppDelegate::colorPickerOpenSettings)
                                 settings->open();
                         });
    }

    delegate.applicationDidFinishLaunching();
    return QApplication::exec();
}
