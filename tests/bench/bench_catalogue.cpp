// Scan of a picture folder with 10,000 small .jpg files, as the image windows
// do it: Filter first, then Directory. Prints the median of several runs.

#include "model/FileManager.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;
    constexpr int Pictures = 10000;
    const QByteArray bytes(512, 'j');
    for (int n = 0; n < Pictures; ++n) {
        QFile f(dir.path() + QString("/Pop%1.jpg").arg(n, 5, 10, QChar('0')));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) return 1;
    }

    constexpr int Runs = 15;
    QList<double> times;
    int found = 0;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        zr::FileManager files;
        files.setFilter("*.jpg");
        files.setDirectory(dir.path());
        times << timer.nsecsElapsed() / 1e6;
        found = files.Count();
    }
    if (found != Pictures) {
        std::printf("scan found %d of %d files\n", found, Pictures);
        return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("scan of %d .jpg files, %d runs: median %.2f ms (min %.2f, max %.2f; aim < 50 ms)\n",
                Pictures, Runs, times.at(Runs / 2), times.first(), times.last());
    return 0;
}
