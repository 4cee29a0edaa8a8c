// A fleet of 100 boards, each profile with 20 POP pictures of 200 KB and 100
// item pictures of 30 KB, on simulated links with 50 ms of latency. Prints the
// time one board takes alone, the wall time of `zrctl update --all --jobs 16`
// against that time × ceil(100/16), the per-board median and maximum, and the
// peak memory of zrctl with its workers.

#include "BenchSupport.h"
#include "OcbSim.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QProcess>
#include <cmath>

namespace {

constexpr int Boards = 100, Jobs = 16, Pops = 20, PopSize = 200 * 1024, Items = 100, ItemSize = 30 * 1024;

QByteArray picture(int size, int seed) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(((i + seed) * 7919) >> 3);
    return bytes;
}

/// Resident memory in kB of a process and every process below it: the sum of
/// their resident sets, which counts the Qt libraries they share once per
/// process, and of their proportional sets, which shares those pages out.
std::pair<long, long> treeKb(qint64 root) {
    QMap<qint64, qint64> parents;
    QMap<qint64, long> rss, pss;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (!number) continue;
        QFile status("/proc/" + entry + "/status");
        if (!status.open(QIODevice::ReadOnly)) continue;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("PPid:")) parents[pid] = line.mid(5).trimmed().toLongLong();
            if (line.startsWith("VmRSS:")) rss[pid] = line.mid(6).trimmed().split(' ').first().toLong();
        }
        QFile rollup("/proc/" + entry + "/smaps_rollup");
        if (rollup.open(QIODevice::ReadOnly))
            for (const QByteArray& line : rollup.readAll().split('\n'))
                if (line.startsWith("Pss:")) pss[pid] = line.mid(4).trimmed().split(' ').first().toLong();
    }
    std::pair<long, long> total{0, 0};
    for (auto it = rss.cbegin(); it != rss.cend(); ++it)
        for (qint64 p = it.key(); p > 1; p = parents.value(p))
            if (p == root) {
                total.first += it.value();
                total.second += pss.value(it.key());
                break;
            }
    return total;
}

/// Runs zrctl, sampling its memory (with its workers') every 100 ms; seconds taken.
double runZrctl(const QStringList& arguments, std::pair<long, long>& peakKb, int& exitCode) {
    QProcess zrctl;
    zrctl.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    zrctl.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer took;
    took.start();
    zrctl.start(ZRCTL_PATH, arguments);
    zrctl.waitForStarted();
    while (!zrctl.waitForFinished(100) && took.elapsed() < 3600 * 1000) {
        const std::pair<long, long> now = treeKb(zrctl.processId());
        peakKb = {std::max(peakKb.first, now.first), std::max(peakKb.second, now.second)};
    }
    exitCode = zrctl.exitCode();
    return took.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication qapp(argc, argv);
    zr::test::TempApp app;
    QByteArray conf, items;
    for (int n = 0; n < Pops; ++n) {
        const QString name = QString("pop%1.jpg").arg(n, 2, 10, QChar('0'));
        app.write("ZRScreens/POP/" + name, picture(PopSize, n));
        conf += "pop_week_lunch = " + name.toLatin1() + " 5\r\n";
    }
    for (int n = 0; n < Items; ++n) {
        const QString name = QString("item%1.jpg").arg(n, 3, 10, QChar('0'));
        app.write("ZRScreens/Item/" + name, picture(ItemSize, 1000 + n));
        items += QString("\"Item %1\",\"Item %1\",\"%2\",10,\"TRUE\",\"\",\"FALSE\"\r\n").arg(n).arg(name).toLatin1();
    }
    for (int b = 0; b < Boards; ++b) {
        const QString profile = QString("Profiles/Store%1/").arg(b, 3, 10, QChar('0'));
        app.write(profile + "Config.conf", QString("IP = 127.0.0.%1\r\n").arg(b + 2).toLatin1());
        app.write(profile + "Config/zr.conf", conf);
        app.write(profile + "Items/items", items);
    }

    // One board more than the fleet, at 127.0.0.<Boards + 2>, for the run alone: a board it
    // filled would have every picture deleted first by the fleet's standard transfer.
    zr::test::OcbSim sim({"--boards", QString::number(Boards + 1), "--latency", "50"});
    if (!sim.start()) return std::printf("%s\n", qPrintable(sim.error())), 1;
    zr::FtpSettings settings;
    settings.port = sim.port();
    zr::saveFtpSettings(app.paths, settings);

    std::pair<long, long> aloneKb{0, 0}, fleetKb{0, 0};
    int aloneExit = 0, fleetExit = 0;
    // The profiles hold only what is sent (POPs in one day part, no default
    // pictures), which the check counts as errors: --force sends them anyway.
    const double alone = runZrctl({"--app", app.dir.path(), "update", "Store000", "--force", "--host",
                                   QString("127.0.0.%1").arg(Boards + 2)},
                                  aloneKb, aloneExit);
    const QString report = app.path("fleet.csv");
    const double wall = runZrctl({"--app", app.dir.path(), "update", "--all", "--force", "--jobs", QString::number(Jobs),
                                  "--report", report},
                                 fleetKb, fleetExit);

    QList<double> perBoard;
    int succeeded = 0;
    QFile csv(report);
    if (csv.open(QIODevice::ReadOnly))
        for (const QByteArray& line : csv.readAll().split('\n').mid(1))
            if (const QList<QByteArray> cells = line.split(','); cells.size() >= 5) {
                perBoard << cells[3].toDouble();
                succeeded += cells[2] == "updated";
            }
    std::sort(perBoard.begin(), perBoard.end());
    if (perBoard.isEmpty()) return std::printf("the fleet run wrote no report (exit %d)\n", fleetExit), 1;
    const int rounds = (Boards + Jobs - 1) / Jobs;
    std::printf("one board alone: %.1f s (exit %d), peak memory %.1f MB\n", alone, aloneExit, aloneKb.first / 1024.0);
    std::printf("%d boards with --jobs %d: %.1f s wall (exit %d, %d updated)\n", Boards, Jobs, wall, fleetExit,
                succeeded);
    std::printf("against one board x %d rounds = %.1f s: ratio %.2f (aim: at most 1.5)\n", rounds, alone * rounds,
                wall / (alone * rounds));
    std::printf("per board: median %.1f s, max %.1f s\n", perBoard.at(perBoard.size() / 2), perBoard.last());
    std::printf("peak memory of zrctl and its workers: %.1f MB proportional, %.1f MB resident summed "
                "(aim: under 300 MB)\n",
                fleetKb.second / 1024.0, fleetKb.first / 1024.0);
    return 0;
}
