// Load and save of a zr.conf that holds the usual settings and 10,000 lines of
// keys the program does not know. Prints the median of several runs.

#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/Prompts.h"
#include "model/Profiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

class StillClock : public zr::Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 5), QTime(8, 5, 7)); }
    void wait(double) override {}
};

class YesPrompts : public zr::Prompts {
public:
    zr::Button ask(const QString&, const QString&, zr::Buttons) override { return zr::Button::Yes; }
    void inform(const QString&, const QString&) override {}
};

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

double median(QList<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v.at(v.size() / 2) : (v.at(v.size() / 2 - 1) + v.at(v.size() / 2)) / 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;
    const zr::AppPaths paths(dir.path());
    StillClock clock;
    YesPrompts prompts;
    zr::Profiles profile(paths, clock, prompts);

    // The program's own file for a new profile, then the unknown keys.
    profile.setID("P");
    QFile saved(paths.zrConf("P"));
    if (!saved.open(QIODevice::ReadOnly)) return 1;
    QByteArray big = saved.readAll();
    saved.close();
    for (int n = 0; n < 10000; ++n)
        big += "site_setting_" + QByteArray::number(n) + " = \"value " + QByteArray::number(n) + "\" 42\r\n";
    if (!writeFile(paths.zrIni(), "FirstRun = no\r\n")) return 1;

    constexpr int Runs = 15;
    QList<double> loads, saves, totals;
    for (int run = 0; run < Runs; ++run) {
        // Loading writes the file back without the unknown keys: put them back first.
        if (!writeFile(paths.zrConf("P"), big)) return 1;
        QElapsedTimer timer;
        timer.start();
        profile.setID("P"); // reads zr.conf and writes it back
        const qint64 loaded = timer.nsecsElapsed();
        profile.SaveProfile();
        const qint64 total = timer.nsecsElapsed();
        loads << loaded / 1e6;
        saves << (total - loaded) / 1e6;
        totals << total / 1e6;
    }
    std::printf("zr.conf of %lld bytes (%d lines of unknown keys), %d runs\n",
                static_cast<long long>(big.size()), 10000, Runs);
    std::printf("load (setID, which saves too): median %.2f ms\n", median(loads));
    std::printf("SaveProfile:                   median %.2f ms\n", median(saves));
    std::printf("load + save:                   median %.2f ms (min %.2f, max %.2f; aim < 20 ms)\n",
                median(totals), *std::min_element(totals.begin(), totals.end()),
                *std::max_element(totals.begin(), totals.end()));
    return 0;
}
