// What the benchmarks share to measure: the process's resident and peak memory, and a timed run of an
// operation repeated several times. Header only, QtCore only.
#ifndef BENCHKIT_H
#define BENCHKIT_H

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace benchkit {

// A figure of /proc/self/status in kB ("VmRSS:", "VmHWM:"); 0 where unknown (not Linux).
inline qint64 statusKilobytes(const char *key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

inline qint64 residentKilobytes() {
    return statusKilobytes("VmRSS:");
}

// The peak resident size since the start or the last resetPeak().
inline qint64 peakKilobytes() {
    return statusKilobytes("VmHWM:");
}

// Starts a new peak at the present resident size (Linux).
inline void resetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

struct Result {
    double best = 0;    // ms
    double median = 0;  // ms
    qint64 addedKb = 0; // the most memory one run added at its peak
    qint64 peakKb = 0;  // the highest resident size any run reached
};

// Runs operation `repetitions` times, each from a fresh peak; settle, when given, runs before each run,
// outside the time and the memory measured. A failed operation ends the benchmark.
inline Result measure(int repetitions, const std::function<bool()> &operation,
                      const std::function<void()> &settle = {}) {
    std::vector<double> times;
    Result result;
    for (int i = 0; i < repetitions; ++i) {
        if (settle)
            settle();
        resetPeak();
        const qint64 base = residentKilobytes();
        QElapsedTimer timer;
        timer.start();
        if (!operation()) {
            std::fprintf(stderr, "operation failed\n");
            std::exit(1);
        }
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        const qint64 peak = peakKilobytes();
        result.addedKb = std::max(result.addedKb, peak - base);
        result.peakKb = std::max(result.peakKb, peak);
    }
    std::sort(times.begin(), times.end());
    result.best = times.front();
    result.median = times[times.size() / 2];
    return result;
}

} // namespace benchkit

#endif // BENCHKIT_H
