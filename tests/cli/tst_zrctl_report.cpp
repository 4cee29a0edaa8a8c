// zrctl report: statistics reports as CSV, with the problem messages on stderr.

#include "TestSupport.h"

#include <QTest>

using namespace zr::test;

namespace {
Run report(const QStringList& arguments) {
    return runProcess(QStringLiteral(ZRCTL_PATH), QStringList{"report"} + arguments);
}
QString stats(const QString& name) {
    return QStringLiteral(ZR_TEST_DATA) + "/stats/" + name;
}
} // namespace

class TestZrctlReport : public QObject {
    Q_OBJECT
private slots:
    void csv_data();
    void csv();
    void summary();
    void summaryWithProfileStartTimes_data();
    void summaryWithProfileStartTimes();
    void usage_data();
    void usage();
};

void TestZrctlReport::csv_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<int>("exitCode");
    const QByteArray padHeader = testData("stats/lane.csv").split('\n').first() + '\n';
    const QByteArray trackHeader = testData("stats/track.csv").split('\n').first() + '\n';
    const QByteArray fileProblem =
        "There is a problem with this file.  Make sure that it is the desired one.\n";

    QTest::newRow("pad") << "pad"
                         << "lane.pad" << testData("stats/lane.csv") << QByteArray() << 0;
    QTest::newRow("ascii pad") << "ascii-pad"
                               << "ascii.pad" << testData("stats/ascii.csv") << QByteArray() << 0;
    QTest::newRow("pop") << "pop"
                         << "track.txt" << testData("stats/track.csv") << QByteArray() << 0;
    QTest::newRow("suggestive sell") << "sugg"
                                     << "track.txt" << testData("stats/track.csv") << QByteArray() << 0;
    QTest::newRow("pad cut short")
        << "pad"
        << "truncated.pad"
        << padHeader + "1,1,12,1/5/2003 9:00:00,10,1/5/2003 9:01:00,60,12.34,1/5/2003 9:00:10,1/5/2003 "
                       "9:00:50,,,,,,,\n"
        << fileProblem << 6;
    QTest::newRow("pop short last line")
        << "pop"
        << "short.txt" << trackHeader + "1,12/31/2002 23:59:59,pop1.jpg,120,7\n"
        << fileProblem << 6;
}

void TestZrctlReport::csv() {
    QFETCH(QString, kind);
    QFETCH(QString, file);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(int, exitCode);
    const Run r = report({kind, stats(file)});
    QCOMPARE(r.out, out);
    QCOMPARE(r.err, err);
    QCOMPARE(r.exitCode, exitCode);
}

void TestZrctlReport::summary() {
    const Run r = report({"pad", stats("lane.pad"), "--summary"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(QString::fromLatin1(r.out), QString("Speed of service (average seconds)\n"
                                                 "Period        Cars   Greet    Pad1    Pad2   Total\n"
                                                 "All              3     7.5    45.0    55.0   210.0\n\n"
                                                 "Breakfast        3     7.5    45.0    55.0   210.0\n"
                                                 "Lunch            0       -       -       -       -\n"
                                                 "Dinner           0       -       -       -       -\n"
                                                 "Closed           0       -       -       -       -\n\n"
                                                 "09:00            3     7.5    45.0    55.0   210.0\n"));
}

void TestZrctlReport::summaryWithProfileStartTimes_data() {
    QTest::addColumn<QByteArray>("zrConf");
    QTest::addColumn<QString>("profile");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("err");
    // The file's cars arrive on a Sunday at 9; Sunday's breakfast starts at 10 here,
    // so they fall in Saturday's last day part.
    const QByteArray laterSunday =
        testData("golden/default-zr.conf").replace("tod_sun_break   = 06:00", "tod_sun_break   = 10:00");
    QTest::newRow("the profile's start times") << laterSunday << "P" << 0 << QByteArray();
    QTest::newRow("missing lines take their defaults unasked")
        << QByteArray("tod_sun_break = 10:00\r\n") << "p" << 0 << QByteArray();
    QTest::newRow("unknown profile") << laterSunday << "Nobody" << 1
                                     << QByteArray("zrctl: Profiles: There is no profile Nobody.\n");
}

void TestZrctlReport::summaryWithProfileStartTimes() {
    QFETCH(QByteArray, zrConf);
    QFETCH(QString, profile);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, err);
    TempApp app;
    app.write("Profiles/P/Config/zr.conf", zrConf);
    app.write("Profiles/Profiles.conf",
              "##### Name of the Current Profile #####\r\n\r\ncurrent_profile = \"Other\"\r\n");
    app.write("Profiles/Other/Config.conf", "IP = 10.0.0.1\r\n");
    // Only read: no profile becomes current or is created, nothing is written or logged, no first run.
    const QMap<QString, QByteArray> before = folderTree(app.dir.path());
    const Run r =
        runProcess(QStringLiteral(ZRCTL_PATH), {"--app", app.dir.path(), "report", "pad", stats("lane.pad"),
                                                "--summary", "--profile", profile});
    QCOMPARE(folderTree(app.dir.path()), before);
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(r.err, err);
    if (exitCode == 0)
        QVERIFY2(r.out.contains("\nBreakfast        0 ") && r.out.contains("\nClosed           3 "), r.out);
}

void TestZrctlReport::usage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("unknown kind") << QStringList{"cars", stats("lane.pad")} << 2;
    QTest::newRow("no file") << QStringList{"pad"} << 2;
    QTest::newRow("summary of a pop file") << QStringList{"pop", stats("track.txt"), "--summary"} << 2;
    QTest::newRow("missing file") << QStringList{"pad", stats("missing.pad")} << 1;
}

void TestZrctlReport::usage() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    const Run r = report(arguments);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY(r.out.isEmpty());
    QVERIFY(!r.err.isEmpty());
}

QTEST_GUILESS_MAIN(TestZrctlReport)
#include "tst_zrctl_report.moc"
