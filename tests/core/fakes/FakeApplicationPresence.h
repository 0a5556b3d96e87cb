#pragma once

#include "core/ports/ApplicationPresence.h"

#include <QElapsedTimer>
#include <QList>

// Records what the presence logic asks for; the test sets whether an ordinary window shows.
class FakeApplicationPresence : public ApplicationPresence
{
public:
    ActivationPolicy policy = ActivationPolicy::regular;
    bool ordinaryWindowVisible = false;
    QList<ActivationPolicy> policiesSet;
    int activations = 0;
    int idleQuestions = 0;
    QElapsedTimer clock;
    qint64 lastIdleQuestionAt = -1;

    FakeApplicationPresence() { clock.start(); }

    ActivationPolicy activationPolicy() const override { return policy; }
    void setActivationPolicy(ActivationPolicy newPolicy) override
    {
        policy = newPolicy;
        policiesSet.append(newPolicy);
    }
    void activate() override { ++activations; }
    bool hasVisibleOrdinaryWindow() const override
    {
        auto* self = const_cast<FakeApplicationPresence*>(this);
        ++self->idleQuestions;
        self->lastIdleQuestionAt = clock.elapsed();
        return ordinaryWindowVisible;
    }
};
