// zrctl run as its users run it, on a temporary application folder.

#include "TestSupport.h"

#include <QDirIterator>
#include <QProcess>
#include <QTest>
#include <algorithm>

using namespace zr::test;

namespace {

Run zrctl(const TempApp& app, const QStringList& arguments) {
    return runProcess(QStringLiteral(ZRCTL_PATH), QStringList{"--app", app.dir.path()} + arguments);
}

QMap<QString, QByteArray> snapshot(const TempApp& app) { return folderTree(app.dir.path()); }

const QByteArray MissingDisplayMode = "Warning!  Config File is missing Line display_mode.  If you proceed, "
                                      "display_mode will be given a default value.  Do you wish to continue?";

} // namespace

class TestZrctl : public QObject {
    Q_OBJECT
private slots:
    void profiles();
    void useCreatesANewProfile();
    void missingLine_data();
    void missingLine();
    void usageErrors_data();
    void usageErrors();
    void invalidName_data();
    void invalidName();
    void help_data();
    void help();
};

void TestZrctl::profiles() {
    TempApp app;
    QCOMPARE(zrctl(app, {"profiles"}).exitCode, 0);
    app.write("Profiles/beta/Config.conf", "IP = 10.0.0.2\r\n");
    app.write("Profiles/Alpha/Config.conf", "IP = 10.0.0.1\r\n");
    QVERIFY(QDir().mkpath(app.path("Profiles/charlie")));
    app.write("Profiles/Profiles.conf", "current_profile = \"Alpha\"\r\n");
    const Run r = zrctl(app, {"profiles"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("Alpha\t10.0.0.1\nbeta\t10.0.0.2\ncharlie\t\n"));
}

void TestZrctl::useCreatesANewProfile() {
    TempApp app;
    const Run r = zrctl(app, {"use", "North"});
    QCOMPARE(r.exitCode, 0);
    for (const char* sub : {"Items", "Config", "Demo", "Log", "Stats/Sugg", "Stats/Pad", "Stats/Pop"})
        QVERIFY2(QFileInfo(app.path("Profiles/North/") + sub).isDir(), sub);
    QCOMPARE(app.read("Profiles/North/Config/zr.conf"), testData("golden/default-zr.conf"));
    QCOMPARE(app.read("Profiles/North/Config.conf"), QByteArray("IP = \r\n"));
    const QStringList events = crlfLines(app.read("Profiles/North/Log/Event.log"));
    const auto defaulted = [](const QString& line) {
        return line.endsWith(" display_mode given default setting of portrait");
    };
    QVERIFY2(std::any_of(events.cbegin(), events.cend(), defaulted), qPrintable(events.join('\n')));
    QCOMPARE(app.read("Profiles/Profiles.conf"),
             QByteArray("##### Name of the Current Profile #####\r\n\r\ncurrent_profile = \"North\"\r\n"));
    QVERIFY(!r.err.contains("Warning!")); // a new profile is not asked about
}

void TestZrctl::missingLine_data() {
    QTest::addColumn<QStringList>("answer");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("default answer") << QStringList() << 0;
    QTest::newRow("answer yes") << QStringList{"--answer", "yes"} << 0;
    QTest::newRow("answer no") << QStringList{"--answer", "no"} << 3;
}

void TestZrctl::missingLine() {
    QFETCH(QStringList, answer);
    QFETCH(int, exitCode);
    TempApp app;
    app.notFirstRun();
    QCOMPARE(zrctl(app, {"use", "North"}).exitCode, 0);
    QByteArray conf = app.read("Profiles/North/Config/zr.conf");
    const qsizetype at = conf.indexOf("display_mode");
    QVERIFY(at >= 0);
    conf.remove(at, conf.indexOf("\r\n", at) + 2 - at);
    app.write("Profiles/North/Config/zr.conf", conf);
    const QMap<QString, QByteArray> before = snapshot(app);

    const Run r = zrctl(app, QStringList{"use", "North"} + answer);
    QCOMPARE(r.exitCode, exitCode);
    const QByteArray word = exitCode == 0 ? "yes" : "no";
    QVERIFY2(r.err.contains(MissingDisplayMode + "\nAnswer: " + word + "\n"), r.err.constData());
    if (exitCode == 3) {
        QCOMPARE(snapshot(app), before);
        return;
    }
    QVERIFY(app.read("Profiles/North/Config/zr.conf").contains("\r\ndisplay_mode "));
    QVERIFY(crlfLines(app.read("Profiles/North/Log/Event.log"))
                .last()
                .endsWith("display_mode given default setting of portrait"));
}

void TestZrctl::usageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no command") << QStringList();
    QTest::newRow("unknown command") << QStringList{"frobnicate"};
    QTest::newRow("use without a name") << QStringList{"use"};
    QTest::newRow("answer maybe") << QStringList{"use", "North", "--answer", "maybe"};
}

void TestZrctl::usageErrors() {
    QFETCH(QStringList, arguments);
    TempApp app;
    QCOMPARE(zrctl(app, arguments).exitCode, 2);
    QVERIFY(snapshot(app).isEmpty());
}

void TestZrctl::invalidName_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("dot dot") << "..";
    QTest::newRow("slash") << "a/b";
    QTest::newRow("blanks only") << "  ";
}

void TestZrctl::invalidName() {
    QFETCH(QString, name);
    TempApp app;
    const Run r = zrctl(app, {"use", name});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.err.startsWith("zrctl: "));
    QVERIFY(snapshot(app).isEmpty());
}

void TestZrctl::help_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("help") << "--help" << QByteArray("use");
    QTest::newRow("version of the build") << "--version" << QByteArray("zrctl " ZR_VERSION "\n");
}

void TestZrctl::help() {
    QFETCH(QString, option);
    QFETCH(QByteArray, expected);
    TempApp app;
    const Run r = zrctl(app, {option});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.contains(expected), r.out.constData());
}

QTEST_GUILESS_MAIN(TestZrctl)
#include "tst_zrctl.moc"
