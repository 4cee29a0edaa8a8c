// New, rename, delete, copy settings, backup and restore of whole profiles.

#include "TestSupport.h"
#include "app/AppError.h"
#include "model/ProfileStore.h"
#include "model/Profiles.h"
#include "profiles/ProfileArchive.h"
#include "profiles/ProfileOps.h"

#include <QDirIterator>
#include <QTest>
#include <zip.h>

using namespace zr;
using namespace zr::test;

namespace {

/// Every entry below the folder: folders as "<folder>", files by contents.
QMap<QString, QByteArray> tree(const QString& folder) {
    QMap<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        QFile file(it.filePath());
        entries.insert(QDir(folder).relativeFilePath(it.filePath()),
                       it.fileInfo().isDir() ? QByteArray("<folder>")
                                             : (file.open(QIODevice::ReadOnly), file.readAll()));
    }
    return entries;
}

void makeProfile(TempApp& app, const QString& name, const QString& ip) {
    FakeClock clock;
    ScriptedPrompts prompts;
    Profiles profile(app.paths, clock, prompts);
    ProfileOps::createProfile(profile, name, ip);
}

QString failure(const std::function<void()>& work) {
    try {
        work();
    } catch (const AppError& e) {
        return e.description();
    }
    return QString();
}

/// An archive holding exactly these entries, in this order (names ending in "/" are folders).
void writeZip(const QString& path, const QList<QPair<QByteArray, QByteArray>>& entries) {
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

QStringList zipNames(const QString& path) {
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    QStringList names;
    for (zip_int64_t i = 0; archive && i < zip_get_num_entries(archive, 0); ++i)
        names << QString::fromUtf8(zip_get_name(archive, zip_uint64_t(i), 0));
    if (archive) zip_discard(archive);
    return names;
}

} // namespace

class TestProfileOps : public QObject {
    Q_OBJECT
private slots:
    void validateNewProfile_data();
    void validateNewProfile();
    void renameProfile_data();
    void renameProfile();
    void deleteProfile();
    void copySettings_data();
    void copySettings();
    void backUpTarget_data();
    void backUpTarget();
    void backUpAndRestore();
    void backingUpAgainReplacesTheArchive();
    void refusedArchive_data();
    void refusedArchive();
    void restoreOntoExistingProfile_data();
    void restoreOntoExistingProfile();
};

void TestProfileOps::validateNewProfile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("ip");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("field");
    const auto row = [](const char* tag, QString name, QStringList ip, QString message, int field) {
        QTest::newRow(tag) << name << ip << message << field;
    };
    const QStringList ok{"10", "0", "255", "007"};
    const QString exists = "Profile already exists.", range = "Value must be in range 0 - 255.";
    const QString badName = "Invalid Profile Name.", badValue = "Invalid Value for IP Address.";
    row("valid", "South", ok, "", -1);
    row("other letter case", "north", ok, exists, 0);
    row("blanks around", " North ", ok, exists, 0);
    row("existing name comes first", "NORTH", {"", "", "", ""}, exists, 0);
    row("blanks only", "   ", ok, badName, 0);
    row("slash", "a/b", ok, badName, 0);
    row("double quote", "Joe's \"Big\" Store", ok,
        "A profile name cannot hold a double quote (\"): the list of profiles could not store it.", 0);
    row("256", "South", {"10", "256", "0", "1"}, range, 2);
    row("many digits", "South", {"10", "0", "00000000000000000000256", "1"}, range, 3);
    row("empty", "South", {"10", "0", "", "1"}, badValue, 3);
    row("-1", "South", {"10", "0", "0", "-1"}, badValue, 4);
    row("1.5", "South", {"1.5", "999", "0", "1"}, badValue, 1);
    row("three parts", "South", {"10", "0", "1"}, badValue, 4);
    // The same check for an address split at its dots (the general settings).
    row("lowest and highest", "South", {"0", "0", "0", "255"}, "", -1);
    row("a fifth part", "South", {"10", "77", "77", "85", "3"}, badValue, 5);
    row("leading blank", "South", {" 10", "1", "1", "1"}, badValue, 1);
    row("trailing blank", "South", {"10", "1", "1", "1 "}, badValue, 4);
    row("exponent", "South", {"1e2", "1", "1", "1"}, badValue, 1);
    row("sign", "South", {"+5", "1", "1", "1"}, badValue, 1);
    row("starts with a dot", "South", {"", "10", "77", "77"}, badValue, 1);
    row("four digits", "South", {"1000", "1", "1", "1"}, range, 1);
    row("leading zero of four digits", "South", {"10", "0001", "1", "1"}, range, 2);
    row("letter", "South", {"10", "a", "1", "1"}, badValue, 2);
    row("other digits", "South", {QString::fromUtf8("\u0661"), "1", "1", "1"}, badValue, 1);
}

void TestProfileOps::validateNewProfile() {
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

void TestProfileOps::renameProfile_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("after");
    const auto row = [](const char* tag, QString from, QString to, QString error, QStringList after) {
        QTest::newRow(tag) << from << to << error << after;
    };
    const QStringList unchanged{"North", "South"};
    row("40 characters keep 35", "North", QString(40, 'A'), "", {QString(35, 'A'), "South"});
    row("cut leaves no blank", "North", QString(34, 'B') + " C", "", {QString(34, 'B'), "South"});
    row("trimmed, any case of the old name", "NORTH", "  East ", "", {"East", "South"});
    row("letter case only", "North", "NORTH", "", {"NORTH", "South"});
    row("duplicate", "North", "south", "Profile already exists.", unchanged);
    row("blanks only", "North", "  ", "Invalid Profile Name.", unchanged);
    row("dot dot", "North", "..", "Invalid Profile Name.", unchanged);
    row("double quote", "North", "\"North\"",
        "A profile name cannot hold a double quote (\"): the list of profiles could not store it.", unchanged);
    row("missing", "West", "East", "The profile West does not exist.", unchanged);
}

void TestProfileOps::renameProfile() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, error);
    QFETCH(QStringList, after);
    TempApp app;
    app.write("Profiles/North/Config.conf", "IP = 10.0.0.1\r\n");
    app.write("Profiles/South/Config.conf", "IP = 10.0.0.2\r\n");
    QString used;
    QCOMPARE(failure([&] { used = ProfileOps::renameProfile(app.paths, from, to); }), error);
    QCOMPARE(ProfileStore::profileNames(app.paths), after);
    if (error.isEmpty()) {
        QCOMPARE(used, after.first());
        QCOMPARE(app.read("Profiles/" + used + "/Config.conf"), QByteArray("IP = 10.0.0.1\r\n"));
    }
}

void TestProfileOps::deleteProfile() {
    TempApp app;
    app.write("Profiles/North/Log/Event.log", "x");
    app.write("Profiles/South/Config.conf", "y");
    ProfileOps::deleteProfile(app.paths, "north");
    QCOMPARE(ProfileStore::profileNames(app.paths), QStringList{"South"});
    for (const char* name : {"..", "South/Config.conf"})
        QCOMPARE(failure([&] { ProfileOps::deleteProfile(app.paths, name); }), "Invalid Profile Name.");
    QVERIFY(app.exists("Profiles/South/Config.conf"));
}

void TestProfileOps::copySettings_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("withConf");
    QTest::addColumn<bool>("withItems");
    QTest::addColumn<QString>("error");
    QTest::newRow("configuration and items") << "South" << true << true << "";
    QTest::newRow("no items") << "South" << true << false << "";
    QTest::newRow("no configuration")
        << "South" << false << true << "North has no configuration file to copy.";
    QTest::newRow("onto itself") << "NORTH" << true << true << "";
}

void TestProfileOps::copySettings() {
    QFETCH(QString, target);
    QFETCH(bool, withConf);
    QFETCH(bool, withItems);
    QFETCH(QString, error);
    TempApp app;
    if (withConf) app.write("Profiles/North/Config/zr.conf", "north conf");
    if (withItems) app.write("Profiles/North/Items/items", "north items");
    app.write("Profiles/North/Config.conf", "IP = 10.0.0.1\r\n");
    app.write("Profiles/South/Config/zr.conf", "south conf");
    app.write("Profiles/South/Items/items", "south items");
    app.write("Profiles/South/Config.conf", "IP = 10.0.0.2\r\n");
    app.write("Profiles/South/Stats/Pad/day", "stats");
    const auto before = tree(app.path("Profiles"));
    QCOMPARE(failure([&] { ProfileOps::copySettings(app.paths, "North", target); }), error);
    auto expected = before;
    if (error.isEmpty() && target == "South") {
        expected["South/Config/zr.conf"] = "north conf";
        if (withItems) expected["South/Items/items"] = "north items";
    }
    QCOMPARE(tree(app.path("Profiles")), expected);
}

void TestProfileOps::backUpTarget_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("refused");
    QTest::newRow("Profiles") << "Profiles" << true;
    QTest::newRow("a profile") << "Profiles/North/Log" << true;
    QTest::newRow("other letter case") << "profiles" << true;
    QTest::newRow("same beginning") << "ProfilesOld" << true;
    QTest::newRow("through dot dot") << "BackUp/../Profiles" << true;
    QTest::newRow("BackUp") << "BackUp" << false;
    QTest::newRow("application folder") << "" << false;
}

void TestProfileOps::backUpTarget() {
    QFETCH(QString, folder);
    QFETCH(bool, refused);
    TempApp app;
    app.write("Profiles/North/Config/zr.conf", "conf");
    QCOMPARE(ProfileOps::isBackupTargetRefused(app.paths, app.path(folder)), refused);
}

void TestProfileOps::backUpAndRestore() {
    TempApp app;
    const QStringList names{"North", "South", "East"};
    for (const QString& name : names)
        makeProfile(app, name, "10.0.0.1");
    app.write("Profiles/North/Items/items", "1,Burger\r\n");
    app.write("Profiles/South/Stats/Pad/20261205.pad", QByteArray("\x00\x01\xff", 3));
    const QString saved = app.path("BackUp");
    QVERIFY(QDir().mkpath(saved));
    TempApp fresh;
    for (const QString& name : names) {
        QCOMPARE(ProfileOps::backUpProfile(app.paths, name, saved), saved + '/' + name + ".zrp");
        ScriptedPrompts prompts;
        QCOMPARE(ProfileOps::restoreProfiles(fresh.paths, saved + '/' + name + ".zrp", prompts),
                 QStringList{name});
        QVERIFY(prompts.asked.isEmpty());
        const auto original = tree(app.path("Profiles/" + name));
        QCOMPARE(original.value("Stats/Sugg"), QByteArray("<folder>"));
        QCOMPARE(tree(fresh.path("Profiles/" + name)), original);
    }
    QCOMPARE(QDir(saved).entryList(QDir::Files), (QStringList{"East.zrp", "North.zrp", "South.zrp"}));
    QCOMPARE(failure([&] { ProfileOps::backUpProfile(app.paths, "West", saved); }),
             "Problem backing up West.");
}

void TestProfileOps::backingUpAgainReplacesTheArchive() {
    TempApp app;
    app.write("Profiles/North/Items/items", "old");
    QVERIFY(QDir().mkpath(app.path("BackUp")));
    ProfileOps::backUpProfile(app.paths, "North", app.path("BackUp"));
    QVERIFY(QFile::remove(app.path("Profiles/North/Items/items")));
    app.write("Profiles/North/Config/zr.conf", "new");
    ProfileOps::backUpProfile(app.paths, "North", app.path("BackUp"));
    QCOMPARE(zipNames(app.path("BackUp/North.zrp")),
             (QStringList{"North/", "North/Config/", "North/Items/", "North/Config/zr.conf"}));
    QCOMPARE(QDir(app.path("BackUp")).entryList(QDir::Files | QDir::Hidden), QStringList{"North.zrp"});
}

void TestProfileOps::refusedArchive_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("parent folder") << QByteArray("../evil");
    QTest::newRow("parent inside") << QByteArray("North/../../evil");
    QTest::newRow("absolute") << QByteArray("/tmp/zr-restore-evil");
    QTest::newRow("backslash") << QByteArray("North/a\\..\\..\\..\\evil");
    QTest::newRow("drive") << QByteArray("C:/evil");
    QTest::newRow("not in a profile") << QByteArray("Profiles.conf");
    QTest::newRow("not an archive") << QByteArray("<garbage>");
    QTest::newRow("damaged contents") << QByteArray("<damaged>");
    // Written as a file, which the next entry cannot then be put in.
    QTest::newRow("an entry inside a file entry") << QByteArray("North/Config/zr.conf/link");
}

void TestProfileOps::refusedArchive() {
    QFETCH(QByteArray, name);
    TempApp app;
    TempApp saved;
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
    // Nothing of the profile is left behind, not even its folder.
    const QMap<QString, QByteArray> left = tree(app.path(""));
    QVERIFY2(left.isEmpty() || left.keys() == QStringList{"Profiles"}, qPrintable(left.keys().join(", ")));
    QVERIFY(!QFile::exists("/tmp/zr-restore-evil"));
    QCOMPARE(QDir(saved.dir.path()).entryList(QDir::Files), QStringList{"evil.zrp"});
}

void TestProfileOps::restoreOntoExistingProfile_data() {
    QTest::addColumn<bool>("replace");
    QTest::addColumn<bool>("broken");  // the archive's last entry of North cannot be written
    QTest::newRow("yes") << true << false;
    QTest::newRow("no") << false << false;
    QTest::newRow("yes, but it fails part way") << true << true;
}

void TestProfileOps::restoreOntoExistingProfile() {
    QFETCH(bool, replace);
    QFETCH(bool, broken);
    TempApp app;
    app.write("Profiles/north/config/zr.conf", "old");
    app.write("Profiles/north/Log/Event.log", "keep");
    const QString archive = app.path("saved.zrp");
    QList<QPair<QByteArray, QByteArray>> entries{
        {"South/Items/items", "menu"}, {"North/", {}}, {"North/Config/zr.conf", "new"}};
    if (broken) entries.append(qMakePair(QByteArray("North/Config/zr.conf/x"), QByteArray("x")));
    writeZip(archive, entries);
    ScriptedPrompts prompts;
    prompts.answers = {replace ? Button::Yes : Button::No};
    QStringList restored;
    QCOMPARE(failure([&] { restored = ProfileOps::restoreProfiles(app.paths, archive, prompts); }),
             broken ? "Restore failed." : "");
    if (broken) {
        // South came whole before North failed; North is as it was.
        QCOMPARE(app.read("Profiles/north/config/zr.conf"), QByteArray("old"));
        QCOMPARE(ProfileStore::profileNames(app.paths), (QStringList{"north", "South"}));
        return;
    }
    QCOMPARE(prompts.asked.size(), 1);
    QCOMPARE(prompts.asked[0].title, QString());
    QCOMPARE(prompts.asked[0].text, "The profile North already exists.  Do you want to replace its files?");
    QCOMPARE(restored, replace ? QStringList({"South", "North"}) : QStringList({"South"}));
    QCOMPARE(ProfileStore::profileNames(app.paths), (QStringList{"north", "South"}));
    QCOMPARE(app.read("Profiles/north/config/zr.conf"), QByteArray(replace ? "new" : "old"));
    QCOMPARE(app.read("Profiles/north/Log/Event.log"), QByteArray("keep"));
    QCOMPARE(app.read("Profiles/South/Items/items"), QByteArray("menu"));
}

QTEST_GUILESS_MAIN(TestProfileOps)
#include "tst_profileops.moc"
