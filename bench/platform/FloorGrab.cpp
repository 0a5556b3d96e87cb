// A floor of the pick benchmark: one warm Qt grab of the whole screen. Grabs once to warm
// up, then RUNS more times, and prints the median time of those in milliseconds.
//   morvane-floor-grab [RUNS]
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 1;
    QPixmap warm = screen->grabWindow(0);
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        QPixmap grab = screen->grabWindow(0);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    const std::size_t n = times.size();
    std::printf("%.2f\n", n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2);
    return 0;
}
