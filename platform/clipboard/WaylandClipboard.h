#pragma once

#include "core/ports/Clipboard.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>

class QWindow;

// WaylandClipboard's waits.
struct WaylandClipboardTiming
{
    std::chrono::milliseconds focusWait{5000}; // how long a window may take to get focus
    std::chrono::milliseconds settle{250};     // how long a refused copy takes to show
};

// The clipboard for a Wayland client. A compositor takes a new selection only from a client
// with keyboard focus, and Qt reports the text as set even when it was refused (the
// clipboard turns empty a moment later). So when no window of the application has focus,
// this adapter first asks for a window to come forward, waits for the focus, copies, then
// checks after a short settling time that the text is still the clipboard's, and reports
// only then. A copy that cannot get focus in time, or does not stick, is reported as not
// done. A newer setText() supersedes a pending one, which is reported as not done.
class WaylandClipboard : public QObject, public Clipboard
{
    Q_OBJECT

public:
    using Timing = WaylandClipboardTiming;

    // `bringForward` shows and activates a window of the application; when empty, the
    // adapter shows a small window of its own for the copy.
    explicit WaylandClipboard(std::function<void()> bringForward = {}, Timing timing = {},
                              QObject* parent = nullptr);
    ~WaylandClipboard() override;

    void setText(const QString& text, Completion done) override;
    // What a focused window of the application reads (the panel, on Ctrl+V).
    QString currentText() const override;

private:
    void copyWhenFocused();
    void copyNow();
    void verify();
    void complete(bool copied);
    void bringWindowForward();

    std::function<void()> m_bringForward;
    QString m_text;
    Completion m_done;
    QTimer m_focusTimer;
    QTimer m_settleTimer;
    QMetaObject::Connection m_focusConnection;
    QPointer<QWindow> m_ownWindow;
};
