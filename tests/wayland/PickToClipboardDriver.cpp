// The application's own pick path on a real Wayland session: the whole application as
// main() builds it (the portal sampler, the Wayland clipboard and the tray panel it brings
// forward for the copy), with its settings in memory. Used by pick-to-clipboard.sh.
//   driver fill '#RRGGBB'   a maximised window of that colour
//   driver pick             picks once; prints "COPIED <hex>" once the copy is confirmed
#include "MemoryPreferencesStore.h"
#include "app/panel/PickerPanel.h"
#include "app/panel/TrayController.h"
#include "app/shell/ColorPickerApplication.h"
#include "core/ColorPickerModel.h"

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QRasterWindow>
#include <QTimer>

#include <cstdio>

namespace {

void say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

class FillWindow : public QRasterWindow
{
public:
    explicit FillWindow(QColor color) : m_color(color) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(QRect(QPoint(), size()), m_color);
    }
    void exposeEvent(QExposeEvent* event) override
    {
        QRasterWindow::exposeEvent(event);
        if (isExposed())
            say(QStringLiteral("shown %1x%2").arg(width()).arg(height()));
    }

private:
    QColor m_color;
};

int pick()
{
    const DesktopSession session = ColorPickerApplication::currentSession();
    ColorPickerAdapters adapters = ColorPickerAdapters::desktop(session);
    adapters.store = std::make_unique<MemoryPreferencesStore>();
    adapters.makeUpdater = nullptr;
    ColorPickerApplication application(ReviewLaunchMode::none, session, std::move(adapters));
    application.launch();
    ColorPickerModel& model = *application.picker();
    TrayController& tray = *application.tray();

    QObject::connect(&model, &ColorPickerModel::currentChanged, &tray, [&] {
        say(QStringLiteral("PICKED %1, a window has focus: %2")
                .arg(model.currentHex(), QGuiApplication::focusWindow() ? "yes" : "no"));
    });
    QObject::connect(&model, &ColorPickerModel::copyConfirmationChanged, &tray, [&] {
        if (!model.copyConfirmationText().isEmpty())
            say(QStringLiteral("COPIED %1 clipboard=%2 panel shown: %3")
                    .arg(model.currentHex(), QGuiApplication::clipboard()->text(),
                         tray.panel()->isVisible() ? "yes" : "no"));
    });

    tray.openPanel();
    QTimer::singleShot(800, &tray, [&] {
        // The tray panel closes when the portal's picker takes the focus; hiding it here
        // leaves no window with focus when the colour comes back, so the copy has to bring
        // the panel forward itself.
        tray.panel()->hide();
        say(QStringLiteral("PICKING"));
        model.pickColor();
    });
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    QTimer::singleShot(60'000, &application, &QCoreApplication::quit); // never linger
    if (arguments.value(1) == QLatin1String("fill")) {
        FillWindow window{QColor(arguments.value(2, QStringLiteral("#12AB34")))};
        window.showMaximized();
        return QApplication::exec();
    }
    if (arguments.value(1) == QLatin1String("pick"))
        return pick();
    std::fprintf(stderr, "usage: %s fill '#RRGGBB' | pick\n", argv[0]);
    return 2;
}
