// The X11 pick as the user and other programs see it, on the X server it runs against (see
// run-overlay-bench.sh), beside one plain Qt grab of the same screen measured in the same
// run. A separate X client (XProbe, on its own thread) moves the pointer, clicks, reads the
// screen's pixels and pastes, so every time ends at something visible outside this process:
//   pick to loupe   pickColor() until the loupe's label is on the screen: the first pick of
//                   a sampler, one after the idle release, and one right after another;
//                   the first two beside a Qt grab taken after the same pause in the same
//                   run, the last beside grabs taken back to back
//   click to paste  an X click on the overlay until the clipboard has a new owner, and until
//                   a paste returns the hex; the real clipboard and settings file take part
//   stalls          the longest gap of a 1 ms timer in this event loop from the click on;
//                   also without the time the thread waited for a CPU, which on a shared
//                   machine is other programs' doing, not a stall of this one
//   memory          resident, anonymous and held memory (shared segments counted whole)
//                   before a pick and just after one
// Every figure is the median of several runs; ratios are to the floor named beside them.
#include "XProbe.h"
#include "core/AppSettings.h"
#include "core/ColorPickerModel.h"
#include "core/ports/PreferencesStore.h"
#include "platform/clipboard/QtClipboard.h"
#include "platform/preferences/SettingsPreferencesStore.h"
#include "platform/sampling/x11/X11OverlayScreenSampler.h"
#include "platform/sampling/x11/X11PickOverlay.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int runs = 9;
// The loupe's label sits this far right of and below the pointer (pointer gap, one
// cell-grid's height, a small inset), painted in this colour, which Xvfb's root never shows.
constexpr QPoint labelOffset(24 + 3, 24 + 150 + 3);
constexpr std::uint32_t labelColour = 0x1E1E1E;

// A store that keeps nothing: the same pick without its settings write, to tell the two apart.
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

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// How long this thread has waited for a CPU while runnable, from the scheduler's statistics.
class RunQueueWait
{
public:
    RunQueueWait() : m_fd(open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC)) {}
    ~RunQueueWait()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    RunQueueWait(const RunQueueWait&) = delete;
    RunQueueWait& operator=(const RunQueueWait&) = delete;

    Clock::duration now() const
    {
        char text[96] = {};
        if (m_fd < 0 || pread(m_fd, text, sizeof text - 1, 0) <= 0)
            return {};
        unsigned long long running = 0, waiting = 0;
        if (std::sscanf(text, "%llu %llu", &running, &waiting) != 2)
            return {};
        return std::chrono::nanoseconds(waiting);
    }

private:
    int m_fd;
};

// Runs `job` on its own thread while this thread's event loop runs; returns its result.
template <typename Job> auto whilePumping(Job job)
{
    QEventLoop loop;
    decltype(job()) result{};
    std::thread worker([&] {
        result = job();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    return result;
}

void idle(std::chrono::milliseconds time)
{
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec();
}

// The pointer alternates between two places, so a loupe left over from the last pick is
// never taken for the new one.
QPoint pointerFor(int run)
{
    return run % 2 ? QPoint(600, 420) : QPoint(400, 300);
}

class PickBench
{
public:
    PickBench()
    {
        QScreen* screen = QGuiApplication::primaryScreen();
        m_size = screen->size() * screen->devicePixelRatio();
    }

    QSize size() const { return m_size; }
    double imageMiB() const { return m_size.width() * m_size.height() * 4 / 1048576.0; }

    double qtGrab()
    {
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            const auto start = Clock::now();
            QPixmap grab = QGuiApplication::primaryScreen()->grabWindow(0);
            times.push_back(ms(Clock::now() - start));
        }
        return median(times);
    }

    // From showSampler() until the probe sees the loupe; negative when it never shows.
    double pickToLoupe(X11OverlayScreenSampler& sampler, QPoint pointer)
    {
        m_probe.movePointer(pointer.x(), pointer.y());
        const QPoint label = pointer + labelOffset;
        const auto start = Clock::now();
        sampler.showSampler([](std::optional<SrgbComponents>) {});
        const auto seen = whilePumping([&] {
            return m_probe.waitForPixel(
                label.x(), label.y(), [](std::uint32_t p) { return p == labelColour; }, 5s);
        });
        return seen ? ms(*seen - start) : -1;
    }

    static void cancel(X11OverlayScreenSampler& sampler)
    {
        if (!sampler.overlays().isEmpty())
            QTest::keyClick(sampler.overlays().first(), Qt::Key_Escape);
        QCoreApplication::processEvents();
    }

    double grabOnce()
    {
        const auto start = Clock::now();
        QPixmap grab = QGuiApplication::primaryScreen()->grabWindow(0);
        return ms(Clock::now() - start);
    }

    // A pick's time beside a Qt grab taken after the same pause, run by run: a pause leaves
    // both without warm caches, and the machine's pace drifts less between the two.
    struct Paired
    {
        double pick = -1;
        double grab = -1;
    };

    // A sampler made a moment before, as the application's is by the time of its first pick.
    Paired firstPick()
    {
        std::vector<double> picks;
        std::vector<double> grabs;
        for (int run = 0; run < runs; ++run) {
            {
                X11OverlayScreenSampler sampler;
                idle(1500ms);
                picks.push_back(pickToLoupe(sampler, pointerFor(run)));
                cancel(sampler);
            }
            idle(1500ms);
            grabs.push_back(grabOnce());
        }
        return {median(picks), median(grabs)};
    }

    Paired afterIdle()
    {
        std::vector<double> picks;
        std::vector<double> grabs;
        X11OverlayScreenSampler sampler;
        sampler.setIdleReleaseDelay(100ms);
        for (int run = 0; run < runs; ++run) {
            pickToLoupe(sampler, pointerFor(run + 1));
            cancel(sampler);
            idle(400ms);
            picks.push_back(pickToLoupe(sampler, pointerFor(run)));
            cancel(sampler);
            idle(400ms);
            grabs.push_back(grabOnce());
        }
        return {median(picks), median(grabs)};
    }

    double warmPick()
    {
        std::vector<double> times;
        X11OverlayScreenSampler sampler;
        pickToLoupe(sampler, pointerFor(1));
        cancel(sampler);
        for (int run = 0; run < runs; ++run) {
            times.push_back(pickToLoupe(sampler, pointerFor(run)));
            cancel(sampler);
        }
        return median(times);
    }

    struct Paste
    {
        double owned = -1;
        double readable = -1;
        double longestStall = 0;
        double longestOwnStall = 0; // without waits for a CPU
    };

    // One pick through the model with the real clipboard and settings file: the probe clicks
    // and pastes while a 1 ms timer here notes how long the event loop was held.
    Paste clickToPaste(ColorPickerModel& model, X11OverlayScreenSampler& sampler, QPoint pointer)
    {
        m_probe.movePointer(pointer.x(), pointer.y());
        char expected[8];
        std::snprintf(expected, sizeof expected, "#%06X", m_probe.pixel(pointer.x(), pointer.y()));
        model.pickColor();
        const QPoint label = pointer + labelOffset;
        whilePumping([&] {
            return m_probe.waitForPixel(
                label.x(), label.y(), [](std::uint32_t p) { return p == labelColour; }, 5s);
        });
        m_probe.takeClipboard();

        const RunQueueWait runQueue;
        Clock::time_point last = Clock::now();
        Clock::duration lastWait = runQueue.now();
        Clock::duration longest{};
        Clock::duration longestOwn{};
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const auto now = Clock::now();
            const auto wait = runQueue.now();
            longest = std::max(longest, now - last);
            longestOwn = std::max(longestOwn, now - last - (wait - lastWait));
            last = now;
            lastWait = wait;
        });
        ticker.start();
        last = Clock::now();
        lastWait = runQueue.now();

        Paste paste;
        whilePumping([&] {
            const auto start = Clock::now();
            m_probe.click();
            while (m_probe.ownsClipboard() && Clock::now() - start < 5s)
                std::this_thread::sleep_for(100us);
            paste.owned = ms(Clock::now() - start);
            while (Clock::now() - start < 5s) {
                const auto text = m_probe.clipboardText(5s);
                if (text && *text == expected) {
                    paste.readable = ms(Clock::now() - start);
                    break;
                }
            }
            // Whatever the pick does later (its settings write too) is still watched.
            std::this_thread::sleep_for(1200ms);
            return true;
        });
        ticker.stop();
        paste.longestStall = ms(longest);
        paste.longestOwnStall = ms(longestOwn);
        (void)sampler;
        return paste;
    }

    Paste clickToPaste(ColorPickerModel& model, X11OverlayScreenSampler& sampler)
    {
        std::vector<double> owned, readable, stalls, ownStalls;
        for (int run = 0; run < runs; ++run) {
            const Paste paste = clickToPaste(model, sampler, pointerFor(run));
            owned.push_back(paste.owned);
            readable.push_back(paste.readable);
            stalls.push_back(paste.longestStall);
            ownStalls.push_back(paste.longestOwnStall);
        }
        m_worstStall = *std::max_element(stalls.begin(), stalls.end());
        m_worstOwnStall = *std::max_element(ownStalls.begin(), ownStalls.end());
        return {median(owned), median(readable), median(stalls), median(ownStalls)};
    }
    double worstStall() const { return m_worstStall; }
    double worstOwnStall() const { return m_worstOwnStall; }

    XProbe& probe() { return m_probe; }

private:
    XProbe m_probe;
    QSize m_size;
    double m_worstStall = 0;
    double m_worstOwnStall = 0;
};

struct Memory
{
    double rssMiB = 0;
    double anonymousMiB = 0;
    // Resident memory, with each shared-memory segment counted whole: the X server fills a
    // grab's segment, so pages this process never reads hold an image without being in its
    // RSS.
    double heldMiB = 0;
};

Memory memoryNow()
{
    QFile file(QStringLiteral("/proc/self/smaps"));
    Memory memory;
    if (!file.open(QIODevice::ReadOnly))
        return memory;
    bool sharedSegment = false;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2)
            continue;
        if (!fields[0].endsWith(':')) { // a mapping's first line: range, permissions, ..., name
            sharedSegment = line.contains("/SYSV");
            continue;
        }
        const double mib = fields[1].toDouble() / 1024;
        if (fields[0] == "Size:" && sharedSegment)
            memory.heldMiB += mib;
        else if (fields[0] == "Rss:") {
            memory.rssMiB += mib;
            if (!sharedSegment)
                memory.heldMiB += mib;
        } else if (fields[0] == "Anonymous:")
            memory.anonymousMiB += mib;
    }
    return memory;
}

void row(const char* what, double value, const char* unit, const char* floorName, double floor,
         const char* target)
{
    std::printf("%-34s %9.2f %-4s %-16s %9.2f %7.2fx  %s\n", what, value, unit, floorName, floor,
                floor > 0 ? value / floor : 0.0, target);
}

} // namespace

int main(int argc, char* argv[])
{
    // A settings file of its own, as a fresh install has.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication application(argc, argv);
    PickBench bench;
    if (!bench.probe().ok()) {
        std::fputs("overlay_sampler_bench: no X display\n", stderr);
        return 1;
    }

    // Memory first, in a process that has not grabbed anything yet.
    SettingsPreferencesStore store;
    QtClipboard clipboard;
    X11OverlayScreenSampler sampler;
    AppSettings settings(store);
    RecentColors recents(settings);
    ColorPickerModel model(settings, recents, sampler, clipboard);
    // Past the sampler's idle preparation, as in an application that has run a while.
    idle(1500ms);
    const Memory before = memoryNow();
    bench.clickToPaste(model, sampler, pointerFor(0));
    const Memory afterPick = memoryNow();

    const double grab = bench.qtGrab();
    const PickBench::Paired first = bench.firstPick();
    const PickBench::Paired idleRelease = bench.afterIdle();
    const double warm = bench.warmPick();
    const PickBench::Paste paste = bench.clickToPaste(model, sampler);
    const double worstStall = bench.worstStall();
    const double worstOwnStall = bench.worstOwnStall();
    NullStore nullStore;
    AppSettings nullSettings(nullStore);
    RecentColors nullRecents(nullSettings);
    ColorPickerModel storeless(nullSettings, nullRecents, sampler, clipboard);
    const PickBench::Paste withoutStore = bench.clickToPaste(storeless, sampler);

    std::printf("screen %dx%d, median of %d runs (ms unless shown)\n", bench.size().width(),
                bench.size().height(), runs);
    std::printf("%-34s %14s %-16s %9s %8s  %s\n", "", "measured", "floor", "", "ratio", "target");
    row("one Qt grab, back to back", grab, "ms", "", 0, "");
    row("one Qt grab after 1.5 s", first.grab, "ms", "", 0, "");
    row("one Qt grab after 0.4 s", idleRelease.grab, "ms", "", 0, "");
    row("first pick to loupe", first.pick, "ms", "grab after 1.5 s", first.grab, "<= 1.5x");
    row("  the same to back-to-back grab", first.pick, "ms", "one Qt grab", grab, "");
    row("pick after idle release to loupe", idleRelease.pick, "ms", "grab after 0.4 s",
        idleRelease.grab, "<= 1.5x");
    row("  the same to back-to-back grab", idleRelease.pick, "ms", "one Qt grab", grab, "");
    row("warm pick to loupe", warm, "ms", "one Qt grab", grab, "keep");
    row("click to clipboard owned", paste.owned, "ms", "", 0, "");
    row("click to text pasted", paste.readable, "ms", "clipboard owned", paste.owned, "<= 1.2x");
    row("longest event-loop stall, median", paste.longestStall, "ms", "5 ms", 5, "<= 1x");
    row("longest event-loop stall, worst", worstStall, "ms", "5 ms", 5, "<= 1x");
    row("  without waits for a CPU, median", paste.longestOwnStall, "ms", "5 ms", 5, "<= 1x");
    row("  without waits for a CPU, worst", worstOwnStall, "ms", "5 ms", 5, "<= 1x");
    std::printf("the same pick without its settings write:\n");
    row("  click to text pasted", withoutStore.readable, "ms", "clipboard owned",
        withoutStore.owned, "<= 1.2x");
    row("  longest event-loop stall, median", withoutStore.longestStall, "ms", "5 ms", 5, "<= 1x");
    row("  longest event-loop stall, worst", bench.worstStall(), "ms", "5 ms", 5, "<= 1x");
    row("  without waits for a CPU, median", withoutStore.longestOwnStall, "ms", "5 ms", 5,
        "<= 1x");
    row("  without waits for a CPU, worst", bench.worstOwnStall(), "ms", "5 ms", 5, "<= 1x");
    row("RSS after a pick, extra", afterPick.rssMiB - before.rssMiB, "MiB", "one screen image",
        bench.imageMiB(), "<= 1x");
    row("held after a pick, extra", afterPick.heldMiB - before.heldMiB, "MiB", "one screen image",
        bench.imageMiB(), "<= 1x");
    row("anonymous after a pick, extra", afterPick.anonymousMiB - before.anonymousMiB, "MiB",
        "one screen image", bench.imageMiB(), "<= 1x");
    std::printf("(RSS %.1f MiB before the first pick, %.1f MiB just after it)\n", before.rssMiB,
                afterPick.rssMiB);
    return 0;
}
