// The profile's logs, the general date text, the front end's own zr.ini and
// the FTP component's Ftp.ini.

#include "TestSupport.h"
#include "app/DateText.h"
#include "app/FrontEndSettings.h"
#include "app/Logs.h"
#include "comm/FtpSettings.h"

using namespace zr;
using namespace zr::test;

namespace {

QDateTime at(int y, int mo, int d, int h, int mi, int s) { return QDateTime(QDate(y, mo, d), QTime(h, mi, s)); }
using Lines = QMap<int, QString>;
/// zr.ini as the first run writes it.
QByteArray firstRunIni() { return testData("golden/first-run-zr.ini"); }

} // namespace

class TestLogsSettings : public QObject {
    Q_OBJECT
private slots:
    void logs_data() {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("show"); // -1: an event, else an exception shown or not
        QTest::addColumn<QByteArray>("expected");
        // clang-format off
        QTest::newRow("event, morning") << at(2026, 12, 5, 8, 5, 7) << "message" << -1 << QByteArray("earlier\r\n12/5/2026 8:05:07 AM message\r\n");
        QTest::newRow("event, midnight") << at(2026, 1, 1, 0, 0, 0) << "message" << -1 << QByteArray("earlier\r\n1/1/2026 12:00:00 AM message\r\n");
        QTest::newRow("event, noon") << at(2026, 7, 4, 12, 0, 30) << "message" << -1 << QByteArray("earlier\r\n7/4/2026 12:00:30 PM message\r\n");
        QTest::newRow("exception shown") << at(2006, 8, 2, 9, 14, 0) << "Timeout" << 1 << QByteArray("earlier\r\n#2006-08-02 09:14:00#,\"Timeout\"\r\n");
        QTest::newRow("exception not shown, inner quotes unchanged") << at(2006, 8, 2, 21, 4, 5) << "File \"zr.conf\" busy" << 0 << QByteArray("earlier\r\n#2006-08-02 21:04:05#,\"File \"zr.conf\" busy\"\r\n");
        // clang-format on
    }
    void logs() {
        QFETCH(QDateTime, now);
        QFETCH(QString, message);
        QFETCH(int, show);
        QFETCH(QByteArray, expected);
        TempApp app;
        const QString log = show < 0 ? "Profiles/North/Log/Event.log" : "Profiles/North/Log/Exceptions.log";
        app.write(log, "earlier\r\n");
        FakeClock clock;
        clock.current = now;
        ScriptedPrompts prompts;
        if (show < 0)
            ProfileLogs(app.paths, clock).LogEvent("North", message);
        else
            ProfileLogs(app.paths, clock).LogException("North", message, show, &prompts);
        QCOMPARE(app.read(log), expected);
        QCOMPARE(prompts.informed.size(), show > 0 ? 1 : 0);
        if (show > 0) QCOMPARE(prompts.informed.first().title + '|' + prompts.informed.first().text, '|' + message);
        QVERIFY(prompts.asked.isEmpty());
    }

    void dateText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("general"); // the value written back; empty: refused
        QTest::newRow("zero hour AM") << "00:00:00 AM" << "12:00:00 AM";
        QTest::newRow("dinner, leading zero") << "04:30:00 PM" << "4:30:00 PM";
        QTest::newRow("noon") << "12:00:00 PM" << "12:00:00 PM";
        QTest::newRow("24-hour minutes") << "16:30" << "4:30:00 PM";
        QTest::newRow("24-hour seconds") << "06:00:05" << "6:00:05 AM";
        QTest::newRow("date and time") << "12/5/2026 8:05:07 AM" << "12/5/2026 8:05:07 AM";
        QTest::newRow("13 PM") << "13:00 PM" << "";
        QTest::newRow("24:00") << "24:00" << "";
        QTest::newRow("30 February") << "2/30/2026 1:00:00 AM" << "";
        QTest::newRow("empty") << "" << "";
    }
    void dateText() {
        QFETCH(QString, text);
        QFETCH(QString, general);
        const std::optional<DateValue> value = parseDateText(text);
        QCOMPARE(value.has_value(), !general.isEmpty());
        if (!value) return;
        QCOMPARE(generalDateText(*value), general);
        const std::optional<DateValue> again = parseDateText(general);
        QVERIFY(again && *again == *value);
    }

    void firstRun_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: no zr.ini
        QTest::addColumn<bool>("expected");
        QTest::addColumn<QByteArray>("kept"); // after the defaults of a first run
        // clang-format off
        QTest::newRow("missing zr.ini") << QByteArray() << true << QByteArray();
        QTest::newRow("FirstRun = yes") << QByteArray("FirstRun = yes\r\n") << true << QByteArray();
        QTest::newRow("whole layout saying yes") << firstRunIni().replace("FirstRun = no", "FirstRun = yes") << true << QByteArray();
        QTest::newRow("FirstRun = YES") << QByteArray("FirstRun = YES\r\n") << false << QByteArray();
        QTest::newRow("FirstRun = no") << QByteArray("FirstRun = no\r\n") << false << QByteArray();
        QTest::newRow("yes, with a window size and a backup folder") << QByteArray("FirstRun = yes\r\n Window_Size_frmStats = 900x600\r\nbackup_folder = \"/b\"\r\n") << true
            << QByteArray("\r\n#    Window sizes and the folder of the last backup\r\n\r\nWindow_Size_frmStats = 900x600\r\nbackup_folder = \"/b\"\r\n");
        // clang-format on
    }
    void firstRun() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, expected);
        QFETCH(QByteArray, kept);
        TempApp app;
        const QDateTime old = at(2020, 1, 2, 3, 4, 5);
        if (!bytes.isEmpty()) {
            app.write("zr.ini", bytes);
            QFile f(app.path("zr.ini"));
            QVERIFY(f.open(QIODevice::Append) && f.setFileTime(old, QFileDevice::FileModificationTime));
        }
        QCOMPARE(FrontEndSettings::FirstRun(app.paths), expected);
        QCOMPARE(app.read("zr.ini"), expected ? firstRunIni() + kept : bytes);
        if (!expected) QCOMPARE(QFileInfo(app.path("zr.ini")).lastModified(), old);
        QVERIFY(!FrontEndSettings::FirstRun(app.paths)); // a first run happens once
    }

    void saveCommSettings_data() {
        QTest::addColumn<FrontEndSettings::CommSettings>("settings");
        QTest::addColumn<Lines>("changed"); // lines of the first-run layout, by index; "" removes
        QTest::addColumn<QByteArray>("kept");            // lines of zr.ini that the rewrite keeps
        QTest::addColumn<QStringList>("added");
        using S = FrontEndSettings::CommSettings;
        S retrieve, noType;
        retrieve.update = false;
        retrieve.transferType = "selective";
        retrieve.transferConfig = retrieve.transferStatistics = false;
        noType.transferType = "";
        noType.transferMenu = noType.notifyTransferComplete = false;
        const Lines heading{{12, "#    Selective transfer options    "}};
        // clang-format off
        QTest::newRow("defaults") << S() << heading << QByteArray() << QStringList();
        QTest::newRow("window sizes and the backup folder after the goal") << S() << heading
            << QByteArray("#    Window sizes and the folder of the last backup\r\nwindow_size_frmviewconf = 800x500\r\ntotal_time_goal = 90\r\nbackup_folder = \"/x y\"\r\n")
            << QStringList{"", "#    Pad report goal for the total time of a car, in seconds", "", "total_time_goal = 90", "", "#    Window sizes and the folder of the last backup", "", "window_size_frmviewconf = 800x500", "backup_folder = \"/x y\""};
        QTest::newRow("retrieve, selective") << retrieve << Lines{{12, heading[12]}, {6, "comm_type = retrieve"}, {10, "transfer_type = selective"}, {14, "transfer_config = no"}, {16, "transfer_statistics = no"}} << QByteArray() << QStringList();
        QTest::newRow("no transfer type") << noType << Lines{{12, heading[12]}, {10, ""}, {15, "transfer_menu = no"}, {17, "notify_transfer_complete = no"}} << QByteArray() << QStringList();
        // clang-format on
    }
    void saveCommSettings() {
        QFETCH(FrontEndSettings::CommSettings, settings);
        QFETCH(Lines, changed);
        QFETCH(QByteArray, kept);
        QFETCH(QStringList, added);
        TempApp app;
        app.write("zr.ini", "FirstRun = no\r\nold = line\r\n" + kept);
        FrontEndSettings::SaveCommSettings(app.paths, settings);
        QStringList expected = crlfLines(firstRunIni());
        for (auto it = changed.cbegin(); it != changed.cend(); ++it) expected[it.key()] = it.value();
        if (changed.value(10, "x").isEmpty()) expected.removeAt(10);
        const QByteArray bytes = app.read("zr.ini");
        QCOMPARE(crlfLines(bytes), expected + added);
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    }

    void ftpSettings_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("connectTimeout");
        QTest::addColumn<QString>("account"); // user:password@host
        QTest::newRow("no Ftp.ini") << QByteArray() << 21 << 4 << "zr:qv@";
        QTest::newRow("every key") << QByteArray("# c\r\nPORT = 2121\r\nuser = a\r\npassword = b\r\nhost = 127.0.0.2\r\nconnect_timeout = 9\r\n") << 2121 << 9 << "a:b@127.0.0.2";
        QTest::newRow("bad numbers keep the defaults") << QByteArray("port = 70000\nconnect_timeout = x\n") << 21 << 4 << "zr:qv@";
        QTest::newRow("timeout zero or below") << QByteArray("port = 0\nconnect_timeout = 0\nconnect_timeout = -3\n") << 21 << 4 << "zr:qv@";
    }
    void ftpSettings() {
        QFETCH(QByteArray, ini);
        QFETCH(int, port);
        QFETCH(int, connectTimeout);
        QFETCH(QString, account);
        TempApp app;
        if (!ini.isEmpty()) app.write("Ftp.ini", ini);
        const FtpSettings s = loadFtpSettings(app.paths);
        QCOMPARE(s.port, port);
        QCOMPARE(s.connectTimeout, connectTimeout);
        QCOMPARE(s.user + ':' + s.password + '@' + s.host, account);
        QCOMPARE(s.stallTimeout, 10);
        saveFtpSettings(app.paths, s); // what is saved loads back the same
        QCOMPARE(loadFtpSettings(app.paths).port, port);
        QCOMPARE(loadFtpSettings(app.paths).connectTimeout, connectTimeout);
    }
};

QTEST_GUILESS_MAIN(TestLogsSettings)
#include "tst_logs_settings.moc"
