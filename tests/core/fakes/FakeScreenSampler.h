#pragma once

#include "core/ports/ScreenSampler.h"

#include <string>
#include <thread>

// A sampler that keeps each handler until the test answers, on this thread or another.
class FakeScreenSampler : public ScreenSampler
{
public:
    void showSampler(SelectionHandler handler) override
    {
        ++shown;
        m_handler = std::move(handler);
    }

    void answer(std::optional<SrgbComponents> components) { m_handler(components); }

    // Answers from a thread of its own, as a desktop service's callback may.
    void answerFromAnotherThread(std::optional<SrgbComponents> components)
    {
        std::thread([handler = m_handler, components] { handler(components); }).join();
    }

    std::string unavailableReason() const override { return reason; }

    int shown = 0;
    std::string reason; // what the next answers say kept the pick from running

private:
    SelectionHandler m_handler;
};
