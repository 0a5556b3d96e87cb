#pragma once

#include "core/ports/TrayHost.h"

#include <QObject>

// Decides how the application shows itself: as a tray item with its drop-down panel while a
// tray host is there, as an ordinary main window while none is (so no launch leaves nothing
// on screen), following the host as it comes and goes. Also decides what closing the main
// window does. Main thread only.
class TrayPresence : public QObject
{
    Q_OBJECT

public:
    enum class Mode
    {
        deciding, // the desktop has not answered yet
        tray,
        window
    };

    enum class CloseAction
    {
        quit,        // nothing else brings the application back: end it
        explainOnce, // stays running; the window says once how to get it back
        hide         // stays running, hidden
    };

    explicit TrayPresence(TrayHost& host, QObject* parent = nullptr);

    Mode mode() const { return m_mode; }

    // The user closed the main window. With a global pick key the application stays running
    // for it; the first such close keeps the window open to say so.
    CloseAction windowClosed(bool pickKeyActive);

signals:
    void modeChanged(TrayPresence::Mode mode);

private:
    void follow(TrayHost::State state);

    Mode m_mode = Mode::deciding;
    bool m_explained = false;
};
