// The profile folders, Profiles.conf and making a profile current.

#include "TestSupport.h"
#include "model/ProfileStore.h"
#include "model/Profiles.h"

#include <QTest>

using namespace zr;
using namespace zr::test;

namespace {

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

} // namespace

class TestProfileStore : public QObject {
    Q_OBJECT
private slots:
    void createProfileFolders();
    void createProfileFoldersReusesOtherLetterCase();
    void saveProfileList();
    void currentProfile_data();
    void currentProfile();
    void isValidName_data();
    void isValidName();
    void profileNames();
    void makeCurrent_data();
    void makeCurrent();
    void addressIsNotCarriedOver();
};

void TestProfileStore::createProfileFolders() {
    TempApp app;
    ProfileStore::CreateProfileFolders(app.paths, "North");
    QVERIFY(QFileInfo(app.path("Fonts")).isDir());
    for (const char* sub : {"Items", "Config", "Demo", "Log", "Stats/Sugg", "Stats/Pad", "Stats/Pop"})
        QVERIFY2(QFileInfo(app.path("Profiles/North/") + sub).isDir(), sub);
    QCOMPARE(entries(app.path("Profiles/North")), (QStringList{"Config", "Demo", "Items", "Log", "Stats"}));
}

void TestProfileStore::createProfileFoldersReusesOtherLetterCase() {
    TempApp app;
    QVERIFY(QDir().mkpath(app.path("profiles/north/CONFIG")));
    app.write("profiles/north/CONFIG/zr.conf", "keep");
    ProfileStore::CreateProfileFolders(app.paths, "North");
    QCOMPARE(entries(app.path("")), (QStringList{"Fonts", "profiles"}));
    QCOMPARE(entries(app.path("profiles")), QStringList{"north"});
    QCOMPARE(entries(app.path("profiles/north")), (QStringList{"CONFIG", "Demo", "Items", "Log", "Stats"}));
    QCOMPARE(app.read("profiles/north/CONFIG/zr.conf"), QByteArray("keep"));
}

void TestProfileStore::saveProfileList() {
    TempApp app;
    ProfileStore::SaveProfileList(app.paths, "North");
    QCOMPARE(app.read("Profiles/Profiles.conf"),
             QByteArray("##### Name of the Current Profile #####\r\n\r\ncurrent_profile = \"North\"\r\n"));
    QCOMPARE(ProfileStore::currentProfile(app.paths), std::optional<QString>("North"));
}

void TestProfileStore::currentProfile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("LF line ends") << QByteArray("##### Name of the Current Profile #####\n\n"
                                                "current_profile = \"North\"\n")
                                  << "North";
    QTest::newRow("name with a blank") << QByteArray("current_profile = \"North Side\"\r\n") << "North Side";
}

void TestProfileStore::currentProfile() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    TempApp app;
    QVERIFY(!ProfileStore::currentProfile(app.paths).has_value());
    app.write("Profiles/Profiles.conf", bytes);
    QCOMPARE(ProfileStore::currentProfile(app.paths), std::optional<QString>(expected));
}

void TestProfileStore::isValidName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks") << "   " << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("dot dot with blanks") << " .. " << false;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("backslash") << "a\\b" << false;
    QTest::newRow("tab") << "a\tb" << false;
    QTest::newRow("beyond 8 bits") << QString("North") + QChar(0x20AC) << false;
    QTest::newRow("plain") << "North" << true;
    QTest::newRow("trimmed") << " North " << true;
    QTest::newRow("accented") << QString("Caf") + QChar(0xE9) << true;
    QTest::newRow("inner blank") << "North Side" << true;
}

void TestProfileStore::isValidName() {
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(ProfileStore::isValidName(name), valid);
}

void TestProfileStore::profileNames() {
    TempApp app;
    for (const char* name : {"south", "North", "east", "West"})
        QDir().mkpath(app.path("Profiles/") + name);
    app.write("Profiles/Profiles.conf", "current_profile = \"North\"\r\n");
    QCOMPARE(ProfileStore::profileNames(app.paths), (QStringList{"east", "North", "south", "West"}));
}

void TestProfileStore::makeCurrent_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("configConf"); // empty: none
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QString>("address");
    QTest::newRow("new profile, name in blanks")
        << " North " << QByteArray() << QByteArray("IP = \r\n") << "";
    QTest::newRow("address kept") << "North" << QByteArray("IP = 10.1.1.1\r\n")
                                  << QByteArray("IP = 10.1.1.1\r\n") << "10.1.1.1";
}

void TestProfileStore::makeCurrent() {
    QFETCH(QString, name);
    QFETCH(QByteArray, configConf);
    QFETCH(QByteArray, written);
    QFETCH(QString, address);
    TempApp app;
    if (!configConf.isEmpty()) app.write("Profiles/North/Config.conf", configConf);
    FakeClock clock;
    ScriptedPrompts prompts;
    Profiles profile(app.paths, clock, prompts);
    profile.setID(name);
    QCOMPARE(profile.ID(), QString("North"));
    QCOMPARE(ProfileStore::profileNames(app.paths), QStringList{"North"});
    QCOMPARE(app.read("Profiles/North/Config.conf"), written);
    QCOMPARE(profile.IPAddress(), address);
    QVERIFY(app.exists("Profiles/North/Config/zr.conf"));
    QVERIFY(prompts.asked.isEmpty());
}

void TestProfileStore::addressIsNotCarriedOver() {
    TempApp app;
    app.write("Profiles/North/Config.conf", "IP = 10.1.1.1\r\n");
    QVERIFY(QDir().mkpath(app.path("Profiles/South")));
    FakeClock clock;
    ScriptedPrompts prompts;
    prompts.answers = {Button::Yes}; // South has no zr.conf: its first missing line is asked about
    Profiles profile(app.paths, clock, prompts);
    profile.setID("North");
    QCOMPARE(profile.IPAddress(), QString("10.1.1.1"));
    profile.setID("South");
    QCOMPARE(profile.IPAddress(), QString());
    QCOMPARE(app.read("Profiles/South/Config.conf"), QByteArray("IP = \r\n"));
    QCOMPARE(app.read("Profiles/North/Config.conf"), QByteArray("IP = 10.1.1.1\r\n"));
}

QTEST_GUILESS_MAIN(TestProfileStore)
#include "tst_profilestore.moc"
