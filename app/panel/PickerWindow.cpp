#include "app/panel/PickerWindow.h"

#include "app/panel/PickerView.h"
#include "core/ColorPickerModel.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

PickerWindow::PickerWindow(ColorPickerModel& picker, QWidget* parent)
    : QWidget(parent, Qt::Window), m_picker(picker)
{
    setWindowTitle(tr("Morvane Color Picker"));
    setAccessibleName(tr("Morvane Color Picker"));
    setAutoFillBackground(true);

    m_stayingNotice = new QLabel;
    m_stayingNotice->setObjectName(QStringLiteral("stayingNotice"));
    m_stayingNotice->setWordWrap(true);
    m_stayingNotice->setContentsMargins(12, 12, 12, 0);
    m_stayingNotice->setFixedWidth(PickerView::panelWidth);
    m_stayingNotice->hide();
    m_view = new PickerView(picker);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_stayingNotice);
    layout->addWidget(m_view);

    connect(&m_picker, &ColorPickerModel::isSamplingChanged, this, &PickerWindow::followSampling);
}

void PickerWindow::bringForward()
{
    // Not over a pick in progress (one begun as the application started, say): after it.
    if (m_picker.isSampling()) {
        m_returnAfterPick = true;
        return;
    }
    show();
    raise();
    activateWindow();
}

void PickerWindow::explainStaying(const QString& text)
{
    m_stayingNotice->setText(text);
    m_stayingNotice->show();
}

void PickerWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit closeRequested();
}

void PickerWindow::followSampling()
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
        bringForward();
    }
}
