// Update and retrieve against the OCB simulator on 127.0.0.1.
#include "OcbSim.h"
#include "TestSupport.h"
#include "comm/OcbTransfer.h"

#include <QElapsedTimer>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace zr;
using namespace zr::test;

namespace {

const QString P = "Lane 1"; // a blank in the profile name reaches the converter too

const QByteArray ZrConf = "# lane one\r\n"
                          "pop_week_break = breakfast.jpg 4\r\n"
                          "pop_week_lunch = Burger.jpg 5\r\n"
                          "pop_sat_lunch = burger.jpg 5\r\n" // the same POP in two day parts
                          "pop_sun_dinner = lonely.jpg\r\n"  // a single token: still the picture
                          "sugg_lunch = 20 fries.jpg \"Fries with that?\"\r\n"
                          "sugg_dinner = 30\r\n"; // no picture: adds nothing
const QByteArray Items = "\"Big Burger\",\"Big Burger\",\"burger.jpg\",10,\"TRUE\",\"deal.jpg\",\"TRUE\"\r\n"
                         "\"Pie\",\"Hot Pie\",\"pie.jpg\",40,\"TRUE\",\"\",\"FALSE\"\r\n";

/// A profile with its zr.conf, items file and the images it uses, and a transfer
/// to the simulator once started (to nowhere before).
struct Lane {
    TempApp app;
    FakeClock clock;
    ScriptedPrompts prompts;
    OcbSim sim;
    std::unique_ptr<FtpClient> ftp = makeCurlFtpClient({}, clock);
    std::unique_ptr<OcbTransfer> transfer;
    QStringList status;

    explicit Lane(const QStringList& simArguments = {}) : sim(simArguments) {
        app.write(profile("Config/zr.conf"), ZrConf);
        app.write(profile("Items/items"), Items);
        for (const QString pop : {"breakfast.jpg", "Burger.jpg", "lonely.jpg", "deal.jpg", "default.jpg"})
            app.write("ZRScreens/POP/" + pop, QByteArray(3000, 'p') + "\r\n\n" + pop.toLatin1()); // line ends a text transfer would change
        for (const QString item : {"burger.jpg", "pie.jpg", "fries.jpg", "GreatChoice.jpg"})
            app.write("ZRScreens/Item/" + item, QByteArray(2000, 'i') + item.toLatin1());
        makeTransfer("127.0.0.1");
    }
    void makeTransfer(const QString& host) {
        transfer = std::make_unique<OcbTransfer>(app.paths, *ftp, prompts, clock);
        transfer->setProfile(P, host);
        transfer->onStatus = [this](const QString& text, int, int) { status.append(text); };
    }
    bool start() {
        if (!sim.start()) return false;
        FtpSettings settings = sim.settings();
        settings.connectTimeout = 3;
        transfer.reset();
        ftp = makeCurlFtpClient(settings, clock);
        makeTransfer(sim.host());
        return true;
    }
    QString profile(const QString& relative) const { return "Profiles/" + P + "/" + relative; }
    QStringList log(const QString& name) const { return crlfLines(app.read(profile("Log/" + name))); }
    QStringList record() const { return log("Transfers.csv").mid(1); } // below the header
    /// The application folder without the profile's logs.
    QMap<QString, QByteArray> localFiles() const {
        QMap<QString, QByteArray> tree = folderTree(app.dir.path());
        tree.removeIf([](const auto& entry) { return entry.key().contains("/Log"); });
        return tree;
    }
    /// What reached the OCB's files, in order, the lines holding the filter: stores, deletes and control files.
    QStringList changes(const QString& filter = QString()) const {
        QStringList lines;
        for (const QString& line : sim.journal())
            if ((line.startsWith("STOR ") || line.startsWith("DELE ") || line.startsWith("CTRL ")) && line.contains(filter))
                lines.append(line);
        return lines;
    }
    void seedRemoteImages(const QString& folder, const QStringList& names) const {
        for (const QString& name : names)
            sim.putRemote("zr/images/" + folder + "/" + name, "old " + name.toLatin1());
    }
    /// Runs the command and hands a failure to reportFailure; its number, 0 when none.
    long run(const TransferChoices& choices, bool& result) {
        try {
            result = choices.update ? transfer->UpdateOCB(choices) : transfer->RetrieveFromOCB(choices);
        } catch (const AppError& e) {
            transfer->reportFailure(e);
            return e.number();
        }
        return 0;
    }
};

/// A listening socket on 127.0.0.1 that never accepts: a board that takes the
/// connection and then says nothing.
struct MuteBoard {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    int port = 0;
    MuteBoard() {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof a;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&a), size) == 0 && ::listen(fd, 4) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &size) == 0)
            port = ntohs(a.sin_port);
    }
    ~MuteBoard() { ::close(fd); }
};

TransferChoices choose(bool update, TransferChoices::Type type = TransferChoices::Type::Standard) {
    TransferChoices c;
    c.update = update;
    c.type = type;
    return c;
}

} // namespace

Q_DECLARE_METATYPE(zr::TransferChoices)

class TestOcbTransfer : public QObject {
    Q_OBJECT
private slots:
    void statisticsKinds_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        QTest::newRow("pop and drive is pad") << "pop_drive_3" << int(StatsKind::Pad);
        QTest::newRow("sugg before pop") << "pop_sugg_1" << int(StatsKind::Suggest);
        QTest::newRow("binary pad") << "drive_7.zrs" << int(StatsKind::Pad);
        QTest::newRow("case counts") << "Drive_1" << int(StatsKind::None);
    }
    void statisticsKinds() {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QCOMPARE(int(statisticsKind(name)), kind);
    }

    void progressGrowsAndEveryLineIsLogged() {
        Lane lane;
        QList<int> maxima;
        lane.transfer->onStatus = [&](const QString&, int, int maximum) { maxima.append(maximum); };
        for (int i = 0; i < 152; ++i)
            lane.transfer->ReportStatus(QString("line \"%1\"").arg(i));
        QCOMPARE(lane.transfer->progressValue(), 151);
        QCOMPARE(maxima.at(149), 150);
        QCOMPARE(maxima.at(150), 155); // the line at which the bar was full
        QCOMPARE(lane.transfer->progressMaximum(), 155);
        QCOMPARE(lane.log("Ftp.log").size(), 152);
        QCOMPARE(lane.log("Ftp.log").at(150), "\"line \"150\"\"");
        QCOMPARE(lane.clock.waited, 152 * 0.25);
    }

    // The statistics names of a listing, fetched with no board to answer: a name
    // that is unsafe or of no kind is logged, never shown, and never fetched; each
    // kind's fetch replaces the result, so only when all four fail does it stay false.
    void statisticsNames_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("logged"); // the lines about the names
        QTest::addColumn<int>("failed");         // kinds whose fetch failed, logged too
        const QString refused = "Refused ../drive_1 in a statistics List: not a plain file name.";
        // clang-format off
        QTest::newRow("unknown name") << QStringList{"summary.log"} << true << QStringList{"Recieved summary.log in a statistics List."} << 0;
        QTest::newRow("unsafe name") << QStringList{"../drive_1"} << true << QStringList{refused} << 0;
        QTest::newRow("unsafe name, every kind fails") << QStringList{"../drive_1", "drive_1", "pop_1", "sugg_1", "1.zrs"} << false << QStringList{refused} << 4;
        QTest::newRow("every kind fails") << QStringList{"drive_1", "pop_1", "sugg_1", "1.zrs"} << true << QStringList{} << 4;
        // clang-format on
    }
    void statisticsNames() {
        QFETCH(QStringList, names);
        QFETCH(bool, result);
        QFETCH(QStringList, logged);
        QFETCH(int, failed);
        Lane lane;
        QCOMPARE(lane.transfer->RetrieveStatistics(names), result);
        QStringList lines;
        for (const QString& line : lane.log("Exceptions.log"))
            if (line.contains("statistics List")) lines << line.section(",\"", 1).chopped(1);
        QCOMPARE(lines, logged);
        QCOMPARE(lane.log("Exceptions.log").size(), logged.size() + failed);
        QVERIFY(lane.prompts.informed.isEmpty());
    }

    void standardUpdate() {
        Lane lane(QStringList{"--seed-stats"});
        QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
        lane.seedRemoteImages("pops", {"old.jpg", "breakfast.jpg"});
        lane.seedRemoteImages("items", {"pie.jpg"});
        lane.sim.putRemote("zr/var/items", "old items");
        const QMap<QString, QByteArray> before = folderTree(lane.app.path(lane.profile("Config")));

        QVERIFY(lane.transfer->UpdateOCB(TransferChoices{}));
        QVERIFY(!lane.ftp->isConnected());
        const QString dummy = "\"Dummy bytes to give substance to this file so that it returns a positive number to the SendFile function\"";
        // clang-format off
        const QStringList expected{
            "STOR /zr/ctrl/unlock", "CTRL unlock " + dummy, "STOR /zr/ctrl/kill", "CTRL kill " + dummy,
            "DELE /zr/images/pops/breakfast.jpg", "DELE /zr/images/pops/old.jpg", // every remote image goes, in listing order
            "STOR /zr/images/pops/breakfast.jpg", "STOR /zr/images/pops/burger.jpg", // once, in lower case, though two day parts use it
            "STOR /zr/images/pops/lonely.jpg", "STOR /zr/images/pops/deal.jpg", "STOR /zr/images/pops/default.jpg",
            "DELE /zr/images/items/pie.jpg", "STOR /zr/images/items/greatchoice.jpg", "STOR /zr/images/items/burger.jpg", "STOR /zr/images/items/pie.jpg",
            "STOR /zr/images/suggest/fries.jpg", "STOR /zr/images/suggest/greatchoice.jpg",
            "DELE /zr/var/items", "STOR /zr/var/items", "DELE /zr/var/zr.conf", "STOR /zr/var/zr.conf", // a refused DELE: the send follows
            "DELE /zr/var/drive_1", "DELE /zr/var/pop_1", "DELE /zr/var/sugg_1", "DELE /zr/var/0412.zrs",
            "STOR /zr/var/\\tmp\\time", "STOR /zr/ctrl/time", "CTRL time \"1205080526\"", "STOR /zr/ctrl/reload", "CTRL reload \"1205080526\""};
        // clang-format on
        QCOMPARE(lane.changes(), expected);
        const QStringList journal = lane.sim.journal();
        QCOMPARE(journal.last(), "QUIT");
        // The unlock files go in binary mode.
        QCOMPARE(journal.mid(0, journal.indexOf("STOR /zr/ctrl/unlock")).filter("TYPE ").last(), "TYPE I");

        QCOMPARE(lane.sim.remoteFolder("zr/images/pops"), (QStringList{"breakfast.jpg", "burger.jpg", "deal.jpg", "default.jpg", "lonely.jpg"}));
        QCOMPARE(lane.sim.remote("zr/images/pops/burger.jpg"), lane.app.read("ZRScreens/POP/Burger.jpg"));
        // Text travels in text mode: the board keeps its own line ends, with no CR CR LF.
        QCOMPARE(lane.sim.remote("zr/var/zr.conf"), QByteArray(ZrConf).replace("\r\n", "\n"));
        QCOMPARE(lane.sim.remote("zr/var/items"), QByteArray(Items).replace("\r\n", "\n"));
        QCOMPARE(lane.sim.remote("zr/var/\\tmp\\time"), "\"1205080526\"\r\n");
        QCOMPARE(lane.sim.remoteFolder("zr/var"), (QStringList{"\\tmp\\time", "items", "zr.conf"}));
        QVERIFY(!lane.app.exists("kill") && !lane.app.exists("reload"));
        QCOMPARE(lane.app.read("LocalTime"), "\"1205080526\"\r\n");
        QCOMPARE(folderTree(lane.app.path(lane.profile("Config"))), before); // the profile is never changed
        QVERIFY(lane.app.exists(lane.profile("Stats/Pad/drive_1.txt")));
        QVERIFY(lane.app.exists(lane.profile("Stats/Pad/0412.zrs")));

        const QStringList log = lane.log("Ftp.log");
        QCOMPARE(log.size(), lane.status.size());
        for (qsizetype i = 0; i < log.size(); ++i)
            QCOMPARE(log.at(i), '"' + lane.status.at(i) + '"');
        QCOMPARE(lane.status.mid(0, 2), (QStringList{"127.0.0.1 Attempting connection...", "Connection to Lane 1@127.0.0.1 Successful."}));
        QCOMPARE(lane.log("Transfers.csv"), (QStringList{"Start,End,Kind,Result,Bytes sent,Bytes received,Error", "2026-12-05 08:05:07,2026-12-05 08:05:22,update,ok,25697,671,"}));
        QCOMPARE(lane.status.filter("not found on local drive."), QStringList{}); // no name made up from "sugg_dinner = 30"
        QVERIFY(lane.status.contains("Sending " + lane.app.path("ZRScreens/POP/Burger.jpg") + " to /zr/images/pops/burger.jpg"));
        QVERIFY(lane.status.contains("Deleting /zr/images/pops/old.jpg from the OCB."));
        const QString reload = lane.app.path("reload");
        QCOMPARE(lane.status.mid(lane.status.size() - 5),
                 (QStringList{"Reloading OCB With new Settings.", "Sending " + reload + " to time", "Sending " + reload + " to reload",
                              "OCB reloaded successfully.", "Update Completed."}));
        QVERIFY(lane.prompts.informed.isEmpty());
    }

    void efficientUpdate_data() {
        QTest::addColumn<QStringList>("remotePops");
        QTest::addColumn<QStringList>("expected");
        const QStringList all{"breakfast.jpg", "burger.jpg", "lonely.jpg", "deal.jpg", "default.jpg"};
        QTest::newRow("identical sets") << all << QStringList{};
        QTest::newRow("one gone, one new") << QStringList{"breakfast.jpg", "lonely.jpg", "deal.jpg", "default.jpg", "burger.jpg", "stale.jpg"}
                                           << QStringList{"DELE /zr/images/pops/stale.jpg"};
    }
    void efficientUpdate() {
        QFETCH(QStringList, remotePops);
        QFETCH(QStringList, expected);
        Lane lane;
        QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
        lane.seedRemoteImages("pops", remotePops);
        lane.seedRemoteImages("items", {"GreatChoice.jpg", "burger.jpg", "pie.jpg"});
        lane.seedRemoteImages("suggest", {"fries.jpg", "GreatChoice.jpg"});
        QVERIFY(lane.transfer->UpdateOCB(choose(true, TransferChoices::Type::Efficient)));
        // The profile names "Burger.jpg" first and "burger.jpg" later: the first
        // spelling is kept and compared exactly, so the OCB's burger.jpg is replaced.
        QCOMPARE(lane.changes("/zr/images/"), QStringList{"DELE /zr/images/pops/burger.jpg"} + expected + QStringList{"STOR /zr/images/pops/burger.jpg"});
        QCOMPARE(lane.status.count("Comparing Image Lists."), 3);
    }

    // Updates that leave out a part; each still runs to its end and reloads the board.
    void partialUpdate_data() {
        QTest::addColumn<TransferChoices>("choices");
        QTest::addColumn<bool>("itemsFile");   // the profile has its items file
        QTest::addColumn<QStringList>("sent"); // what reached /zr/var and the time files
        QTest::addColumn<QString>("status");   // a status line said
        TransferChoices noSync, noMenu = choose(true, TransferChoices::Type::Selective), noConfig = noMenu;
        noSync.syncTime = false;
        noMenu.menu = false;
        noConfig.config = false;
        const QStringList items{"DELE /zr/var/items", "STOR /zr/var/items"}, conf{"DELE /zr/var/zr.conf", "STOR /zr/var/zr.conf"};
        const QStringList time{"STOR /zr/var/\\tmp\\time", "STOR /zr/ctrl/time"};
        // clang-format off
        QTest::newRow("without time sync") << noSync << true << items + conf + QStringList{"STOR /zr/ctrl/time"} << "Update Completed.";
        QTest::newRow("selective without the menu") << noMenu << true << conf + time << "Sending over new configuration file to the OCB.";
        QTest::newRow("selective without the configuration") << noConfig << true << items + time << "Sending over new items file to the OCB.";
        QTest::newRow("no items file: the OCB keeps its own") << TransferChoices{} << false << conf + time << "No menu items file to send.";
        // clang-format on
    }
    void partialUpdate() {
        QFETCH(TransferChoices, choices);
        QFETCH(bool, itemsFile);
        QFETCH(QStringList, sent);
        QFETCH(QString, status);
        Lane lane;
        if (!itemsFile) QFile::remove(lane.app.path(lane.profile("Items/items")));
        QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
        lane.sim.putRemote("zr/var/items", "the OCB's own");
        QVERIFY(lane.transfer->UpdateOCB(choices));
        QCOMPARE(lane.changes().filter(QRegularExpression("^(STOR|DELE) /zr/(var/|ctrl/time)")), sent);
        QVERIFY(lane.status.contains(status));
        QCOMPARE(lane.status.last(), "Update Completed.");
        QCOMPARE(lane.log("Ftp.log").last(), "\"Update Completed.\"");
        QCOMPARE(lane.app.exists("LocalTime"), choices.syncTime);
        QCOMPARE(lane.sim.journal("CTRL").size(), 4); // unlock, kill, time and reload
    }

    void chosenDefaultImages() {
        Lane lane;
        lane.app.write("zr.ini", "FirstRun = no\r\ndefault_item_image = fries.jpg\r\ndefault_pop_image = deal.jpg\r\n");
        QFile::remove(lane.app.path(lane.profile("Items/items")));
        QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
        QVERIFY(lane.transfer->UpdateOCB(TransferChoices{}));
        QCOMPARE(lane.changes("/zr/images/items/"), QStringList{"STOR /zr/images/items/fries.jpg"});
        QCOMPARE(lane.changes("STOR /zr/images/pops/").size(), 4);
        QVERIFY(!lane.changes().contains("STOR /zr/images/pops/default.jpg"));
    }

    void noRoomDuringPopImages() {
        Lane lane(QStringList{"--quota", "3000"}); // room for unlock and kill, not for a 3 KB picture
        QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
        lane.seedRemoteImages("items", {"pie.jpg"});
        lane.sim.putRemote("zr/var/items", "old items");
        lane.sim.putRemote("zr/var/zr.conf", "old conf");
        const QMap<QString, QByteArray> before = lane.localFiles();
        QVERIFY(!lane.transfer->UpdateOCB(TransferChoices{}));
        QCOMPARE(lane.prompts.informed.size(), 1);
        QCOMPARE(lane.prompts.informed.first().text, "There is not enough free space on the OCB to finish the update!  Aborting!");
        QCOMPARE(lane.sim.remote("zr/var/items"), "old items");
        QCOMPARE(lane.sim.remote("zr/var/zr.conf"), "old conf");
        QCOMPARE(lane.sim.remoteFolder("zr/images/items"), QStringList{"pie.jpg"});
        QCOMPARE(lane.sim.remoteFolder("zr/images/pops"), QStringList{});
        QCOMPARE(lane.sim.journal("CTRL").size(), 2); // unlock and kill, no reload
        QCOMPARE(lane.sim.journal().last(), "QUIT");
        QVERIFY(!lane.ftp->isConnected());
        QCOMPARE(lane.localFiles(), before);
    }

    // A refused upload is no full disk: the failure goes to the caller as it is.
    void refusedUpload() {
        Lane lane;
        QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
        QVERIFY(QDir().mkpath(lane.sim.remotePath("zr/var/zr.conf"))); // a folder where the file goes
        bool result = true;
        QCOMPARE(lane.run(TransferChoices{}, result), FtpError::Refused);
    }

    void noConnection_data() {
        QTest::addColumn<bool>("silent"); // false: nothing listens; true: a board that never answers
        QTest::newRow("refused") << false;
        QTest::newRow("silent") << true;
    }
    void noConnection() {
        QFETCH(bool, silent);
        Lane lane;
        QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
        lane.sim.stop();
        MuteBoard mute;
        FtpSettings settings = lane.sim.settings();
        settings.connectTimeout = 2;
        if (silent) {
            QVERIFY(mute.port > 0);
            settings.port = mute.port;
        }
        lane.transfer.reset();
        lane.ftp = makeCurlFtpClient(settings, lane.clock);
        lane.makeTransfer("127.0.0.1");
        QElapsedTimer took;
        took.start();
        QVERIFY(!lane.transfer->UpdateOCB(TransferChoices{}));
        QVERIFY2(took.elapsed() < 6000, qPrintable(QString::number(took.elapsed())));
        QVERIFY(lane.clock.waited >= 5 * 1.0 && lane.clock.waited <= 5 * 1.0 + 2 * 0.25); // five polls a second apart
        QCOMPARE(lane.status.last(), "Connection to Lane 1@127.0.0.1 Failed.");
        QCOMPARE(lane.transfer->progressValue(), 1);
        QVERIFY(!lane.transfer->RetrieveFromOCB(TransferChoices{}));
        QVERIFY(lane.prompts.informed.isEmpty());
        QCOMPARE(lane.app.read(lane.profile("Config/zr.conf")), ZrConf);
        const QString failed = ",failed,0,0,Connection to Lane 1@127.0.0.1 Failed.";
        QCOMPARE(lane.record().size(), 2);
        QVERIFY(lane.record().at(0).endsWith(",update" + failed) && lane.record().at(1).endsWith(",retrieve" + failed));
    }

    void missingLocalConfig() {
        Lane lane;
        QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
        lane.seedRemoteImages("pops", {"old.jpg"});
        lane.sim.putRemote("zr/var/zr.conf", "the OCB's own");
        QFile::remove(lane.app.path(lane.profile("Config/zr.conf")));
        bool result = true;
        QCOMPARE(lane.run(TransferChoices{}, result), errors::FileNotFound);
        QCOMPARE(lane.changes("/pops/"), QStringList{});
        QCOMPARE(lane.sim.remote("zr/var/zr.conf"), "the OCB's own");
        QCOMPARE(lane.sim.journal("CTRL").size(), 2);
        QVERIFY(!lane.ftp->isConnected());
    }

    void retrieve_data() {
        QTest::addColumn<bool>("selective");
        QTest::addColumn<bool>("seed");
        QTest::newRow("standard") << false << true;
        QTest::newRow("only statistics") << true << true;
        QTest::newRow("no statistics on the OCB") << false << false;
    }
    void retrieve() {
        QFETCH(bool, selective);
        QFETCH(bool, seed);
        Lane lane(seed ? QStringList{"--seed-stats"} : QStringList{});
        QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
        lane.sim.putRemote("zr/var/zr.conf", "ocb_conf = 1\n");
        lane.sim.putRemote("zr/var/items", "\"OCB\",\"OCB\",\"x.jpg\",10,\"TRUE\",\"\",\"FALSE\"\n");
        lane.sim.putRemote("zr/var/summary.log", "not statistics");
        if (seed) lane.sim.putRemote("zr/var/pop_drive_3", "1,5,,,,,100\r\n");
        // A converter that shows what it was given: one argument, blanks and all.
        lane.app.write("Statistics", "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > \"$1.pad\"\n");
        QFile::setPermissions(lane.app.path("Statistics"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        TransferChoices choices = choose(false, selective ? TransferChoices::Type::Selective : TransferChoices::Type::Standard);
        choices.config = choices.menu = !selective;
        QVERIFY(lane.transfer->RetrieveFromOCB(choices));
        QVERIFY(!lane.ftp->isConnected());
        if (selective) {
            QCOMPARE(lane.app.read(lane.profile("Config/zr.conf")), ZrConf);
            QVERIFY(!lane.app.exists(lane.profile("Config/zr.conf.old")) && !lane.app.exists(lane.profile("Items/items.old")));
            QVERIFY(lane.status.contains("Skipping retrieval of Config File."));
            QVERIFY(lane.status.contains("Skipping retrieval of Items File."));
        } else {
            QCOMPARE(lane.app.read(lane.profile("Config/zr.conf")), "ocb_conf = 1\r\n");
            QCOMPARE(lane.app.read(lane.profile("Config/zr.conf.old")), ZrConf);
            QCOMPARE(lane.app.read(lane.profile("Items/items.old")), Items);
            QVERIFY(lane.app.read(lane.profile("Items/items")).startsWith("\"OCB\""));
        }
        QCOMPARE(lane.status.last(), "Standard Retrieval completed successfully!");
        QVERIFY(lane.sim.remoteExists("zr/var/summary.log"));
        QCOMPARE(lane.record().size(), 1);
        QVERIFY2(QRegularExpression("^2026-12-05 08:05:07,2026-12-05 08:05:\\d\\d,retrieve,ok,0,[1-9]\\d+,$").match(lane.record().at(0)).hasMatch(), qPrintable(lane.record().at(0)));
        if (!seed) {
            QCOMPARE(lane.status.filter("found on OCB..."),
                     (QStringList{"No Pad Statistics files found on OCB...", "No POP Statistics files found on OCB...",
                                  "No Suggestive Sales Statistics files found on OCB...", "No Statistics files found on OCB..."}));
            return;
        }
        const QString pad = lane.app.path(lane.profile("Stats/Pad/"));
        QCOMPARE(lane.app.read(lane.profile("Stats/Pad/pop_drive_3.txt")), "1,5,,,,,100\r\n");
        QVERIFY(lane.app.read(lane.profile("Stats/Pad/drive_1.txt")).startsWith("1,101,12/4/2026 11:30:00,"));
        QVERIFY(lane.app.exists(lane.profile("Stats/Pop/pop_1.txt")) && lane.app.exists(lane.profile("Stats/Sugg/sugg_1.txt")));
        QCOMPARE(lane.app.read(lane.profile("Stats/Pad/0412.zrs.pad")), "1|" + (pad + "0412.zrs").toUtf8());
        QCOMPARE(lane.sim.remoteFolder("zr/var"), (QStringList{"items", "summary.log", "zr.conf"}));
        QCOMPARE(lane.status.filter("completed successfully.").size(), 4);
        QVERIFY(lane.app.read(lane.profile("Log/Exceptions.log")).isEmpty());
    }

    void failedReceiveRestoresOldCopy() {
        Lane lane;
        QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
        lane.sim.putRemote("zr/var/zr.conf", "ocb conf\r\n"); // but no items file on the OCB
        lane.app.write(lane.profile("Items/items.old"), "an older copy");
        bool result = true;
        QCOMPARE(lane.run(choose(false), result), FtpError::NotFound);
        QCOMPARE(lane.app.read(lane.profile("Items/items")), Items);
        QVERIFY(!lane.app.exists(lane.profile("Items/items.old"))); // the older copy was replaced first
        QCOMPARE(lane.app.read(lane.profile("Config/zr.conf")), "ocb conf\r\n");
        QVERIFY(!lane.ftp->isConnected());
        QCOMPARE(lane.prompts.informed.size(), 1);
        QCOMPARE(lane.prompts.informed.first().title, "Error");
        QVERIFY(lane.log("Ftp.log").last().startsWith("\"FTP: Receive items"));
        QVERIFY(lane.app.read(lane.profile("Log/Exceptions.log")).contains("FTP: Receive items"));
    }

    void droppedConnection_data() {
        QTest::addColumn<bool>("update");
        QTest::addColumn<QString>("dropped");
        QTest::newRow("update, during a picture") << true << "deal.jpg";
        QTest::newRow("retrieve, during zr.conf") << false << "zr.conf";
        QTest::newRow("update, during the reload") << true << "reload";
    }
    void droppedConnection() {
        QFETCH(bool, update);
        QFETCH(QString, dropped);
        Lane lane(QStringList{"--drop", dropped});
        QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
        lane.sim.putRemote("zr/var/zr.conf", QByteArray(200000, '#') + "\r\n");
        lane.sim.putRemote("zr/var/items", "x\r\n");
        const QMap<QString, QByteArray> before = lane.localFiles();
        bool result = false;
        QCOMPARE(lane.run(choose(update), result), FtpError::UnexpectedReply);
        QVERIFY(!lane.ftp->isConnected());
        QCOMPARE(lane.prompts.informed.size(), 1);
        QCOMPARE(lane.sim.journal("CTRL").filter("reload"), QStringList{});
        QMap<QString, QByteArray> after = lane.localFiles();
        after.remove("LocalTime"); // the time sent just before the reload
        QCOMPARE(after, before); // no local file lost, half-written or left behind
        // The same transfer object works again once the board is back.
        lane.prompts.informed.clear();
        QCOMPARE(lane.run(choose(update), result), 0);
        QVERIFY(result && lane.prompts.informed.isEmpty());
        const QString kind = update ? "update" : "retrieve";
        QCOMPARE(lane.record().size(), 2);
        QVERIFY2(lane.record().at(0).contains(kind + ",failed,") && lane.record().at(0).contains(",FTP: "), qPrintable(lane.record().at(0)));
        QVERIFY(lane.record().at(1).contains(kind + ",ok,"));
    }
};

QTEST_GUILESS_MAIN(TestOcbTransfer)
#include "tst_ocbtransfer.moc"
