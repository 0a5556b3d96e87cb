#pragma once

#include "FakeTransport.h"
#include "VirtualTime.h"

#include <morvane/telemetry/ErrorFirehoseClient.h>
#include <morvane/telemetry/ErrorTelemetryConsent.h>
#include <morvane/telemetry/LocalKeyValueStore.h>

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace morvane::telemetry::testing {

// Always draws the same jitter (clamped to the asked interval) and remembers the intervals.
class FixedRandom final : public RandomSource
{
public:
    explicit FixedRandom(double draw) : m_draw(draw) {}
    double uniform(double low, double high) override
    {
        std::lock_guard lock(m_mutex);
        m_lastInterval = {low, high};
        return std::clamp(m_draw, low, high);
    }

    std::pair<double, double> lastInterval() const
    {
        std::lock_guard lock(m_mutex);
        return m_lastInterval;
    }

private:
    const double m_draw;
    mutable std::mutex m_mutex;
    std::pair<double, double> m_lastInterval{0, 0};
};

// A client on virtual time with a fresh consent store, configured as host "picker".
class FirehoseFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ErrorTelemetryConsent::useStore(std::make_shared<LocalKeyValueStore>());
    }
    void TearDown() override
    {
        client.reset();
        ErrorTelemetryConsent::useStore(nullptr);
    }

    void makeClient(std::shared_ptr<HttpTransport> transport, std::string identityURL,
                    FirehoseLimits limits = {})
    {
        client = std::make_unique<ErrorFirehoseClient>(
            ErrorFirehoseClient::Dependencies{time, time, random, transport}, std::move(limits));
        client->configure({.appSlug = "picker",
                           .appVersion = "1.2.3",
                           .osVersion = "6.1.0",
                           .installId = "install-1",
                           .identityURL = std::move(identityURL),
                           .urlSession = transport});
    }

    void observe(const std::string& message, std::string severity = "error")
    {
        client->observe(
            {.severity = std::move(severity), .category = "storage", .message = message});
    }

    std::shared_ptr<VirtualTime> time = std::make_shared<VirtualTime>();
    std::shared_ptr<FixedRandom> random = std::make_shared<FixedRandom>(0.0);
    std::unique_ptr<ErrorFirehoseClient> client;
};

// Polls the condition for a while of real time (20 s unless told), for state that no sleeper or
// request reveals (such as a batch put back after a failed send).
template <typename Condition>
bool eventually(Condition condition, std::chrono::seconds patience = std::chrono::seconds(20))
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

inline std::chrono::seconds operator""_s(unsigned long long value)
{
    return std::chrono::seconds(value);
}

} // namespace morvane::telemetry::testing
