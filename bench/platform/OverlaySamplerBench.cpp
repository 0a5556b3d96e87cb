// The overlay sampler's latency on the X server it runs against (see run-overlay-bench.sh):
// one raw grab of the screen, pickColor() until the overlay is on the screen, and a click
// until the handler runs. Times are wall-clock per operation.
#include "Clipboard.h"
#include "ColorPickerModel.h"
#include "OverlayScreenSampler.h"
#include "PickOverlay.h"
#include "PreferencesStore.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

class NullStore : public PreferencesStore
{
public:
    bool boolForKey(const QString&) const override { return false; }
    std::optional<QString> stringForKey(const QString&) const override { return std::nullopt; }
    std::optional<QByteArray> dataForKey(const QString&) const override { return std::nullopt; }
    bool contains(const QString&) const override { return false; }
    void setBool(const QString&, bool) override {}
    void setString(const QString&, const QString&) override {}
    void setData(const QString&, const QByteArray&) override {}
};

class NullClipboard : public Clipboard
{
public:
    void setText(const QString&, Completion done) override { done(true); }
};

QString screenLabel()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen->size() * screen->devicePixelRatio();
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

bool overlaysShown(const OverlayScreenSampler& sampler)
{
    const auto overlays = sampler.overlays();
    if (overlays.isEmpty())
        return false;
    for (PickOverlay* overlay : overlays) {
        // A widget window paints and flushes while it handles its first expose.
        if (!overlay->windowHandle() || !overlay->windowHandle()->isExposed())
            return false;
    }
    return true;
}

void waitUntilShown(const OverlayScreenSampler& sampler)
{
    while (!overlaysShown(sampler))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

void cancel(OverlayScreenSampler& sampler)
{
    QTest::keyClick(sampler.overlays().first(), Qt::Key_Escape);
    QCoreApplication::processEvents();
}

void rawGrab(benchmark::State& state)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    for (auto _ : state) {
        QPixmap grab = screen->grabWindow(0);
        benchmark::DoNotOptimize(grab);
    }
    state.SetLabel(screenLabel().toStdString());
}

void pickToOverlayShown(benchmark::State& state)
{
    NullStore store;
    NullClipboard clipboard;
    OverlayScreenSampler sampler;
    ColorPickerModel model(store, sampler, clipboard);
    for (auto _ : state) {
        const auto start = Clock::now();
        model.pickColor();
        waitUntilShown(sampler);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        cancel(sampler);
        while (model.isSampling())
            QCoreApplication::processEvents();
    }
    state.SetLabel(screenLabel().toStdString());
}

// The first pick of a sampler also makes the overlay windows and their backing stores.
void firstPickToOverlayShown(benchmark::State& state)
{
    for (auto _ : state) {
        OverlayScreenSampler sampler;
        const auto start = Clock::now();
        sampler.showSampler([](std::optional<SrgbComponents>) {});
        waitUntilShown(sampler);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        cancel(sampler);
    }
    state.SetLabel(screenLabel().toStdString());
}

void clickToCallback(benchmark::State& state)
{
    OverlayScreenSampler sampler;
    for (auto _ : state) {
        bool answered = false;
        sampler.showSampler([&](std::optional<SrgbComponents>) { answered = true; });
        waitUntilShown(sampler);
        PickOverlay* overlay = sampler.overlays().first();
        const auto start = Clock::now();
        QTest::mouseClick(overlay, Qt::LeftButton, {}, QPoint(100, 100));
        const auto end = Clock::now();
        if (!answered)
            state.SkipWithError("the click did not reach the handler");
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        QCoreApplication::processEvents();
    }
    state.SetLabel(screenLabel().toStdString());
}

} // namespace

// Fixed iteration counts: the untimed set-up of each pick costs far more than what is timed.
BENCHMARK(rawGrab)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(pickToOverlayShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(firstPickToOverlayShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(clickToCallback)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(30);

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
