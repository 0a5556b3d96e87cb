#include "AppInfo.h"
#include "ColorPickerApplication.h"
#include "CommandLineReply.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    // --help and --version answer before any display is opened.
    if (const std::optional<QString> reply = commandLineReply(argc, argv, Constants::version())) {
        std::fputs(reply->toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication qtApplication(argc, argv);
    ColorPickerApplication::setUpProcess();
    const DesktopSession session = ColorPickerApplication::currentSession();
    ColorPickerApplication application(ReviewLaunchModes::current(), session,
                                       ColorPickerAdapters::desktop(session));
    application.launch();
    return QApplication::exec();
}
