// The whole application as main() builds it (settings in memory), for the end-to-end test on
// Sway (sway-pick-e2e.sh), which clicks "Pick a color" in its panel as a user would. Commands
// on standard input, one a line:
//   panel   shows the window (or, with a tray, the panel); prints "BUTTON <x> <y>", the pick
//           button's middle in it
//   quit
// It prints "READY" once the application runs, and "ENDED <current hex>" after every pick.
#include "MemoryPreferencesStore.h"
#include "app/panel/PickerPanel.h"
#include "app/panel/PickerWindow.h"
#include "app/panel/TrayController.h"
#include "app/shell/ColorPickerApplication.h"
#include "core/ColorPickerModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

void say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication qtApplication(argc, argv);
    QTimer::singleShot(300'000, &qtApplication, &QCoreApplication::quit); // never linger

    const DesktopSession session = ColorPickerApplication::currentSession();
    ColorPickerAdapters adapters = ColorPickerAdapters::desktop(session);
    adapters.store = std::make_unique<MemoryPreferencesStore>();
    adapters.makeUpdater = nullptr;
    ColorPickerApplication application(ReviewLaunchMode::none, session, std::move(adapters));
    application.launch();
    ColorPickerModel& model = *application.picker();
    QObject::connect(&model, &ColorPickerModel::isSamplingChanged, &model, [&model] {
        // The model adopts the colour right after the pick ends.
        if (!model.isSampling())
            QTimer::singleShot(
                0, &model, [&model] { say(QStringLiteral("ENDED %1").arg(model.currentHex())); });
    });

    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &model, [&] {
        std::string line;
        if (!std::getline(std::cin, line) || line == "quit") {
            input.setEnabled(false);
            QCoreApplication::quit();
            return;
        }
        if (line == "panel") {
            // Sway has no tray host here, so the application shows as a window: the user
            // picks from it. With a tray, from the panel.
            QWidget* surface = application.mainWindow();
            if (surface) {
                application.mainWindow()->bringForward();
            } else {
                application.tray()->openPanel();
                surface = application.tray()->panel();
            }
            // Reported once the surface has been laid out and shown.
            QTimer::singleShot(300, &model, [surface] {
                for (auto* button : surface->findChildren<QAbstractButton*>()) {
                    if (button->text() == QLatin1String("Pick a color")) {
                        const QPoint middle = button->mapTo(surface, button->rect().center());
                        say(QStringLiteral("BUTTON %1 %2").arg(middle.x()).arg(middle.y()));
                    }
                }
            });
        }
    });
    say(QStringLiteral("READY"));
    return QApplication::exec();
}
