// The running copy's single-instance channel under a storm of peers that connect and hang up:
// the longest stall of its event loop (late ticks of a 1 ms timer, and the longest stretch of
// work between the loop's waits), the descriptors it holds, and how long a second launch
// waits for its reopen. Prints its own figures.
// Usage: single_instance_storm_bench [CONNECTIONS-PER-SECOND (4000; 0: as fast as possible)]
//                                    [SECONDS (5)]
#include "platform/instance/SingleInstance.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <future>
#include <thread>
#include <vector>

#include <sys/socket.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

using namespace std::chrono;

namespace {

std::size_t openSockets()
{
    std::size_t sockets = 0;
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QString& name : descriptors.entryList(QDir::Files | QDir::System)) {
        if (QFile::symLinkTarget(descriptors.filePath(name)).contains(QStringLiteral("socket:")))
            ++sockets;
    }
    return sockets;
}

// Connects and hangs up at `rate` a second (0: as fast as it can) until told to stop.
void storm(const QString& path, double rate, const std::atomic<bool>& stop,
           std::atomic<long>& connected)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::copy(name.cbegin(), name.cend(), address.sun_path);
    const auto start = steady_clock::now();
    for (long sent = 0; !stop; ++sent) {
        if (rate > 0)
            std::this_thread::sleep_until(
                start + duration_cast<nanoseconds>(duration<double>(sent / rate)));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            ++connected;
        ::close(fd);
    }
}

double percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(share * double(values.size())))];
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const double rate = argc > 1 ? std::atof(argv[1]) : 4000;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 5;
    QTemporaryDir runtime;
    SingleInstance running(runtime.path());
    if (!running.claim())
        return 1;
    const std::size_t baseline = openSockets();

    // The event loop's pulse: a 1 ms timer, whose late ticks are the stalls.
    std::vector<double> gapsMs;
    QElapsedTimer pulseClock;
    pulseClock.start();
    qint64 lastTick = pulseClock.nsecsElapsed();
    QTimer pulse;
    pulse.setTimerType(Qt::PreciseTimer);
    QObject::connect(&pulse, &QTimer::timeout, [&] {
        const qint64 now = pulseClock.nsecsElapsed();
        gapsMs.push_back(double(now - lastTick) / 1e6);
        lastTick = now;
    });
    pulse.start(1);

    // Each stretch of work between the loop's waits, on the wall clock and in the thread's CPU
    // time (which leaves out the time other threads, the storm's too, had the core).
    std::vector<double> busyMs;
    std::vector<double> busyCpuMs;
    qint64 awakeAt = 0;
    qint64 awakeCpuAt = 0;
    const auto cpuNow = [] {
        timespec now{};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
    };
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, [&] {
        awakeAt = pulseClock.nsecsElapsed();
        awakeCpuAt = cpuNow();
    });
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [&] {
        if (awakeAt == 0)
            return;
        busyMs.push_back(double(pulseClock.nsecsElapsed() - awakeAt) / 1e6);
        busyCpuMs.push_back(double(cpuNow() - awakeCpuAt) / 1e6);
    });

    // Second launches, one every half second: from connecting to the copy's reopen.
    std::vector<double> reopenMs;
    std::atomic<qint64> askedAt = 0;
    int unanswered = 0;
    QObject::connect(&running, &SingleInstance::reopenRequested, [&] {
        reopenMs.push_back(double(pulseClock.nsecsElapsed() - askedAt) / 1e6);
    });
    std::future<bool> launch;
    QTimer launches;
    QObject::connect(&launches, &QTimer::timeout, [&] {
        if (launch.valid() && launch.wait_for(0s) != std::future_status::ready)
            return;
        if (launch.valid() && !launch.get())
            ++unanswered;
        launch = std::async(std::launch::async, [&] {
            askedAt = pulseClock.nsecsElapsed();
            SingleInstance second(runtime.path());
            return second.requestReopen(5s);
        });
    });
    launches.start(500);

    std::atomic<bool> stop = false;
    // Counted off the event loop's thread, so the counting is no stall of its own.
    std::size_t mostHeld = 0;
    std::thread counter([&] {
        while (!stop) {
            mostHeld = std::max(mostHeld, openSockets() - baseline);
            std::this_thread::sleep_for(5ms);
        }
    });
    std::atomic<long> connected = 0;
    std::vector<std::thread> stormers;
    for (int i = 0; i < 2; ++i)
        stormers.emplace_back(storm, running.socketPath(), rate / 2, std::cref(stop),
                              std::ref(connected));
    QTimer::singleShot(seconds * 1000, [&] { QCoreApplication::quit(); });
    QCoreApplication::exec();
    stop = true;
    for (std::thread& stormer : stormers)
        stormer.join();
    counter.join();
    launches.stop();
    // The launch under way is served to its end.
    while (launch.valid() && launch.wait_for(1ms) != std::future_status::ready)
        QCoreApplication::processEvents();
    if (launch.valid() && !launch.get())
        ++unanswered;

    std::printf("storm: %.0f connections/s asked, %.0f/s connected, %d s\n", rate,
                double(connected) / seconds, seconds);
    std::printf("event loop (1 ms timer): longest gap %.2f ms, 99.9th %.2f ms, 99th %.2f ms over "
                "%zu ticks\n",
                percentile(gapsMs, 1.0), percentile(gapsMs, 0.999), percentile(gapsMs, 0.99),
                gapsMs.size());
    std::printf("longest stretch of work between waits: %.2f ms on the clock, %.2f ms of CPU; "
                "99.9th %.2f ms, %.2f ms (%zu stretches)\n",
                percentile(busyMs, 1.0), percentile(busyCpuMs, 1.0), percentile(busyMs, 0.999),
                percentile(busyCpuMs, 0.999), busyMs.size());
    std::printf("sockets held by the copy: at most %zu\n", mostHeld);
    std::printf("second launches: %zu reopened (median %.1f ms, longest %.1f ms), %d not "
                "answered\n",
                reopenMs.size(), percentile(reopenMs, 0.5), percentile(reopenMs, 1.0), unanswered);
    return 0;
}
