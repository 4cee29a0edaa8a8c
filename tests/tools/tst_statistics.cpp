// The binary statistics converter, run as a process.
#include "OcbSim.h"
#include "TestSupport.h"
#include "reports/PadReport.h"

#include <QtEndian>

using namespace zr::test;

namespace {

struct Record {
    quint32 kind, check, on, off, start, finish;
    qint32 cents;
};

QByteArray le32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray zrs(const QList<Record>& records, quint16 version = 1, quint16 size = 28) {
    QByteArray b("ZRS\x1a", 4);
    b += QByteArray(4, '\0');
    qToLittleEndian(version, b.data() + 4);
    qToLittleEndian(size, b.data() + 6);
    b += le32(records.size()) + le32(0);
    for (const Record& r : records)
        b += le32(r.kind) + le32(r.check) + le32(r.on) + le32(r.off) + le32(r.start) + le32(r.finish) +
             le32(static_cast<quint32>(r.cents));
    return b;
}

// 1/5/2003 9:00:00 as the board's clock showed it.
constexpr quint32 T0 = 1041757200;

} // namespace

class TestStatistics : public QObject {
    Q_OBJECT
private slots:
    void converts();
    void refuses_data();
    void refuses();
    void readsTheSimulatorsFiles();
};

void TestStatistics::converts() {
    TempApp app;
    const QString file = "Profiles/Lane 1/Stats/Pad/0412.zrs"; // blanks in the path: one argument
    app.write(file, zrs({{1, 12, T0, T0 + 60, T0 + 10, T0 + 50, 1234},
                         {2, 12, T0 + 120, T0 + 210, 0, T0 + 180, -5}}));
    const Run run = runProcess(STATISTICS_PATH, {app.path(file)});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    const QByteArray text = app.read(file + ".pad");
    QCOMPARE(text, "1,12,1/5/2003 9:00:00,1/5/2003 9:01:00,1/5/2003 9:00:10,1/5/2003 9:00:50,1234\r\n"
                   "2,12,1/5/2003 9:02:00,1/5/2003 9:03:30,,1/5/2003 9:03:00,-5\r\n");
    // The pad report reads it: one car, its pad-2 record joined to its check.
    QCOMPARE(zr::PadReport::build(QString::fromLatin1(text)).rowCount(), 1);
}

void TestStatistics::refuses_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QByteArray good = zrs({{1, 1, T0, T0, T0, T0, 1}, {1, 2, T0, T0, T0, T0, 2}});
    QTest::newRow("truncated record") << good.left(good.size() - 3) << "is truncated";
    QTest::newRow("header only") << good.left(16) << "is truncated";
    QTest::newRow("short header") << good.left(9) << "is not a binary statistics";
    QTest::newRow("text file") << QByteArray("1,12,1/5/2003 9:00:00,,,,100\r\n")
                               << "is not a binary statistics";
    QTest::newRow("empty") << QByteArray() << "is not a binary statistics";
    QTest::newRow("other version") << zrs({}, 2) << "unknown layout";
    QTest::newRow("other record size") << zrs({}, 1, 32) << "unknown layout";
    QTest::newRow("trailing bytes") << good + "x"
                                    << "bytes after its last record";
}

void TestStatistics::refuses() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    TempApp app;
    app.write("in.zrs", bytes);
    const Run run = runProcess(STATISTICS_PATH, {app.path("in.zrs")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(message.toLatin1()), run.err.constData());
    QVERIFY(!app.exists("in.zrs.pad"));
}

void TestStatistics::readsTheSimulatorsFiles() {
    // The simulator seeds the same pad records as text (drive_1) and as .zrs:
    // the converter must turn one into the other.
    OcbSim sim({"--seed-stats"});
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    const Run run = runProcess(STATISTICS_PATH, {sim.remotePath("zr/var/0412.zrs")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(sim.remote("zr/var/0412.zrs.pad"), sim.remote("zr/var/drive_1"));
}

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
