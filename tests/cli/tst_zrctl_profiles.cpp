// zrctl's profile commands: new, rename, delete, copy, backup and restore.

#include "TestSupport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace zr::test;

namespace {

/// zrctl on the application folder; "@" in an argument stands for that folder.
Run zrctl(const TempApp& app, QStringList arguments) {
    arguments.replaceInStrings("@", app.dir.path());
    return runProcess(QStringLiteral(ZRCTL_PATH), QStringList{"--app", app.dir.path()} + arguments);
}

/// North (with a menu, backed up to Saved/ and then changed) and South, the current profile.
void prepare(const TempApp& app) {
    QCOMPARE(zrctl(app, {"new", "North", "--ip", "10.0.0.1"}).exitCode, 0);
    QCOMPARE(zrctl(app, {"new", "South", "--ip", "10.0.0.2"}).exitCode, 0);
    app.write("Profiles/North/Items/items", "north menu\r\n");
    QVERIFY(QDir().mkpath(app.path("Saved")));
    QCOMPARE(zrctl(app, {"backup", "North", "--to", "@/Saved"}).exitCode, 0);
    app.write("Profiles/North/Items/items", "changed\r\n");
}

} // namespace

using Expected = QMap<QString, QByteArray>;

class TestZrctlProfiles : public QObject {
    Q_OBJECT
private slots:
    void command_data();
    void command();
    void backupListsWithUnzip();
};

void TestZrctlProfiles::command_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<Expected>("expected");
    // Expected files: "" must be missing, "*" must exist, any other text must be in the file.
    const auto row = [](const char* tag, QStringList arguments, int exitCode, QByteArray message,
                        Expected expected) {
        QTest::newRow(tag) << arguments << exitCode << message << expected;
    };
    const QByteArray current = "current_profile = ";
    const QByteArray refused = "Cannot back up files under the ZR5000FE Profiles directory.";
    const QByteArray replace =
        "The profile North already exists.  Do you want to replace its files?\nAnswer: yes";
    row("new", {"new", " East ", "--ip", "10.0.0.3"}, 0, "",
        {{"Profiles/East/Config.conf", "IP = 10.0.0.3"},
         {"Profiles/East/Config/zr.conf", "*"},
         {"Profiles/Profiles.conf", current + "\"East\""}});
    row("new, existing name", {"new", "north", "--ip", "1.2.3.4"}, 1, "Profile already exists.",
        {{"Profiles/north", ""}});
    row("new, 256", {"new", "East", "--ip", "10.0.256.1"}, 1, "Value must be in range 0 - 255.",
        {{"Profiles/East", ""}});
    row("new, three parts", {"new", "East", "--ip", "10.0.1"}, 2, "", {{"Profiles/East", ""}});
    row("rename the current profile", {"rename", "south", "West"}, 0, "",
        {{"Profiles/South", ""},
         {"Profiles/West/Config.conf", "10.0.0.2"},
         {"Profiles/Profiles.conf", current + "\"West\""}});
    row("rename another profile", {"rename", "North", "East"}, 0, "",
        {{"Profiles/East/Items/items", "changed"}, {"Profiles/Profiles.conf", current + "\"South\""}});
    row("rename to an existing name", {"rename", "North", "SOUTH"}, 1, "Profile already exists.",
        {{"Profiles/North/Config.conf", "10.0.0.1"}});
    row("delete", {"delete", "North"}, 0, "", {{"Profiles/North", ""}, {"Profiles/South/Config.conf", "*"}});
    row("delete, missing", {"delete", "West"}, 1, "There is no profile West.", {});
    row("copy", {"copy", "North", "South"}, 0, "",
        {{"Profiles/South/Items/items", "changed"}, {"Profiles/South/Config.conf", "10.0.0.2"}});
    row("copy, missing source", {"copy", "West", "South"}, 1, "The profile West does not exist.", {});
    row("backup", {"backup", "North", "South", "--to", "@/Saved"}, 0, "",
        {{"Saved/North.zrp", "*"}, {"Saved/South.zrp", "*"}});
    row("backup, missing folder", {"backup", "North", "--to", "@/Nowhere"}, 1, "Problem backing up North.",
        {{"Nowhere", ""}});
    row("backup into Profiles", {"backup", "North", "--to", "@/Profiles/South"}, 1, refused,
        {{"Profiles/South/North.zrp", ""}});
    row("restore", {"restore", "@/Saved/North.zrp"}, 0, replace,
        {{"Profiles/North/Items/items", "north menu"}});
    row("restore, answer no", {"restore", "@/Saved/North.zrp", "--answer", "no"}, 0, "Answer: no",
        {{"Profiles/North/Items/items", "changed"}});
    row("restore, not an archive", {"restore", "@/Profiles/Profiles.conf"}, 1, "Restore failed.", {});
}

void TestZrctlProfiles::command() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, message);
    QFETCH(Expected, expected);
    TempApp app;
    prepare(app);
    const Run r = zrctl(app, arguments);
    QVERIFY2(r.exitCode == exitCode, r.err.constData());
    QVERIFY2(r.err.contains(message), r.err.constData());
    if (exitCode == 1) QVERIFY(r.err.startsWith("zrctl: "));
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (it.value().isEmpty())
            QVERIFY2(!app.exists(it.key()), qPrintable(it.key()));
        else if (it.value() == "*")
            QVERIFY2(app.exists(it.key()), qPrintable(it.key()));
        else
            QVERIFY2(app.read(it.key()).contains(it.value()), qPrintable(it.key()));
    }
}

void TestZrctlProfiles::backupListsWithUnzip() {
    const QString unzip = QStandardPaths::findExecutable("unzip");
    if (unzip.isEmpty()) QSKIP("unzip is not installed");
    TempApp app;
    prepare(app);
    const Run r = runProcess(unzip, {"-l", app.path("Saved/North.zrp")});
    QCOMPARE(r.exitCode, 0);
    for (const char* entry : {"North/Config/zr.conf", "North/Items/items", "North/Stats/Sugg/"})
        QVERIFY2(r.out.contains(entry), r.out.constData());
}

QTEST_GUILESS_MAIN(TestZrctlProfiles)
#include "tst_zrctl_profiles.moc"
