// The pad summary report of a pad file of 100,000 records (50,000 cars over
// two weeks, check numbers wrapping at 1000 so that numbers repeat), read
// from disk. Prints the median of several runs and the resident memory growth,
// then the time for a file whose cars all have one check number.

#include "reports/PadReport.h"

#include "BenchSupport.h"
#include <QCoreApplication>
#include <QDateTime>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

QByteArray stamp(const QDateTime& t) {
    return t.toString("M/d/yyyy H:mm:ss").toLatin1();
}

QByteArray padFile(int cars, int checkNumbers) {
    QByteArray out;
    out.reserve(cars * 170);
    QDateTime t(QDate(2026, 11, 2), QTime(6, 0));
    for (int car = 0; car < cars; ++car) {
        const int check = car % checkNumbers + 1;
        const QByteArray n = QByteArray::number(check);
        out += "1," + n + ',' + stamp(t) + ',' + stamp(t.addSecs(70)) + ',' + stamp(t.addSecs(12)) + ',' +
               stamp(t.addSecs(60)) + ',' + QByteArray::number(500 + car % 3000) + "\r\n";
        out += "2," + n + ',' + stamp(t.addSecs(100)) + ',' + stamp(t.addSecs(170)) + ",," +
               stamp(t.addSecs(150)) + ',' + QByteArray::number(500 + car % 3000) + "\r\n";
        t = t.addSecs(24);
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;
    const QString path = dir.filePath("big.pad");
    {
        QFile f(path);
        const QByteArray bytes = padFile(50000, 1000);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) return 1;
        std::printf("pad file: %lld bytes, 100000 records\n", static_cast<long long>(bytes.size()));
    }

    QList<double> times;
    long growth = 0;
    int rows = 0;
    for (int run = 0; run < 5; ++run) {
        const long before = residentKb();
        QElapsedTimer timer;
        timer.start();
        const zr::Report report = zr::PadReport::read(path);
        times << timer.nsecsElapsed() / 1e6;
        growth = std::max(growth, residentKb() - before);
        rows = report.rowCount();
        if (!report.problems().isEmpty()) return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("pad report: %d rows, median %.1f ms (best %.1f ms), resident growth %.1f MB\n", rows,
                times.at(times.size() / 2), times.first(), growth / 1024.0);

    const QString same = dir.filePath("same.pad");
    QFile f(same);
    const QByteArray bytes = padFile(50000, 1);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) return 1;
    f.close();
    QElapsedTimer timer;
    timer.start();
    rows = zr::PadReport::read(same).rowCount();
    std::printf("one check number for every car: %d rows, %.1f ms\n", rows, timer.nsecsElapsed() / 1e6);
    return 0;
}
