// The firehose client's hot path and the memory its one unbounded structure holds.
//   BM_ObserveRepeated  one error over and over (coalesced into one entry)
//   BM_ObserveDistinct  a new error every call (early flushes, full queue)
//   BM_MemoryPerFingerprint  heap growth after 1,000,000 distinct errors, per error
// Nothing is sent: the flush loop is never started.
#include <morvane/telemetry/ErrorFirehoseClient.h>
#include <morvane/telemetry/ErrorTelemetryConsent.h>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <atomic>
#include <memory>
#include <string>

namespace {

using namespace morvane::telemetry;

// Each reading moves 200 ms on: one error repeated every call stays at 50 per breaker
// window, well below the threshold, so the repeated case measures coalescing, not the
// silenced fast path.
class SteppingClock final : public Clock
{
public:
    std::chrono::system_clock::time_point now() const override
    {
        const auto step = m_ticks.fetch_add(1, std::memory_order_relaxed);
        return std::chrono::system_clock::time_point(std::chrono::milliseconds(step * 200));
    }

private:
    mutable std::atomic<std::int64_t> m_ticks{1'000'000'000};
};

// Does nothing: the loop is never started, so nothing is sent.
class NullTransport final : public HttpTransport
{
public:
    HttpResponse send(const HttpRequest&, std::stop_token) override { return {}; }
};

std::unique_ptr<ErrorFirehoseClient> makeClient()
{
    return std::make_unique<ErrorFirehoseClient>(ErrorFirehoseClient::Dependencies{
        std::make_shared<SteppingClock>(), nullptr, nullptr, std::make_shared<NullTransport>()});
}

// Distinct text for a number, in letters only: digits would be masked into one template.
std::string wordFor(std::uint64_t value)
{
    std::string word;
    do {
        word += static_cast<char>('a' + value % 26);
        value /= 26;
    } while (value > 0);
    return word;
}

std::unique_ptr<ErrorFirehoseClient> sharedClient;
std::atomic<std::uint64_t> nextWord{0};

void setUp(const benchmark::State& state)
{
    if (state.thread_index() == 0)
        sharedClient = makeClient();
}

void tearDown(const benchmark::State& state)
{
    if (state.thread_index() == 0)
        sharedClient.reset();
}

void BM_ObserveRepeated(benchmark::State& state)
{
    for (auto _ : state)
        sharedClient->observe(
            {.severity = "error",
             .category = "storage",
             .message = "Could not save the recent colours to /home/ann/.config/x.conf"});
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ObserveRepeated)
    ->Setup(setUp)
    ->Teardown(tearDown)
    ->Threads(1)
    ->Threads(2)
    ->UseRealTime();

void BM_ObserveDistinct(benchmark::State& state)
{
    for (auto _ : state) {
        const std::string message = "Could not open store " + wordFor(nextWord++);
        sharedClient->observe({.severity = "error", .category = "storage", .message = message});
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ObserveDistinct)
    ->Setup(setUp)
    ->Teardown(tearDown)
    ->Threads(1)
    ->Threads(2)
    ->UseRealTime();

void BM_MemoryPerFingerprint(benchmark::State& state)
{
    constexpr std::uint64_t distinct = 1'000'000;
    for (auto _ : state) {
        malloc_trim(0);
        const std::size_t before = mallinfo2().uordblks;
        auto client = makeClient();
        for (std::uint64_t i = 0; i < distinct; ++i)
            client->observe({.severity = "error",
                             .category = "storage",
                             .message = "Could not open store " + wordFor(i)});
        const std::size_t after = mallinfo2().uordblks;
        state.counters["fingerprints"] = static_cast<double>(client->statistics().fingerprintsSeen);
        state.counters["bytes_per_fingerprint"] =
            static_cast<double>(after - before) / static_cast<double>(distinct);
    }
}
BENCHMARK(BM_MemoryPerFingerprint)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
