#include "app/panel/TrayController.h"

#include "app/panel/PickerPanel.h"
#include "app/panel/PickerView.h"
#include "core/ColorPickerModel.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QSystemTrayIcon>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

// The tray artwork, drawn from its SVG at the size a tray asks for, when it asks: an XEmbed
// tray paints one size, a StatusNotifierItem host is sent a small and a large one. Nothing is
// drawn before the icon is on its way into the tray.
class TrayArtworkEngine : public QIconEngine
{
public:
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return QSize(side, side);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        const int side = actualSize(size, mode, state).width();
        if (side <= 0)
            return QPixmap();
        QPixmap& rendered = m_rendered[side];
        if (rendered.isNull())
            rendered = render(side);
        if (mode != QIcon::Disabled)
            return rendered;
        QStyleOption option;
        return QApplication::style()->generatedIconPixmap(mode, rendered, &option);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        QPixmap shown = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
        shown.setDevicePixelRatio(ratio);
        const QSize logical = (QSizeF(shown.size()) / ratio).toSize();
        painter->drawPixmap(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, logical, rect),
                            shown);
    }

    QIconEngine* clone() const override { return new TrayArtworkEngine(*this); }
    QString key() const override { return QStringLiteral("TrayArtworkEngine"); }

private:
    QPixmap render(int side)
    {
        if (!m_renderer)
            m_renderer =
                std::make_shared<QSvgRenderer>(QStringLiteral(":/icons/tray-eyedropper.svg"));
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        m_renderer->render(&painter, QRectF(0, 0, side, side));
        return pixmap;
    }

    std::shared_ptr<QSvgRenderer> m_renderer;
    QHash<int, QPixmap> m_rendered;
};

} // namespace

TrayController::TrayController(ColorPickerModel& picker, const DesktopSession& session,
                               QObject* parent)
    : QObject(parent), m_picker(picker), m_session(session)
{
    m_menu = new QMenu;
    m_menu->addAction(tr("Open Color Picker"), this, &TrayController::openPanel);
    m_menu->addAction(tr("Pick a color"), &m_picker, &ColorPickerModel::pickColor);
    m_menu->addAction(tr("Paste color"), &m_picker, &ColorPickerModel::pasteColor);
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
    return QIcon(new TrayArtworkEngine);
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
