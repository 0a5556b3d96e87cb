#include "platform/clipboard/WaylandClipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QRasterWindow>

namespace {

// Stands in for the application's own window when none was given: the compositor needs a
// focused surface of this client to accept the copy.
class CopyWindow : public QRasterWindow
{
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(QRect(QPoint(), size()), QColor(40, 40, 40));
        painter.setPen(Qt::white);
        painter.drawText(QRect(QPoint(), size()), Qt::AlignCenter,
                         QCoreApplication::translate("WaylandClipboard", "Copying…"));
    }
};

} // namespace

WaylandClipboard::WaylandClipboard(std::function<void()> bringForward, Timing timing,
                                   QObject* parent)
    : QObject(parent), m_bringForward(std::move(bringForward))
{
    m_focusTimer.setSingleShot(true);
    m_focusTimer.setInterval(timing.focusWait);
    connect(&m_focusTimer, &QTimer::timeout, this, [this] { complete(false); });
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(timing.settle);
    connect(&m_settleTimer, &QTimer::timeout, this, &WaylandClipboard::verify);
}

WaylandClipboard::~WaylandClipboard()
{
    complete(false);
    delete m_ownWindow;
}

void WaylandClipboard::setText(const QString& text, Completion done)
{
    complete(false);
    m_text = text;
    m_done = std::move(done);
    if (QGuiApplication::focusWindow()) {
        copyNow();
        return;
    }
    copyWhenFocused();
}

void WaylandClipboard::copyWhenFocused()
{
    m_focusConnection =
        connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* window) {
            if (!window)
                return;
            disconnect(m_focusConnection);
            m_focusTimer.stop();
            copyNow();
        });
    m_focusTimer.start();
    bringWindowForward();
}

void WaylandClipboard::bringWindowForward()
{
    if (m_bringForward) {
        m_bringForward();
        return;
    }
    if (!m_ownWindow) {
        m_ownWindow = new CopyWindow;
        m_ownWindow->setTitle(tr("Morvane Color Picker"));
        m_ownWindow->resize(220, 48);
    }
    m_ownWindow->show();
    m_ownWindow->requestActivate();
}

void WaylandClipboard::copyNow()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        complete(false);
        return;
    }
    clipboard->setText(m_text, QClipboard::Clipboard);
    m_settleTimer.start();
}

void WaylandClipboard::verify()
{
    // Read back after the compositor had time to refuse: right after setText() Qt reports
    // the text even when the copy was refused.
    const QClipboard* clipboard = QGuiApplication::clipboard();
    complete(clipboard && clipboard->text(QClipboard::Clipboard) == m_text);
}

void WaylandClipboard::complete(bool copied)
{
    disconnect(m_focusConnection);
    m_focusTimer.stop();
    m_settleTimer.stop();
    if (m_ownWindow)
        m_ownWindow->hide();
    if (const Completion done = std::exchange(m_done, {}))
        done(copied);
}

QString WaylandClipboard::currentText() const
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text(QClipboard::Clipboard) : QString();
}
