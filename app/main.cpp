#include "ColorPickerModel.h"
#include "QtClipboard.h"
#include "SettingsPreferencesStore.h"
#include "TrayController.h"
#include "UnavailableScreenSampler.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("morvane-color-picker"));
    QApplication::setDesktopFileName(QStringLiteral("dev.morvane.colorpicker"));
    QApplication::setQuitOnLastWindowClosed(false);

    SettingsPreferencesStore preferences;
    QtClipboard clipboard;
    UnavailableScreenSampler sampler;
    ColorPickerModel picker(preferences, sampler, clipboard);

    TrayController tray(picker);
    tray.show();

    return QApplication::exec();
}
