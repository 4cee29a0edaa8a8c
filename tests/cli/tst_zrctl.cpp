// zrctl run as its users run it, as a process on a temporary application folder
// that holds two profiles, North (the board on 127.0.0.1, with a menu backed up
// to Saved/North.zrp) and South (current, 127.0.0.2, where nothing listens).

#include "OcbSim.h"
#include "TestSupport.h"

#include <QTest>
#ifdef ZR_WITH_DRAW
#include <QBuffer>
#include <QImage>
#endif
#include <csignal>
#include <memory>

using namespace zr::test;
using Files = QMap<QString, QByteArray>;

namespace {

const QByteArray Burger = R"("Burger","Big Burger","burger.jpg",10,"TRUE","deal.jpg","FALSE")";
const QByteArray Header =
    "Short Descriptor,Long Descriptor,Image,Family,Show Item,Associated POP,Track Item\n";
const QByteArray BurgerRow = "Burger,Big Burger,burger.jpg,Entree,TRUE,deal.jpg,FALSE\n";
const QByteArray MissingDisplayMode = "Warning!  Config File is missing Line display_mode.  If you proceed, "
                                      "display_mode will be given a default value.  Do you wish to continue?";
const QByteArray FileProblem = "There is a problem with this file.  Make sure that it is the desired one.\n";
const QByteArray Usage = "Run with --help or --help-all for more information.";
const QByteArray NotFirstRun = "FirstRun = no\r\n";
const QByteArray SmallConf = "pop_week_lunch = lunch.jpg 5\r\n";
// Items of the other four families, each shown.
const QByteArray Menu = "\"Fries\",\"F\",\"a.jpg\",20,\"TRUE\",\"\",\"FALSE\"\r\n\"Cola\",\"C\",\"a.jpg\",30,\"TRUE\",\"\",\"FALSE\"\r\n"
                        "\"Pie\",\"P\",\"a.jpg\",40,\"TRUE\",\"\",\"FALSE\"\r\n\"Deal\",\"D\",\"a.jpg\",50,\"TRUE\",\"\",\"FALSE\"\r\n";

} // namespace

class TestZrctl : public QObject {
    Q_OBJECT
    std::unique_ptr<OcbSim> m_sim; // a fresh board for each row that names its port
    std::unique_ptr<TempApp> m_base;

    /// zrctl on an application folder; in the arguments "@" stands for that folder,
    /// "%D" for the test data folder and "%P" for the simulator's port.
    Run zrctl(const QString& app, QStringList arguments) {
        arguments.replaceInStrings("@", app).replaceInStrings("%D", ZR_TEST_DATA);
        if (m_sim) arguments.replaceInStrings("%P", QString::number(m_sim->port()));
        return runProcess(ZRCTL_PATH, QStringList{"--app", app} + arguments);
    }
    /// A file of the application folder, or with "ocb:" one of the board's.
    QString where(const TempApp& app, const QString& key) const {
        return key.startsWith("ocb:") ? m_sim->remotePath(key.mid(4)) : app.path(key);
    }

private slots:
    void initTestCase() {
        m_base = std::make_unique<TempApp>();
        const QString app = m_base->dir.path();
        for (const char* picture : {"Item/burger.jpg", "Item/a.jpg", "Item/GreatChoice.jpg", "POP/deal.jpg",
                                    "POP/lunch.jpg", "POP/default.jpg"})
            m_base->write(QString("ZRScreens/") + picture, "jpeg bytes");
        QCOMPARE(zrctl(app, {"new", "North", "--ip", "127.0.0.1"}).exitCode, 0);
        QCOMPARE(zrctl(app, {"new", "South", "--ip", "127.0.0.2"}).exitCode, 0);
        m_base->write("Profiles/North/Items/items", Burger + "\r\n");
        QVERIFY(QDir().mkpath(m_base->path("Saved")));
        QCOMPARE(zrctl(app, {"backup", "North", "--to", "@/Saved"}).exitCode, 0);
    }

    void command_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Files>("given"); // written before the run
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArrayList>("out"); // fragments of stdout
        QTest::addColumn<QByteArrayList>("err"); // fragments of stderr; none: stderr stays empty
        // Files afterwards: "" missing, "*" there, "=" unchanged, other text a fragment of the file,
        // "png WxH colour" a drawing of that size with that colour in its middle;
        // "." = "=" means the whole application folder is unchanged, "Profiles" = "=" all profiles.
        QTest::addColumn<Files>("expected");
        const auto row = [](const char* tag, QStringList arguments, Files given, int exitCode,
                            QByteArrayList out, QByteArrayList err, Files expected) {
            QTest::newRow(tag) << arguments << given << exitCode << out << err << expected;
        };
        const Files unchanged{{".", "="}};
        const QByteArray current = "current_profile = ";
        const QByteArray pad = "%D/stats/lane.pad";
        // clang-format off
        row("--help", {"--help"}, {}, 0, {"use"}, {}, {});
        row("--version, the build's", {"--version"}, {}, 0, {"zrctl " ZR_VERSION "\n"}, {}, {});
        row("profiles, sorted without regard to case", {"profiles"}, {{"Profiles/alpha/Config.conf", "IP = 127.0.0.9\r\n"}, {"Profiles/charlie/Log/Event.log", ""}}, 0, {"alpha\t127.0.0.9\ncharlie\t\nNorth\t127.0.0.1\nSouth\t127.0.0.2\n"}, {}, unchanged);
        row("profiles --long: last successful update and retrieve, last result", {"profiles", "--long"}, {{"Profiles/North/Log/Transfers.csv", "Start,End,Kind,Result,Bytes sent,Bytes received,Error\r\n2026-12-01 09:00:00,2026-12-01 09:00:20,update,ok,5000,10,\r\n2026-12-02 09:00:00,2026-12-02 09:00:05,retrieve,ok,0,300,\r\nhalf a li\r\n2026-12-03 09:00:00,2026-12-03 09:00:09,update,failed,0,0,\"FTP: Send a.jpg, \"\"552\"\"\"\r\n"}}, 0, {"North\t127.0.0.1\t2026-12-01 09:00:20\t2026-12-02 09:00:05\tupdate failed 2026-12-03 09:00:09: FTP: Send a.jpg, \"552\"\nSouth\t127.0.0.2\tnever\tnever\tnone\n"}, {}, unchanged);
        row("use makes a new profile unasked", {"use", "East"}, {}, 0, {}, {}, {{"Profiles/East/Items", "*"}, {"Profiles/East/Stats/Pop", "*"}, {"Profiles/East/Stats/Sugg", "*"}, {"Profiles/East/Stats/Pad", "*"}, {"Profiles/East/Demo", "*"}, {"Profiles/East/Config.conf", "IP = \r\n"}, {"Profiles/East/Config/zr.conf", "\r\ndisplay_mode "}, {"Profiles/East/Log/Event.log", " display_mode given default setting of portrait"}, {"Profiles/Profiles.conf", current + "\"East\""}});
        row("use asks for missing lines, yes by default", {"use", "North"}, {{"zr.ini", NotFirstRun}, {"Profiles/North/Config/zr.conf", SmallConf}}, 0, {}, {MissingDisplayMode + "\nAnswer: yes\n"}, {{"Profiles/North/Config/zr.conf", "\r\ndisplay_mode "}, {"Profiles/North/Log/Event.log", "display_mode given default setting of portrait"}, {"Profiles/Profiles.conf", current + "\"North\""}});
        row("use, answer yes", {"use", "North", "--answer", "yes"}, {{"zr.ini", NotFirstRun}, {"Profiles/North/Config/zr.conf", SmallConf}}, 0, {}, {MissingDisplayMode + "\nAnswer: yes\n"}, {{"Profiles/North/Config/zr.conf", "\r\ndisplay_mode "}});
        row("use, answer no changes nothing", {"use", "North", "--answer", "no"}, {{"zr.ini", NotFirstRun}, {"Profiles/North/Config/zr.conf", SmallConf}}, 3, {}, {"\nAnswer: no\n"}, unchanged);
        row("use, name dot dot", {"use", ".."}, {}, 1, {}, {"zrctl: "}, unchanged);
        row("use, name with a slash", {"use", "a/b"}, {}, 1, {}, {"zrctl: "}, unchanged);
        row("use, blanks only", {"use", "  "}, {}, 1, {}, {"zrctl: "}, unchanged);
        row("no command", {}, {}, 2, {}, {Usage}, unchanged);
        row("unknown command", {"frobnicate"}, {}, 2, {}, {Usage}, unchanged);
        row("use without a name", {"use"}, {}, 2, {}, {Usage}, unchanged);
        row("answer maybe", {"use", "North", "--answer", "maybe"}, {}, 2, {}, {Usage}, unchanged);
        row("new", {"new", " East ", "--ip", "127.0.0.3"}, {}, 0, {}, {}, {{"Profiles/East/Config.conf", "IP = 127.0.0.3"}, {"Profiles/East/Config/zr.conf", "*"}, {"Profiles/Profiles.conf", current + "\"East\""}});
        row("new, existing name", {"new", "north", "--ip", "1.2.3.4"}, {}, 1, {}, {"zrctl: Profile already exists."}, unchanged);
        row("new, 256", {"new", "East", "--ip", "127.0.256.1"}, {}, 1, {}, {"Value must be in range 0 - 255."}, unchanged);
        row("new, three parts", {"new", "East", "--ip", "127.0.1"}, {}, 2, {}, {Usage}, unchanged);
        row("rename the current profile", {"rename", "south", "West"}, {}, 0, {"West\n"}, {}, {{"Profiles/South", ""}, {"Profiles/West/Config.conf", "127.0.0.2"}, {"Profiles/Profiles.conf", current + "\"West\""}});
        row("rename another profile", {"rename", "North", "East"}, {}, 0, {"East\n"}, {}, {{"Profiles/North", ""}, {"Profiles/East/Items/items", "Burger"}, {"Profiles/Profiles.conf", current + "\"South\""}});
        row("rename to an existing name", {"rename", "North", "SOUTH"}, {}, 1, {}, {"Profile already exists."}, unchanged);
        row("delete", {"delete", "North"}, {}, 0, {}, {}, {{"Profiles/North", ""}, {"Profiles/South/Config.conf", "="}});
        row("delete, missing", {"delete", "West"}, {}, 1, {}, {"zrctl: There is no profile West.\n"}, unchanged);
        row("copy", {"copy", "North", "South"}, {}, 0, {}, {}, {{"Profiles/South/Items/items", "Burger"}, {"Profiles/South/Config.conf", "="}});
        row("copy, missing source", {"copy", "West", "South"}, {}, 1, {}, {"The profile West does not exist."}, unchanged);
        row("backup", {"backup", "North", "South", "--to", "@/Saved"}, {}, 0, {"South.zrp\n"}, {}, {{"Saved/North.zrp", "North/Items/items"}, {"Saved/South.zrp", "South/Stats/Sugg/"}});
        row("backup, missing folder", {"backup", "North", "--to", "@/Nowhere"}, {}, 1, {}, {"Problem backing up North."}, {{"Nowhere", ""}});
        row("backup into Profiles", {"backup", "North", "--to", "@/Profiles/South"}, {}, 1, {}, {"Cannot back up files under the ZR5000FE Profiles directory."}, unchanged);
        row("restore", {"restore", "@/Saved/North.zrp"}, {{"Profiles/North/Items/items", "changed"}}, 0, {"North\n"}, {"The profile North already exists.  Do you want to replace its files?\nAnswer: yes"}, {{"Profiles/North/Items/items", Burger}});
        row("restore, answer no", {"restore", "@/Saved/North.zrp", "--answer", "no"}, {{"Profiles/North/Items/items", "changed"}}, 0, {}, {"Answer: no"}, unchanged);
        row("restore, not an archive", {"restore", "@/Profiles/Profiles.conf"}, {}, 1, {}, {"Restore failed."}, unchanged);
        row("items show: sorted, family names, quoted cells, Windows code page", {"items", "show", "North"}, {{"Profiles/North/Items/items", Burger + "\r\n\"Apple\",\"Pie, \"hot\",\"Pie.JPG\",60,\"TRUE\",\"gone.jpg\",\"TRUE\"\r\n\"Caf\x80\",12\" Latte,\"burger.jpg\",30,\"FALSE\",\"\",\"FALSE\"\r\n"}}, 0, {Header + "Apple,\"Pie,\",GreatChoice.jpg,(none),TRUE,,TRUE\n" + BurgerRow + "Caf€,\"12\"\" Latte\",burger.jpg,Drink,FALSE,,FALSE\n"}, {}, unchanged);
        row("items show: the default item picture of zr.ini", {"items", "show", "North"}, {{"zr.ini", NotFirstRun + "default_item_image = fries.jpg\r\n"}, {"Profiles/North/Items/items", QByteArray(Burger).replace("burger.jpg", "")}}, 0, {Header + "Burger,Big Burger,fries.jpg,Entree"}, {}, unchanged);
        row("items show: no items file", {"items", "show", "South"}, {}, 4, {Header}, {"zrctl: No Items File found for this profile.\nzrctl: Retrieve your system information from your OCB.\n"}, unchanged);
        row("items show: only a blank name", {"items", "show", "North"}, {{"Profiles/North/Items/items", QByteArray(Burger).replace("Burger\"", " \"")}}, 4, {}, {"No Items File found"}, unchanged);
        row("items show: an empty file is kept", {"items", "show", "North"}, {{"Profiles/North/Items/items", ""}}, 4, {Header}, {}, unchanged);
        row("items show: bad record keeps the rows before it", {"items", "show", "North"}, {{"Profiles/North/Items/items", Burger + "\r\n" + QByteArray(Burger).replace("TRUE", "true")}}, 5, {Header + BurgerRow}, {"zrctl: Items File is not formatted correctly.\nzrctl: The record that starts on line 2"}, unchanged);
        row("items show: end inside a record", {"items", "show", "North"}, {{"Profiles/North/Items/items", Burger + "\r\n\"A\",\"a\"\r\n"}}, 5, {Header + BurgerRow}, {"ends inside the record that starts on line 2."}, unchanged);
        row("items show: unknown profile", {"items", "show", "Nobody"}, {}, 1, {}, {"zrctl: There is no profile Nobody.\n"}, unchanged);
        row("items check: all correct, upper-case JPG and family 7", {"items", "check", "North"}, {{"Profiles/North/Items/items", Burger + "\r\n" + QByteArray(Burger).replace(",10,", ",7,").replace("burger.jpg", "B.JPG") + "\r\n"}}, 0, {"1: ok\n2: ok\n"}, {}, unchanged);
        row("items check: one problem per line", {"items", "check", "North"}, {{"Profiles/North/Items/items", QByteArray(Burger).replace("TRUE", "True") + "\r\n\r\n" + Burger + ",\"x\"\r\n" + Burger}}, 5, {"1: field 5: neither \"TRUE\" nor \"FALSE\": True\n2: field 1: no pair of double quotes\n3: field 8: text after the seventh field: ,\"x\"\n4: ok\n"}, {}, unchanged);
        row("items check: unknown profile", {"items", "check", "Nobody"}, {}, 1, {}, {"zrctl: There is no profile Nobody.\n"}, unchanged);
        row("report pad", {"report", "pad", pad}, {}, 0, {"\n1,1,12,1/5/2003 9:00:00,10,1/5/2003 9:01:00,60,12.34,1/5/2003 9:00:10,1/5/2003 9:00:50,1/5/2003 9:02:00,15.00,1/5/2003 9:03:00,-2.66,1/5/2003 9:03:30,90,210\n"}, {}, unchanged);
        row("report ascii pad", {"report", "ascii-pad", "%D/stats/ascii.pad"}, {}, 0, {"\n8,1/5/2003 9:02:00,1/5/2003 9:03:00,1/5/2003 9:02:10,1/5/2003 9:02:40,-0.05\n"}, {}, {});
        row("report pop", {"report", "pop", "%D/stats/track.txt"}, {}, 0, {"\n2,12/31/2002 23:59:59,\"Combo, large.jpg\",80,2\n"}, {}, {});
        row("report suggestive sell", {"report", "sugg", "%D/stats/track.txt"}, {}, 0, {"\n1,12/31/2002 23:59:59,pop1.jpg,120,7\n"}, {}, {});
        row("report pad cut short", {"report", "pad", "%D/stats/truncated.pad"}, {}, 6, {"1/5/2003 9:00:50,,,,,,,\n"}, {FileProblem}, {});
        row("report pop, short last line", {"report", "pop", "%D/stats/short.txt"}, {}, 6, {"\n1,12/31/2002 23:59:59,pop1.jpg,120,7\n"}, {FileProblem}, {});
        row("report pad summary", {"report", "pad", pad, "--summary"}, {}, 0, {"Period        Cars   Greet    Pad1    Pad2   Total\nAll              3     7.5    45.0    55.0   210.0\n\nBreakfast        3     7.5    45.0    55.0   210.0\n", "\nClosed           0       -       -       -       -\n\n09:00            3     7.5    45.0    55.0   210.0\n"}, {}, unchanged);
        // The cars arrive on a Sunday at 9; Sunday's breakfast starts at 10 here, so they fall in
        // Saturday's last day part. Missing lines take their defaults unasked, and nothing is written.
        row("report summary with the profile's start times", {"report", "pad", pad, "--summary", "--profile", "north"}, {{"zr.ini", NotFirstRun}, {"Profiles/North/Config/zr.conf", "tod_sun_break = 10:00\r\n"}}, 0, {"\nBreakfast        0 ", "\nClosed           3 "}, {}, unchanged);
        row("report summary, unknown profile", {"report", "pad", pad, "--summary", "--profile", "Nobody"}, {}, 1, {}, {"zrctl: Profiles: There is no profile Nobody.\n"}, unchanged);
        row("report summary of a pop file", {"report", "pop", "%D/stats/track.txt", "--summary"}, {}, 2, {}, {"--summary is for pad reports only"}, {});
        row("report fleet: a store without pad files has no cars", {"report", "fleet", "--goal", "300"}, {{"Profiles/North/Stats/Pad/lane.txt", zr::test::testData("stats/lane.pad")}}, 0, {"Store,Files,Cars,Greet,Pad1,Pad2,Total,Over Goal %,Breakfast Cars,", "\nNorth,1,3,7.5,45.0,55.0,210.0,0.0,3,7.5,45.0,55.0,210.0,0.0,0,,,,,,0,,,,,,0,,,,,\nSouth,0,0,,,,,,0,"}, {}, unchanged);
        row("report fleet: no cars on the days asked", {"report", "fleet", "--from", "2003-01-06"}, {{"Profiles/North/Stats/Pad/lane.txt", zr::test::testData("stats/lane.pad")}}, 0, {"\nNorth,1,0,,,,,,0,"}, {}, unchanged);
        row("report fleet: not a date", {"report", "fleet", "--to", "2026-02-30"}, {}, 1, {}, {"zrctl: --to \"2026-02-30\" is not a date: give it as YYYY-MM-DD, such as 2026-12-01.\n"}, unchanged);
        row("report fleet: from after to", {"report", "fleet", "--from", "2026-12-02", "--to", "2026-12-01"}, {}, 1, {}, {"zrctl: --from 2026-12-02 is after --to 2026-12-01.\n"}, unchanged);
        row("report, unknown kind", {"report", "cars", pad}, {}, 2, {}, {Usage}, {});
        row("report, no file", {"report", "pad"}, {}, 2, {}, {Usage}, {});
        row("report, missing file", {"report", "pad", "%D/stats/missing.pad"}, {}, 1, {}, {"zrctl: "}, unchanged);
        // A fleet: "sim" starts the simulator with these options (boards on 127.0.0.2 onwards),
        // "sigint" interrupts zrctl once its output shows that text; "overlap" names two boards
        // whose connections must overlap in time. No board is ever connected twice at once.
        const Files fleet{{"Profiles/North/Config.conf", "IP = 127.0.0.2\r\n"}, {"Profiles/South/Config.conf", "IP = 127.0.0.3\r\n"}, {"Profiles/North/Config/zr.conf", SmallConf}, {"Profiles/South/Config/zr.conf", SmallConf}};
        const auto with = [&](Files more) { more.insert(fleet); return more; };
        row("update every board, at once", {"update", "--all", "--force", "--port", "%P", "--retries", "0"}, {{"Profiles/North/Config/zr.conf", SmallConf}, {"Profiles/South/Config/zr.conf", SmallConf}}, 1, {"North: [1/150] 127.0.0.1 Attempting connection...\n", "South: [1/150] Connection to South@127.0.0.2 Failed.\n", "\nProfile  Address    Result         Seconds  Bytes\nNorth    127.0.0.1  updated  ", "\nSouth    127.0.0.2  no connection  ", "\nSouth: The board at 127.0.0.2 did not answer.\n"}, {}, {{"ocb:zr/images/pops/lunch.jpg", "jpeg bytes"}, {"ocb:zr/images/items/burger.jpg", "jpeg bytes"}, {"ocb:zr/var/zr.conf", "pop_week_lunch = lunch.jpg 5"}, {"Profiles/North/Log/Transfers.csv", ",update,ok,413,"}, {"Profiles/South/Log/Transfers.csv", ",update,failed,0,0,Connection to South@127.0.0.2 Failed.\r\n"}});
        row("fleet: all succeed", {"update", "North", "South", "--force", "--port", "%P", "--report", "@/run.csv"}, with({{"sim", "--boards 2"}}), 0, {"\nNorth    127.0.0.2  updated  ", "\nSouth    127.0.0.3  updated  "}, {}, {{"overlap", "127.0.0.2 127.0.0.3"}, {"ocb:127.0.0.3/zr/var/zr.conf", "pop_week_lunch"}, {"run.csv", "Profile,Address,Result,Seconds,Bytes,Reason\nNorth,127.0.0.2,updated,"}});
        row("fleet: two profiles of one board take turns", {"retrieve", "--all", "--only", "statistics", "--port", "%P"}, [&] { Files f = with({{"sim", "--boards 1 --seed-stats"}}); f["Profiles/South/Config.conf"] = "IP = 127.0.0.2\r\n"; return f; }(), 0, {"\nNorth    127.0.0.2  retrieved  ", "\nSouth    127.0.0.2  retrieved  "}, {}, {});
        row("fleet: boards the check finds errors in are skipped, nothing sent", {"update", "--all", "--port", "%P"}, with({{"sim", "--boards 2"}}), 8, {"error: POP slideshow, Week / Breakfast: ", "\nNorth    127.0.0.2  skipped  ", "\nSouth: The check found errors. Put them right, or use --force.\n"}, {}, {{"ocb:127.0.0.2/zr/var/zr.conf", ""}, {"ocb:127.0.0.3/zr/var/zr.conf", ""}, {"ocb:127.0.0.2/zr/ctrl/unlock", ""}});
        row("fleet: one board silent, tried twice", {"retrieve", "--all", "--only", "statistics", "--port", "%P", "--report", "@/run.csv"}, with({{"sim", "--boards 1 --seed-stats"}}), 1, {"\nNorth    127.0.0.2  retrieved  ", "\nSouth: The board at 127.0.0.3 did not answer. Tried 2 times.\n"}, {}, {{"Profiles/North/Stats/Pad/drive_1.txt", "*"}, {"run.csv", "\nSouth,127.0.0.3,no connection,"}});
        row("fleet: one board full", {"update", "--all", "--force", "--port", "%P"}, with({{"sim", "--boards 2 --quota 127.0.0.3=200"}}), 1, {"\nSouth    127.0.0.3  failed  ", "\nSouth: There is not enough free space on the OCB to finish the update!  Aborting!\n"}, {}, {{"ocb:127.0.0.2/zr/var/zr.conf", "pop_week_lunch"}, {"ocb:127.0.0.3/zr/var/zr.conf", ""}});
        row("fleet: one board drops part way, not tried again", {"update", "--all", "--force", "--port", "%P"}, with({{"sim", "--boards 2 --drop 127.0.0.3=lunch.jpg"}}), 1, {"\nSouth    127.0.0.3  failed  "}, {}, {{"ocb:127.0.0.2/zr/var/zr.conf", "pop_week_lunch"}, {"ocb:127.0.0.3/zr/var/zr.conf", ""}, {"ocb:127.0.0.3.journal", "STOR /zr/images/pops/lunch.jpg\nCLOSE "}});
        row("fleet: Ctrl-C lets the running board finish its step", {"update", "--all", "--force", "--port", "%P", "--jobs", "1"}, with({{"sim", "--boards 2 --latency 100"}, {"sigint", "Unlocking OCB"}}), 1, {"\nNorth    127.0.0.2  interrupted  ", "\nSouth    127.0.0.3  not started  ", "North: Stopped after: Unlocking OCB File System.\n"}, {"zrctl: Stopping: no new board starts"}, {{"ocb:127.0.0.2/zr/ctrl/unlock", ""}, {"ocb:127.0.0.2.journal", "QUIT\nCLOSE "}, {"ocb:127.0.0.3/zr/ctrl/unlock", ""}});
        row("retrieve only statistics from --host", {"retrieve", "North", "--only", "statistics", "--host", "127.0.0.1", "--port", "%P"}, {{"ocb:zr/var/zr.conf", "not fetched"}, {"Profiles/North/Config.conf", "IP = 127.0.0.9\r\n"}}, 0, {"] Skipping retrieval of Config File.\n", "] Standard Retrieval completed successfully!\n"}, {}, {{"Profiles/North/Config/zr.conf", "="}, {"Profiles/North/Stats/Pad/drive_1.txt", "*"}, {"Profiles/North/Stats/Pop/pop_1.txt", "*"}, {"Profiles/North/Stats/Sugg/sugg_1.txt", "*"}, {"Profiles/North/Stats/Pad/0412.zrs", "*"}, {"ocb:zr/var/drive_1", ""}, {"Profiles/North/Log/Transfers.csv", ",retrieve,ok,0,"}});
        row("check: warnings only", {"check", "North"}, {}, 7, {"warning: Suggestive sales, Breakfast: No item shown on the board belongs to the family Side (20)", "\nNorth: 0 errors, 12 warnings; the update would send 0.0 MB ("}, {}, unchanged);
        row("check: clean", {"check", "North"}, {{"Profiles/North/Items/items", Burger + "\r\n" + Menu}}, 0, {"North: 0 errors, 0 warnings; the update would send 0.0 MB ("}, {}, unchanged);
        row("check: errors", {"check", "South"}, {}, 8, {"error: Menu items: The profile has no menu items.", "\nSouth: 1 error, 0 warnings; "}, {}, unchanged);
        row("check: unknown profile", {"check", "Nobody"}, {}, 1, {}, {"zrctl: There is no profile Nobody.\n"}, unchanged);
        row("update refused on errors: not even a connection", {"update", "South", "--host", "127.0.0.1", "--port", "%P"}, {}, 8, {"error: Menu items: "}, {"zrctl: South was not sent: the check found errors. Put them right, or use --force.\n"}, {{".", "="}, {"ocb:../journal", "="}});
        row("update with --force: the standard update", {"update", "South", "--force", "--host", "127.0.0.1", "--port", "%P"}, {}, 0, {"error: Menu items: ", "] No menu items file to send.\n", "] Update Completed.\n"}, {}, {{"ocb:zr/var/zr.conf", "display_mode"}});
        const QByteArray twoPops = "pop_fri_lunch = lunch.jpg 5\r\npop_fri_lunch = gone.jpg 3\r\n";
        row("preview: the moment, its slideshow and the order", {"preview", "North", "--at", "FRI 11:30:07", "--order", "burger"}, {{"zr.ini", NotFirstRun}, {"Profiles/North/Config/zr.conf", twoPops}}, 0, {"Schedule: fri (Friday)\nDay part: lunch (Lunch), started Fri 10:30:00\n", "\nPOP 1: lunch.jpg, 5 s\nPOP 2: gone.jpg, 3 s\nShowing at 3607 s into the day part: POP 2 gone.jpg, second 3 of 3\nOrder line 1: Burger, Big Burger, Entree, 3.99\nTax: 0.14\nTotal: 4.13\n", "\nProblem: POP gone.jpg: missing\n"}, {}, unchanged);
        row("preview: bad time", {"preview", "North", "--at", "fri 24:00"}, {}, 1, {}, {"zrctl: The moment \"fri 24:00\" is not a weekday and a 24-hour time"}, unchanged);
        row("preview: an item the board does not show", {"preview", "North", "--at", "fri 11:30", "--order", "Burger,Shake"}, {}, 1, {}, {"zrctl: There is no item \"Shake\" on the board of North"}, unchanged);
        row("preview: unknown profile", {"preview", "Nobody", "--at", "fri 11:30"}, {}, 1, {}, {"zrctl: There is no profile Nobody.\n"}, unchanged);
#ifdef ZR_WITH_DRAW
        // The idle screen at that size shows the solid red POP in its middle.
        QByteArray red;
        QBuffer buffer(&red);
        QImage solid(640, 480, QImage::Format_RGB32);
        solid.fill(Qt::red);
        solid.save(&buffer, "JPG");
        row("preview: the drawing", {"preview", "North", "--at", "tue 11:00", "--png", "@/board.png", "--size", "300x400"}, {{"ZRScreens/POP/red.jpg", red}, {"Profiles/North/Config/zr.conf", "pop_week_lunch = red.jpg 5\r\n"}}, 0, {"Drawing: "}, {}, {{"board.png", "png 300x400 red"}, {"Profiles", "="}});
#endif
        row("update without a board", {"update"}, {}, 2, {}, {"zrctl: Name a profile, or use --all."}, unchanged);
        row("retrieve, unknown part", {"retrieve", "North", "--only", "pictures"}, {}, 2, {}, {Usage}, unchanged);
        row("update, port out of range", {"update", "North", "--port", "70000"}, {}, 2, {}, {Usage}, unchanged);
        row("retrieve, unknown profile", {"retrieve", "Nowhere"}, {}, 1, {}, {"zrctl: There is no profile Nowhere.\n"}, unchanged);
        // clang-format on
    }

    void command() {
        QFETCH(QStringList, arguments);
        QFETCH(Files, given);
        const QStringList simOptions = QString(given.take("sim")).split(' ', Qt::SkipEmptyParts);
        const QByteArray interruptAt = given.take("sigint");
        QFETCH(int, exitCode);
        QFETCH(QByteArrayList, out);
        QFETCH(QByteArrayList, err);
        QFETCH(Files, expected);
        const QStringList overlap = QString(expected.take("overlap")).split(' ', Qt::SkipEmptyParts);
        m_sim.reset();
        if (arguments.contains("%P")) {
            m_sim = std::make_unique<OcbSim>(simOptions.isEmpty() ? QStringList{"--seed-stats"} : simOptions);
            QVERIFY2(m_sim->start(), qPrintable(m_sim->error()));
        }
        TempApp app;
        for (const auto& [path, bytes] : folderTree(m_base->dir.path()).asKeyValueRange())
            if (bytes == "<folder>")
                QDir().mkpath(app.path(path));
            else
                app.write(path, bytes);
        for (const auto& [key, bytes] : given.asKeyValueRange()) {
            QDir().mkpath(QFileInfo(where(app, key)).absolutePath());
            QFile f(where(app, key));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        }
        const QMap<QString, QByteArray> before = folderTree(app.dir.path());

        Run r;
        if (interruptAt.isEmpty()) {
            r = zrctl(app.dir.path(), arguments);
        } else {
            QProcess p;
            p.start(ZRCTL_PATH, QStringList{"--app", app.dir.path()} + arguments.replaceInStrings("%P", QString::number(m_sim->port())));
            for (int i = 0; p.waitForStarted(5000) && i < 300 && !r.out.contains(interruptAt); ++i)
                r.out += p.waitForReadyRead(100) ? p.readAllStandardOutput() : QByteArray();
            ::kill(p.processId(), SIGINT);
            QVERIFY(p.waitForFinished(30000));
            r = {p.exitCode(), r.out + p.readAllStandardOutput(), p.readAllStandardError()};
        }
        // A board's connections as its journal's OPEN and CLOSE times: each one closes before the
        // next opens, so no board is connected twice at once. The first opening and last closing.
        const auto sessions = [&](const QString& board) {
            QList<QByteArray> lines = m_sim->remote(board + ".journal").split('\n');
            lines.removeIf([](const QByteArray& line) { return !line.startsWith("OPEN ") && !line.startsWith("CLOSE "); });
            for (qsizetype i = 0; i < lines.size(); ++i)
                if (lines[i].startsWith("OPEN ") != (i % 2 == 0)) return std::pair{1.0, 0.0};
            return lines.size() < 2 ? std::pair{0.0, 0.0} : std::pair{lines.first().mid(5).toDouble(), lines.last().mid(6).toDouble()};
        };
        for (int b = 2; !simOptions.isEmpty() && b < 4; ++b)
            QVERIFY2(sessions(QString("127.0.0.%1").arg(b)).first <= sessions(QString("127.0.0.%1").arg(b)).second, "a board was connected twice at once");
        if (!overlap.isEmpty()) {
            const auto a = sessions(overlap[0]), b = sessions(overlap[1]);
            QVERIFY2(a.first < b.second && b.first < a.second, "the boards ran one after the other");
        }
        QVERIFY2(r.exitCode == exitCode, qPrintable(QString::number(r.exitCode) + ' ' + r.err));
        for (const QByteArray& fragment : out)
            QVERIFY2(r.out.contains(fragment), r.out.constData());
        QVERIFY2(!err.isEmpty() || r.err.isEmpty(), r.err.constData());
        for (const QByteArray& fragment : err)
            QVERIFY2(r.err.contains(fragment), r.err.constData());
        for (const auto& [key, want] : expected.asKeyValueRange()) {
            QFile f(where(app, key));
            const QByteArray now = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
            if (key == "." || key == "Profiles") { // the whole folder, or one sub-folder, unchanged
                Files now = folderTree(app.dir.path()), was = before;
                const auto outside = [&](Files::iterator it) { return key != "." && !it.key().startsWith(key); };
                now.removeIf(outside), was.removeIf(outside);
                QCOMPARE(now, was);
            }
#ifdef ZR_WITH_DRAW
            else if (want.startsWith("png ")) {
                const QImage png(where(app, key));
                const QColor middle = png.pixelColor(png.width() / 2, png.height() / 2), wanted(QString::fromLatin1(want.split(' ')[2]));
                QCOMPARE(QString("%1x%2").arg(png.width()).arg(png.height()), want.split(' ')[1]);
                QVERIFY(qAbs(middle.red() - wanted.red()) + qAbs(middle.green() - wanted.green()) + qAbs(middle.blue() - wanted.blue()) < 30);
            }
#endif
            else if (want.isEmpty() || want == "*")
                QVERIFY2(f.exists() != want.isEmpty(), qPrintable(key));
            else if (want == "=")
                QCOMPARE(now, before.value(key));
            else
                QVERIFY2(now.contains(want), qPrintable(key + ": " + now));
        }
    }
};

QTEST_GUILESS_MAIN(TestZrctl)
#include "tst_zrctl.moc"
