// Update of 100 POP images of 200 KB each to the OCB simulator on loopback.
// Prints the time the update takes beyond the pauses it prescribes (0.25 s per
// status line, the two 1 s waits of the unlock), and next to it the time curl
// takes to upload the same files over one connection.

#include "BenchSupport.h"
#include "OcbSim.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication qapp(argc, argv);
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
    // The clock counts the prescribed pauses instead of sleeping through them.
    zr::test::FakeClock clock;
    zr::test::ScriptedPrompts prompts;
    std::unique_ptr<zr::FtpClient> ftp = zr::makeCurlFtpClient(sim.settings(), clock);
    zr::OcbTransfer transfer(app.paths, *ftp, prompts, clock);
    transfer.setProfile("Bench", sim.host());
    // Three rounds, each an update and then curl, so that both meet the same
    // load of the machine; the medians are printed.
    const QString url = QString("ftp://127.0.0.1:%1/tmp/").arg(sim.port());
    const QStringList curlArguments{"-sS", "-u", "zr:qv", "-T", app.path("ZRScreens/POP/pop[000-099].jpg"),
                                    url};
    QList<double> ours, theirs;
    QMap<QString, int> verbs;
    for (int round = 0; round < 3; ++round) {
        sim.clearJournal();
        // Every round starts from an empty board, as the first one does.
        for (const QString folder : {"zr/images/pops", "tmp"})
            for (const QString& name : sim.remoteFolder(folder))
                QFile::remove(sim.remotePath(folder + '/' + name));
        clock.waited = 0;
        bool ok = false;
        ours << ms([&] { ok = transfer.UpdateOCB(zr::TransferChoices{}); }) / 1000;
        if (!ok || sim.remoteFolder("zr/images/pops").size() != Images || !prompts.informed.isEmpty())
            return std::printf("the update failed\n"), 1;
        verbs.clear();
        for (const QString& line : sim.journal())
            ++verbs[line.section(' ', 0, 0)];

        zr::test::Run curl;
        theirs << ms([&] { curl = zr::test::runProcess("curl", curlArguments); }) / 1000;
        if (curl.exitCode != 0) return std::printf("curl failed: %s\n", curl.err.constData()), 1;
    }
    std::sort(ours.begin(), ours.end()), std::sort(theirs.begin(), theirs.end());

    QString counts;
    for (const auto& [verb, count] : verbs.asKeyValueRange())
        counts += QString(counts.isEmpty() ? "%1 %2" : ", %1 %2").arg(verb).arg(count);
    std::printf(
        "update of %d images of %d KB (median of 3): %.3f s of work beyond %.2f s of prescribed pauses\n"
        "commands of one update: %s\n"
        "curl uploading the same files over one connection (median of 3): %.3f s\n"
        "ratio: %.2f (aim: at most 1.5)\n",
        Images, Size / 1024, ours[1], clock.waited, qPrintable(counts), theirs[1], ours[1] / theirs[1]);
    return 0;
}
