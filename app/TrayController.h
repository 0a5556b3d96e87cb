#pragma once

#include "Log.h"

#include <QIcon>
#include <QObject>

class ColorPickerModel;
class PickerPanel;
class QAction;
class QMenu;
class QSystemTrayIcon;

// The application's tray item and its panel. A left click on the icon toggles the panel; the
// item's context menu opens the panel, starts a pick, asks for settings or quits, for desktops
// that deliver only context menus to tray items. The icon is static: our eyedropper, light
// inside a dark outline, so it reads on any tray whatever the desktop or application theme.
class TrayController : public QObject
{
    Q_OBJECT

public:
    explicit TrayController(ColorPickerModel& picker, QObject* parent = nullptr);
    ~TrayController() override;

    // Puts the icon into the tray.
    void show();

    // The panel, built on first use so start-up stays quick.
    PickerPanel* panel();
    QSystemTrayIcon* trayIcon() const { return m_trayIcon; }
    QMenu* contextMenu() const { return m_menu; }

    // The tray icon artwork, rendered at the usual tray sizes.
    static QIcon trayArtwork();

public slots:
    // Opens the panel at the tray icon (or the pointer), as a click on the icon does.
    void openPanel();
    void togglePanel();

signals:
    // The settings window should open.
    void settingsRequested();

private:
    ColorPickerModel& m_picker;
    PickerPanel* m_panel = nullptr;
    QMenu* m_menu;
    QSystemTrayIcon* m_trayIcon;
    Log m_log{"lifecycle"};
};
