// Saving profiles: the exact zr.conf layout and stable round trips.

#include "TestSupport.h"
#include "app/AppError.h"
#include "model/Profiles.h"

#include <QDirIterator>

using namespace zr;
using namespace zr::test;

namespace {

struct Fixture {
    TempApp app;
    FakeClock clock;
    ScriptedPrompts prompts;
    Profiles profile{app.paths, clock, prompts};

    Fixture() { profile.setID("North"); }  // a new profile: every default, no question
    QByteArray saved() {
        profile.SaveProfile();
        return app.read("Profiles/North/Config/zr.conf");
    }
    QStringList savedLines() { return crlfLines(saved()); }
};

/// The lines from the one that equals `first`, `count` of them.
QStringList linesFrom(const QStringList& lines, const QString& first, int count) {
    const qsizetype at = lines.indexOf(first);
    return at < 0 ? QStringList{} : lines.mid(at, count);
}

} // namespace

class TestConfigWriter : public QObject {
    Q_OBJECT
private slots:
    void newProfileIsTheDefaultLayout();
    void layoutFollowsTheModel_data();
    void layoutFollowsTheModel();
    void roundTripIsStable_data();
    void roundTripIsStable();
    void textBytesAreKept();
    void failedSaveKeepsTheOldFile();
};

void TestConfigWriter::newProfileIsTheDefaultLayout() {
    Fixture f;
    QCOMPARE(f.app.read("Profiles/North/Config/zr.conf"), testData("golden/default-zr.conf"));
    QCOMPARE(f.app.read("Profiles/North/Config.conf"), QByteArray("IP = \r\n"));
    f.profile.setIPAddress("  10.77.77.85 ");
    QCOMPARE(f.saved(), testData("golden/default-zr.conf"));
    QCOMPARE(f.app.read("Profiles/North/Config.conf"), QByteArray("IP = 10.77.77.85\r\n"));
}

void TestConfigWriter::layoutFollowsTheModel_data() {
    using Edit = std::function<void(Profiles&)>;
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty pre-sell list writes no text lines")
        << Edit([](Profiles& p) { p.PreSellMessage().MessageList().clear(); }) << "screen_saver_bg = 0"
        << QStringList{"screen_saver_bg = 0", "", "# smooth or random                   #####"};
    QTest::newRow("random scrolling has no microseconds")
        << Edit([](Profiles& p) { p.PreSellMessage().setMessageDisplayType("random"); })
        << "screen_saver_mode  = random"
        << QStringList{"screen_saver_mode  = random", "screen_saver_sec_to = 0", "",
                       "# microseconds for smooth scroll", "screen_saver_usec_to = 0"};
    QTest::newRow("SMOOTH is not smooth")
        << Edit([](Profiles& p) { p.PreSellMessage().setMessageDisplayType("SMOOTH"); })
        << "# microseconds for smooth scroll"
        << QStringList{"# microseconds for smooth scroll", "screen_saver_usec_to = 0"};
    QTest::newRow("day part without POPs")
        << Edit([](Profiles& p) { p.Week("sat")->Day("lunch")->POPs.clear(); }) << "# Selections for sat lunch"
        << QStringList{"# Selections for sat lunch", "", "# Selections for sat dinner"};
    QTest::newRow("pictures in lower case, slideshow order kept")
        << Edit([](Profiles& p) {
               p.Week("fri")->Day("break")->POPs = {{"Big.JPG", "5"}, {"small.jpg", "1"}};
           })
        << "# Selections for fri break"
        << QStringList{"# Selections for fri break", "pop_fri_break = big.jpg    5", "pop_fri_break = small.jpg    1",
                       ""};
    QTest::newRow("4:30 PM is 16:30")
        << Edit([](Profiles& p) { p.Week("sun")->Day("break")->StartTime = QTime(16, 30, 59); })
        << "# Selections for sun"
        << QStringList{"# Selections for sun", "tod_sun_break   = 16:30"};
    QTest::newRow("mode in capitals is written in lower case")
        << Edit([](Profiles& p) { p.POS().setMode("REGISTERS"); }) << "pos_mode           = registers"
        << QStringList{"pos_mode           = registers"};
    QTest::newRow("empty translator type is written as Compris")
        << Edit([](Profiles& p) { p.POS().setID(""); }) << "translator_type    = \"Compris\""
        << QStringList{"translator_type    = \"Compris\""};
    QTest::newRow("driver follows the translator type")
        << Edit([](Profiles& p) { p.POS().setID("Micros 2400"); }) << "start zrmicros2400      # register port (translator)"
        << QStringList{"start zrmicros2400      # register port (translator)"};
    QTest::newRow("suggestions: dinner has one blank less after the family")
        << Edit([](Profiles& p) {
               p.Week("week")->Day("lunch")->Suggest = {{"20", "Fries.JPG", "Fries?"}};
               p.Week("week")->Day("dinner")->Suggest = {{"40", "Pie.jpg", "Pie?"}};
               p.Week("fri")->Day("lunch")->Suggest = {{"10", "no.jpg", "not written"}};
           })
        << "sugg_lunch = 20     fries.jpg    \"Fries?\""
        << QStringList{"sugg_lunch = 20     fries.jpg    \"Fries?\"", "", "sugg_dinner = 40    pie.jpg    \"Pie?\"",
                       "", "", "", "#####            POP DEFINITIONS                 #####"};
    QTest::newRow("dates with a date part")
        << Edit([](Profiles& p) {
               p.OCBComm().setLastUpdated({QDate(2026, 12, 5), QTime(20, 5, 7)});
               p.OCBComm().setLastRetrieved({QDate(2026, 1, 15), QTime(0, 0, 0)});
           })
        << "#####        SYSTEM DATES        #####"
        << QStringList{"#####        SYSTEM DATES        #####", "last_update      =    \"12/5/2026 8:05:07 PM\"",
                       "last_retrieval   =    \"1/15/2026 12:00:00 AM\""};
    QTest::newRow("numbers") << Edit([](Profiles& p) {
        p.PreSellMessage().setForeColor(-1);
        p.PreSellMessage().setMessageToPOPTime(-32768);
        p.TotalScreen().setTotalScreenDelay(32767);
    }) << "screen_saver_fg = -1"
                             << QStringList{"screen_saver_fg = -1"};
}

void TestConfigWriter::layoutFollowsTheModel() {
    using Edit = std::function<void(Profiles&)>;
    QFETCH(Edit, edit);
    QFETCH(QString, from);
    QFETCH(QStringList, expected);
    Fixture f;
    edit(f.profile);
    const QStringList lines = f.savedLines();
    QCOMPARE(linesFrom(lines, from, expected.size()), expected);
    // Saving the same model again gives the same bytes.
    QCOMPARE(f.saved(), (lines.join("\r\n") + "\r\n").toLatin1());
}

void TestConfigWriter::roundTripIsStable_data() {
    QTest::addColumn<QString>("file");
    QDirIterator it(QStringLiteral(ZR_TEST_DATA) + "/conf", {"*.conf"}, QDir::Files);
    while (it.hasNext()) {
        it.next();
        QTest::newRow(qPrintable(it.fileName())) << "conf/" + it.fileName();
    }
    QTest::newRow("default layout") << "golden/default-zr.conf";
}

void TestConfigWriter::roundTripIsStable() {
    QFETCH(QString, file);
    TempApp app;
    app.notFirstRun();
    FakeClock clock;
    ScriptedPrompts prompts;
    prompts.answers = {Button::Yes, Button::Yes};
    Profiles profile(app.paths, clock, prompts);
    app.write("Profiles/P/Config/zr.conf", testData(file));
    profile.setID("P");
    const QByteArray first = app.read("Profiles/P/Config/zr.conf");
    profile.SaveProfile();
    QCOMPARE(app.read("Profiles/P/Config/zr.conf"), first);
    profile.setID("P");
    QVERIFY(prompts.asked.size() <= 1);
    const QByteArray second = app.read("Profiles/P/Config/zr.conf");
    if (second != first) QCOMPARE(crlfLines(second), crlfLines(first));
    QCOMPARE(second, first);
}

void TestConfigWriter::textBytesAreKept() {
    TempApp app;
    app.notFirstRun();
    FakeClock clock;
    ScriptedPrompts prompts;
    Profiles profile(app.paths, clock, prompts);
    app.write("Profiles/P/Config/zr.conf", testData("conf/handedited.conf"));
    profile.setID("P");
    const QByteArray out = app.read("Profiles/P/Config/zr.conf");
    // 8-bit text (here Windows-1252) goes back out byte for byte.
    QVERIFY(out.contains("screen_saver_text = \"V\xe4lkommen till\"\r\n"));
    QVERIFY(out.contains("sugg_dinner = 40    pie.jpg    \"Apple pie \x80" "1\"\r\n"));
    QVERIFY(out.contains("message_lunch = \"Smaklig m\xe5ltid\"\r\n"));
    QVERIFY(out.contains("red_dot_config     = /zr/var/pos.cfg\r\n"));
    QVERIFY(out.contains("start zrpartc      # register port (translator)\r\n"));
    QVERIFY(out.contains("pos_version        = \"4.2 b\"\r\n"));
    QVERIFY(!out.contains("my_own_key"));
    QVERIFY(!out.contains("ignored"));
    QVERIFY(prompts.asked.isEmpty());
}

void TestConfigWriter::failedSaveKeepsTheOldFile() {
    Fixture f;
    f.profile.setIPAddress("10.1.1.1");
    f.saved();
    const QByteArray ip = f.app.read("Profiles/North/Config.conf");
    // The Config folder replaced by a file: the save reports the failure and
    // writes nothing further.
    QVERIFY(QDir(f.app.path("Profiles/North/Config")).removeRecursively());
    f.app.write("Profiles/North/Config", "not a folder");
    f.profile.setIPAddress("10.2.2.2");
    QVERIFY_THROWS_EXCEPTION(AppError, f.profile.SaveProfile());
    QCOMPARE(f.app.read("Profiles/North/Config"), QByteArray("not a folder"));
    QCOMPARE(f.app.read("Profiles/North/Config.conf"), ip);
}

QTEST_GUILESS_MAIN(TestConfigWriter)
#include "tst_configwriter.moc"
