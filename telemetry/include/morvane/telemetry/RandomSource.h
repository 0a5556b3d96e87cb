#pragma once

#include <mutex>
#include <random>

namespace morvane::telemetry {

// Uniform random numbers for retry jitter, injectable so tests choose the draw.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // A value in the closed interval [low, high].
    virtual double uniform(double low, double high) = 0;
};

// Seeded from the OS random source. Safe to use from several threads at once.
class SystemRandomSource final : public RandomSource
{
public:
    SystemRandomSource();
    double uniform(double low, double high) override;

private:
    std::mutex m_mutex;
    std::mt19937_64 m_engine;
};

} // namespace morvane::telemetry
