#include "app/shell/ColorPickerApplication.h"
#include "app/shell/CommandLinePreferences.h"
#include "app/shell/PickCommand.h"
#include "app/shell/Translations.h"
#include "core/AppInfo.h"
#include "core/CommandLineArguments.h"
#include "core/CommandLineFormats.h"
#include "core/CommandLineReply.h"
#include "core/ConvertCommand.h"
#include "platform/desktop/TerminationSignals.h"

#include <QApplication>

#include <cstdio>

// The application proper, which the executable (Launcher.cpp) loads and runs unless it could
// answer on its own: with a command line the option table accepts, as the executable has
// refused every other. `copyStarted`: for "--pick", the executable has started a copy already.
extern "C" __attribute__((visibility("default"))) int
morvane_color_picker_main(int argc, char* argv[], bool copyStarted)
{
    const QStringList arguments = ReviewLaunchModes::arguments(argc, argv);
    // --help, --version, --convert, --list-formats and --pick open no display in this process.
    if (commandLineReply(arguments, Constants::version())) {
        // A translator needs an application object; no display is opened for it.
        const QCoreApplication translating(argc, argv);
        Translations::install();
        std::fputs(commandLineReply(arguments, Constants::version())->toLocal8Bit().constData(),
                   stdout);
        return 0;
    }
    if (ConvertCommand::requested(arguments)) {
        const CommandLineFormats formats(CommandLinePreferences::open());
        return ConvertCommand::exec(arguments, formats.list());
    }
    if (ReviewLaunchModes::requestsPick(arguments))
        return PickCommand::exec(argc, argv, copyStarted);
    if (ReviewLaunchModes::fromArguments(arguments) == ReviewLaunchMode::selftest)
        qputenv("QT_QPA_PLATFORM", ColorPickerApplication::selftestPlatforms(
                                       QProcessEnvironment::systemEnvironment()));

    QApplication qtApplication(argc, argv);
    ColorPickerApplication::setUpProcess();
    Translations::install();
    // SIGTERM and SIGINT leave through the event loop, so everything below is torn down.
    const TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &qtApplication,
                     [] { QCoreApplication::exit(0); });
    const DesktopSession session = ColorPickerApplication::currentSession();
    ColorPickerApplication application(ReviewLaunchModes::current(), session,
                                       ColorPickerAdapters::desktop(session));
    // Started by a "--pick" that found no copy running: the pick comes first.
    const bool pickAtStart =
        CommandLineArguments::parse(arguments).has(CommandLineOptions::pickAtStart);
    application.launch(pickAtStart ? ColorPickerApplication::Start::withPick
                                   : ColorPickerApplication::Start::inTray);
    return QApplication::exec();
}
