// The settings lines behind every settings file, and zr.conf: loading with its
// defaults and missing-line question, the exact layout written, round trips.

#include "TestSupport.h"
#include "app/AppError.h"
#include "model/ConfigReader.h"
#include "model/DynamicList.h"
#include "model/Profiles.h"

#include <QRegularExpression>

using namespace zr;
using namespace zr::test;

namespace {

const QString Conf = "Profiles/P/Config/zr.conf";
QByteArray golden() { return testData("golden/default-zr.conf"); }

/// The default file without the lines whose key matches, plus extra lines.
QByteArray edited(const QString& removeKeys, const QStringList& extra = {}) {
    QStringList lines = crlfLines(golden());
    const QRegularExpression re("^(" + removeKeys + ")\\s*=");
    if (!removeKeys.isEmpty()) lines.removeIf([&](const QString& l) { return re.match(l).hasMatch(); });
    return ((lines + extra).join("\r\n") + "\r\n").toLatin1();
}

/// A model value by a readable name, for data-driven checks.
QString valueOf(Profiles& p, const QString& what) {
    const QStringList path = what.split('.');
    const TimeOfDay* day = path.size() == 3 ? p.Week(path[1])->Day(path[2]) : nullptr;
    QStringList out;
    if (path[0] == "POPs")
        for (const PopEntry& e : day->POPs) out << e.Picture + ' ' + e.Time;
    if (path[0] == "Suggest")
        for (const SuggestEntry& s : day->Suggest) out << s.Family + ' ' + s.Picture + ' ' + s.Message;
    if (day) return path[0] == "StartTime" ? day->StartTime.toString("HH:mm:ss") : out.join('|');
    const QMap<QString, std::function<QString()>> values{
        {"DisplayMode", [&] { return p.DisplayMode(); }},
        {"Language", [&] { return p.Language(); }},
        {"POS.Driver", [&] { return p.POS().Driver(); }},
        {"POS.ConfigFile", [&] { return p.POS().ConfigFile(); }},
        {"POS.Mode", [&] { return p.POS().Mode(); }},
        {"OrderScreen.Font", [&] { return p.OrderScreen().Font(); }},
        {"OrderScreen.ShowUnitPrice", [&] { return p.OrderScreen().ShowUnitPrice(); }},
        {"OrderScreen.BreakfastMessage", [&] { return p.OrderScreen().BreakfastMessage(); }},
        {"TotalScreen.TotalScreenDelay", [&] { return QString::number(p.TotalScreen().TotalScreenDelay()); }},
        {"PreSellMessage.ForeColor", [&] { return QString::number(p.PreSellMessage().ForeColor()); }},
        {"PreSellMessage.MessageToPOPTime", [&] { return QString::number(p.PreSellMessage().MessageToPOPTime()); }},
        {"PreSellMessage.MessageList", [&] { return p.PreSellMessage().MessageList().join('|'); }},
        {"OCBComm.LastUpdated", [&] { return generalDateText(p.OCBComm().LastUpdated()); }}};
    return values.value(what, [] { return QString("<unknown>"); })();
}

struct Loaded {
    TempApp app;
    FakeClock clock;
    ScriptedPrompts prompts;
    Profiles profile{app.paths, clock, prompts};

    /// Loads profile P from the given zr.conf, answering Yes to any question.
    explicit Loaded(const QByteArray& conf = {}) {
        app.notFirstRun();
        if (conf.isNull()) return;
        app.write(Conf, conf);
        prompts.answers = {Button::Yes, Button::Yes};
        profile.setID("P");
    }
    QByteArray saved() {
        profile.SaveProfile();
        return app.read(Conf);
    }
    QStringList events() const {
        QStringList out;
        for (const QString& line : crlfLines(app.read("Profiles/P/Log/Event.log")))
            out << line.section(' ', 3); // after "M/D/YYYY h:mm:ss AM "
        return out;
    }
};

} // namespace

class TestConfig : public QObject {
    Q_OBJECT
private slots:
    void tokenize_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("tokens");
        // clang-format off
        QTest::newRow("quoted font") << "display_font_os = \"arialb\"" << "display_font_os" << QStringList{"arialb"};
        QTest::newRow("suggestion line") << "sugg_break = 10     greatchoice.jpg    \"Thank you for your Order\"" << "sugg_break" << QStringList{"10", "greatchoice.jpg", "Thank you for your Order"};
        QTest::newRow("line ending in =") << "display_mode =" << "display_mode" << QStringList{""};
        QTest::newRow("blanks after =") << "k =    " << "k" << QStringList{""};
        QTest::newRow("no = sign") << "  a heading  " << "a heading" << QStringList{};
        QTest::newRow("key trimmed, first = splits") << "  k  = a=b" << "k" << QStringList{"a=b"};
        QTest::newRow("quoted token trimmed inside") << "k = \"  a b  \"  c" << "k" << QStringList{"a b", "c"};
        QTest::newRow("empty quotes") << "k = \"\"" << "k" << QStringList{""};
        QTest::newRow("unclosed quote takes the rest") << "k = x \"open  end " << "k" << QStringList{"x", "open  end"};
        QTest::newRow("quote inside a word") << "k = a\"b c\"" << "k" << QStringList{"a\"b", "c\""};
        QTest::newRow("tab is not a blank") << "k\t= a\tb" << "k\t" << QStringList{"a\tb"};
        // clang-format on
    }
    void tokenize() {
        QFETCH(QString, line);
        QFETCH(QString, key);
        QFETCH(QStringList, tokens);
        DynamicList list;
        list.AddItem(line);
        QCOMPARE(list.Count(), 1);
        QCOMPARE(list.Item(1).ID, key);
        QCOMPARE(list.Item(1).Value, tokens);
    }

    void masks_data() {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QStringList>("masks");
        QTest::addColumn<QStringList>("kept");
        // clang-format off
        QTest::newRow("prefix: comments, empty and start lines") << 1 << QStringList{"#", "", "start"} << QStringList{"a"};
        QTest::newRow("exact: only whole lines") << 2 << QStringList{"#", "", "start"} << QStringList{"# comment", "start zrcoda", "starting", "a"};
        QTest::newRow("masks without a mode mask nothing") << 0 << QStringList{"#", ""} << QStringList{"# comment", "", "start zrcoda", "starting", "a", "#"};
        QTest::newRow("empty mask in prefix mode masks only empty lines") << 1 << QStringList{""} << QStringList{"# comment", "start zrcoda", "starting", "a", "#"};
        // clang-format on
    }
    void masks() {
        QFETCH(int, flags);
        QFETCH(QStringList, masks);
        QFETCH(QStringList, kept);
        DynamicList list;
        list.MaskFlags(flags);
        for (const QString& m : masks) list.AddMask(m);
        for (const QString l : {"# comment", "", "start zrcoda", "starting = 1", "a = 1", "#"}) list.AddItem(l);
        QStringList ids;
        for (int i = 1; i <= list.Count(); ++i) ids << list.Item(i).ID;
        QCOMPARE(ids, kept);
    }

    void listRules() {
        DynamicList list;
        list.MaskFlags(1);
        list.MaskFlags(2); // setting one mode keeps the other
        QVERIFY_THROWS_EXCEPTION(AppError, list.MaskFlags(3));
        QVERIFY(list.prefixMode() && list.exactMode());
        list.MaskFlags(0);
        QVERIFY(!list.prefixMode() && !list.exactMode());
        list.MaskFlags(1);
        list.AddItem("# before the mask");
        list.AddMask("#");
        list.AddItem("# after the mask");
        QVERIFY_THROWS_EXCEPTION(AppError, list.AddMask("#"));
        QVERIFY_THROWS_EXCEPTION(AppError, list.AddItem("x = 1", "#")); // a filter that is a mask
        list.AddItem("pop_a = 1", "pop_");
        list.AddItem("tod_a = 1", "pop_"); // does not begin with the filter
        list.AddUniqueItem("u");
        list.AddUniqueItem("u");
        for (const char* line : {"pair = a 1", "three = a 1", "three = b 2", "three = c 3", "mixed = x", "mixed = y 2", "empty =", "Case = upper"})
            list.AddItem(QString::fromLatin1(line));
        QCOMPARE(list.Count(), 11);
        QCOMPARE(list.LookUpProperty("pop_a", true), QVariant(QVariantList{QString("1")}));
        QCOMPARE(list.LookUpProperty("pair", false), QVariant(QStringList{"a", "1"}));
        QCOMPARE(list.LookUpProperty("mixed", false), QVariant(QVariantList{QString("x"), QStringList{"y", "2"}}));
        // An empty value reads as a missing key does; keys compare with case.
        QCOMPARE(list.LookUpProperty("empty", false), QVariant(QString()));
        QCOMPARE(list.LookUpProperty("missing", true), QVariant(QVariantList{QString()}));
        QCOMPARE(list.LookUpProperty("case", false), QVariant(QString()));
        QCOMPARE(list.LastLookUp(), "case");
        QCOMPARE(list.lines("three").size(), 3);
        QString key = "three", last;
        list.RemoveItem(key);
        list.LookUpProperty("pair", false);
        list.RemoveItem(last); // empty: the last key looked up, told back to the caller
        QCOMPARE(last, "pair");
        QCOMPARE(list.Count(), 7);
    }

    void values_data() {
        QTest::addColumn<QByteArray>("conf");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("repeated pop lines keep file order") << edited("pop_week_lunch", {"pop_week_lunch = One.jpg    3", "pop_week_lunch = two.jpg 4", "pop_week_lunch = three.JPG    5"}) << "POPs.week.lunch" << "One.jpg 3|two.jpg 4|three.JPG 5";
        QTest::newRow("quoted mixed-case font is lower case without quotes") << edited("display_font_os", {"display_font_os = \"Arial Black\""}) << "OrderScreen.Font" << "arial black";
        QTest::newRow("sugg lines of other schedules are ignored") << edited("", {"sugg_fri_break = 10 x.jpg \"Friday\""}) << "Suggest.fri.break" << "";
        QTest::newRow("week suggestions read from the file") << edited("sugg_lunch", {"sugg_lunch = 20     fries.jpg    \"Fries with that?\""}) << "Suggest.week.lunch" << "20 fries.jpg Fries with that?";
        QTest::newRow("line ending in = gives the default") << edited("display_mode", {"display_mode ="}) << "DisplayMode" << "portrait";
        QTest::newRow("unclosed quote takes the rest of the line") << edited("message_break", {"message_break = \"Rise and shine"}) << "OrderScreen.BreakfastMessage" << "Rise and shine";
        QTest::newRow("unconvertible number gives the default") << edited("idle_to_pop", {"idle_to_pop = ten"}) << "TotalScreen.TotalScreenDelay" << "0";
        QTest::newRow("16-bit number: 32767 is kept") << edited("screen_saver_pop_to", {"screen_saver_pop_to = 32767"}) << "PreSellMessage.MessageToPOPTime" << "32767";
        QTest::newRow("16-bit number: 32768 gives the default") << edited("screen_saver_pop_to", {"screen_saver_pop_to = 32768"}) << "PreSellMessage.MessageToPOPTime" << "0";
        QTest::newRow("16-bit number: -32768 is kept") << edited("screen_saver_pop_to", {"screen_saver_pop_to = -32768"}) << "PreSellMessage.MessageToPOPTime" << "-32768";
        QTest::newRow("16-bit number: -32769 gives the default") << edited("screen_saver_pop_to", {"screen_saver_pop_to = -32769"}) << "PreSellMessage.MessageToPOPTime" << "0";
        QTest::newRow("colour beyond 32 bits gives the default") << edited("screen_saver_fg", {"screen_saver_fg = 4294967296"}) << "PreSellMessage.ForeColor" << "65535";
        QTest::newRow("colour in range") << edited("screen_saver_fg", {"screen_saver_fg = 16777215"}) << "PreSellMessage.ForeColor" << "16777215";
        QTest::newRow("unreadable date gives time zero") << edited("last_update", {"last_update = \"31/31/2026\""}) << "OCBComm.LastUpdated" << "12:00:00 AM";
        QTest::newRow("date with a date part") << edited("last_update", {"last_update      =    \"12/5/2026 8:05:07 AM\""}) << "OCBComm.LastUpdated" << "12/5/2026 8:05:07 AM";
        QTest::newRow("24-hour start time") << edited("tod_sat_dinner", {"tod_sat_dinner   = 17:45"}) << "StartTime.sat.dinner" << "17:45:00";
        QTest::newRow("12-hour start time") << edited("tod_sat_dinner", {"tod_sat_dinner = \"5:15:00 PM\""}) << "StartTime.sat.dinner" << "17:15:00";
        QTest::newRow("unreadable start time gives the day part's default") << edited("tod_sun_dinner", {"tod_sun_dinner = 25:00"}) << "StartTime.sun.dinner" << "16:30:00";
        QTest::newRow("single key on several lines takes the first") << edited("language", {"language = Swedish", "language = English"}) << "Language" << "Swedish";
        QTest::newRow("red_dot_config is read back") << edited("red_dot_config", {"red_dot_config     = reddot.cfg"}) << "POS.ConfigFile" << "reddot.cfg";
        QTest::newRow("pos_config wins over red_dot_config") << edited("red_dot_config", {"red_dot_config = a.cfg", "pos_config = b.cfg"}) << "POS.ConfigFile" << "b.cfg";
        QTest::newRow("unit_price_enabled is read back") << edited("unit_price_enabled", {"unit_price_enabled = no"}) << "OrderScreen.ShowUnitPrice" << "no";
        QTest::newRow("only known POS modes are kept") << edited("pos_mode", {"pos_mode = cash"}) << "POS.Mode" << "video";
        QTest::newRow("known POS mode kept as written") << edited("pos_mode", {"pos_mode = REGISTERS"}) << "POS.Mode" << "REGISTERS";
        QTest::newRow("translator in any case") << edited("translator_type", {"translator_type = \"aLoHa\""}) << "POS.Driver" << "zraloha";
        QTest::newRow("unknown translator") << edited("translator_type", {"translator_type = \"Compris\""}) << "POS.Driver" << "zrcom";
        QTest::newRow("translator with port SNIFF is not sniff") << edited("translator_type|cod_com_port", {"translator_type = \"PAR GT\"", "cod_com_port = \"SNIFF\""}) << "POS.Driver" << "zrpargtx";
        QTest::newRow("translator with port sniff") << edited("translator_type|cod_com_port", {"translator_type = \"PAR TC\"", "cod_com_port = \"sniff\""}) << "POS.Driver" << "zrpartc";
        QTest::newRow("pre-sell lines in order") << edited("screen_saver_text", {"screen_saver_text = \"Try our\"", "screen_saver_text = \"new shakes\""}) << "PreSellMessage.MessageList" << "Try our|new shakes";
        QTest::newRow("unquoted words of a quoted value are kept") << edited("message_break", {"message_break = Good   Day"}) << "OrderScreen.BreakfastMessage" << "Good Day";
        QTest::newRow("double quotes inside a quoted value are dropped") << edited("message_break", {"message_break = say\"cheese\""}) << "OrderScreen.BreakfastMessage" << "saycheese";
        QTest::newRow("LF line ends") << edited("display_mode", {"display_mode = landscape"}).replace("\r\n", "\n") << "DisplayMode" << "landscape";
        // clang-format on
    }
    void values() {
        QFETCH(QByteArray, conf);
        QFETCH(QString, what);
        QFETCH(QString, expected);
        Loaded l(conf);
        QCOMPARE(valueOf(l.profile, what), expected);
    }

    void missingKeysAskOnceAndLogEveryDefault_data() {
        QTest::addColumn<QByteArray>("conf");
        QTest::addColumn<QString>("askedKey");
        QTest::addColumn<QStringList>("logged");
        QStringList sugg;
        for (const char* f : {"10", "20", "30", "40", "50"})
            sugg << QString("sugg_dinner given default setting of %1 greatchoice.jpg Thank you for your Order").arg(f);
        // clang-format off
        QTest::newRow("only display_mode") << edited("display_mode") << "display_mode" << QStringList{"display_mode given default setting of portrait"};
        QTest::newRow("two keys: one question, both logged") << edited("show_total_screen|vehicle_detect") << "vehicle_detect" << QStringList{"vehicle_detect given default setting of yes", "show_total_screen given default setting of yes"};
        QTest::newRow("pop lines") << edited("pop_fri_closed") << "pop_fri_closed" << QStringList(3, "pop_fri_closed given default setting of default.jpg 2");
        QTest::newRow("pre-sell text") << edited("screen_saver_text") << "screen_saver_text" << QStringList{"screen_saver_text given default setting of This is a generic Pre Sell Message."};
        QTest::newRow("start time") << edited("tod_week_break") << "tod_week_break" << QStringList{"tod_week_break given default setting of 6:00:00 AM"};
        QTest::newRow("suggestions") << edited("sugg_dinner") << "sugg_dinner" << sugg;
        QTest::newRow("keys without a question are not logged") << edited("pos_version|till_number|red_dot_config") << QString() << QStringList{};
        // clang-format on
    }
    void missingKeysAskOnceAndLogEveryDefault() {
        QFETCH(QByteArray, conf);
        QFETCH(QString, askedKey);
        QFETCH(QStringList, logged);
        Loaded l(conf);
        QCOMPARE(l.prompts.asked.size(), askedKey.isEmpty() ? 0 : 1);
        if (!askedKey.isEmpty())
            QCOMPARE(l.prompts.asked.first().text, "Warning!  Config File is missing Line " + askedKey + ".  If you proceed, " + askedKey + " will be given a default value.  Do you wish to continue?");
        QCOMPARE(l.events(), logged);
        QCOMPARE(l.app.read(Conf), golden()); // the rewritten file is complete again
    }

    void failedLoadsWriteNothingAndKeepTheProfileHeld() {
        Loaded l;
        l.profile.setID("North");
        l.profile.setDisplayMode("landscape");
        const QByteArray conf = edited("display_mode", {"pop_week_break = short.jpg"});
        l.app.write(Conf, conf);
        l.prompts.answers = {Button::No};
        QVERIFY_THROWS_EXCEPTION(LoadCancelled, l.profile.setID("P"));
        QCOMPARE(l.app.read(Conf), conf);
        QVERIFY(!l.app.exists("Profiles/P/Config.conf") && !l.app.exists("Profiles/P/Log") && !l.app.exists("Profiles/P/Stats"));
        // A profile whose files cannot be written: its name is taken by the list of profiles.
        l.app.write("Profiles/Profiles.conf", "current_profile = \"North\"\r\n");
        QVERIFY_THROWS_EXCEPTION(AppError, l.profile.setID("profiles.conf"));
        for (const QString name : {"..", "a/b", "   "})
            QVERIFY_THROWS_EXCEPTION(AppError, l.profile.setID(name));
        QCOMPARE(l.profile.ID(), "North");
        QCOMPARE(l.profile.DisplayMode(), "landscape");
        QCOMPARE(l.profile.Weeks().size(), 4);
    }

    void quietLoads_data() {
        QTest::addColumn<QByteArray>("zrIni");
        QTest::addColumn<bool>("folderExists");
        QTest::addColumn<int>("questions");
        QTest::newRow("missing profile folder") << QByteArray("FirstRun = no\r\n") << false << 0;
        QTest::newRow("first run: no zr.ini") << QByteArray() << true << 0;
        QTest::newRow("first run: FirstRun = yes") << QByteArray("FirstRun = yes\r\n") << true << 0;
        QTest::newRow("not a first run: YES") << QByteArray("FirstRun = YES\r\n") << true << 1;
        QTest::newRow("not a first run") << QByteArray("FirstRun = no\r\n") << true << 1;
    }
    void quietLoads() {
        QFETCH(QByteArray, zrIni);
        QFETCH(bool, folderExists);
        QFETCH(int, questions);
        TempApp app;
        FakeClock clock;
        ScriptedPrompts prompts;
        if (!zrIni.isEmpty()) app.write("zr.ini", zrIni);
        if (folderExists) QDir().mkpath(app.path("Profiles/P")); // no zr.conf in it
        prompts.answers = {Button::Yes};
        Profiles profile(app.paths, clock, prompts);
        profile.setID("P");
        QCOMPARE(prompts.asked.size(), questions);
        QVERIFY(profile.QuietDefaults());
        QCOMPARE(app.read(Conf), golden());
        QCOMPARE(crlfLines(app.read("Profiles/P/Log/Event.log")).size(), 3 + 4 + 6 + 2 + 6 + 3 + 16 + 16 * 3 + 15);
        // The first run writes zr.ini so that the next start is not one; other runs leave it alone.
        QVERIFY(questions ? app.read("zr.ini") == zrIni : app.read("zr.ini").contains("FirstRun = no\r\n"));
    }

    void incompleteEntriesAreCompletedAndLogged() {
        // clang-format off
        Loaded l(edited("pop_week_break|sugg_break", {"pop_week_break = Only.jpg", "pop_week_break = \"two words.jpg\" 3", "pop_week_break = b.jpg 4",
                                                      "sugg_break = 10", "sugg_break = 20 fries.jpg", "sugg_break = 30 \"\" \"msg\"", "sugg_break = 40 shake.jpg \"Shake?\""}));
        QCOMPARE(valueOf(l.profile, "POPs.week.break"), "Only.jpg 2|b.jpg 4");
        QCOMPARE(valueOf(l.profile, "Suggest.week.break"), "10 greatchoice.jpg Thank you for your Order|20 fries.jpg Thank you for your Order|40 shake.jpg Shake?");
        const QStringList events = l.events();
        QCOMPARE(events.size(), 5);
        QCOMPARE(events.at(0), "pop_week_break line completed with default setting of Only.jpg 2");
        QVERIFY(events.at(1).startsWith("pop_week_break line left out") && events.at(1).endsWith("two words.jpg 3"));
        QCOMPARE(events.at(2), "sugg_break line completed with default setting of 10 greatchoice.jpg Thank you for your Order");
        QCOMPARE(events.at(3), "sugg_break line completed with default setting of 20 fries.jpg Thank you for your Order");
        QVERIFY(events.at(4).startsWith("sugg_break line left out")); // no picture
        QVERIFY(l.prompts.asked.isEmpty());
        // clang-format on
    }

    void translatorsFile() {
        TempApp app;
        // Columns 1 to 20: the translator type; 21 to 40: its driver.
        app.write("Translators", "Compris             zrcustom            \r\nAloha               zrown\r\n");
        POS pos(&app.paths);
        pos.setID("Aloha");
        QCOMPARE(pos.Driver(), "zrown");
        pos.setID("Micros 3700"); // a type the file does not name leaves the driver as it was
        QCOMPARE(pos.Driver(), "zrown");
    }

    void newProfileIsTheGoldenLayout() {
        Loaded l;
        l.profile.setID("North");
        QCOMPARE(l.app.read("Profiles/North/Config/zr.conf"), golden());
        QCOMPARE(l.app.read("Profiles/North/Config.conf"), "IP = \r\n");
        l.profile.setIPAddress("  127.77.77.85 ");
        l.profile.SaveProfile();
        QCOMPARE(l.app.read("Profiles/North/Config/zr.conf"), golden());
        QCOMPARE(l.app.read("Profiles/North/Config.conf"), "IP = 127.77.77.85\r\n");
    }

    void layoutFollowsTheModel_data() {
        using Edit = std::function<void(Profiles&)>;
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QStringList>("expected"); // lines from the first one on
        // clang-format off
        QTest::newRow("empty pre-sell list writes no text lines") << Edit([](Profiles& p) { p.PreSellMessage().MessageList().clear(); }) << QStringList{"screen_saver_bg = 0", "", "# smooth or random                   #####"};
        QTest::newRow("random scrolling has no microseconds") << Edit([](Profiles& p) { p.PreSellMessage().setMessageDisplayType("random"); }) << QStringList{"screen_saver_mode  = random", "screen_saver_sec_to = 0", "", "# microseconds for smooth scroll", "screen_saver_usec_to = 0"};
        QTest::newRow("SMOOTH is not smooth") << Edit([](Profiles& p) { p.PreSellMessage().setMessageDisplayType("SMOOTH"); }) << QStringList{"# microseconds for smooth scroll", "screen_saver_usec_to = 0"};
        QTest::newRow("day part without POPs") << Edit([](Profiles& p) { p.Week("sat")->Day("lunch")->POPs.clear(); }) << QStringList{"# Selections for sat lunch", "", "# Selections for sat dinner"};
        QTest::newRow("pictures in lower case, slideshow order kept") << Edit([](Profiles& p) { p.Week("fri")->Day("break")->POPs = {{"Big.JPG", "5"}, {"small.jpg", "1"}}; }) << QStringList{"# Selections for fri break", "pop_fri_break = big.jpg    5", "pop_fri_break = small.jpg    1", ""};
        QTest::newRow("4:30 PM is 16:30") << Edit([](Profiles& p) { p.Week("sun")->Day("break")->StartTime = QTime(16, 30, 59); }) << QStringList{"# Selections for sun", "tod_sun_break   = 16:30"};
        QTest::newRow("mode in capitals is written in lower case") << Edit([](Profiles& p) { p.POS().setMode("REGISTERS"); }) << QStringList{"pos_mode           = registers"};
        QTest::newRow("empty translator type is written as Compris") << Edit([](Profiles& p) { p.POS().setID(""); }) << QStringList{"translator_type    = \"Compris\""};
        QTest::newRow("driver follows the translator type") << Edit([](Profiles& p) { p.POS().setID("Micros 2400"); }) << QStringList{"start zrmicros2400      # register port (translator)"};
        QTest::newRow("suggestions: dinner has one blank less after the family") << Edit([](Profiles& p) {
               p.Week("week")->Day("lunch")->Suggest = {{"20", "Fries.JPG", "Fries?"}};
               p.Week("week")->Day("dinner")->Suggest = {{"40", "Pie.jpg", "Pie?"}};
               p.Week("fri")->Day("lunch")->Suggest = {{"10", "no.jpg", "not written"}};
           }) << QStringList{"sugg_lunch = 20     fries.jpg    \"Fries?\"", "", "sugg_dinner = 40    pie.jpg    \"Pie?\"", "", "", "", "#####            POP DEFINITIONS                 #####"};
        QTest::newRow("dates with a date part") << Edit([](Profiles& p) {
               p.OCBComm().setLastUpdated({QDate(2026, 12, 5), QTime(20, 5, 7)});
               p.OCBComm().setLastRetrieved({QDate(2026, 1, 15), QTime(0, 0, 0)});
           }) << QStringList{"#####        SYSTEM DATES        #####", "last_update      =    \"12/5/2026 8:05:07 PM\"", "last_retrieval   =    \"1/15/2026 12:00:00 AM\""};
        QTest::newRow("numbers") << Edit([](Profiles& p) { p.PreSellMessage().setForeColor(-1); p.TotalScreen().setTotalScreenDelay(32767); }) << QStringList{"screen_saver_fg = -1"};
        // clang-format on
    }
    void layoutFollowsTheModel() {
        using Edit = std::function<void(Profiles&)>;
        QFETCH(Edit, edit);
        QFETCH(QStringList, expected);
        Loaded l;
        l.profile.setID("P");
        edit(l.profile);
        const QByteArray saved = l.saved();
        const QStringList lines = crlfLines(saved);
        QCOMPARE(lines.mid(lines.indexOf(expected.first()), expected.size()), expected);
        QCOMPARE(l.saved(), saved); // saving the same model again gives the same bytes
    }

    void roundTripIsStable_data() {
        QTest::addColumn<QString>("file");
        for (const char* name : {"conf/handedited.conf", "conf/minimal.conf", "conf/quirks.conf", "golden/default-zr.conf"})
            QTest::newRow(name) << name;
    }
    void roundTripIsStable() {
        QFETCH(QString, file);
        Loaded l(testData(file));
        const QByteArray first = l.app.read(Conf);
        QCOMPARE(l.saved(), first);
        l.profile.setID("P");
        QVERIFY(l.prompts.asked.size() <= 1);
        QCOMPARE(crlfLines(l.app.read(Conf)), crlfLines(first));
        QCOMPARE(l.app.read(Conf), first);
    }

    void textBytesAreKept() {
        Loaded l(testData("conf/handedited.conf"));
        const QByteArray out = l.app.read(Conf);
        // 8-bit text (here Windows-1252) goes back out byte for byte.
        for (const QByteArray line : {"screen_saver_text = \"V\xe4lkommen till\"", "sugg_dinner = 40    pie.jpg    \"Apple pie \x80" "1\"",
                                      "message_lunch = \"Smaklig m\xe5ltid\"", "red_dot_config     = /zr/var/pos.cfg",
                                      "start zrpartc      # register port (translator)", "pos_version        = \"4.2 b\""})
            QVERIFY2(out.contains(line + "\r\n"), line.constData());
        QVERIFY(!out.contains("my_own_key") && !out.contains("ignored"));
        QVERIFY(l.prompts.asked.isEmpty());
    }

    void failedSaveKeepsTheOldFile() {
        Loaded l;
        l.profile.setID("North");
        l.profile.setIPAddress("127.1.1.1");
        l.profile.SaveProfile();
        // The Config folder replaced by a file: the save reports the failure and writes nothing further.
        QVERIFY(QDir(l.app.path("Profiles/North/Config")).removeRecursively());
        l.app.write("Profiles/North/Config", "not a folder");
        l.profile.setIPAddress("127.2.2.2");
        QVERIFY_THROWS_EXCEPTION(AppError, l.profile.SaveProfile());
        QCOMPARE(l.app.read("Profiles/North/Config"), "not a folder");
        QCOMPARE(l.app.read("Profiles/North/Config.conf"), "IP = 127.1.1.1\r\n");
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
