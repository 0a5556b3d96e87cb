#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <chrono>

class AppSettings;
class QMenu;
class QMenuBar;

// Sits on one top-level menu and strips it again each time it is about to show. It connects
// after any handler the menu already had, so those still run first and see the menu as before.
class MenuSanitizerDelegate : public QObject
{
    Q_OBJECT

public:
    explicit MenuSanitizerDelegate(QMenu& menu);
};

// Keeps the application's Qt menus short: the menu bars' top-level "Format" menu goes whole;
// every other top-level menu (a menu bar's menus and stand-alone menus such as the tray's
// context menu) loses the platform-style junk items and the separators they leave, now and
// whenever it is about to show. Deeper submenus are left alone. Main thread only.
namespace MorvaneMenuChrome {

constexpr std::chrono::milliseconds lateRerunDelay{400};

// Once per process: writes the two menu keys (AppSettings::disablePlatformMenuItems; kept for
// compatibility and inert here: no Linux desktop reads them), sanitizes now, on the next turn
// of the event loop, after 0.4 s and every time the application becomes active.
void installSanitizer(AppSettings& settings);
// Every menu bar and every stand-alone menu of the application.
void sanitizeNow();
void sanitizeMenuBar(QMenuBar& menuBar);
// Gives a top-level menu its delegate (once) and strips it.
void sanitizeTopLevelMenu(QMenu& menu);
void stripJunk(QMenu& menu);

// Every delegate created so far, in creation order.
QList<QPointer<MenuSanitizerDelegate>> sanitizers();

} // namespace MorvaneMenuChrome
