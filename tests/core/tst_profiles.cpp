// Profile folders, Profiles.conf, and new, rename, delete, copy settings,
// backup and restore of whole profiles.

#include "TestSupport.h"
#include "app/AppError.h"
#include "check/PreflightCheck.h"
#include "model/ProfileStore.h"
#include "model/Profiles.h"
#include "profiles/ProfileArchive.h"
#include "profiles/ProfileOps.h"

#include <zip.h>

using namespace zr;
using namespace zr::test;

namespace {

using Entries = QList<QPair<QByteArray, QByteArray>>;
const QString NoQuote = "A profile name cannot hold a double quote (\"): the list of profiles could not store it.";

QString failure(const std::function<void()>& work) {
    try {
        work();
    } catch (const AppError& e) {
        return e.description();
    }
    return QString();
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

/// An archive holding exactly these entries, in this order (names ending in "/" are folders).
void writeZip(const QString& path, const Entries& entries) {
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    QVERIFY(archive);
    for (const auto& [name, data] : entries) {
        if (name.endsWith('/')) {
            QVERIFY(zip_dir_add(archive, name.constData(), 0) >= 0);
            continue;
        }
        zip_source_t* source = zip_source_buffer(archive, data.constData(), data.size(), 0);
        const zip_int64_t index = source ? zip_file_add(archive, name.constData(), source, 0) : -1;
        // Stored, so that tests can damage the contents.
        QVERIFY(index >= 0 && zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0) == 0);
    }
    QCOMPARE(zip_close(archive), 0);
}

} // namespace

class TestProfiles : public QObject {
    Q_OBJECT
private slots:
    void createProfileFolders() {
        TempApp app;
        QVERIFY(QDir().mkpath(app.path("profiles/north/CONFIG"))); // folders in another letter case are used as they are
        ProfileStore::CreateProfileFolders(app.paths, "North");
        QCOMPARE(entries(app.path("")), (QStringList{"Fonts", "profiles"}));
        QCOMPARE(entries(app.path("profiles/north")), (QStringList{"CONFIG", "Demo", "Items", "Log", "Stats"}));
        QCOMPARE(entries(app.path("profiles/north/Stats")), (QStringList{"Pad", "Pop", "Sugg"}));
    }

    void profileList_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("LF line ends") << QByteArray("##### Name of the Current Profile #####\n\ncurrent_profile = \"North\"\n") << "North";
        QTest::newRow("name with a blank") << QByteArray("current_profile = \"North Side\"\r\n") << "North Side";
    }
    void profileList() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        TempApp app;
        QVERIFY(!ProfileStore::currentProfile(app.paths).has_value());
        app.write("Profiles/Profiles.conf", bytes);
        QCOMPARE(ProfileStore::currentProfile(app.paths), std::optional<QString>(expected));
        ProfileStore::SaveProfileList(app.paths, expected);
        QCOMPARE(app.read("Profiles/Profiles.conf"), "##### Name of the Current Profile #####\r\n\r\ncurrent_profile = \"" + expected.toLatin1() + "\"\r\n");
        for (const char* name : {"south", "east", "West", ".restore-x"}) // a restore's hidden staging folder is no profile
            QDir().mkpath(app.path("Profiles/") + name);
        QCOMPARE(ProfileStore::profileNames(app.paths), (QStringList{"east", "south", "West"}));
    }

    void makeCurrent() {
        TempApp app;
        app.write("Profiles/North/Config.conf", "IP = 127.1.1.1\r\n");
        FakeClock clock;
        ScriptedPrompts prompts;
        prompts.answers = {Button::Yes}; // South has no zr.conf: its first missing line is asked about
        Profiles profile(app.paths, clock, prompts);
        profile.setID(" North ");
        QCOMPARE(profile.ID(), "North");
        QCOMPARE(profile.IPAddress(), "127.1.1.1");
        QVERIFY(app.exists("Profiles/North/Config/zr.conf"));
        app.notFirstRun();
        QVERIFY(QDir().mkpath(app.path("Profiles/South")));
        profile.setID("South"); // the address is not carried over
        QCOMPARE(profile.IPAddress(), QString());
        QCOMPARE(app.read("Profiles/South/Config.conf"), "IP = \r\n");
        QCOMPARE(app.read("Profiles/North/Config.conf"), "IP = 127.1.1.1\r\n");
    }

    // The check before an update: a clean profile (every family shown, every picture there), then one
    // broken thing per row: "file", the text replaced (none: the file's whole new text) and the findings.
    void preflightCheck_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QStringList>("expected"); // "E" or "W", "|", the place
        const QString conf = "Profiles/North/Config/zr.conf", items = "Profiles/North/Items/items";
        // clang-format off
        QTest::newRow("clean") << conf << QByteArray("=") << QByteArray("=") << QStringList{};
        QTest::newRow("POP picture missing") << conf << QByteArray("pop_week_lunch = default") << QByteArray("pop_week_lunch = gone") << QStringList{"E|POP slideshow, Week / Lunch"};
        QTest::newRow("name zr.conf cannot hold") << conf << QByteArray("pop_sun_closed = default.jpg") << QByteArray("pop_sun_closed = \"my pop.jpg\"") << QStringList{"E|POP slideshow, Sunday / Closed"};
        QTest::newRow("item picture missing") << items << QByteArray("burger.jpg") << QByteArray("gone.jpg") << QStringList{"E|Items line 2"};
        QTest::newRow("items file: bad record") << items << QByteArray("30,\"TRUE\"") << QByteArray("30,\"true\"") << QStringList{"E|Items line 3"};
        QTest::newRow("no address") << "Profiles/North/Config.conf" << QByteArray("127.0.0.1") << QByteArray() << QStringList{"E|General settings"};
        QTest::newRow("address refused") << "Profiles/North/Config.conf" << QByteArray("127.0.0.1") << QByteArray("127.0.0.256") << QStringList{"E|General settings"};
        QTest::newRow("day part without POP") << conf << QByteArray("pop_fri_break =") << QByteArray("#") << QStringList{"E|POP slideshow, Friday / Breakfast"};
        QTest::newRow("display time 0") << conf << QByteArray("pop_sat_dinner = default.jpg    2") << QByteArray("pop_sat_dinner = default.jpg    0") << QStringList{"E|POP slideshow, Saturday / Dinner"};
        QTest::newRow("display time 11") << conf << QByteArray("pop_sat_dinner = default.jpg    2") << QByteArray("pop_sat_dinner = default.jpg    11") << QStringList{"W|POP slideshow, Saturday / Dinner"};
        QTest::newRow("lunch after dinner") << conf << QByteArray("tod_fri_lunch   = 10:30") << QByteArray("tod_fri_lunch   = 23:00") << QStringList{"W|Day-part scheduling, Friday"};
        QTest::newRow("empty picture") << "ZRScreens/POP/deal.jpg" << QByteArray() << QByteArray("") << QStringList{"W|Items line 2"};
        QTest::newRow("family no shown item has") << items << QByteArray("50,\"TRUE\"") << QByteArray("50,\"FALSE\"") << QStringList{"W|Suggestive sales, Breakfast", "W|Suggestive sales, Lunch", "W|Suggestive sales, Dinner"};
        QTest::newRow("order-screen message too wide") << conf << QByteArray("Good AfterNoon") << QByteArray(41, 'x') << QStringList{"W|Order screen, Lunch message"};
        QTest::newRow("pre-sell line too long") << conf << QByteArray("screen_saver_mode") << "screen_saver_text = \"" + QByteArray(51, 'x') + "\"\r\nscreen_saver_mode" << QStringList{"W|Pre-sell message, line 3"};
        QTest::newRow("more than the board holds") << "ZRScreens/Item/burger.jpg" << QByteArray() << QByteArray(1100000, 'j') << QStringList{"W|Update"};
        // clang-format on
    }
    void preflightCheck() {
        QFETCH(QString, file);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QStringList, expected);
        TempApp app;
        app.write("zr.ini", "FirstRun = no\r\nboard_capacity_mb = 1\r\n");
        for (const char* picture : {"POP/default.jpg", "POP/deal.jpg", "Item/GreatChoice.jpg", "Item/burger.jpg"})
            app.write(QString("ZRScreens/") + picture, "jpeg");
        FakeClock clock;
        ScriptedPrompts prompts;
        Profiles profile(app.paths, clock, prompts);
        ProfileOps::createProfile(profile, "North", "127.0.0.1");
        QByteArray menu;
        for (const char* family : {"10", "20", "30", "40", "50"})
            menu += QByteArray("\"I") + family + "\",\"x\",\"" + (family[0] == '2' ? "burger" : "greatchoice") +
                    ".jpg\"," + family + ",\"TRUE\",\"" + (family[0] == '2' ? "deal.jpg" : "") + "\",\"FALSE\"\r\n";
        app.write("Profiles/North/Items/items", menu);
        app.write(file, from.isNull() ? to : app.read(file).replace(from, to));
        CheckOptions options;
        options.messageWidthTwips = [](const QString& text) { return text.size() * 100.0; };
        const CheckResult result = checkProfile(app.paths, "North", options);
        QStringList found;
        for (const Finding& f : result.findings)
            found << QString(f.severity == Finding::Severity::Error ? "E|" : "W|") + f.place;
        QCOMPARE(found, expected);
        QCOMPARE(result.exitCode(), expected.isEmpty() ? 0 : expected.first().startsWith('E') ? 8 : 7);
    }

    // The one check of a new profile's name and address, also used for an address split at its dots.
    void validateNewProfile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("ip");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("field");
        const QStringList ok{"10", "0", "255", "007"};
        const QString exists = "Profile already exists.", range = "Value must be in range 0 - 255.";
        const QString badName = "Invalid Profile Name.", badValue = "Invalid Value for IP Address.";
        // clang-format off
        QTest::newRow("valid") << "South" << ok << "" << -1;
        QTest::newRow("other letter case, blanks around") << " north " << ok << exists << 0;
        QTest::newRow("existing name comes first") << "NORTH" << QStringList{"", "", "", ""} << exists << 0;
        QTest::newRow("blanks only") << "   " << ok << badName << 0;
        QTest::newRow("slash") << "a/b" << ok << badName << 0;
        QTest::newRow("backslash") << "a\\b" << ok << badName << 0;
        QTest::newRow("tab") << "a\tb" << ok << badName << 0;
        QTest::newRow("beyond 8 bits") << QString("North") + QChar(0x20AC) << ok << badName << 0;
        QTest::newRow("accented, inner blank") << QString("Caf") + QChar(0xE9) + " Nord" << ok << "" << -1;
        QTest::newRow("double quote") << "Joe's \"Big\" Store" << ok << NoQuote << 0;
        QTest::newRow("256") << "South" << QStringList{"10", "256", "0", "1"} << range << 2;
        QTest::newRow("empty") << "South" << QStringList{"10", "0", "", "1"} << badValue << 3;
        QTest::newRow("-1") << "South" << QStringList{"10", "0", "0", "-1"} << badValue << 4;
        QTest::newRow("three parts") << "South" << QStringList{"10", "0", "1"} << badValue << 4;
        QTest::newRow("lowest and highest") << "South" << QStringList{"0", "0", "0", "255"} << "" << -1;
        QTest::newRow("a fifth part") << "South" << QStringList{"10", "77", "77", "85", "3"} << badValue << 5;
        QTest::newRow("sign") << "South" << QStringList{"+5", "1", "1", "1"} << badValue << 1;
        QTest::newRow("leading zero of four digits") << "South" << QStringList{"10", "0001", "1", "1"} << range << 2;
        QTest::newRow("other digits") << "South" << QStringList{QString::fromUtf8("\u0661"), "1", "1", "1"} << badValue << 1;
        // clang-format on
    }
    void validateNewProfile() {
        QFETCH(QString, name);
        QFETCH(QStringList, ip);
        QFETCH(QString, message);
        QFETCH(int, field);
        TempApp app;
        QVERIFY(QDir().mkpath(app.path("Profiles/North")));
        const auto problem = ProfileOps::validateNewProfile(app.paths, name, ip);
        QCOMPARE(problem ? problem->message : QString(), message);
        QCOMPARE(problem ? problem->field : -1, field);
    }

    void renameProfile_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("after");
        const QStringList unchanged{"North", "South"};
        // clang-format off
        QTest::newRow("40 characters keep 35") << "North" << QString(40, 'A') << "" << QStringList{QString(35, 'A'), "South"};
        QTest::newRow("cut leaves no blank") << "North" << QString(34, 'B') + " C" << "" << QStringList{QString(34, 'B'), "South"};
        QTest::newRow("trimmed, any case of the old name") << "NORTH" << "  East " << "" << QStringList{"East", "South"};
        QTest::newRow("letter case only") << "North" << "NORTH" << "" << QStringList{"NORTH", "South"};
        QTest::newRow("duplicate") << "North" << "south" << "Profile already exists." << unchanged;
        QTest::newRow("dot dot") << "North" << ".." << "Invalid Profile Name." << unchanged;
        QTest::newRow("double quote") << "North" << "\"North\"" << NoQuote << unchanged;
        QTest::newRow("missing") << "West" << "East" << "The profile West does not exist." << unchanged;
        // clang-format on
    }
    void renameProfile() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, error);
        QFETCH(QStringList, after);
        TempApp app;
        app.write("Profiles/North/Config.conf", "IP = 127.0.0.1\r\n");
        app.write("Profiles/South/Config.conf", "IP = 127.0.0.2\r\n");
        QString used;
        QCOMPARE(failure([&] { used = ProfileOps::renameProfile(app.paths, from, to); }), error);
        QCOMPARE(ProfileStore::profileNames(app.paths), after);
        if (error.isEmpty()) QCOMPARE(app.read("Profiles/" + used + "/Config.conf"), "IP = 127.0.0.1\r\n");
    }

    void deleteProfile() {
        TempApp app;
        app.write("Profiles/North/Log/Event.log", "x");
        app.write("Profiles/South/Config.conf", "y");
        ProfileOps::deleteProfile(app.paths, "north");
        QCOMPARE(ProfileStore::profileNames(app.paths), QStringList{"South"});
        for (const char* name : {"..", "South/Config.conf"})
            QCOMPARE(failure([&] { ProfileOps::deleteProfile(app.paths, name); }), "Invalid Profile Name.");
        QVERIFY(app.exists("Profiles/South/Config.conf"));
    }

    void copySettings_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("withConf");
        QTest::addColumn<bool>("withItems");
        QTest::addColumn<QString>("error");
        QTest::newRow("configuration and items") << "South" << true << true << "";
        QTest::newRow("no items") << "South" << true << false << "";
        QTest::newRow("no configuration") << "South" << false << true << "North has no configuration file to copy.";
        QTest::newRow("onto itself") << "NORTH" << true << true << "";
    }
    void copySettings() {
        QFETCH(QString, target);
        QFETCH(bool, withConf);
        QFETCH(bool, withItems);
        QFETCH(QString, error);
        TempApp app;
        if (withConf) app.write("Profiles/North/Config/zr.conf", "north conf");
        if (withItems) app.write("Profiles/North/Items/items", "north items");
        for (const char* file : {"North/Config.conf", "South/Config/zr.conf", "South/Items/items", "South/Config.conf", "South/Stats/Pad/day"})
            app.write(QString("Profiles/") + file, QByteArray(file));
        auto expected = folderTree(app.path("Profiles"));
        QCOMPARE(failure([&] { ProfileOps::copySettings(app.paths, "North", target); }), error);
        if (error.isEmpty() && target == "South") {
            expected["South/Config/zr.conf"] = "north conf";
            if (withItems) expected["South/Items/items"] = "north items";
        }
        QCOMPARE(folderTree(app.path("Profiles")), expected);
    }

    void backUpTarget_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("refused");
        QTest::newRow("other letter case") << "profiles" << true;
        QTest::newRow("same beginning") << "ProfilesOld" << true;
        QTest::newRow("through dot dot") << "BackUp/../Profiles" << true;
        QTest::newRow("BackUp") << "BackUp" << false;
    }
    void backUpTarget() {
        QFETCH(QString, folder);
        QFETCH(bool, refused);
        TempApp app;
        app.write("Profiles/North/Config/zr.conf", "conf");
        QCOMPARE(ProfileOps::isBackupTargetRefused(app.paths, app.path(folder)), refused);
    }

    void backUpAndRestore() {
        TempApp app, fresh;
        for (const QString name : {"North", "South"}) {
            FakeClock clock;
            ScriptedPrompts prompts;
            Profiles profile(app.paths, clock, prompts);
            ProfileOps::createProfile(profile, name, "127.0.0.1");
        }
        app.write("Profiles/South/Stats/Pad/20261205.pad", QByteArray("\x00\x01\xff", 3));
        const QString saved = app.path("BackUp");
        QVERIFY(QDir().mkpath(saved));
        for (const QString name : {"North", "South"}) {
            QCOMPARE(ProfileOps::backUpProfile(app.paths, name, saved), saved + '/' + name + ".zrp");
            ScriptedPrompts prompts;
            QCOMPARE(ProfileOps::restoreProfiles(fresh.paths, saved + '/' + name + ".zrp", prompts), QStringList{name});
            QVERIFY(prompts.asked.isEmpty());
            QCOMPARE(folderTree(fresh.path("Profiles/" + name)), folderTree(app.path("Profiles/" + name)));
        }
        QCOMPARE(folderTree(fresh.path("Profiles/North")).value("Stats/Sugg"), "<folder>"); // empty folders too
        // Backing up again replaces the archive whole.
        QVERIFY(QDir(app.path("Profiles/South")).removeRecursively());
        app.write("Profiles/South/Items/items", "new");
        ProfileOps::backUpProfile(app.paths, "South", saved);
        QVERIFY(QDir(fresh.path("Profiles/South")).removeRecursively());
        ScriptedPrompts prompts;
        ProfileOps::restoreProfiles(fresh.paths, saved + "/South.zrp", prompts);
        QCOMPARE(folderTree(fresh.path("Profiles/South")), folderTree(app.path("Profiles/South")));
        QCOMPARE(QDir(saved).entryList(QDir::Files | QDir::Hidden), (QStringList{"North.zrp", "South.zrp"}));
        QCOMPARE(failure([&] { ProfileOps::backUpProfile(app.paths, "West", saved); }), "Problem backing up West.");
    }

    // Archives that are refused whole: nothing of the profile is left behind, not even its folder.
    void refusedArchive_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("parent folder") << QByteArray("../evil");
        QTest::newRow("parent inside") << QByteArray("North/../../evil");
        QTest::newRow("absolute") << QByteArray("/tmp/zr-restore-evil");
        QTest::newRow("backslash") << QByteArray("North/a\\..\\..\\..\\evil");
        QTest::newRow("drive") << QByteArray("C:/evil");
        QTest::newRow("not in a profile") << QByteArray("Profiles.conf");
        QTest::newRow("not an archive") << QByteArray("<garbage>");
        QTest::newRow("damaged contents") << QByteArray("<damaged>");
        QTest::newRow("an entry inside a file entry") << QByteArray("North/Config/zr.conf/link");
    }
    void refusedArchive() {
        QFETCH(QByteArray, name);
        TempApp app, saved;
        const QString archive = saved.path("evil.zrp");
        if (name == "<garbage>") {
            saved.write("evil.zrp", QByteArray(100, 'x'));
        } else if (name == "<damaged>") {
            writeZip(archive, {{"North/", {}}, {"North/Config/zr.conf", "payload"}});
            saved.write("evil.zrp", saved.read("evil.zrp").replace("payload", "PAYLOAD"));
        } else {
            writeZip(archive, {{"North/", {}}, {"North/Config/zr.conf", "conf"}, {name, "evil"}});
        }
        ScriptedPrompts prompts;
        QCOMPARE(failure([&] { ProfileOps::restoreProfiles(app.paths, archive, prompts); }), "Restore failed.");
        const QStringList left = folderTree(app.path("")).keys();
        QVERIFY2(left.isEmpty() || left == QStringList{"Profiles"}, qPrintable(left.join(", ")));
        QVERIFY(!QFile::exists("/tmp/zr-restore-evil"));
        QCOMPARE(QDir(saved.dir.path()).entryList(QDir::Files), QStringList{"evil.zrp"});
    }

    void restoreOntoExistingProfile_data() {
        QTest::addColumn<bool>("replace");
        QTest::addColumn<bool>("broken"); // the archive's last entry of North cannot be written
        QTest::newRow("yes") << true << false;
        QTest::newRow("no") << false << false;
        QTest::newRow("yes, but it fails part way") << true << true;
    }
    void restoreOntoExistingProfile() {
        QFETCH(bool, replace);
        QFETCH(bool, broken);
        TempApp app;
        app.write("Profiles/north/config/zr.conf", "old");
        app.write("Profiles/north/Log/Event.log", "keep");
        Entries entries{{"South/Items/items", "menu"}, {"North/", {}}, {"North/Config/zr.conf", "new"}};
        if (broken) entries.append(qMakePair(QByteArray("North/Config/zr.conf/x"), QByteArray("x")));
        writeZip(app.path("saved.zrp"), entries);
        ScriptedPrompts prompts;
        prompts.answers = {replace ? Button::Yes : Button::No};
        QStringList restored;
        QCOMPARE(failure([&] { restored = ProfileOps::restoreProfiles(app.paths, app.path("saved.zrp"), prompts); }), broken ? "Restore failed." : "");
        // South came whole before North failed; a failed North is as it was.
        QCOMPARE(ProfileStore::profileNames(app.paths), (QStringList{"north", "South"}));
        QCOMPARE(app.read("Profiles/north/config/zr.conf"), replace && !broken ? "new" : "old");
        QCOMPARE(app.read("Profiles/north/Log/Event.log"), "keep");
        QCOMPARE(app.read("Profiles/South/Items/items"), "menu");
        if (broken) return;
        QCOMPARE(prompts.asked.size(), 1);
        QCOMPARE(prompts.asked[0].text, "The profile North already exists.  Do you want to replace its files?");
        QCOMPARE(restored, replace ? QStringList({"South", "North"}) : QStringList({"South"}));
    }
};

QTEST_GUILESS_MAIN(TestProfiles)
#include "tst_profiles.moc"
