// Real updates of 100 POP images of 200 KB each to a fresh board on the OCB
// simulator (127.0.0.1), through the same procedure zrctl runs, with the
// system clock. The time spent in the pauses the update prescribes (0.25 s per
// status line, the two 1 s waits of the unlock) is taken off. Next to them,
// Python's ftplib uploads the same files over one connection to the same
// simulator. Prints the median and the worst of each, and their ratios.
// --paced adds ftplib pausing 0.25 s before each file as the update does
// (pauses taken off too): waking from a pause costs both ends time of its own.
//
//     bench_update [RUNS] [--paced]     (at least 5 runs, the default)

#include "BenchSupport.h"
#include "OcbSim.h"
#include "app/Clock.h"
#include "comm/TransferRun.h"

#include <QCoreApplication>
#include <QProcess>

namespace {

/// The system clock that also counts how long its pauses really took.
class PauseCountingClock : public zr::SystemClock {
public:
    double asked = 0, spent = 0; // seconds
    void wait(double seconds) override {
        asked += seconds;
        spent += ms([&] { SystemClock::wait(seconds); }) / 1000;
    }
};

const char* const FtpLib = R"(
import ftplib, os, sys, time
port, folder, pause = int(sys.argv[1]), sys.argv[2], float(sys.argv[3])
names = sorted(os.listdir(folder))
slept = 0
start = time.perf_counter()
ftp = ftplib.FTP()
ftp.connect("127.0.0.1", port, timeout=30)
ftp.login("zr", "qv")
ftp.cwd("/zr/images/pops")
for name in names:
    if pause:
        t = time.perf_counter()
        time.sleep(pause)
        slept += time.perf_counter() - t
    with open(os.path.join(folder, name), "rb") as f:
        ftp.storbinary("STOR " + name, f)
ftp.quit()
print(time.perf_counter() - start - slept)
)";

QByteArray spread(QList<double> s) {
    std::sort(s.begin(), s.end());
    return QString::asprintf("median %.3f s, worst %.3f s", s.at(s.size() / 2), s.last()).toLatin1();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication qapp(argc, argv);
    const int runs = std::max(5, argc > 1 ? std::atoi(argv[1]) : 5);
    const bool paced = QCoreApplication::arguments().contains("--paced");
    constexpr int Images = 100, Size = 200 * 1024;
    zr::test::TempApp app;
    QByteArray conf, bytes(Size, '\0');
    for (int i = 0; i < Size; ++i)
        bytes[i] = char((i * 7919) >> 3);
    for (int n = 0; n < Images; ++n) {
        const QString name = QString("pop%1.jpg").arg(n, 3, 10, QChar('0'));
        app.write("ZRScreens/POP/" + name, bytes);
        conf += "pop_week_lunch = " + name.toLatin1() + " 5\r\n";
    }
    app.write("Profiles/Bench/Config/zr.conf", conf);

    zr::test::OcbSim sim;
    if (!sim.start()) return std::printf("%s\n", qPrintable(sim.error())), 1;
    zr::saveFtpSettings(app.paths, sim.settings());
    zr::test::ScriptedPrompts prompts;
    const auto freshBoard = [&] {
        for (const QString folder : {"zr/images/pops", "zr/images/items", "zr/images/suggest", "zr/var", "zr/ctrl"})
            for (const QString& name : sim.remoteFolder(folder))
                QFile::remove(sim.remotePath(folder + '/' + name));
    };

    // Rounds of one update and one ftplib upload each, so that both meet the
    // same load of a shared machine.
    QList<double> ours, walls, theirs, theirsPaced;
    const auto ftplib = [&](double pause, QList<double>& into) {
        freshBoard();
        QProcess python;
        python.start("/usr/bin/python3", {"-c", FtpLib, QString::number(sim.port()), app.path("ZRScreens/POP"),
                                           QString::number(pause)});
        const bool ok = python.waitForFinished(120000) && python.exitCode() == 0;
        if (!ok) std::printf("ftplib failed: %s\n", python.readAllStandardError().constData());
        into << python.readAllStandardOutput().trimmed().toDouble();
        return ok;
    };
    double pauses = 0;
    for (int round = 0; round < runs; ++round) {
        freshBoard();
        PauseCountingClock clock;
        zr::TransferTarget target;
        target.profile = "Bench";
        bool ok = false;
        const double wall = ms([&] {
            ok = zr::runTransfer(app.paths, prompts, clock, target, zr::TransferChoices{},
                                 [](const QString&, int, int) {})
                     .ok.value_or(false);
        }) / 1000;
        if (!ok || sim.remoteFolder("zr/images/pops").size() != Images || !prompts.informed.isEmpty())
            return std::printf("the update failed\n"), 1;
        walls << wall;
        ours << wall - clock.spent;
        pauses = clock.asked;

        if (!ftplib(0, theirs) || (paced && !ftplib(0.25, theirsPaced))) return 1;
        std::printf("run %d: update %.3f s of work (%.3f s in all), ftplib %.3f s\n", round + 1, ours.last(),
                    walls.last(), theirs.last());
        std::fflush(stdout);
    }
    const auto worst = [](const QList<double>& s) { return *std::max_element(s.cbegin(), s.cend()); };
    const auto median = [](QList<double> s) {
        std::sort(s.begin(), s.end());
        return s.at(s.size() / 2);
    };
    std::printf("update of %d images of %d KB, %d runs, beyond %.2f s of prescribed pauses: %s (in all: %s)\n"
                "ftplib uploading the same files over one connection: %s\n"
                "ratios: median %.2f (aim: at most 1.5), worst %.2f (aim: at most 3)\n",
                Images, Size / 1024, runs, pauses, spread(ours).constData(), spread(walls).constData(),
                spread(theirs).constData(), median(ours) / median(theirs), worst(ours) / worst(theirs));
    if (paced)
        std::printf("ftplib pausing 0.25 s before each file: %s; ratios: median %.2f, worst %.2f\n",
                    spread(theirsPaced).constData(), median(ours) / median(theirsPaced),
                    worst(ours) / worst(theirsPaced));
    return 0;
}
