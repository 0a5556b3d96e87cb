#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

class ApplicationPresence;

// Owns the switches between regular presence (taskbar entry, in front) and accessory presence
// (tray only) that the shell asks for. A promotion cancels a pending demotion; a newer
// demotion replaces it. The idle test demotes unless a visible window that is not a popup
// panel remains. Main thread only.
class ActivationPolicyController : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds idleDelay{200};

    explicit ActivationPolicyController(ApplicationPresence& presence, QObject* parent = nullptr);

    // Regular presence now (set only when not regular already), then brought to the front.
    void promoteNow();
    // Runs the idle test after 0 s or 0.2 s, always after the present call has returned.
    void demoteWhenIdle(bool immediately);

    bool hasPendingDemotion() const { return m_demoteTimer.isActive(); }

signals:
    // The idle test ran; demoted tells whether it set accessory presence.
    void idleTestRan(bool demoted);

private:
    void runIdleTest();

    ApplicationPresence& m_presence;
    QTimer m_demoteTimer;
};
