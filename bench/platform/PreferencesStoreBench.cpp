#include "BenchmarkMain.h"
#include "platform/preferences/SettingsPreferencesStore.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {

const QString currentKey = QStringLiteral("colorpicker.currentHex");

// A preferences file as a user who has used the application for a while has it: every key
// the application writes, eight recent colours and two format templates.
struct FileInUse
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("morvane/colorpicker.conf"));

    FileInUse()
    {
        SettingsPreferencesStore store(path);
        store.setString(currentKey, QStringLiteral("#3A7BD5"));
        store.setData(QStringLiteral("colorpicker.recentHexes"),
                      R"(["#3A7BD5","#010101","#020202","#030303","#040404","#050505",)"
                      R"("#060606","#070707"])");
        store.setBool(QStringLiteral("colorpicker.updates.betaEnabled"), false);
        store.setBool(QStringLiteral("colorpicker.appTranslocationWarningShown"), true);
        store.setBool(QStringLiteral("NSDisabledDictationMenuItem"), true);
        store.setBool(QStringLiteral("NSDisabledCharacterPaletteMenuItem"), true);
        store.setBool(QStringLiteral("morvane.error_telemetry_enabled"), false);
        store.setBool(QStringLiteral("morvane.error_telemetry_opt_out_shown"), true);
        store.setString(QStringLiteral("colorpicker.recentLimit"), QStringLiteral("8"));
        store.setString(QStringLiteral("colorpicker.pickShortcut"), QStringLiteral("Meta+Shift+C"));
        store.setString(QStringLiteral("colorpicker.formats.shown"),
                        QStringLiteral("hex,rgb,hsl,template-1"));
        store.setString(QStringLiteral("colorpicker.formats.copied"), QStringLiteral("hex"));
        store.setData(QStringLiteral("colorpicker.formats.templates"),
                      R"([{"id":"template-1","name":"CSS variable","text":"--accent: {hex};"},)"
                      R"json({"id":"template-2","name":"Tuple","text":"({r}, {g}, {b})"}])json");
        if (!store.flush())
            throw std::runtime_error("the preferences file could not be written");
    }
};

// One save as a pick makes it: one changed text, the whole file replaced and flushed to disk.
void saveOneChangedKey(benchmark::State& state)
{
    FileInUse file;
    SettingsPreferencesStore store(file.path);
    std::int64_t level = 0;
    for (auto _ : state) {
        store.setString(currentKey,
                        QStringLiteral("#%1").arg(level++ % 0x1000000, 6, 16, QLatin1Char('0')));
        if (!store.flush()) {
            state.SkipWithError("the preferences file could not be written");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(saveOneChangedKey)->Name("PreferencesStore/save one changed key")->UseRealTime();

// One read of a stored text, as every reader of a setting makes it.
void readOneText(benchmark::State& state)
{
    FileInUse file;
    const SettingsPreferencesStore store(file.path);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.stringForKey(currentKey));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(readOneText)->Name("PreferencesStore/read one text")->UseRealTime();

// Opening the file and reading one key, as a command-line process does once.
void openAndReadOneText(benchmark::State& state)
{
    FileInUse file;
    for (auto _ : state) {
        const auto store = std::make_unique<const SettingsPreferencesStore>(file.path);
        benchmark::DoNotOptimize(store->stringForKey(currentKey));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(openAndReadOneText)->Name("PreferencesStore/open and read one text")->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv); // as in the application, where the store lives
    return runBenchmarks(argc, argv);
}
