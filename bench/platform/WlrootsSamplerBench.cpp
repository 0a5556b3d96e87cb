// The wlroots pick against its floor, one grim capture of the same outputs, in one run on the
// compositor named by WAYLAND_DISPLAY (run-wlroots-bench.sh starts a headless Sway):
//   pick to overlay: showSampler() until every output's surface has its frozen frame
//     committed and the compositor has handled the commit;
//   grim: one `grim -t ppm -` of all outputs, written to /dev/null (process start included).
// Then, after IDLE seconds without a pick, the same pair again, each after the same pause.
// usage: wlroots_sampler_bench [ROUNDS [IDLE_SECONDS [IDLE_ROUNDS]]]
#include "platform/sampling/wlroots/WlrootsDisplay.h"
#include "platform/sampling/wlroots/WlrootsScreenSampler.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>
#include <QTimer>

#include <cstdlib>

#include <wayland-client.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void waitFor(const std::function<bool()>& done)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(0);
    loop.exec();
}

void pause(std::chrono::milliseconds duration)
{
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

double pickToOverlay(WlrootsScreenSampler& sampler, wl_display* display)
{
    bool answered = false;
    const auto start = Clock::now();
    sampler.showSampler([&answered](std::optional<SrgbComponents>) { answered = true; });
    waitFor([&] { return sampler.isOnScreen() || answered; });
    if (answered)
        return -1;
    wl_display_roundtrip(display);
    const double elapsed = millisecondsSince(start);
    sampler.cancel();
    waitFor([&] { return answered; });
    return elapsed;
}

double grimCapture()
{
    QProcess grim;
    grim.setStandardOutputFile(QProcess::nullDevice());
    const auto start = Clock::now();
    grim.start(QStringLiteral("grim"), {QStringLiteral("-t"), QStringLiteral("ppm"), "-"});
    if (!grim.waitForFinished(10000) || grim.exitCode() != 0)
        return -1;
    return millisecondsSince(start);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void report(const char* what, const std::vector<double>& picks, const std::vector<double>& grims,
            double target)
{
    const double ratio = median(picks) / median(grims);
    std::printf("%-22s pick %7.1f ms (min %6.1f)   grim %7.1f ms (min %6.1f)   ratio %.2f "
                "(target <= %.1f) %s\n",
                what, median(picks), *std::min_element(picks.begin(), picks.end()), median(grims),
                *std::min_element(grims.begin(), grims.end()), ratio, target,
                ratio <= target ? "ok" : "OVER");
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const int idleSeconds = argc > 2 ? std::max(0, std::atoi(argv[2])) : 30;
    const int idleRounds = argc > 3 ? std::max(0, std::atoi(argv[3])) : 2;

    auto display = WlrootsDisplay::connect();
    if (!display || !display->offersLayerShell() || !display->offersScreenCopy()) {
        std::fprintf(stderr, "no compositor with layer-shell and screen copy\n");
        return 1;
    }
    wl_display* connection = display->display();
    std::printf("outputs: %zu\n", display->outputs().size());
    WlrootsScreenSampler sampler(std::move(display));

    std::vector<double> picks, grims;
    // The first pick on its own: it pays for what later picks find ready.
    const double first = pickToOverlay(sampler, connection);
    const double firstGrim = grimCapture();
    for (int round = 0; round < rounds; ++round) {
        picks.push_back(pickToOverlay(sampler, connection));
        grims.push_back(grimCapture());
    }
    if (first < 0 || std::count(picks.begin(), picks.end(), -1.0) ||
        std::count(grims.begin(), grims.end(), -1.0) || firstGrim < 0) {
        std::fprintf(stderr, "a pick or a grim capture failed\n");
        return 1;
    }
    report("first pick", {first}, {firstGrim}, 1.5);
    report("picks back to back", picks, grims, 1.5);

    if (idleRounds > 0) {
        std::vector<double> idlePicks, idleGrims;
        for (int round = 0; round < idleRounds; ++round) {
            pause(std::chrono::seconds(idleSeconds));
            idlePicks.push_back(pickToOverlay(sampler, connection));
            pause(std::chrono::seconds(idleSeconds));
            idleGrims.push_back(grimCapture());
        }
        char label[64];
        std::snprintf(label, sizeof label, "after %d s idle", idleSeconds);
        report(label, idlePicks, idleGrims, 2.0);
    }
    return 0;
}
