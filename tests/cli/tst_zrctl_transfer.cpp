// zrctl update and retrieve against the OCB simulator.

#include "OcbSim.h"
#include "TestSupport.h"

using namespace zr::test;

namespace {

Run zrctl(const TempApp& app, const QStringList& arguments) {
    return runProcess(QStringLiteral(ZRCTL_PATH), QStringList{"--app", app.dir.path()} + arguments);
}

/// A profile with a small zr.conf and items file and the pictures they name.
void board(const TempApp& app, const QString& name, const QString& ip) {
    app.write("Profiles/" + name + "/Config.conf", "IP = " + ip.toLatin1() + "\r\n");
    app.write("Profiles/" + name + "/Config/zr.conf", "pop_week_lunch = lunch.jpg 5\r\n");
    app.write("Profiles/" + name + "/Items/items", "\"A\",\"A\",\"a.jpg\",10,\"TRUE\",\"\",\"FALSE\"\r\n");
    for (const char* pop : {"ZRScreens/POP/lunch.jpg", "ZRScreens/POP/default.jpg", "ZRScreens/Item/a.jpg",
                            "ZRScreens/Item/GreatChoice.jpg"})
        app.write(pop, "jpeg bytes");
}

} // namespace

class TestZrctlTransfer : public QObject {
    Q_OBJECT
private slots:
    void updateSeveralBoards();
    void retrieveOnlyStatistics();
    void refusedArguments_data();
    void refusedArguments();
};

void TestZrctlTransfer::updateSeveralBoards() {
    OcbSim sim;
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    TempApp app;
    board(app, "North", "127.0.0.1");
    board(app, "South", "127.0.0.2"); // nothing listens there
    const Run r = zrctl(app, {"update", "--all", "--port", QString::number(sim.port())});
    QCOMPARE(r.exitCode, 1);
    const QStringList lines = QString::fromLocal8Bit(r.out).split('\n');
    QCOMPARE(lines.first(), "== North");
    QCOMPARE(lines.at(1), "[1/150] 127.0.0.1 Attempting connection...");
    QVERIFY(lines.contains("[1/150] Connection to South@127.0.0.2 Failed."));
    const QRegularExpression row("^(North|South) +(127\\.0\\.0\\.[12]) +(updated|failed) +\\d+\\.\\d$");
    QStringList summary;
    for (const QString& line : lines)
        if (const QRegularExpressionMatch m = row.match(line); m.hasMatch())
            summary.append(m.captured(1) + ' ' + m.captured(3));
    QCOMPARE(summary, (QStringList{"North updated", "South failed"}));
    QVERIFY(lines.contains(QRegularExpression("^Profile +Address +Result +Seconds$")));
    QCOMPARE(sim.journal("CTRL").filter(QRegularExpression("^CTRL reload ")).size(), 1);
    QCOMPARE(sim.remote("zr/images/pops/lunch.jpg"), "jpeg bytes");
}

void TestZrctlTransfer::retrieveOnlyStatistics() {
    OcbSim sim({"--seed-stats"});
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    TempApp app;
    board(app, "North", "10.9.9.9"); // --host takes its place
    sim.putRemote("zr/var/zr.conf", "not fetched");
    const Run r = zrctl(app, {"retrieve", "North", "--only", "statistics", "--host", "127.0.0.1", "--port",
                              QString::number(sim.port())});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains("] Skipping retrieval of Config File.\n"));
    QVERIFY(r.out.endsWith("] Standard Retrieval completed successfully!\n"));
    QCOMPARE(app.read("Profiles/North/Config/zr.conf"), "pop_week_lunch = lunch.jpg 5\r\n");
    for (const char* file :
         {"Stats/Pad/drive_1.txt", "Stats/Pop/pop_1.txt", "Stats/Sugg/sugg_1.txt", "Stats/Pad/0412.zrs"})
        QVERIFY2(app.exists(QString("Profiles/North/") + file), file);
    QCOMPARE(sim.remoteFolder("zr/var"), QStringList{"zr.conf"});
}

void TestZrctlTransfer::refusedArguments_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("update without a board") << QStringList{"update"} << 2;
    QTest::newRow("unknown part") << QStringList{"retrieve", "North", "--only", "pictures"} << 2;
    QTest::newRow("port out of range") << QStringList{"update", "North", "--port", "70000"} << 2;
    QTest::newRow("unknown profile") << QStringList{"retrieve", "Nowhere"} << 1;
}

void TestZrctlTransfer::refusedArguments() {
    QFETCH(QStringList, arguments);
    TempApp app;
    board(app, "North", "127.0.0.1");
    const QMap<QString, QByteArray> before = folderTree(app.dir.path());
    const Run r = zrctl(app, arguments);
    QTEST(r.exitCode, "exitCode");
    QVERIFY(!r.err.isEmpty());
    QCOMPARE(folderTree(app.dir.path()), before);
}

QTEST_GUILESS_MAIN(TestZrctlTransfer)
#include "tst_zrctl_transfer.moc"
