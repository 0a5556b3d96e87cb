#include "ColorPickerModel.h"
#include "ScreenSamplerChoice.h"
#include "SettingsPreferencesStore.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("morvane-color-picker"));
    QApplication::setDesktopFileName(QStringLiteral("dev.morvane.colorpicker"));
    QApplication::setQuitOnLastWindowClosed(false);

    SettingsPreferencesStore preferences;
    const auto clipboard = makeClipboard();
    const auto sampler = makeScreenSampler();
    ColorPickerModel picker(preferences, *sampler, *clipboard);

    return QApplication::exec();
}
