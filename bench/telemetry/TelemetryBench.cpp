// Throughput of the telemetry's pure hot paths. Run a Release build:
//   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_TELEMETRY_ONLY=ON
//   cmake --build build/release --target telemetry_bench &&
//   build/release/bench/telemetry/telemetry_bench
// Targets: at least 100,000 normalisations per second of 200-character messages on one core
// (items_per_second of BM_NormalizeMessage/200), and under 20 ms for a 64 KB message of each
// hostile shape (BM_NormalizeHostileShape).
#include <morvane/telemetry/ErrorBatch.h>
#include <morvane/telemetry/Fingerprints.h>
#include <morvane/telemetry/MessageNormalizer.h>

#include <benchmark/benchmark.h>

using namespace morvane::telemetry;

namespace {

// Realistic messages of about 40, 200 and 2000 characters, with something to mask.
std::string message(std::int64_t length)
{
    if (length <= 40)
        return "Request 4711 failed: HTTP 503 (retry 2)";
    const std::string sentence =
        "Sync of mv_7Hq2-xk9 failed at 2026-12-05T13:37:43.123Z for user jane.doe@example.com "
        "while writing /home/jane/.local/share/morvane/cache.db (3F2504E0-4F89-11D3-9A0C-0305E82C"
        "3301), 30000 ms elapsed. ";
    std::string text;
    while (text.size() < static_cast<std::size_t>(length))
        text += sentence;
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void BM_NormalizeMessage(benchmark::State& state)
{
    const std::string text = message(state.range(0));
    const std::optional<std::string> exceptionType = "URLError";
    for (auto _ : state)
        benchmark::DoNotOptimize(normalizeMessage(text, exceptionType));
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::to_string(text.size()) + " chars");
}
BENCHMARK(BM_NormalizeMessage)->Arg(40)->Arg(200)->Arg(2000);

void BM_FrameDigest(benchmark::State& state)
{
    const std::vector<std::string> frames = {
        "Store.save(_:) -> Bool", "SyncWorker.run(batch:) in Queue.drain()", "main", "ignored"};
    for (auto _ : state)
        benchmark::DoNotOptimize(computeFrameDigest(frames));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FrameDigest);

void BM_Fingerprint(benchmark::State& state)
{
    const std::string messageTemplate = normalizeMessage(message(200));
    const std::optional<std::string> digest = "ca84161b8d80";
    for (auto _ : state)
        benchmark::DoNotOptimize(
            computeFingerprint("colorpicker", "linux", "error", "sync", messageTemplate, digest));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Fingerprint);

void BM_EncodeFullBatch(benchmark::State& state)
{
    std::vector<CoalescedEntry> entries(50);
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        CoalescedEntry& entry = entries[i];
        entry.messageTemplate = prefixCharacters(normalizeMessage(message(400)), 256);
        entry.fingerprint = computeFingerprint("colorpicker", "linux", "error", "sync",
                                               entry.messageTemplate + std::to_string(i), {});
        entry.severity = "error";
        entry.category = "sync";
        entry.specId = "sync.upload";
        entry.exceptionType = "URLError";
        entry.topFrames = {"Store.save(_:) -> Bool", "SyncWorker.run()", "main"};
        entry.frameDigest = computeFrameDigest(*entry.topFrames);
        entry.count = 17;
        entry.firstSeen = entry.lastSeen = std::chrono::system_clock::now();
        entry.sessionUptimeSeconds = 3600;
        entry.breadcrumbs = std::vector<BreadcrumbEntry>(
            10, {"2026-12-05T13:37:43.123Z", "info", "ui", "opened the picker panel"});
        ids.push_back("00000000-0000-4000-8000-" + std::string(12 - std::to_string(i).size(), '0') +
                      std::to_string(i));
    }
    const ContextSnapshot context{
        "colorpicker", "linux", "0.1.0", "6.1.0", "0123456789abcdef", "https://id.morvane.dev/",
        nullptr};
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string body = encodeErrorBatch(makeErrorBatch(entries, context, ids[0], ids));
        bytes = body.size();
        benchmark::DoNotOptimize(body.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}
BENCHMARK(BM_EncodeFullBatch);

// One long word that nearly reads as an e-mail address: the time must grow linearly with
// the length (a naive pattern scan rescans the word from every letter).
void BM_NormalizeLongWord(benchmark::State& state)
{
    const std::string text(static_cast<std::size_t>(state.range(0)), 'a');
    for (auto _ : state)
        benchmark::DoNotOptimize(normalizeMessage(text + "@"));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NormalizeLongWord)->Arg(2000)->Arg(20000);

// 64 KB messages dense in colons and hex words: every mask pass must stay linear in the
// length, so each normalises in well under 20 ms.
std::string hostileShape(std::int64_t shape)
{
    constexpr std::size_t size = 64 * 1024;
    std::string text;
    switch (shape) {
    case 0: { // compact JSON, as a caller might log a whole reply
        text = "[";
        for (int i = 0; text.size() < size; ++i)
            text += "{\"id\":" + std::to_string(10000 + i) +
                    ",\"at\":\"2026-12-05T13:37:43.123Z\",\"ok\":false,\"code\":503,"
                    "\"user\":\"jane.doe@example.com\",\"tags\":[\"a\",\"b\"]},";
        break;
    }
    case 1: // a hex dump without spaces
        while (text.size() < size)
            text += "AB:";
        break;
    case 2:
        text.assign(size, ':');
        break;
    default:
        while (text.size() < size)
            text += "10:";
        break;
    }
    text.resize(size);
    return text;
}

void BM_NormalizeHostileShape(benchmark::State& state)
{
    static const char* const names[] = {"64 KB compact JSON", "64 KB AB: hex dump",
                                        "64 KB of :", "64 KB of 10:"};
    const std::string text = hostileShape(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(normalizeMessage(text));
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(names[state.range(0)]);
}
BENCHMARK(BM_NormalizeHostileShape)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
