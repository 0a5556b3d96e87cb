#include "PickerPanel.h"

#include "ColorPickerModel.h"
#include "PanelPlacement.h"
#include "PickerView.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr qint64 toggleGuardMilliseconds = 300;

// Wayland grants popups only to windows with a parent surface; there the panel is a
// frameless tool window that closes when it loses focus.
bool popupsAvailable()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

PickerPanel::PickerPanel(ColorPickerModel& picker, QWidget* parent)
    : QWidget(parent), m_picker(picker), m_isPopup(popupsAvailable())
{
    setWindowFlags(m_isPopup ? Qt::Popup | Qt::FramelessWindowHint
                             : Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("Morvane Color Picker"));
    setAccessibleName(QStringLiteral("Morvane Color Picker"));
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
}

bool PickerPanel::closedJustNow() const
{
    return m_sinceClose.isValid() && m_sinceClose.elapsed() < toggleGuardMilliseconds;
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
