#include "BenchmarkMain.h"
#include "core/Notations.h"
#include "core/PickedColor.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// A spread of colours: greys, primaries, and the hue-sector boundaries.
std::vector<PickedColor> sampleColors()
{
    std::vector<PickedColor> colors;
    for (int i = 0; i < 256; i += 5)
        colors.push_back({std::uint8_t(i), std::uint8_t(i * 7 % 256), std::uint8_t(255 - i)});
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

// One notation written into its buffer (what a sweep or --convert pays), and as the QString
// the panel shows.
void writeNotation(benchmark::State& state, const Notation* notation, bool asQString)
{
    const auto colors = sampleColors();
    for (auto _ : state) {
        for (const PickedColor& color : colors) {
            if (asQString) {
                benchmark::DoNotOptimize(notation->format(color));
            } else {
                NotationText text;
                notation->write(color, text);
                benchmark::DoNotOptimize(text);
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(colors.size()));
}

void registerNotations()
{
    for (const Notation& notation : Notations::all()) {
        const std::string id(notation.id);
        benchmark::RegisterBenchmark(("Notation/" + id + "/write").c_str(), writeNotation,
                                     &notation, false);
        benchmark::RegisterBenchmark(("Notation/" + id + "/format").c_str(), writeNotation,
                                     &notation, true);
    }
}

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

// Reading any notation, as a paste or --convert does: every parser is tried in table order,
// so the last notation in the table costs the most.
void parseAny(benchmark::State& state)
{
    std::vector<QString> texts;
    for (const PickedColor& color : sampleColors()) {
        for (const Notation& notation : Notations::all()) {
            if (notation.parse)
                texts.push_back(notation.format(color));
        }
    }
    texts.push_back(QStringLiteral("no colour at all"));
    for (auto _ : state) {
        for (const QString& text : texts)
            benchmark::DoNotOptimize(Notations::parse(text));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}
BENCHMARK(parseAny)->Name("Notations/parse any notation per text");

} // namespace

int main(int argc, char** argv)
{
    registerNotations();
    return runBenchmarks(argc, argv);
}
