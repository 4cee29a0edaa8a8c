// Loading profiles: defaults, the missing-line question, hand-edited files.

#include "TestSupport.h"
#include "app/AppError.h"
#include "model/ConfigReader.h"
#include "model/Profiles.h"

#include <QRegularExpression>

using namespace zr;
using namespace zr::test;

namespace {

/// The program's own file for a new profile, as text lines.
QStringList defaultLines() { return crlfLines(testData("golden/default-zr.conf")); }

/// The default file without the lines whose key matches, plus extra lines.
QByteArray edited(const QString& removeKeys, const QStringList& extra = {}) {
    QStringList lines = defaultLines();
    if (!removeKeys.isEmpty()) {
        const QRegularExpression re("^(" + removeKeys + ")\\s*=");
        lines.removeIf([&](const QString& l) { return re.match(l).hasMatch(); });
    }
    lines << extra;
    return (lines.join("\r\n") + "\r\n").toLatin1();
}

QString pops(const TimeOfDay* day) {
    QStringList out;
    for (const PopEntry& p : day->POPs) out << p.Picture + ' ' + p.Time;
    return out.join('|');
}

QString suggestions(const TimeOfDay* day) {
    QStringList out;
    for (const SuggestEntry& s : day->Suggest) out << s.Family + ' ' + s.Picture + ' ' + s.Message;
    return out.join('|');
}

/// A model value by a readable name, for data-driven checks.
QString valueOf(Profiles& p, const QString& what) {
    const QStringList path = what.split('.');
    if (what == "DisplayMode") return p.DisplayMode();
    if (what == "Language") return p.Language();
    if (what == "IPAddress") return p.IPAddress();
    if (what == "POS.ID") return p.POS().ID();
    if (what == "POS.Driver") return p.POS().Driver();
    if (what == "POS.Mode") return p.POS().Mode();
    if (what == "POS.CommType") return p.POS().CommType();
    if (what == "POS.ConfigFile") return p.POS().ConfigFile();
    if (what == "POS.Version") return p.POS().Version();
    if (what == "POS.Till") return p.POS().Till();
    if (what == "OrderScreen.Font") return p.OrderScreen().Font();
    if (what == "OrderScreen.ShowUnitPrice") return p.OrderScreen().ShowUnitPrice();
    if (what == "OrderScreen.BreakfastMessage") return p.OrderScreen().BreakfastMessage();
    if (what == "TotalScreen.Font") return p.TotalScreen().Font();
    if (what == "TotalScreen.TotalScreenDelay") return QString::number(p.TotalScreen().TotalScreenDelay());
    if (what == "PreSellMessage.ForeColor") return QString::number(p.PreSellMessage().ForeColor());
    if (what == "PreSellMessage.MessageToPOPTime")
        return QString::number(p.PreSellMessage().MessageToPOPTime());
    if (what == "PreSellMessage.MessageList") return p.PreSellMessage().MessageList().join('|');
    if (what == "OCBComm.LastUpdated") return generalDateText(p.OCBComm().LastUpdated());
    if (path.value(0) == "POPs") return pops(p.Week(path.value(1))->Day(path.value(2)));
    if (path.value(0) == "Suggest") return suggestions(p.Week(path.value(1))->Day(path.value(2)));
    if (path.value(0) == "StartTime")
        return p.Week(path.value(1))->Day(path.value(2))->StartTime.toString("HH:mm:ss");
    qFatal("unknown value %s", qPrintable(what));
}

struct Loaded {
    TempApp app;
    FakeClock clock;
    ScriptedPrompts prompts;
    Profiles profile{app.paths, clock, prompts};
};

/// Loads profile P from the given zr.conf, answering Yes to any question.
void load(Loaded& l, const QByteArray& conf) {
    l.app.notFirstRun();
    l.app.write("Profiles/P/Config/zr.conf", conf);
    l.prompts.answers = {Button::Yes};
    l.profile.setID("P");
}

QStringList eventMessages(const TempApp& app, const QString& profile = "P") {
    QStringList out;
    for (const QString& line : crlfLines(app.read("Profiles/" + profile + "/Log/Event.log")))
        out << line.section(' ', 3);  // after "M/D/YYYY h:mm:ss AM "
    return out;
}

} // namespace

class TestConfigReader : public QObject {
    Q_OBJECT
private slots:
    void values_data();
    void values();
    void missingKeysAskOnceAndLogEveryDefault_data();
    void missingKeysAskOnceAndLogEveryDefault();
    void failedLoadsWriteNothingAndKeepTheProfileHeld();
    void quietLoads_data();
    void quietLoads();
    void incompleteEntriesAreCompletedAndLogged();
    void sameFileLoadsTheSameTwice();
    void translatorsFile();
    void driverTable_data();
    void driverTable();
    void posModeKeepsKnownWords_data();
    void posModeKeepsKnownWords();
    void invalidNamesAreRefused();
};

void TestConfigReader::values_data() {
    QTest::addColumn<QByteArray>("conf");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("expected");

    QTest::newRow("repeated pop lines keep file order")
        << edited("pop_week_lunch", {"pop_week_lunch = One.jpg    3", "pop_week_lunch = two.jpg 4",
                                     "pop_week_lunch = three.JPG    5"})
        << "POPs.week.lunch" << "One.jpg 3|two.jpg 4|three.JPG 5";
    QTest::newRow("quoted mixed-case font is lower case without quotes")
        << edited("display_font_os", {"display_font_os = \"Arial Black\""}) << "OrderScreen.Font"
        << "arial black";
    QTest::newRow("total screen font") << edited("display_font_ts", {"display_font_ts = TimesB"})
                                       << "TotalScreen.Font" << "timesb";
    QTest::newRow("sugg lines of other schedules are ignored")
        << edited("", {"sugg_fri_break = 10 x.jpg \"Friday\""}) << "Suggest.fri.break" << "";
    QTest::newRow("week suggestions read from the file")
        << edited("sugg_lunch", {"sugg_lunch = 20     fries.jpg    \"Fries with that?\""})
        << "Suggest.week.lunch" << "20 fries.jpg Fries with that?";
    QTest::newRow("line ending in = gives the default") << edited("display_mode", {"display_mode ="})
                                                        << "DisplayMode" << "portrait";
    QTest::newRow("unclosed quote takes the rest of the line")
        << edited("message_break", {"message_break = \"Rise and shine"}) << "OrderScreen.BreakfastMessage"
        << "Rise and shine";
    QTest::newRow("unconvertible number gives the default")
        << edited("idle_to_pop", {"idle_to_pop = ten"}) << "TotalScreen.TotalScreenDelay" << "0";
    QTest::newRow("number beyond 16 bits gives the default")
        << edited("screen_saver_pop_to", {"screen_saver_pop_to = 40000"}) << "PreSellMessage.MessageToPOPTime"
        << "0";
    QTest::newRow("negative 16-bit number is kept")
        << edited("screen_saver_pop_to", {"screen_saver_pop_to = -32768"})
        << "PreSellMessage.MessageToPOPTime" << "-32768";
    QTest::newRow("colour beyond 32 bits gives the default")
        << edited("screen_saver_fg", {"screen_saver_fg = 4294967296"}) << "PreSellMessage.ForeColor" << "65535";
    QTest::newRow("colour in range") << edited("screen_saver_fg", {"screen_saver_fg = 16777215"})
                                     << "PreSellMessage.ForeColor" << "16777215";
    QTest::newRow("unreadable date gives time zero")
        << edited("last_update", {"last_update = \"31/31/2026\""}) << "OCBComm.LastUpdated" << "12:00:00 AM";
    QTest::newRow("date with a date part")
        << edited("last_update", {"last_update      =    \"12/5/2026 8:05:07 AM\""}) << "OCBComm.LastUpdated"
        << "12/5/2026 8:05:07 AM";
    QTest::newRow("24-hour start time") << edited("tod_sat_dinner", {"tod_sat_dinner   = 17:45"})
                                        << "StartTime.sat.dinner" << "17:45:00";
    QTest::newRow("12-hour start time") << edited("tod_sat_dinner", {"tod_sat_dinner = \"5:15:00 PM\""})
                                        << "StartTime.sat.dinner" << "17:15:00";
    QTest::newRow("unreadable start time gives the day part's default")
        << edited("tod_sun_dinner", {"tod_sun_dinner = 25:00"}) << "StartTime.sun.dinner" << "16:30:00";
    QTest::newRow("single key on several lines takes the first")
        << edited("language", {"language = Swedish", "language = English"}) << "Language" << "Swedish";
    QTest::newRow("pos_config is read") << edited("red_dot_config", {"pos_config = pos.cfg"})
                                        << "POS.ConfigFile" << "pos.cfg";
    QTest::newRow("red_dot_config is read back") << edited("red_dot_config", {"red_dot_config     = reddot.cfg"})
                                                 << "POS.ConfigFile" << "reddot.cfg";
    QTest::newRow("pos_config wins over red_dot_config")
        << edited("red_dot_config", {"red_dot_config = a.cfg", "pos_config = b.cfg"}) << "POS.ConfigFile"
        << "b.cfg";
    QTest::newRow("unit_price_enabled is read back")
        << edited("unit_price_enabled", {"unit_price_enabled = no"}) << "OrderScreen.ShowUnitPrice" << "no";
    QTest::newRow("translator with port sniff")
        << edited("translator_type|cod_com_port", {"translator_type = \"PAR TC\"", "cod_com_port = \"sniff\""})
        << "POS.Driver" << "zrpartc";
    QTest::newRow("pre-sell lines in order")
        << edited("screen_saver_text", {"screen_saver_text = \"Try our\"", "screen_saver_text = \"new shakes\""})
        << "PreSellMessage.MessageList" << "Try our|new shakes";
    QTest::newRow("unquoted words of a quoted value are kept")
        << edited("message_break", {"message_break = Good   Day"}) << "OrderScreen.BreakfastMessage"
        << "Good Day";
    QTest::newRow("double quotes inside a quoted value are dropped")
        << edited("message_break", {"message_break = say\"cheese\""}) << "OrderScreen.BreakfastMessage"
        << "saycheese";
    QTest::newRow("LF line ends") << QByteArray(edited("display_mode", {"display_mode = landscape"}))
                                         .replace("\r\n", "\n")
                                  << "DisplayMode" << "landscape";
}

void TestConfigReader::values() {
    QFETCH(QByteArray, conf);
    QFETCH(QString, what);
    QFETCH(QString, expected);
    Loaded l;
    load(l, conf);
    QCOMPARE(valueOf(l.profile, what), expected);
}

void TestConfigReader::missingKeysAskOnceAndLogEveryDefault_data() {
    QTest::addColumn<QByteArray>("conf");
    QTest::addColumn<QString>("askedKey");
    QTest::addColumn<QStringList>("logged");

    QTest::newRow("only display_mode") << edited("display_mode") << "display_mode"
                                       << QStringList{"display_mode given default setting of portrait"};
    QTest::newRow("two keys: one question, both logged")
        << edited("show_total_screen|vehicle_detect") << "vehicle_detect"
        << QStringList{"vehicle_detect given default setting of yes",
                       "show_total_screen given default setting of yes"};
    QTest::newRow("font of the total screen")
        << edited("display_font_ts") << "display_font_ts"
        << QStringList{"display_font_ts given default setting of arialb"};
    QTest::newRow("pop lines") << edited("pop_fri_closed") << "pop_fri_closed"
                               << QStringList{"pop_fri_closed given default setting of default.jpg 2",
                                              "pop_fri_closed given default setting of default.jpg 2",
                                              "pop_fri_closed given default setting of default.jpg 2"};
    QTest::newRow("pre-sell text")
        << edited("screen_saver_text") << "screen_saver_text"
        << QStringList{"screen_saver_text given default setting of This is a generic Pre Sell Message."};
    QTest::newRow("start time") << edited("tod_week_break") << "tod_week_break"
                                << QStringList{"tod_week_break given default setting of 6:00:00 AM"};
    QStringList sugg;
    for (const char* f : {"10", "20", "30", "40", "50"})
        sugg << QString("sugg_dinner given default setting of %1 greatchoice.jpg Thank you for your Order").arg(f);
    QTest::newRow("suggestions") << edited("sugg_dinner") << "sugg_dinner" << sugg;
    QTest::newRow("keys without a question are not logged") << edited("pos_version|till_number|red_dot_config")
                                                            << QString() << QStringList{};
}

void TestConfigReader::missingKeysAskOnceAndLogEveryDefault() {
    QFETCH(QByteArray, conf);
    QFETCH(QString, askedKey);
    QFETCH(QStringList, logged);
    Loaded l;
    load(l, conf);
    if (askedKey.isEmpty()) {
        QVERIFY(l.prompts.asked.isEmpty());
    } else {
        QCOMPARE(l.prompts.asked.size(), 1);
        QCOMPARE(l.prompts.asked.first().title, QString());
        QCOMPARE(l.prompts.asked.first().text, "Warning!  Config File is missing Line " + askedKey +
                                                   ".  If you proceed, " + askedKey +
                                                   " will be given a default value.  Do you wish to continue?");
    }
    QCOMPARE(eventMessages(l.app), logged);
    // The rewritten file is complete again.
    QCOMPARE(l.app.read("Profiles/P/Config/zr.conf"), testData("golden/default-zr.conf"));
}

void TestConfigReader::failedLoadsWriteNothingAndKeepTheProfileHeld() {
    Loaded l;
    l.profile.setID("North");
    l.profile.setDisplayMode("landscape");
    l.app.notFirstRun();
    const QByteArray conf = edited("display_mode", {"pop_week_break = short.jpg"});
    l.app.write("Profiles/P/Config/zr.conf", conf);
    l.prompts.answers = {Button::No};
    QVERIFY_THROWS_EXCEPTION(LoadCancelled, l.profile.setID("P"));
    QCOMPARE(l.app.read("Profiles/P/Config/zr.conf"), conf);
    QVERIFY(!l.app.exists("Profiles/P/Config.conf"));
    QVERIFY(!l.app.exists("Profiles/P/Log"));
    QVERIFY(!l.app.exists("Profiles/P/Stats"));
    // A profile whose files cannot be written: its name is taken by the list of profiles.
    l.app.write("Profiles/Profiles.conf", "current_profile = \"North\"\r\n");
    QVERIFY_THROWS_EXCEPTION(AppError, l.profile.setID("profiles.conf"));
    QCOMPARE(l.profile.ID(), "North");
    QCOMPARE(l.profile.DisplayMode(), "landscape");
    QCOMPARE(l.profile.Weeks().size(), 4);
}

void TestConfigReader::quietLoads_data() {
    QTest::addColumn<QByteArray>("zrIni");
    QTest::addColumn<bool>("folderExists");
    QTest::addColumn<int>("questions");

    QTest::newRow("missing profile folder") << QByteArray("FirstRun = no\r\n") << false << 0;
    QTest::newRow("first run: no zr.ini") << QByteArray() << true << 0;
    QTest::newRow("first run: FirstRun = yes") << QByteArray("FirstRun = yes\r\n") << true << 0;
    QTest::newRow("not a first run: YES") << QByteArray("FirstRun = YES\r\n") << true << 1;
    QTest::newRow("not a first run") << QByteArray("FirstRun = no\r\n") << true << 1;
}

void TestConfigReader::quietLoads() {
    QFETCH(QByteArray, zrIni);
    QFETCH(bool, folderExists);
    QFETCH(int, questions);
    Loaded l;
    if (!zrIni.isEmpty()) l.app.write("zr.ini", zrIni);
    if (folderExists) QDir().mkpath(l.app.path("Profiles/P"));  // no zr.conf in it
    l.prompts.answers = {Button::Yes};
    l.profile.setID("P");
    QCOMPARE(l.prompts.asked.size(), questions);
    QCOMPARE(l.profile.QuietDefaults(), true);
    QCOMPARE(l.app.read("Profiles/P/Config/zr.conf"), testData("golden/default-zr.conf"));
    QCOMPARE(eventMessages(l.app).size(), 3 + 4 + 6 + 2 + 6 + 3 + 16 + 16 * 3 + 15);
    // The first run writes zr.ini so that the next start is not one; other runs leave it alone.
    if (questions == 0)
        QVERIFY(l.app.read("zr.ini").contains("FirstRun = no\r\n"));
    else
        QCOMPARE(l.app.read("zr.ini"), zrIni);
}

void TestConfigReader::incompleteEntriesAreCompletedAndLogged() {
    Loaded l;
    load(l, edited("pop_week_break|sugg_break",
                   {"pop_week_break = Only.jpg", "pop_week_break = \"two words.jpg\" 3", "pop_week_break = b.jpg 4",
                    "sugg_break = 10", "sugg_break = 20 fries.jpg", "sugg_break = 30 \"\" \"msg\"",
                    "sugg_break = 40 shake.jpg \"Shake?\""}));
    QCOMPARE(valueOf(l.profile, "POPs.week.break"), "Only.jpg 2|b.jpg 4");
    QCOMPARE(valueOf(l.profile, "Suggest.week.break"),
             "10 greatchoice.jpg Thank you for your Order|20 fries.jpg Thank you for your Order|"
             "40 shake.jpg Shake?");
    const QStringList events = eventMessages(l.app);
    QCOMPARE(events.size(), 5);
    QCOMPARE(events.at(0), "pop_week_break line completed with default setting of Only.jpg 2");
    QVERIFY(events.at(1).startsWith("pop_week_break line left out"));
    QVERIFY(events.at(1).endsWith("two words.jpg 3"));
    QCOMPARE(events.at(2),
             "sugg_break line completed with default setting of 10 greatchoice.jpg Thank you for your Order");
    QCOMPARE(events.at(3),
             "sugg_break line completed with default setting of 20 fries.jpg Thank you for your Order");
    QVERIFY(events.at(4).startsWith("sugg_break line left out"));  // no picture
    QVERIFY(l.prompts.asked.isEmpty());
}

void TestConfigReader::sameFileLoadsTheSameTwice() {
    Loaded l;
    const QByteArray conf = testData("conf/handedited.conf");
    load(l, conf);
    const QByteArray first = l.app.read("Profiles/P/Config/zr.conf");
    l.profile.setID("P");
    QCOMPARE(l.app.read("Profiles/P/Config/zr.conf"), first);
}

void TestConfigReader::translatorsFile() {
    Loaded l;
    // Columns 1 to 20: the translator type; 21 to 40: its driver.
    l.app.write("Translators", "Compris             zrcustom            \r\n"
                               "Aloha               zrown\r\n");
    load(l, edited("translator_type", {"translator_type = \"Aloha\""}));
    QCOMPARE(l.profile.POS().Driver(), "zrown");
    QVERIFY(l.app.read("Profiles/P/Config/zr.conf").contains("start zrown      # register port (translator)\r\n"));
    // A type the file does not name leaves the driver as it was.
    l.profile.POS().setID("Micros 3700");
    QCOMPARE(l.profile.POS().Driver(), "zrown");
}

void TestConfigReader::driverTable_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("driver");
    QTest::newRow("aloha any case") << "aLoHa" << "socket" << "zraloha";
    QTest::newRow("pan 7500") << "PAN 7500" << "socket" << "zrreddot1";
    QTest::newRow("pan 7500a") << "Pan 7500A" << "socket" << "zrpan75a";
    QTest::newRow("pan 2 +") << "PAN 2 +" << "socket" << "zrpan";
    QTest::newRow("par gt sniff") << "PAR GT" << "sniff" << "zrpartc";
    QTest::newRow("par gt SNIFF is not sniff") << "PAR GT" << "SNIFF" << "zrpargtx";
    QTest::newRow("par tc socket") << "par tc" << "socket" << "zrpargtx";
    QTest::newRow("positive solutions") << "Positive Solutions" << "com1" << "zrpossol";
    QTest::newRow("progressive") << "PROGRESSIVE" << "com1" << "zrprogiris";
    QTest::newRow("unknown") << "Compris" << "socket" << "zrcom";
}

void TestConfigReader::driverTable() {
    QFETCH(QString, type);
    QFETCH(QString, port);
    QFETCH(QString, driver);
    TempApp app;  // no Translators file
    POS pos(&app.paths);
    pos.setCommType(port);
    pos.setID(type);
    QCOMPARE(pos.Driver(), driver);
}

void TestConfigReader::posModeKeepsKnownWords_data() {
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("stored");
    QTest::newRow("REGISTERS") << "REGISTERS" << "REGISTERS";
    QTest::newRow("Video") << "Video" << "Video";
    QTest::newRow("other") << "cash" << "video";
    QTest::newRow("empty") << "" << "video";
}

void TestConfigReader::posModeKeepsKnownWords() {
    QFETCH(QString, given);
    QFETCH(QString, stored);
    POS pos;
    pos.setMode(given);
    QCOMPARE(pos.Mode(), stored);
}

void TestConfigReader::invalidNamesAreRefused() {
    Loaded l;
    for (const QString& name : {QString(".."), QString("a/b"), QString("   ")}) {
        QVERIFY_THROWS_EXCEPTION(AppError, l.profile.setID(name));
    }
    QCOMPARE(QDir(l.app.path("")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
}

QTEST_GUILESS_MAIN(TestConfigReader)
#include "tst_configreader.moc"
