#include "app/panel/PickerPanel.h"

#include "app/panel/ForegroundStyle.h"
#include "app/panel/PanelPlacement.h"
#include "app/panel/PickButton.h"
#include "app/panel/PickerView.h"
#include "core/ColorPickerModel.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include <chrono>

namespace {

constexpr std::chrono::milliseconds toggleGuard{300};

} // namespace

PickerPanel::PickerPanel(ColorPickerModel& picker, const DesktopSession& session, QWidget* parent)
    : QWidget(parent), m_picker(picker), m_isPopup(opensAsPopup(session))
{
    setWindowFlags(m_isPopup ? Qt::Popup | Qt::FramelessWindowHint
                             : Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(tr("Morvane Color Picker"));
    setAccessibleName(tr("Morvane Color Picker"));
    setAutoFillBackground(true);

    m_view = new PickerView(picker, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_view);

    connect(&m_picker, &ColorPickerModel::isSamplingChanged, this, &PickerPanel::followSampling);
}

void PickerPanel::showAnchored(const QRect& anchor)
{
    m_anchor = anchor;
    const QRect target = anchor.isEmpty() ? QRect(QCursor::pos(), QSize(1, 1)) : anchor;
    QScreen* screen = QGuiApplication::screenAt(target.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    adjustSize();
    if (screen)
        move(PanelPlacement::topLeft(target, size(), screen->availableGeometry()));
    show();
    raise();
    activateWindow();
    // Keyboard users start where the pointer would: on "Pick a color".
    m_view->pickButton()->setFocus(Qt::ActiveWindowFocusReason);
}

bool PickerPanel::opensAsPopup(const DesktopSession& session)
{
    return !session.isWaylandClient();
}

bool PickerPanel::closedJustNow() const
{
    return m_sinceClose.isValid() && m_sinceClose.elapsed() < toggleGuard.count();
}

void PickerPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PickerPanel::hideEvent(QHideEvent* event)
{
    m_sinceClose.start();
    QWidget::hideEvent(event);
}

bool PickerPanel::event(QEvent* event)
{
    if (!m_isPopup && event->type() == QEvent::WindowDeactivate && !m_returnAfterPick)
        close();
    return QWidget::event(event);
}

void PickerPanel::followSampling()
{
    if (m_picker.isSampling()) {
        if (isVisible()) {
            m_returnAfterPick = true;
            hide();
        }
        return;
    }
    if (m_returnAfterPick) {
        m_returnAfterPick = false;
        showAnchored(m_anchor);
    }
}

void PickerPanel::paintEvent(QPaintEvent*)
{
    // A hairline edge keeps the panel apart from a desktop of its own colour.
    QPainter painter(this);
    painter.setPen(ForegroundStyle::primary(palette(), 0.15));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
