#include "ColorPickerModel.h"
#include "ScreenSamplerChoice.h"
#include "SettingsPreferencesStore.h"
#include "TrayController.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("morvane-color-picker"));
    QApplication::setDesktopFileName(QStringLiteral("dev.morvane.colorpicker"));
    QApplication::setQuitOnLastWindowClosed(false);

    SettingsPreferencesStore preferences;
    // A Wayland copy needs a focused window: the panel is brought forward for it.
    TrayController* tray = nullptr;
    const auto clipboard = makeClipboard([&tray] {
        if (tray)
            tray->openPanel();
    });
    const auto sampler = makeScreenSampler();
    ColorPickerModel picker(preferences, *sampler, *clipboard);

    TrayController trayController(picker);
    tray = &trayController;
    trayController.show();

    return QApplication::exec();
}
