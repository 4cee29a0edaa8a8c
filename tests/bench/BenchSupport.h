#pragma once

#include <QByteArray>
#include <QFile>

/// Resident memory of this process in kB, from /proc (0 where there is none).
inline long residentKb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}
