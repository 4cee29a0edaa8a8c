// The profile's logs, the general date text and the front end's own zr.ini.

#include "TestSupport.h"
#include "app/DateText.h"
#include "app/FrontEndSettings.h"
#include "app/Logs.h"

#include <QTest>

using namespace zr;
using namespace zr::test;

namespace {

// zr.ini as the first run writes it.
const QStringList FirstRunLines{
    "# Configuration settings for the Brellic ZR5000FE (FrontEnd) software",
    "FirstRun = no",
    "",
    "#    Configuration settings for the OCB Communications form.",
    "#    Last Communication type",
    "",
    "comm_type = update",
    "",
    "#    Transfer type",
    "",
    "transfer_type = standard",
    "",
    "#    Selective transfer options",
    "",
    "transfer_config = yes",
    "transfer_menu = yes",
    "transfer_statistics = yes",
    "notify_transfer_complete = yes",
};

const QByteArray FirstRunBytes = "# Configuration settings for the Brellic ZR5000FE (FrontEnd) software\r\n"
                                 "FirstRun = no\r\n"
                                 "\r\n"
                                 "#    Configuration settings for the OCB Communications form.\r\n"
                                 "#    Last Communication type\r\n"
                                 "\r\n"
                                 "comm_type = update\r\n"
                                 "\r\n"
                                 "#    Transfer type\r\n"
                                 "\r\n"
                                 "transfer_type = standard\r\n"
                                 "\r\n"
                                 "#    Selective transfer options\r\n"
                                 "\r\n"
                                 "transfer_config = yes\r\n"
                                 "transfer_menu = yes\r\n"
                                 "transfer_statistics = yes\r\n"
                                 "notify_transfer_complete = yes\r\n";

QDateTime at(int y, int mo, int d, int h, int mi, int s) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

} // namespace

class TestLogsSettings : public QObject {
    Q_OBJECT
private slots:
    void eventLog_data();
    void eventLog();
    void eventLogAppends();
    void exceptionsLog_data();
    void exceptionsLog();
    void dateText_data();
    void dateText();
    void firstRun_data();
    void firstRun();
    void firstRunHappensOnce();
    void saveCommSettings_data();
    void saveCommSettings();
};

void TestLogsSettings::eventLog_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("morning") << FakeClock().current << QByteArray("12/5/2026 8:05:07 AM message\r\n");
    QTest::newRow("afternoon") << at(2026, 3, 14, 15, 9, 59)
                               << QByteArray("3/14/2026 3:09:59 PM message\r\n");
    QTest::newRow("midnight") << at(2026, 1, 1, 0, 0, 0) << QByteArray("1/1/2026 12:00:00 AM message\r\n");
    QTest::newRow("noon") << at(2026, 7, 4, 12, 0, 30) << QByteArray("7/4/2026 12:00:30 PM message\r\n");
}

void TestLogsSettings::eventLog() {
    QFETCH(QDateTime, now);
    QFETCH(QByteArray, expected);
    TempApp app;
    QDir().mkpath(app.path("Profiles/North/Log"));
    FakeClock clock;
    clock.current = now;
    ProfileLogs(app.paths, clock).LogEvent("North", "message");
    QCOMPARE(app.read("Profiles/North/Log/Event.log"), expected);
}

void TestLogsSettings::eventLogAppends() {
    TempApp app;
    app.write("Profiles/North/Log/Event.log", "earlier\r\n");
    FakeClock clock;
    ProfileLogs logs(app.paths, clock);
    logs.LogEvent("North", "first");
    clock.wait(60);
    logs.LogEvent("North", "second");
    QCOMPARE(app.read("Profiles/North/Log/Event.log"),
             QByteArray("earlier\r\n12/5/2026 8:05:07 AM first\r\n12/5/2026 8:06:07 AM second\r\n"));
}

void TestLogsSettings::exceptionsLog_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("show");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("shown") << at(2006, 8, 2, 9, 14, 0) << "Timeout" << true
                           << QByteArray("#2006-08-02 09:14:00#,\"Timeout\"\r\n");
    QTest::newRow("not shown, evening") << at(2006, 8, 2, 21, 4, 5) << "Timeout" << false
                                        << QByteArray("#2006-08-02 21:04:05#,\"Timeout\"\r\n");
    QTest::newRow("inner quotes unchanged")
        << at(2006, 8, 2, 9, 14, 0) << "File \"zr.conf\" busy" << true
        << QByteArray("#2006-08-02 09:14:00#,\"File \"zr.conf\" busy\"\r\n");
}

void TestLogsSettings::exceptionsLog() {
    QFETCH(QDateTime, now);
    QFETCH(QString, message);
    QFETCH(bool, show);
    QFETCH(QByteArray, expected);
    TempApp app;
    QDir().mkpath(app.path("Profiles/North/Log"));
    FakeClock clock;
    clock.current = now;
    ScriptedPrompts prompts;
    ProfileLogs(app.paths, clock).LogException("North", message, show, &prompts);
    QCOMPARE(app.read("Profiles/North/Log/Exceptions.log"), expected);
    QCOMPARE(prompts.informed.size(), show ? 1 : 0);
    if (show) {
        QCOMPARE(prompts.informed.first().title, QString());
        QCOMPARE(prompts.informed.first().text, message);
    }
    QVERIFY(prompts.asked.isEmpty());
}

void TestLogsSettings::dateText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("general"); // the value written back
    QTest::newRow("zero hour AM") << "00:00:00 AM" << true << "12:00:00 AM";
    QTest::newRow("breakfast") << "6:00:00 AM" << true << "6:00:00 AM";
    QTest::newRow("lunch") << "10:30:00 AM" << true << "10:30:00 AM";
    QTest::newRow("dinner, leading zero") << "04:30:00 PM" << true << "4:30:00 PM";
    QTest::newRow("closed") << "11:00:00 PM" << true << "11:00:00 PM";
    QTest::newRow("noon") << "12:00:00 PM" << true << "12:00:00 PM";
    QTest::newRow("24-hour minutes") << "16:30" << true << "4:30:00 PM";
    QTest::newRow("24-hour seconds") << "06:00:05" << true << "6:00:05 AM";
    QTest::newRow("date and time") << "12/5/2026 8:05:07 AM" << true << "12/5/2026 8:05:07 AM";
    QTest::newRow("13 PM") << "13:00 PM" << false << "";
    QTest::newRow("24:00") << "24:00" << false << "";
    QTest::newRow("30 February") << "2/30/2026 1:00:00 AM" << false << "";
    QTest::newRow("words") << "abc" << false << "";
    QTest::newRow("empty") << "" << false << "";
}

void TestLogsSettings::dateText() {
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QString, general);
    const std::optional<DateValue> value = parseDateText(text);
    QCOMPARE(value.has_value(), accepted);
    if (!accepted) return;
    QCOMPARE(generalDateText(*value), general);
    const std::optional<DateValue> again = parseDateText(general);
    QVERIFY(again.has_value());
    QVERIFY(*again == *value);
}

void TestLogsSettings::firstRun_data() {
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<QByteArray>("kept"); // after the defaults of a first run
    QTest::newRow("missing zr.ini") << false << QByteArray() << true << QByteArray();
    QTest::newRow("FirstRun = yes") << true << QByteArray("FirstRun = yes\r\n") << true << QByteArray();
    QTest::newRow("whole layout saying yes")
        << true << QByteArray(FirstRunBytes).replace("FirstRun = no", "FirstRun = yes") << true
        << QByteArray();
    QTest::newRow("FirstRun = YES") << true << QByteArray("FirstRun = YES\r\n") << false << QByteArray();
    QTest::newRow("FirstRun = no") << true << QByteArray("FirstRun = no\r\n") << false << QByteArray();
    QTest::newRow("yes, with a window size and a backup folder")
        << true
        << QByteArray("FirstRun = yes\r\n Window_Size_frmStats = 900x600\r\nbackup_folder = \"/b\"\r\n")
        << true
        << QByteArray("\r\n#    Window sizes and the folder of the last backup\r\n\r\n"
                      "Window_Size_frmStats = 900x600\r\nbackup_folder = \"/b\"\r\n");
}

void TestLogsSettings::firstRun() {
    QFETCH(bool, present);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, expected);
    TempApp app;
    const QDateTime old = at(2020, 1, 2, 3, 4, 5);
    if (present) {
        app.write("zr.ini", bytes);
        QFile f(app.path("zr.ini"));
        QVERIFY(f.open(QIODevice::Append));
        QVERIFY(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    QCOMPARE(FrontEndSettings::FirstRun(app.paths), expected);
    if (expected) {
        QFETCH(QByteArray, kept);
        QCOMPARE(app.read("zr.ini"), FirstRunBytes + kept);
    } else {
        QCOMPARE(app.read("zr.ini"), bytes);
        QCOMPARE(QFileInfo(app.path("zr.ini")).lastModified(), old);
    }
}

void TestLogsSettings::firstRunHappensOnce() {
    TempApp app;
    QVERIFY(FrontEndSettings::FirstRun(app.paths));
    QVERIFY(!FrontEndSettings::FirstRun(app.paths));
    QCOMPARE(app.read("zr.ini"), FirstRunBytes);
}

void TestLogsSettings::saveCommSettings_data() {
    using S = FrontEndSettings::CommSettings;
    QTest::addColumn<bool>("update");
    QTest::addColumn<QString>("transferType");
    QTest::addColumn<QList<bool>>("flags"); // config, menu, statistics, notify
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QByteArray>("kept"); // lines of zr.ini that the rewrite keeps

    QStringList standard = FirstRunLines;
    standard[12] = "#    Selective transfer options    ";
    QTest::newRow("defaults") << S().update << S().transferType << QList<bool>{true, true, true, true}
                              << standard << QByteArray();
    QTest::newRow("window sizes and the backup folder after the goal")
        << S().update << S().transferType << QList<bool>{true, true, true, true}
        << standard + QStringList{"", "#    Pad report goal for the total time of a car, in seconds", "",
                                  "total_time_goal = 90", "",
                                  "#    Window sizes and the folder of the last backup", "",
                                  "window_size_frmviewconf = 800x500", "backup_folder = \"/x y\""}
        << QByteArray("#    Window sizes and the folder of the last backup\r\n"
                      "window_size_frmviewconf = 800x500\r\n"
                      "total_time_goal = 90\r\nbackup_folder = \"/x y\"\r\n");

    QStringList retrieve = standard;
    retrieve[6] = "comm_type = retrieve";
    retrieve[10] = "transfer_type = selective";
    retrieve[14] = "transfer_config = no";
    retrieve[16] = "transfer_statistics = no";
    QTest::newRow("retrieve, selective")
        << false << "selective" << QList<bool>{false, true, false, true} << retrieve << QByteArray();

    QStringList noType = standard;
    noType.removeAt(10);
    noType[14] = "transfer_menu = no";
    noType[16] = "notify_transfer_complete = no";
    QTest::newRow("no transfer type")
        << true << "" << QList<bool>{true, false, true, false} << noType << QByteArray();
}

void TestLogsSettings::saveCommSettings() {
    QFETCH(bool, update);
    QFETCH(QString, transferType);
    QFETCH(QList<bool>, flags);
    QFETCH(QStringList, expected);
    TempApp app;
    QFETCH(QByteArray, kept);
    app.write("zr.ini", "FirstRun = no\r\nold = line\r\n" + kept);
    FrontEndSettings::CommSettings s;
    s.update = update;
    s.transferType = transferType;
    s.transferConfig = flags[0];
    s.transferMenu = flags[1];
    s.transferStatistics = flags[2];
    s.notifyTransferComplete = flags[3];
    FrontEndSettings::SaveCommSettings(app.paths, s);
    const QByteArray bytes = app.read("zr.ini");
    QCOMPARE(crlfLines(bytes), expected);
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
}

QTEST_GUILESS_MAIN(TestLogsSettings)
#include "tst_logs_settings.moc"
