#include "BenchmarkMain.h"
#include "core/AppSettings.h"
#include "core/ColorPickerModel.h"
#include "core/RecentColors.h"
#include "core/ports/Clipboard.h"
#include "core/ports/ScreenSampler.h"
#include "platform/preferences/SettingsPreferencesStore.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

class NoSampler : public ScreenSampler
{
public:
    void showSampler(SelectionHandler handler) override { handler(std::nullopt); }
};

class InstantClipboard : public Clipboard
{
public:
    void setText(const QString&, Completion done) override { done(true); }
};

// The model over a real INI file in a folder of its own, as an installed copy has it.
struct ModelOverFile
{
    QTemporaryDir dir;
    SettingsPreferencesStore store{dir.filePath(QStringLiteral("morvane/colorpicker.conf"))};
    AppSettings settings{store};
    RecentColors recents{settings};
    NoSampler sampler;
    InstantClipboard clipboard;
    ColorPickerModel model{settings, recents, sampler, clipboard};
};

// adopt() as a pick or a chip click runs it: model state, confirmation, and the save of
// both keys to a real INI file (a full recent list of eight), waited for.
void adoptWithFileWrite(benchmark::State& state)
{
    ModelOverFile fixture;
    std::int64_t level = 0;
    bool saved = true;
    for (auto _ : state) {
        fixture.model.adopt({std::uint8_t(level % 256), 128, 64});
        saved = fixture.store.flush() && saved;
        ++level;
    }
    state.SetItemsProcessed(state.iterations());
    if (!saved)
        state.SkipWithError("the preferences file could not be written");
}
BENCHMARK(adoptWithFileWrite)->Name("ColorPickerModel/adopt with INI write")->UseRealTime();

// What the caller of adopt() waits for: the save runs later on the store's own thread.
void adoptOnTheCallersThread(benchmark::State& state)
{
    ModelOverFile fixture;
    std::int64_t level = 0;
    for (auto _ : state) {
        fixture.model.adopt({std::uint8_t(level % 256), 128, 64});
        ++level;
    }
    state.SetItemsProcessed(state.iterations());
    if (!fixture.store.flush())
        state.SkipWithError("the preferences file could not be written");
}
BENCHMARK(adoptOnTheCallersThread)->Name("ColorPickerModel/adopt, caller's share")->UseRealTime();

// Reference: the same two keys written by QSettings alone, which flushes to disk once as well
// but does not check what it wrote.
void plainSettingsWrite(benchmark::State& state)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("morvane/colorpicker.conf")),
                       QSettings::IniFormat);
    const QByteArray recents = R"(["#3A7BD5","#010101","#020202","#030303","#040404","#050505",)"
                               R"("#060606","#070707"])";
    std::int64_t level = 0;
    for (auto _ : state) {
        settings.setValue(QStringLiteral("colorpicker.currentHex"),
                          PickedColor{std::uint8_t(level % 256), 128, 64}.hexString());
        settings.sync();
        settings.setValue(QStringLiteral("colorpicker.recentHexes"), recents);
        settings.sync();
        ++level;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(plainSettingsWrite)->Name("QSettings/two keys, reference")->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv); // the model's confirmation timer needs one
    return runBenchmarks(argc, argv);
}
