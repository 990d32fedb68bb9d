// What the benchmarks share: statistics of timings, the process's peak memory,
// and the generator's clips made on first use.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace traxilo::bench {

inline double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline double worst(const std::vector<double>& v) {
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

// The median wall time of `runs` runs of `work`, in ms.
inline double medianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
}

// Peak resident memory of this process in kB (VmHWM), -1 when unknown.
inline long peakKb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// Starts the peak memory afresh, so that one part of a run can be measured.
inline void resetPeak() {
    QFile refs("/proc/self/clear_refs");
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

// Makes the clip with the generator unless it exists (benchmarks live in
// bin/bench, the generator in bin).
inline bool ensureClip(const QString& path, const QStringList& options) {
    if (QFileInfo::exists(path))
        return true;
    const QString dir = QCoreApplication::applicationDirPath();
    const QString tool = QFileInfo::exists(dir + "/../traxilo-clipgen")
                             ? dir + "/../traxilo-clipgen"
                             : dir + "/traxilo-clipgen";
    std::printf("  generating %s ...\n", qPrintable(path));
    std::fflush(stdout);
    QProcess gen;
    gen.setProcessChannelMode(QProcess::ForwardedChannels);
    gen.start(tool, options + QStringList{path});
    return gen.waitForFinished(60 * 60 * 1000) && gen.exitCode() == 0;
}

} // namespace traxilo::bench
