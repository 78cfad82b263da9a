#pragma once
// The time a benchmark reports: the best of a few runs, in milliseconds, so a
// run slowed by something else on the machine does not count.
#include <QElapsedTimer>
#include <algorithm>
#include <functional>

inline double BestOfRunsMs(const std::function<void()> &run, int runs = 5) {
    double best = 1e12;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}
