#pragma once

#include "ScreenSampler.h"

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

    int shown = 0;

private:
    SelectionHandler m_handler;
};
