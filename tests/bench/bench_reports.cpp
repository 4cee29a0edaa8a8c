// The statistics reports on large inputs.
//
// 1. `zrctl report pad` on a pad file of 100,000 cars (200,000 records, check
//    numbers wrapping at 1000 so that numbers repeat), run as a process: wall
//    time and peak memory (the child's ru_maxrss, run from a small process).
// 2. `zrctl report fleet` over 100 stores of 30,000 cars each (30 daily files
//    of 1,000 cars per store), the same figures.
// 3. The pad summary window opening the 100,000-car file in this process
//    (reading, the list model, the speed-of-service summary and chart, and the
//    first paint, offscreen), with its resident memory growth; and the time
//    for a file whose cars all have one check number.

#include "BenchSupport.h"
#include "GuiHarness.h"
#include "reports/PadReport.h"
#include "reports/ReportModel.h"
#include "reports/frmStats.h"

#include <QTreeView>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

/// Cars one every 24 s from 6:00 on the day given, each with a pad-1 and a pad-2 record; check
/// numbers wrap at checkNumbers.
QByteArray padFile(int cars, int checkNumbers, QDate day = QDate(2026, 11, 2)) {
    const auto stamp = [](const QDateTime& t) { return t.toString("M/d/yyyy H:mm:ss").toLatin1(); };
    QByteArray out;
    QDateTime t(day, QTime(6, 0));
    for (int car = 0; car < cars; ++car, t = t.addSecs(24)) {
        const QByteArray n = QByteArray::number(car % checkNumbers + 1);
        const QByteArray cents = QByteArray::number(500 + car % 3000);
        out += "1," + n + ',' + stamp(t) + ',' + stamp(t.addSecs(70)) + ',' + stamp(t.addSecs(12)) + ',' +
               stamp(t.addSecs(60)) + ',' + cents + "\r\n";
        out += "2," + n + ',' + stamp(t.addSecs(100)) + ',' + stamp(t.addSecs(100 + car % 150)) + ",," +
               stamp(t.addSecs(150)) + ',' + cents + "\r\n";
    }
    return out;
}

struct Measured {
    double ms = 0;
    long peakKb = 0;
    int exitCode = -1;
    qint64 lines = 0;
};

/// Runs a program to its end with stdout into a file; its wall time, peak memory and output lines.
Measured runMeasured(const QString& program, const QStringList& arguments, const QString& output) {
    std::vector<QByteArray> args{program.toLocal8Bit()};
    for (const QString& a : arguments)
        args.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    Measured m;
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) return m;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    m.ms = timer.nsecsElapsed() / 1e6;
    posix_spawn_file_actions_destroy(&actions);
    m.peakKb = usage.ru_maxrss;
    m.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    QFile out(output);
    if (out.open(QIODevice::ReadOnly))
        while (!out.atEnd())
            m.lines += out.readLine().isEmpty() ? 0 : 1;
    return m;
}

// The kernel keeps a process's peak memory across exec, and a child starts from its parent's:
// the runs start from a small process forked before this one grows, so that the peak is the
// program's own. It takes "program\noutput\nargument..." and answers with the Measured.
class Launcher {
public:
    Launcher() {
        int jobs[2], answers[2];
        if (pipe(jobs) != 0 || pipe(answers) != 0) std::abort();
        if (fork() == 0) {
            close(jobs[1]);
            close(answers[0]);
            for (quint32 size = 0; read(jobs[0], &size, sizeof size) == sizeof size;) {
                QByteArray job(size, Qt::Uninitialized);
                if (read(jobs[0], job.data(), size) != static_cast<ssize_t>(size)) break;
                QStringList parts = QString::fromLocal8Bit(job).split('\n');
                const QString program = parts.takeFirst(), output = parts.takeFirst();
                const Measured m = runMeasured(program, parts, output);
                if (write(answers[1], &m, sizeof m) != sizeof m) break;
            }
            _exit(0);
        }
        close(jobs[0]);
        close(answers[1]);
        m_jobs = jobs[1];
        m_answers = answers[0];
    }
    Measured run(const QString& program, const QStringList& arguments, const QString& output) {
        const QByteArray job = (QStringList{program, output} + arguments).join('\n').toLocal8Bit();
        const quint32 size = job.size();
        Measured m;
        if (write(m_jobs, &size, sizeof size) != sizeof size || write(m_jobs, job.data(), size) != job.size() ||
            read(m_answers, &m, sizeof m) != sizeof m)
            m.exitCode = -1;
        return m;
    }

private:
    int m_jobs = -1, m_answers = -1;
};

/// Several runs: the median and worst wall time, the largest peak memory, and the lines of the last.
void report(Launcher& launcher, const char* what, const QString& program, const QStringList& arguments,
            const QString& output, int runs) {
    QList<double> times;
    long peak = 0;
    Measured m;
    for (int run = 0; run < runs; ++run) {
        m = launcher.run(program, arguments, output);
        times << m.ms;
        peak = std::max(peak, m.peakKb);
    }
    std::printf("%s: exit %d, %lld lines, %s), peak memory %.1f MB\n", what, m.exitCode,
                static_cast<long long>(m.lines), figures(times).constData(), peak / 1024.0);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    Launcher launcher;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    zr::test::GuiHarness h;
    h.app.notFirstRun();
    h.app.write("big.pad", padFile(100000, 1000));
    h.app.write("same.pad", padFile(50000, 1));
    std::printf("pad file of %lld bytes, 100000 cars\n", static_cast<long long>(QFileInfo(h.app.path("big.pad")).size()));
    report(launcher, "zrctl report pad", ZRCTL_PATH, {"report", "pad", h.app.path("big.pad")}, h.app.path("pad.csv"), 5);

    // The fleet: 100 stores, each with a month of daily files.
    zr::test::TempApp fleet;
    qint64 bytes = 0;
    for (int store = 1; store <= 100; ++store) {
        const QString name = QString("Store %1").arg(store, 3, 10, QChar('0'));
        fleet.write("Profiles/" + name + "/Config.conf", "IP = 127.0.0.1\r\n");
        for (int day = 0; day < 30; ++day) {
            const QByteArray file = padFile(1000, 500 + store, QDate(2026, 11, 1).addDays(day));
            bytes += file.size();
            fleet.write(QString("Profiles/%1/Stats/Pad/drive_%2.txt").arg(name).arg(day + 1, 2, 10, QChar('0')), file);
        }
    }
    std::printf("fleet: 100 stores, 3000000 cars in 3000 files of %.0f MB in all\n", bytes / 1048576.0);
    report(launcher, "zrctl report fleet", ZRCTL_PATH, {"--app", fleet.dir.path(), "report", "fleet"}, h.app.path("fleet.csv"), 3);

    QList<double> windows;
    long windowGrowth = 0;
    int shown = 0;
    for (int run = 0; run < 3; ++run) {
        h.dialogs.files = QStringList{h.app.path("big.pad")};
        zr::frmStats window(h.main);
        window.show();
        QApplication::processEvents();
        const long before = residentKb();
        windows << ms([&] {
            window.FileSelect_Click();
            window.Statistics->scrollToBottom();
            window.repaint();
            QApplication::processEvents();
        });
        windowGrowth = std::max(windowGrowth, residentKb() - before);
        shown = window.model().rowCount();
    }
    if (!h.prompts.informed.isEmpty()) return std::printf("the file has problems\n"), 1;
    std::printf("pad summary window: %d rows, %s), resident growth %.1f MB\n", shown, figures(windows).constData(),
                windowGrowth / 1024.0);
    int rows = 0;
    const double one = ms([&] { rows = zr::PadReport::read(h.app.path("same.pad")).rowCount(); });
    std::printf("one check number for every car: %d rows, %.1f ms\n", rows, one);
    return 0;
}
