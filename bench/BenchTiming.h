#pragma once
// The time a benchmark reports: the best of a few runs, in milliseconds, so a
// run slowed by something else on the machine does not count. Every
// benchmark prints its results as rows of one table (BenchRow), which
// `tamsel.sh bench` gathers under one heading.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <sys/resource.h>

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

// The most resident memory the program has held so far, in MB.
// The run, then the painting it caused, timed together as a user waits for both.
inline std::function<void()> Painted(const std::function<void()> &run) {
    return [run] {
        run();
        QCoreApplication::processEvents();
    };
}

inline double PeakResidentMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

// "| action | size | time | floor | ratio | peak memory |"; a row without a
// floor (floorMs 0) leaves floor and ratio empty.
inline void BenchRow(const QString &action, const QString &size, double ms, double floorMs = 0) {
    const auto number = [](double value) { return QString::number(value, 'f', value < 10 ? 2 : 1); };
    QTextStream(stdout) << "| " << action << " | " << size << " | " << number(ms) << " ms | "
                        << (floorMs > 0 ? number(floorMs) + QStringLiteral(" ms") : QString()) << " | "
                        << (floorMs > 0 ? QString::number(ms / floorMs, 'f', 2) + QStringLiteral("x") : QString())
                        << " | " << QString::number(PeakResidentMb(), 'f', 0) << " MB |\n";
}
