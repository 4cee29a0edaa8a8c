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

/// A profile with its zr.conf, items file and the images it uses.
struct Lane {
    TempApp app;
    FakeClock clock;
    ScriptedPrompts prompts;
    OcbSim sim;
    std::unique_ptr<FtpClient> ftp;
    std::unique_ptr<OcbTransfer> transfer;
    QStringList status;

    explicit Lane(const QStringList& simArguments = {}) : sim(simArguments) {
        app.write("Profiles/" + P + "/Config/zr.conf", ZrConf);
        app.write("Profiles/" + P + "/Items/items", Items);
        for (const QString pop : {"breakfast.jpg", "Burger.jpg", "lonely.jpg", "deal.jpg", "default.jpg"})
            app.write("ZRScreens/POP/" + pop, QByteArray(3000, 'p') + pop.toLatin1());
        for (const QString item : {"burger.jpg", "pie.jpg", "fries.jpg", "GreatChoice.jpg"})
            app.write("ZRScreens/Item/" + item, QByteArray(2000, 'i') + item.toLatin1());
    }

    bool start(const QString& host = QString()) {
        if (!sim.start()) return false;
        FtpSettings settings = sim.settings();
        settings.connectTimeout = 3;
        ftp = makeCurlFtpClient(settings, clock);
        transfer = std::make_unique<OcbTransfer>(app.paths, *ftp, prompts, clock);
        transfer->setProfile(P, host.isEmpty() ? sim.host() : host);
        transfer->onStatus = [this](const QString& text, int, int) { status.append(text); };
        return true;
    }
    QString profile(const QString& relative) const { return "Profiles/" + P + "/" + relative; }
    /// The application folder without the profile's logs.
    QMap<QString, QByteArray> localFiles() const {
        QMap<QString, QByteArray> tree = folderTree(app.dir.path());
        tree.removeIf([](const auto& entry) { return entry.key().contains("/Log"); });
        return tree;
    }
    /// What reached the OCB's files, in order: stores, deletes and control files.
    QStringList changes() const {
        QStringList lines;
        for (const QString& line : sim.journal())
            if (line.startsWith("STOR ") || line.startsWith("DELE ") || line.startsWith("CTRL "))
                lines.append(line);
        return lines;
    }
    void seedRemoteImages(const QString& folder, const QStringList& names) const {
        for (const QString& name : names)
            sim.putRemote("zr/images/" + folder + "/" + name, "old " + name.toLatin1());
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

QStringList imageChanges(const QStringList& changes) {
    QStringList images;
    for (const QString& line : changes)
        if (line.contains("/zr/images/")) images.append(line);
    return images;
}

} // namespace

class TestOcbTransfer : public QObject {
    Q_OBJECT
private slots:
    void statisticsKinds_data();
    void statisticsKinds();
    void progressGrowsAndEveryLineIsLogged();

    void standardUpdate();
    void efficientUpdate_data();
    void efficientUpdate();
    void noRoomDuringPopImages();
    void noConnection_data();
    void noConnection();
    void withoutTimeSync();
    void withoutItemsFileAndWithChosenDefaults();
    void missingLocalConfig();

    void retrieve_data();
    void retrieve();
    void secondRetrieveReplacesOldCopies();
    void failedReceiveRestoresOldCopy();
    void droppedConnection_data();
    void droppedConnection();
};

void TestOcbTransfer::statisticsKinds_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::newRow("pop and drive is pad") << "pop_drive_3" << int(StatsKind::Pad);
    QTest::newRow("sugg before pop") << "pop_sugg_1" << int(StatsKind::Suggest);
    QTest::newRow("binary pad") << "drive_7.zrs" << int(StatsKind::Pad);
    QTest::newRow("case counts") << "Drive_1" << int(StatsKind::None);
}

void TestOcbTransfer::statisticsKinds() {
    QFETCH(QString, name);
    QFETCH(int, kind);
    QCOMPARE(int(statisticsKind(name)), kind);
}

void TestOcbTransfer::progressGrowsAndEveryLineIsLogged() {
    TempApp app;
    FakeClock clock;
    ScriptedPrompts prompts;
    std::unique_ptr<FtpClient> ftp = makeCurlFtpClient({}, clock);
    OcbTransfer t(app.paths, *ftp, prompts, clock);
    t.setProfile(P, "10.0.0.1");
    QList<int> maxima;
    t.onStatus = [&](const QString&, int, int maximum) { maxima.append(maximum); };
    for (int i = 0; i < 152; ++i)
        t.ReportStatus(QString("line \"%1\"").arg(i));
    QCOMPARE(t.progressValue(), 151);
    QCOMPARE(maxima.at(149), 150);
    QCOMPARE(maxima.at(150), 155); // the line at which the bar was full
    QCOMPARE(t.progressMaximum(), 155);
    const QStringList log = crlfLines(app.read("Profiles/" + P + "/Log/Ftp.log"));
    QCOMPARE(log.size(), 152);
    QCOMPARE(log.at(150), "\"line \"150\"\"");
    QCOMPARE(clock.waited, 152 * 0.25);
}

void TestOcbTransfer::standardUpdate() {
    Lane lane(QStringList{"--seed-stats"});
    QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
    lane.seedRemoteImages("pops", {"old.jpg", "breakfast.jpg"});
    lane.seedRemoteImages("items", {"pie.jpg"});
    lane.sim.putRemote("zr/var/items", "old items");
    const QMap<QString, QByteArray> before = folderTree(lane.app.path(lane.profile("Config")));

    QVERIFY(lane.transfer->UpdateOCB(TransferChoices{}));
    QVERIFY(!lane.ftp->isConnected());

    const QStringList expected{
        "STOR /zr/ctrl/unlock",
        "CTRL unlock \"Dummy bytes to give substance to this file so that it returns a positive number to "
        "the "
        "SendFile function\"",
        "STOR /zr/ctrl/kill",
        "CTRL kill \"Dummy bytes to give substance to this file so that it returns a positive number to the "
        "SendFile function\"",
        "DELE /zr/images/pops/breakfast.jpg", // standard: every remote image goes, in listing order
        "DELE /zr/images/pops/old.jpg",
        "STOR /zr/images/pops/breakfast.jpg",
        "STOR /zr/images/pops/burger.jpg", // once, in lower case, though two day parts use it
        "STOR /zr/images/pops/lonely.jpg",
        "STOR /zr/images/pops/deal.jpg",
        "STOR /zr/images/pops/default.jpg",
        "DELE /zr/images/items/pie.jpg",
        "STOR /zr/images/items/greatchoice.jpg",
        "STOR /zr/images/items/burger.jpg",
        "STOR /zr/images/items/pie.jpg",
        "STOR /zr/images/suggest/fries.jpg",
        "STOR /zr/images/suggest/greatchoice.jpg",
        "DELE /zr/var/items",
        "STOR /zr/var/items",
        "STOR /zr/var/zr.conf", // DELE of a missing zr.conf is refused, the send follows
        "DELE /zr/var/drive_1",
        "DELE /zr/var/pop_1",
        "DELE /zr/var/sugg_1",
        "DELE /zr/var/0412.zrs",
        "STOR /zr/var/\\tmp\\time",
        "STOR /zr/ctrl/time",
        "CTRL time \"1205080526\"",
        "STOR /zr/ctrl/reload",
        "CTRL reload \"1205080526\""};
    QStringList changes = lane.changes();
    changes.removeAll("DELE /zr/var/zr.conf");
    QCOMPARE(changes, expected);
    QCOMPARE(lane.sim.journal().last(), "QUIT");

    QCOMPARE(lane.sim.remoteFolder("zr/images/pops"),
             (QStringList{"breakfast.jpg", "burger.jpg", "deal.jpg", "default.jpg", "lonely.jpg"}));
    QCOMPARE(lane.sim.remote("zr/images/pops/burger.jpg"), lane.app.read("ZRScreens/POP/Burger.jpg"));
    // Text travels in text mode: the board keeps its own line ends, with no CR CR LF.
    QCOMPARE(lane.sim.remote("zr/var/zr.conf"), QByteArray(ZrConf).replace("\r\n", "\n"));
    QCOMPARE(lane.sim.remote("zr/var/items"), QByteArray(Items).replace("\r\n", "\n"));
    QCOMPARE(lane.sim.remote("zr/var/\\tmp\\time"), "\"1205080526\"\r\n");
    QCOMPARE(lane.sim.remoteFolder("zr/var"), (QStringList{"\\tmp\\time", "items", "zr.conf"}));
    QVERIFY(!lane.app.exists("kill"));
    QVERIFY(!lane.app.exists("reload"));
    QCOMPARE(lane.app.read("LocalTime"), "\"1205080526\"\r\n");
    QCOMPARE(folderTree(lane.app.path(lane.profile("Config"))), before); // the profile is never changed
    QVERIFY(lane.app.exists(lane.profile("Stats/Pad/drive_1.txt")));
    QVERIFY(lane.app.exists(lane.profile("Stats/Pad/0412.zrs")));

    const QStringList log = crlfLines(lane.app.read(lane.profile("Log/Ftp.log")));
    QCOMPARE(log.size(), lane.status.size());
    for (qsizetype i = 0; i < log.size(); ++i)
        QCOMPARE(log.at(i), '"' + lane.status.at(i) + '"');
    QCOMPARE(lane.status.first(), "127.0.0.1 Attempting connection...");
    QCOMPARE(lane.status.filter("not found on local drive."),
             QStringList{}); // no name made up from "sugg_dinner = 30"
    QCOMPARE(lane.status.at(1), "Connection to Lane 1@127.0.0.1 Successful.");
    QVERIFY(lane.status.contains("Sending " + lane.app.path("ZRScreens/POP/Burger.jpg") +
                                 " to /zr/images/pops/burger.jpg"));
    const QString reload = lane.app.path("reload");
    QCOMPARE(
        lane.status.mid(lane.status.size() - 5),
        (QStringList{"Reloading OCB With new Settings.", "Sending " + reload + " to time",
                     "Sending " + reload + " to reload", "OCB reloaded successfully.", "Update Completed."}));
    QVERIFY(lane.prompts.informed.isEmpty());
}

void TestOcbTransfer::efficientUpdate_data() {
    QTest::addColumn<QStringList>("remotePops");
    QTest::addColumn<QStringList>("expected");
    const QStringList all{"breakfast.jpg", "burger.jpg", "lonely.jpg", "deal.jpg", "default.jpg"};
    QTest::newRow("identical sets") << all << QStringList{};
    QTest::newRow("one gone, one new")
        << QStringList{"breakfast.jpg", "lonely.jpg", "deal.jpg", "default.jpg", "burger.jpg", "stale.jpg"}
        << QStringList{"DELE /zr/images/pops/stale.jpg"};
}

void TestOcbTransfer::efficientUpdate() {
    QFETCH(QStringList, remotePops);
    QFETCH(QStringList, expected);
    Lane lane;
    // The profile names the POP "Burger.jpg" in one day part and "burger.jpg" in
    // another; the first spelling is kept and compared exactly.
    QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
    lane.seedRemoteImages("pops", remotePops);
    lane.seedRemoteImages("items", {"GreatChoice.jpg", "burger.jpg", "pie.jpg"});
    lane.seedRemoteImages("suggest", {"fries.jpg", "GreatChoice.jpg"});
    TransferChoices efficient;
    efficient.type = TransferChoices::Type::Efficient;
    QVERIFY(lane.transfer->UpdateOCB(efficient));
    // Burger.jpg locally and burger.jpg on the OCB differ: the remote one is
    // deleted and the local one sent under the lower-case name.
    expected.prepend("DELE /zr/images/pops/burger.jpg");
    expected.append("STOR /zr/images/pops/burger.jpg");
    QCOMPARE(imageChanges(lane.changes()), expected);
    QCOMPARE(lane.status.count("Comparing Image Lists."), 3);
}

void TestOcbTransfer::noRoomDuringPopImages() {
    Lane lane(QStringList{"--quota", "3000"}); // room for unlock and kill, not for a 3 KB picture
    QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
    lane.seedRemoteImages("items", {"pie.jpg"});
    lane.sim.putRemote("zr/var/items", "old items");
    lane.sim.putRemote("zr/var/zr.conf", "old conf");
    const QMap<QString, QByteArray> before = lane.localFiles();

    QVERIFY(!lane.transfer->UpdateOCB(TransferChoices{}));
    QCOMPARE(lane.prompts.informed.size(), 1);
    QCOMPARE(lane.prompts.informed.first().text,
             "There is not enough free space on the OCB to finish the update!  Aborting!");
    QCOMPARE(lane.sim.remote("zr/var/items"), "old items");
    QCOMPARE(lane.sim.remote("zr/var/zr.conf"), "old conf");
    QCOMPARE(lane.sim.remoteFolder("zr/images/items"), QStringList{"pie.jpg"});
    QCOMPARE(lane.sim.remoteFolder("zr/images/pops"), QStringList{});
    QCOMPARE(lane.sim.journal("CTRL").size(), 2); // unlock and kill, no reload
    QCOMPARE(lane.sim.journal().last(), "QUIT");
    QVERIFY(!lane.ftp->isConnected());
    QCOMPARE(lane.localFiles(), before);
}

void TestOcbTransfer::noConnection_data() {
    QTest::addColumn<bool>("silent"); // false: nothing listens; true: a board that never answers
    QTest::newRow("refused") << false;
    QTest::newRow("silent") << true;
}

void TestOcbTransfer::noConnection() {
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
    std::unique_ptr<FtpClient> ftp = makeCurlFtpClient(settings, lane.clock);
    OcbTransfer t(lane.app.paths, *ftp, lane.prompts, lane.clock);
    t.setProfile(P, "127.0.0.1");
    QStringList status;
    t.onStatus = [&](const QString& text, int, int) { status.append(text); };
    QElapsedTimer took;
    took.start();
    QVERIFY(!t.UpdateOCB(TransferChoices{}));
    QVERIFY2(took.elapsed() < 6000, qPrintable(QString::number(took.elapsed())));
    QVERIFY(lane.clock.waited <= 5 * 1.0 + 2 * 0.25);
    QCOMPARE(status.last(), "Connection to Lane 1@127.0.0.1 Failed.");
    QCOMPARE(t.progressValue(), 1);
    QVERIFY(!t.RetrieveFromOCB(TransferChoices{}));
    QVERIFY(lane.prompts.informed.isEmpty());
    QCOMPARE(lane.app.read(lane.profile("Config/zr.conf")), ZrConf);
}

void TestOcbTransfer::withoutTimeSync() {
    Lane lane;
    QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
    TransferChoices choices;
    choices.syncTime = false;
    QVERIFY(lane.transfer->UpdateOCB(choices));
    QCOMPARE(lane.sim.journal("STOR").filter("time"), QStringList{"STOR /zr/ctrl/time"});
    QCOMPARE(lane.sim.journal("CTRL").size(), 4);
    QVERIFY(!lane.app.exists("LocalTime"));
}

void TestOcbTransfer::withoutItemsFileAndWithChosenDefaults() {
    Lane lane;
    lane.app.write("zr.ini",
                   "FirstRun = no\r\ndefault_item_image = fries.jpg\r\ndefault_pop_image = deal.jpg\r\n");
    QFile::remove(lane.app.path(lane.profile("Items/items")));
    QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
    lane.sim.putRemote("zr/var/items", "the OCB's own");
    QVERIFY(lane.transfer->UpdateOCB(TransferChoices{}));
    // The OCB keeps its menu, and the status line and Ftp.log say why.
    QCOMPARE(lane.sim.remote("zr/var/items"), "the OCB's own");
    QCOMPARE(lane.changes().filter("/zr/var/items"), QStringList{});
    QCOMPARE(lane.status.filter("items file"), QStringList{"No menu items file to send."});
    QVERIFY(
        crlfLines(lane.app.read(lane.profile("Log/Ftp.log"))).contains("\"No menu items file to send.\""));
    QCOMPARE(lane.status.last(), "Update Completed.");
    // The default pictures are those of zr.ini.
    QCOMPARE(imageChanges(lane.changes()).filter("/items/"), QStringList{"STOR /zr/images/items/fries.jpg"});
    QCOMPARE(imageChanges(lane.changes()).filter("STOR /zr/images/pops/").size(), 4);
    QVERIFY(!lane.changes().contains("STOR /zr/images/pops/default.jpg"));
}

void TestOcbTransfer::missingLocalConfig() {
    Lane lane;
    QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
    lane.seedRemoteImages("pops", {"old.jpg"});
    lane.sim.putRemote("zr/var/zr.conf", "the OCB's own");
    QFile::remove(lane.app.path(lane.profile("Config/zr.conf")));
    try {
        lane.transfer->UpdateOCB(TransferChoices{});
        QFAIL("an update without a zr.conf went through");
    } catch (const AppError& e) {
        QCOMPARE(e.number(), errors::FileNotFound);
    }
    QCOMPARE(imageChanges(lane.changes()).filter("/pops/"), QStringList{});
    QCOMPARE(lane.sim.remote("zr/var/zr.conf"), "the OCB's own");
    QCOMPARE(lane.sim.journal("CTRL").size(), 2);
    QVERIFY(!lane.ftp->isConnected());
}

void TestOcbTransfer::retrieve_data() {
    QTest::addColumn<bool>("selective");
    QTest::addColumn<bool>("seed");
    QTest::newRow("standard") << false << true;
    QTest::newRow("only statistics") << true << true;
    QTest::newRow("no statistics on the OCB") << false << false;
}

void TestOcbTransfer::retrieve() {
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
    QFile::setPermissions(lane.app.path("Statistics"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    TransferChoices choices;
    choices.update = false;
    if (selective) {
        choices.type = TransferChoices::Type::Selective;
        choices.config = choices.menu = false;
    }
    QVERIFY(lane.transfer->RetrieveFromOCB(choices));
    QVERIFY(!lane.ftp->isConnected());

    if (selective) {
        QCOMPARE(lane.app.read(lane.profile("Config/zr.conf")), ZrConf);
        QVERIFY(!lane.app.exists(lane.profile("Config/zr.conf.old")));
        QVERIFY(!lane.app.exists(lane.profile("Items/items.old")));
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
    if (!seed) {
        QCOMPARE(
            lane.status.filter("found on OCB..."),
            (QStringList{"No Pad Statistics files found on OCB...", "No POP Statistics files found on OCB...",
                         "No Suggestive Sales Statistics files found on OCB...",
                         "No Statistics files found on OCB..."}));
        return;
    }
    const QString pad = lane.app.path(lane.profile("Stats/Pad/"));
    QCOMPARE(lane.app.read(lane.profile("Stats/Pad/pop_drive_3.txt")), "1,5,,,,,100\r\n");
    QVERIFY(lane.app.read(lane.profile("Stats/Pad/drive_1.txt")).startsWith("1,101,12/4/2026 11:30:00,"));
    QVERIFY(lane.app.exists(lane.profile("Stats/Pop/pop_1.txt")));
    QVERIFY(lane.app.exists(lane.profile("Stats/Sugg/sugg_1.txt")));
    QCOMPARE(lane.app.read(lane.profile("Stats/Pad/0412.zrs.pad")), "1|" + (pad + "0412.zrs").toUtf8());
    QCOMPARE(lane.sim.remoteFolder("zr/var"), (QStringList{"items", "summary.log", "zr.conf"}));
    QCOMPARE(lane.status.filter("completed successfully.").size(), 4);
    QVERIFY(lane.app.read(lane.profile("Log/Exceptions.log")).isEmpty());
}

void TestOcbTransfer::secondRetrieveReplacesOldCopies() {
    Lane lane;
    QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
    TransferChoices choices;
    choices.update = false;
    for (const QByteArray version : {"first", "second"}) {
        lane.sim.putRemote("zr/var/zr.conf", version + " conf\r\n");
        lane.sim.putRemote("zr/var/items", version + " items\r\n");
        QVERIFY(lane.transfer->RetrieveFromOCB(choices));
    }
    QCOMPARE(lane.app.read(lane.profile("Config/zr.conf.old")), "first conf\r\n");
    QCOMPARE(lane.app.read(lane.profile("Config/zr.conf")), "second conf\r\n");
    QCOMPARE(lane.app.read(lane.profile("Items/items.old")), "first items\r\n");
}

void TestOcbTransfer::failedReceiveRestoresOldCopy() {
    Lane lane;
    QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
    lane.sim.putRemote("zr/var/zr.conf", "ocb conf\r\n"); // but no items file on the OCB
    lane.app.write(lane.profile("Items/items.old"), "an older copy");
    TransferChoices choices;
    choices.update = false;
    try {
        lane.transfer->RetrieveFromOCB(choices);
        QFAIL("a missing remote items file was not reported");
    } catch (const AppError& e) {
        QCOMPARE(e.number(), FtpError::NotFound);
        lane.transfer->reportFailure(e);
    }
    QCOMPARE(lane.app.read(lane.profile("Items/items")), Items);
    QVERIFY(!lane.app.exists(lane.profile("Items/items.old"))); // the older copy was replaced first
    QCOMPARE(lane.app.read(lane.profile("Config/zr.conf")), "ocb conf\r\n");
    QVERIFY(!lane.ftp->isConnected());
    QCOMPARE(lane.prompts.informed.size(), 1);
    QCOMPARE(lane.prompts.informed.first().title, "Error");
    QVERIFY(crlfLines(lane.app.read(lane.profile("Log/Ftp.log"))).last().startsWith("\"FTP: Receive items"));
    QVERIFY(lane.app.read(lane.profile("Log/Exceptions.log")).contains("FTP: Receive items"));
}

void TestOcbTransfer::droppedConnection_data() {
    QTest::addColumn<bool>("update");
    QTest::addColumn<QString>("dropped");
    QTest::newRow("update, during a picture") << true << "deal.jpg";
    QTest::newRow("retrieve, during zr.conf") << false << "zr.conf";
}

void TestOcbTransfer::droppedConnection() {
    QFETCH(bool, update);
    QFETCH(QString, dropped);
    Lane lane(QStringList{"--drop", dropped});
    QVERIFY2(lane.start(), qPrintable(lane.sim.error()));
    lane.sim.putRemote("zr/var/zr.conf", QByteArray(200000, '#') + "\r\n");
    lane.sim.putRemote("zr/var/items", "x\r\n");
    const QMap<QString, QByteArray> before = lane.localFiles();
    TransferChoices choices;
    choices.update = update;
    try {
        update ? lane.transfer->UpdateOCB(choices) : lane.transfer->RetrieveFromOCB(choices);
        QFAIL("the lost connection was not reported");
    } catch (const AppError& e) {
        QCOMPARE(e.number(), FtpError::UnexpectedReply);
        lane.transfer->reportFailure(e);
    }
    QVERIFY(!lane.ftp->isConnected());
    QCOMPARE(lane.prompts.informed.size(), 1);
    QCOMPARE(lane.sim.journal("CTRL").filter("reload"), QStringList{});
    QCOMPARE(lane.localFiles(), before); // no local file lost or half-written

    // The same transfer object works again once the board is back.
    lane.prompts.informed.clear();
    QVERIFY(update ? lane.transfer->UpdateOCB(choices) : lane.transfer->RetrieveFromOCB(choices));
    QVERIFY(lane.prompts.informed.isEmpty());
}

QTEST_GUILESS_MAIN(TestOcbTransfer)
#include "tst_ocbtransfer.moc"
