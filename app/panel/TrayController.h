#pragma once

#include "core/DesktopSession.h"
#include "core/Log.h"

#include <QIcon>
#include <QObject>

#include <chrono>

class ColorPickerModel;
class PickerPanel;
class QAction;
class QMenu;
class QPalette;
class QSystemTrayIcon;

// The application's tray item and its panel. A left click on the icon toggles the panel; the
// item's context menu opens the panel, starts a pick, asks for settings or quits, for desktops
// that deliver only context menus to tray items. The icon is static: our eyedropper, light
// inside a dark outline, so it reads on any tray whatever the desktop or application theme.
class TrayController : public QObject
{
    Q_OBJECT

public:
    TrayController(ColorPickerModel& picker, const DesktopSession& session,
                   QObject* parent = nullptr);
    ~TrayController() override;

    // Puts the icon into the tray.
    void show();

    // The panel: built in idle time shortly after show(), or on first use if that is sooner.
    PickerPanel* panel();
    bool isPanelBuilt() const { return m_panel != nullptr; }
    static constexpr std::chrono::milliseconds panelPreparationDelay{500};
    QSystemTrayIcon* trayIcon() const { return m_trayIcon; }
    QMenu* contextMenu() const { return m_menu; }

    // The tray icon artwork, rendered from its SVG at each size asked of it, when asked.
    static QIcon trayArtwork();

public slots:
    // Opens the panel at the tray icon (or the pointer), as a click on the icon does.
    void openPanel();
    void togglePanel();

signals:
    // The settings window should open.
    void settingsRequested();

private:
    void preparePanel();

    ColorPickerModel& m_picker;
    const DesktopSession m_session;
    PickerPanel* m_panel = nullptr;
    QMenu* m_menu;
    QSystemTrayIcon* m_trayIcon;
    Log m_log{"lifecycle"};
};
