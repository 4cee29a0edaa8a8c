#pragma once

// What the benchmarks share beyond the tests' fakes: timing, figures and memory use.

#include "TestSupport.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

/// Resident memory of this process in kB, from /proc (0 where there is none).
inline long residentKb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

/// Milliseconds the work takes.
template <class Work> double ms(Work&& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

/// "median M ms (min A, max B" of times in milliseconds.
inline QByteArray figures(QList<double> ms) {
    std::sort(ms.begin(), ms.end());
    const double median = ms.at(ms.size() / 2);
    return QString::asprintf("median %.2f ms (min %.2f, max %.2f", median, ms.first(), ms.last()).toLatin1();
}
