#include "PickedColor.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// A spread of colours: greys, primaries, and the hue-sector boundaries.
std::vector<PickedColor> sampleColors()
{
    std::vector<PickedColor> colors;
    for (std::int64_t i = 0; i < 256; i += 5)
        colors.push_back({i, (i * 7) % 256, 255 - i});
    return colors;
}

void notations(benchmark::State& state)
{
    const auto colors = sampleColors();
    for (auto _ : state) {
        for (const PickedColor& color : colors) {
            benchmark::DoNotOptimize(color.hexString());
            benchmark::DoNotOptimize(color.rgbString());
            benchmark::DoNotOptimize(color.hslString());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(colors.size()));
}
BENCHMARK(notations)->Name("PickedColor/notations per colour");

void parseHex(benchmark::State& state)
{
    std::vector<QString> texts;
    for (const PickedColor& color : sampleColors())
        texts.push_back(color.hexString());
    texts.push_back(QStringLiteral("  #3a7bd5\n"));
    texts.push_back(QStringLiteral("#3A7BDG"));
    for (auto _ : state) {
        for (const QString& text : texts)
            benchmark::DoNotOptimize(PickedColor::fromHex(text));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}
BENCHMARK(parseHex)->Name("PickedColor/fromHex per text");

} // namespace

BENCHMARK_MAIN();
