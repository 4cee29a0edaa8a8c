// Update of 100 POP images of 200 KB each to the OCB simulator on loopback.
// Prints the time the update takes beyond the pauses it prescribes (0.25 s per
// status line, the two 1 s waits of the unlock), and next to it the time curl
// takes to upload the same files over one connection.

#include "OcbSim.h"
#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/Prompts.h"
#include "comm/OcbTransfer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

/// Counts the prescribed pauses instead of sleeping through them.
class PauseCounter : public zr::Clock {
public:
    double paused = 0;
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    void wait(double seconds) override { paused += seconds; }
};

class Silent : public zr::Prompts {
public:
    zr::Button ask(const QString&, const QString&, zr::Buttons) override { return zr::Button::OK; }
    void inform(const QString&, const QString& text) override { std::printf("box: %s\n", qPrintable(text)); }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    constexpr int Images = 100;
    constexpr int Size = 200 * 1024;
    QTemporaryDir dir;
    const zr::AppPaths paths(dir.path());
    QDir().mkpath(dir.path() + "/ZRScreens/POP");
    QDir().mkpath(dir.path() + "/ZRScreens/Item");
    QDir().mkpath(dir.path() + "/Profiles/Bench/Config");
    QByteArray conf;
    QStringList files;
    QByteArray bytes(Size, '\0');
    for (int i = 0; i < Size; ++i)
        bytes[i] = char((i * 7919) >> 3);
    for (int n = 0; n < Images; ++n) {
        const QString name = QString("pop%1.jpg").arg(n, 3, 10, QChar('0'));
        QFile f(dir.path() + "/ZRScreens/POP/" + name);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != Size) return 1;
        files << f.fileName();
        conf += "pop_week_lunch = " + name.toLatin1() + " 5\r\n";
    }
    QFile c(paths.zrConf("Bench"));
    if (!c.open(QIODevice::WriteOnly)) return 1;
    c.write(conf);
    c.close();

    zr::test::OcbSim sim;
    if (!sim.start()) {
        std::printf("%s\n", qPrintable(sim.error()));
        return 1;
    }
    PauseCounter clock;
    Silent prompts;
    std::unique_ptr<zr::FtpClient> ftp = zr::makeCurlFtpClient(sim.settings(), clock);
    zr::OcbTransfer transfer(paths, *ftp, prompts, clock);
    transfer.setProfile("Bench", sim.host());
    // Three rounds, each an update and then curl, so that both meet the same
    // load of the machine; the medians are printed.
    QList<double> ours, theirs;
    QMap<QString, int> verbs;
    double paused = 0;
    for (int round = 0; round < 3; ++round) {
        sim.clearJournal();
        // Every round starts from an empty board, as the first one does.
        for (const QString folder : {"zr/images/pops", "tmp"})
            for (const QString& name : sim.remoteFolder(folder))
                QFile::remove(sim.remotePath(folder + '/' + name));
        clock.paused = 0;
        QElapsedTimer timer;
        timer.start();
        const bool ok = transfer.UpdateOCB(zr::TransferChoices{});
        ours << timer.nsecsElapsed() / 1e9;
        paused = clock.paused;
        if (!ok || sim.remoteFolder("zr/images/pops").size() != Images) {
            std::printf("the update failed\n");
            return 1;
        }
        verbs.clear();
        for (const QString& line : sim.journal())
            ++verbs[line.section(' ', 0, 0)];

        QProcess curl;
        const QStringList args{"-s",
                               "-S",
                               "-u",
                               "zr:qv",
                               "-T",
                               "{" + files.join(',') + "}",
                               QString("ftp://127.0.0.1:%1/tmp/").arg(sim.port())};
        timer.restart();
        curl.start("curl", args);
        if (!curl.waitForFinished(120000) || curl.exitCode() != 0) {
            std::printf("curl failed: %s\n", curl.readAllStandardError().constData());
            return 1;
        }
        theirs << timer.nsecsElapsed() / 1e9;
    }
    std::sort(ours.begin(), ours.end());
    std::sort(theirs.begin(), theirs.end());

    std::printf(
        "update of %d images of %d KB (median of 3): %.3f s of work beyond %.2f s of prescribed pauses\n",
        Images, Size / 1024, ours[1], paused);
    QStringList counts;
    for (auto it = verbs.cbegin(); it != verbs.cend(); ++it)
        counts << it.key() + ' ' + QString::number(it.value());
    std::printf("commands of one update: %s\n", qPrintable(counts.join(", ")));
    std::printf("curl uploading the same files over one connection (median of 3): %.3f s\n", theirs[1]);
    std::printf("ratio: %.2f (aim: at most 1.5)\n", ours[1] / theirs[1]);
    return 0;
}
