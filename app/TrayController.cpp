#include "TrayController.h"

#include "ColorPickerModel.h"
#include "PickerPanel.h"
#include "PickerView.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QSvgRenderer>
#include <QSystemTrayIcon>
#include <QTimer>

TrayController::TrayController(ColorPickerModel& picker, const DesktopSession& session,
                               QObject* parent)
    : QObject(parent), m_picker(picker), m_session(session)
{
    m_menu = new QMenu;
    m_menu->addAction(tr("Open Color Picker"), this, &TrayController::openPanel);
    m_menu->addAction(tr("Pick a color"), &m_picker, &ColorPickerModel::pickColor);
    m_menu->addSeparator();
    m_menu->addAction(tr("Settings\u2026"), this, &TrayController::settingsRequested);
    m_menu->addAction(tr("Quit"), qApp, &QCoreApplication::quit, Qt::QueuedConnection);

    m_trayIcon = new QSystemTrayIcon(this);
    m_trayIcon->setToolTip(tr("Morvane Color Picker"));
    m_trayIcon->setContextMenu(m_menu);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    togglePanel();
            });
    // Neither the application's palette nor the desktop tells the tray's colour reliably (a
    // StatusNotifierItem host draws the icon itself): the artwork reads on any.
    m_trayIcon->setIcon(trayArtwork());
}

TrayController::~TrayController()
{
    delete m_menu;
    delete m_panel;
}

PickerPanel* TrayController::panel()
{
    if (m_panel)
        return m_panel;
    m_panel = new PickerPanel(m_picker, m_session);
    connect(m_panel->view(), &PickerView::settingsRequested, this, [this] {
        m_panel->close();
        emit settingsRequested();
    });
    connect(m_panel->view(), &PickerView::quitRequested, qApp, &QCoreApplication::quit,
            Qt::QueuedConnection);
    return m_panel;
}

void TrayController::show()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        m_log.warning("no system tray found: the icon appears when a tray host starts");
    m_trayIcon->show();
    // The panel is made once the launch has settled, so that neither the tray item's
    // appearance nor the first click waits for it.
    QTimer::singleShot(panelPreparationDelay, this, &TrayController::preparePanel);
}

void TrayController::preparePanel()
{
    PickerPanel* built = panel();
    if (built->isVisible())
        return;
    // Lays out, makes the native window and paints once off screen, so the first open only
    // maps and flushes; the glyphs and icons it draws are cached by then.
    built->adjustSize();
    built->winId();
    built->grab();
}

QIcon TrayController::trayArtwork()
{
    QSvgRenderer renderer(QStringLiteral(":/icons/tray-eyedropper.svg"));
    QIcon icon;
    for (int side : {16, 18, 22, 24, 32, 36, 44, 48, 64}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, side, side));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void TrayController::openPanel()
{
    const QRect geometry = m_trayIcon->geometry();
    panel()->showAnchored(geometry.isValid() ? geometry : QRect());
}

void TrayController::togglePanel()
{
    if (m_panel && m_panel->isVisible()) {
        m_panel->close();
        return;
    }
    // The press outside that just closed the popup is this same click on the icon.
    if (m_panel && m_panel->closedJustNow())
        return;
    openPanel();
}
