#include "core/ActivationPolicyController.h"

#include "core/ports/ApplicationPresence.h"

ActivationPolicyController::ActivationPolicyController(ApplicationPresence& presence,
                                                       QObject* parent)
    : QObject(parent), m_presence(presence)
{
    m_demoteTimer.setSingleShot(true);
    // A coarse timer may fire up to 5% early; the delay is a lower bound.
    m_demoteTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_demoteTimer, &QTimer::timeout, this, &ActivationPolicyController::runIdleTest);
}

void ActivationPolicyController::promoteNow()
{
    m_demoteTimer.stop();
    if (m_presence.activationPolicy() != ActivationPolicy::regular)
        m_presence.setActivationPolicy(ActivationPolicy::regular);
    m_presence.activate();
}

void ActivationPolicyController::demoteWhenIdle(bool immediately)
{
    // Restarting replaces the pending check, so only the newest one runs.
    m_demoteTimer.start(immediately ? std::chrono::milliseconds(0) : idleDelay);
}

void ActivationPolicyController::runIdleTest()
{
    if (m_presence.hasVisibleOrdinaryWindow()) {
        emit idleTestRan(false);
        return;
    }
    // Set even when already accessory: the test does not look at the policy in force.
    m_presence.setActivationPolicy(ActivationPolicy::accessory);
    emit idleTestRan(true);
}
