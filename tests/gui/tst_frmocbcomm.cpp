// The OCB communications window: option rules, zr.ini, the command and its boxes.

#include "OcbSim.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "app/frmMain.h"
#include "comm/OcbTransfer.h"
#include "comm/frmOCBComm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>

using namespace zr;
using namespace zr::test;

namespace {

/// A clock whose pauses can act, as a user would while the window waits.
class ActingClock : public FakeClock {
public:
    std::function<void()> onWait;
    void wait(double seconds) override {
        FakeClock::wait(seconds);
        if (onWait) onWait();
    }
};

/// Two complete profiles, "North" current.
struct Harness {
    TempApp app;
    ActingClock clock;
    ScriptedPrompts prompts;
    ScriptedDialogs dialogs;
    frmMain main{app.paths, clock, prompts, dialogs};

    Harness() {
        main.setEndProgram([] {});
        app.notFirstRun();
        for (const auto& [name, ip] : {std::pair{"North", "10.0.0.5"}, std::pair{"South", "10.0.0.6"}}) {
            main.Profile().setID(name);
            main.Profile().setIPAddress(ip);
            main.Profile().SaveProfile();
        }
        main.Profile().setID("North");
        main.LoadProfiles();
    }

    void aimAtNoBoard() const {
        FtpSettings ftp;
        ftp.host = "127.0.0.1";
        ftp.port = 1; // nothing listens on a privileged port of a test machine
        ftp.connectTimeout = 1;
        saveFtpSettings(app.paths, ftp);
    }
};

/// The visible state of the options, in one comparable line: the selected
/// options, the enabled options, whether the selective frame and "Statistics"
/// are enabled, "Synchronize" ticked, and the command's caption.
QString state(const frmOCBComm& w) {
    QString selected, enabled;
    for (int i = 0; i < 5; ++i) {
        if (w.opt[i]->isChecked()) selected += QString::number(i);
        if (w.opt[i]->isEnabled()) enabled += QString::number(i);
    }
    return QString("sel %1 en %2 fra2 %3 stats %4 sync %5 %6")
        .arg(selected, enabled)
        .arg(w.fra[2]->isEnabled())
        .arg(w.chk[2]->isEnabled())
        .arg(w.chk[4]->isChecked())
        .arg(w.cmd[0]->text());
}

QString ticks(const frmOCBComm& w) {
    QString out;
    for (int i = 0; i < 4; ++i)
        out += w.chk[i]->isChecked() ? '1' : '0';
    return out;
}

} // namespace

class TestFrmOCBComm : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheCurrentProfile();
    void optionRules_data();
    void optionRules();
    void loadCommSettings_data();
    void loadCommSettings();
    void settingsRoundTrip();
    void closingIsRefusedWhileBusy();
    void closingBoxes_data();
    void closingBoxes();
    void updateThenRetrieve();
    void failureIsReported();
};

void TestFrmOCBComm::opensOnTheCurrentProfile() {
    Harness h;
    h.app.write("Profiles/South/Config/zr.conf",
                "last_update      =    \"12/1/2026 9:15:00 AM\"\r\nlast_retrieval   =    \"11/30/2026\"\r\n");
    auto* w = new frmOCBComm(h.main);
    QCOMPARE(w->windowTitle(), "Order Confirmation Board Communications");

    QVERIFY(w->isWindow());
    QCOMPARE(w->cmb->count(), 2);
    QCOMPARE(w->cmb->currentText(), "North");
    QCOMPARE(w->IP->text(), "10.0.0.5");
    QVERIFY(!h.main.toolBar()->isEnabled());
    for (const char* menu : {"mnuEdit", "mnuView"})
        QVERIFY(!h.main.findChild<QMenu*>(menu)->menuAction()->isEnabled());
    QVERIFY(h.main.findChild<QMenu*>("mnuProfiles")->menuAction()->isEnabled());
    QVERIFY(!w->lbl[4]->isVisibleTo(w) && !w->ProgressBar->isVisibleTo(w));

    w->cmb->setCurrentText("South");
    QCOMPARE(w->IP->text(), "10.0.0.6");
    QCOMPARE(w->lblDate->text(), "Last Updated:     12/1/2026 9:15:00 AM");
    w->opt[1]->click();
    QCOMPARE(w->lblDate->text(), "Last Retrieved:   11/30/2026");
    QCOMPARE(w->PadStatsDir(), h.app.path("Profiles/South/Stats/Pad/"));

    QVERIFY(w->close());
    QVERIFY(h.main.toolBar()->isEnabled());
    for (const char* menu : {"mnuEdit", "mnuView"})
        QVERIFY(h.main.findChild<QMenu*>(menu)->menuAction()->isEnabled());
    delete w;
}

void TestFrmOCBComm::optionRules_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("expected");
    QTest::newRow("as created") << QList<int>{} << "sel 02 en 0124 fra2 0 stats 0 sync 1 &Update";
    QTest::newRow("retrieve") << QList<int>{1} << "sel 12 en 0123 fra2 0 stats 0 sync 0 &Retrieve";
    QTest::newRow("selective retrieve")
        << QList<int>{1, 3} << "sel 13 en 0123 fra2 1 stats 1 sync 0 &Retrieve";
    QTest::newRow("efficient update, then retrieve")
        << QList<int>{4, 1} << "sel 12 en 0123 fra2 0 stats 0 sync 0 &Retrieve";
    QTest::newRow("selective retrieve, then update")
        << QList<int>{1, 3, 0} << "sel 02 en 0124 fra2 0 stats 0 sync 1 &Update";
    QTest::newRow("selective, then standard retrieve")
        << QList<int>{1, 3, 2} << "sel 12 en 0123 fra2 0 stats 0 sync 1 &Retrieve";
    QTest::newRow("efficient update") << QList<int>{4} << "sel 04 en 0124 fra2 0 stats 0 sync 1 &Update";
}

void TestFrmOCBComm::optionRules() {
    QFETCH(QList<int>, clicks);
    QFETCH(QString, expected);
    Harness h;
    frmOCBComm w(h.main);
    for (int i : clicks) {
        QVERIFY2(w.opt[i]->isEnabled(), qPrintable(QString("opt %1 disabled").arg(i)));
        w.opt[i]->click();
    }
    QCOMPARE(state(w), expected);
}

void TestFrmOCBComm::loadCommSettings_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("checks"); // Config, Menu, Statistics, Notify
    const QByteArray yes = "transfer_config = yes\r\ntransfer_menu = yes\r\ntransfer_statistics = yes\r\n";
    QTest::newRow("no zr.ini") << QByteArray() << "sel 02 en 0124 fra2 0 stats 0 sync 1 &Update"
                               << "1111";
    QTest::newRow("standard retrieve") << "comm_type = retrieve\r\ntransfer_type = standard\r\n" + yes
                                       << "sel 12 en 0123 fra2 0 stats 0 sync 1 &Retrieve"
                                       << "1111";
    QTest::newRow("selective retrieve, no config")
        << QByteArray("comm_type = retrieve\r\ntransfer_type = selective\r\ntransfer_config = no\r\n")
        << "sel 13 en 0123 fra2 1 stats 1 sync 0 &Retrieve"
        << "0111";
    QTest::newRow("efficient update, menu and notify off")
        << QByteArray("comm_type = update\r\ntransfer_type = efficient\r\ntransfer_menu = No\r\n"
                      "notify_transfer_complete = NO\r\n")
        << "sel 04 en 0124 fra2 0 stats 0 sync 1 &Update"
        << "1010";
    QTest::newRow("capital U is not recognised")
        << QByteArray("comm_type = Update\r\ntransfer_type = efficient\r\n")
        << "sel 02 en 0124 fra2 0 stats 0 sync 1 &Update"
        << "1111";
    QTest::newRow("efficient is no retrieve type")
        << QByteArray("comm_type = retrieve\r\ntransfer_type = efficient\r\n")
        << "sel 12 en 0123 fra2 0 stats 0 sync 0 &Retrieve"
        << "1111";
    QTest::newRow("empty values change nothing")
        << QByteArray("comm_type =\r\ntransfer_statistics =\r\nnotify_transfer_complete =\r\n")
        << "sel 02 en 0124 fra2 0 stats 0 sync 1 &Update"
        << "1111";
    QTest::newRow("a repeated key ends the reading")
        << QByteArray("comm_type = retrieve\r\ntransfer_type = selective\r\ntransfer_type = standard\r\n"
                      "transfer_config = no\r\n")
        << "sel 12 en 0123 fra2 0 stats 0 sync 0 &Retrieve"
        << "1111";
}

void TestFrmOCBComm::loadCommSettings() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, expected);
    QFETCH(QString, checks);
    Harness h;
    if (ini.isEmpty())
        QFile::remove(h.app.path("zr.ini"));
    else
        h.app.write("zr.ini", "FirstRun = no\r\n" + ini);
    frmOCBComm w(h.main);
    QCOMPARE(state(w), expected);
    QCOMPARE(ticks(w), checks);
}

void TestFrmOCBComm::settingsRoundTrip() {
    Harness h;
    {
        frmOCBComm w(h.main);
        w.opt[1]->click();
        w.opt[3]->click();
        w.chk[1]->setChecked(false);
        w.chk[3]->setChecked(false);
        QVERIFY(w.close());
    }
    const QStringList lines = crlfLines(h.app.read("zr.ini"));
    for (const char* line :
         {"comm_type = retrieve", "transfer_type = selective", "transfer_config = yes", "transfer_menu = no",
          "transfer_statistics = yes", "notify_transfer_complete = no"})
        QVERIFY2(lines.contains(line), line);
    frmOCBComm again(h.main);
    QCOMPARE(state(again), "sel 13 en 0123 fra2 1 stats 1 sync 0 &Retrieve");
    QCOMPARE(ticks(again), "1010");
}

// While the command waits for the OCB, neither this window nor the main
// window can be closed, and the window takes no input.
void TestFrmOCBComm::closingIsRefusedWhileBusy() {
    Harness h;
    h.aimAtNoBoard();
    auto* w = new frmOCBComm(h.main);
    h.main.show();
    w->show();
    h.prompts.answers = {Button::OK};
    int waits = 0;
    h.clock.onWait = [&] {
        if (waits++) return;
        QVERIFY(w->Busy());
        QVERIFY(!w->close());
        QVERIFY(!h.main.close());
        QVERIFY(!w->cmd[0]->isEnabled());
        QVERIFY(!w->cmd[1]->isEnabled());
        QVERIFY(!w->cmb->isEnabled());
        QVERIFY(w->lbl[4]->isVisible());
    };
    w->cmd[0]->click();
    QVERIFY(waits > 0);
    QVERIFY(!w->Busy());
    QVERIFY(w->cmd[0]->isEnabled() && w->cmd[1]->isEnabled());
    QVERIFY(!w->lbl[4]->isVisible() && !w->ProgressBar->isVisible());
    QVERIFY(w->isVisible());
    h.clock.onWait = nullptr;
    QVERIFY(w->close());
    delete w;
}

void TestFrmOCBComm::closingBoxes_data() {
    QTest::addColumn<bool>("update");
    QTest::addColumn<bool>("notify");
    QTest::addColumn<QList<Button>>("answers");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("failed update, notify")
        << true << true << QList<Button>{} << QStringList{"Update of the OCB Failed."};
    QTest::newRow("failed update, quiet") << true << false << QList<Button>{} << QStringList{};
    QTest::newRow("failed retrieve, notify") << false << true << QList<Button>{Button::Yes} << QStringList{};
    QTest::newRow("retrieve declined") << false << true << QList<Button>{Button::No} << QStringList{};
}

// No OCB answers: the update fails with its box when notify is ticked; a
// failed retrieve shows none. The warning comes before every retrieve.
void TestFrmOCBComm::closingBoxes() {
    QFETCH(bool, update);
    QFETCH(bool, notify);
    QFETCH(QList<Button>, answers);
    QFETCH(QStringList, boxes);
    Harness h;
    h.aimAtNoBoard();
    frmOCBComm w(h.main);
    w.opt[update ? 0 : 1]->click();
    w.chk[3]->setChecked(notify);
    h.prompts.answers = answers;
    w.cmd[0]->click();
    QStringList shown;
    for (const auto& box : h.prompts.informed) {
        QVERIFY2(box.title.isEmpty(), qPrintable(box.title));
        shown << box.text;
    }
    QCOMPARE(shown, boxes);
    if (!update) {
        QCOMPARE(h.prompts.asked.size(), 1);
        QCOMPARE(h.prompts.asked[0].title, "WARNING:");
        QCOMPARE(h.prompts.asked[0].text,
                 "Warning: Retrieving OCB Settings will overwrite any changes to this "
                 "profile you have made.  Are you sure you want to continue?");
    }
    const QStringList log = crlfLines(h.app.read("Profiles/North/Log/Ftp.log"));
    if (answers.value(0) == Button::No)
        QVERIFY(log.isEmpty());
    else
        QCOMPARE(log.value(0), "\"127.0.0.1 Attempting connection...\"");
    QVERIFY(!w.Busy());
}

// A real update and then a real retrieve through the window against the
// simulated OCB: the progress shows during the command, the boxes after it,
// and the retrieve brings the OCB's settings and statistics into the profile
// and reloads the current profile from them.
void TestFrmOCBComm::updateThenRetrieve() {
    Harness h;
    OcbSim sim({"--seed-stats"});
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    saveFtpSettings(h.app.paths, sim.settings());
    h.app.write("Profiles/North/Items/items", testData("items/good"));
    frmOCBComm w(h.main);
    w.show();
    QStringList progress;
    h.clock.onWait = [&] {
        if (w.ProgressBar->isVisible() && w.lbl[4]->isVisible())
            progress << QString("%1/%2").arg(w.ProgressBar->value()).arg(w.ProgressBar->maximum());
    };

    h.prompts.answers = {Button::OK};
    w.cmd[0]->click();
    QCOMPARE(h.prompts.informed.value(0).text, "Update of the OCB completed.");
    QVERIFY(!progress.isEmpty());
    QCOMPARE(progress.value(0), "1/150");
    QVERIFY(sim.journal("CTRL").join('\n').contains("CTRL reload"));
    QCOMPARE(sim.remote("zr/var/zr.conf"), h.app.read("Profiles/North/Config/zr.conf").replace("\r\n", "\n"));
    QVERIFY(!sim.remoteExists("zr/var/drive_1")); // the update collects waiting statistics
    QVERIFY(sim.remoteExists("zr/var/items"));
    QVERIFY(!w.lbl[4]->isVisible() && !w.ProgressBar->isVisible());

    QByteArray onBoard = sim.remote("zr/var/zr.conf");
    QVERIFY(onBoard.contains("display_mode    =  portrait"));
    onBoard.replace("display_mode    =  portrait", "display_mode    =  landscape");
    sim.putRemote("zr/var/zr.conf", onBoard);
    sim.putRemote("zr/var/pop_7", "\"12/04/2026 23:59:59\",\"default.jpg\",120,7\r\n");
    const QByteArray before = h.app.read("Profiles/North/Config/zr.conf");
    w.opt[1]->click();
    h.prompts.informed.clear();
    h.prompts.answers = {Button::Yes, Button::OK};
    w.cmd[0]->click();
    QCOMPARE(h.prompts.asked.value(0).title, "WARNING:");
    QCOMPARE(h.prompts.informed.value(0).text, "Retrieval from the OCB completed.");
    QCOMPARE(h.app.read("Profiles/North/Config/zr.conf.old"), before);
    QVERIFY(h.app.read("Profiles/North/Config/zr.conf").contains("landscape"));
    QVERIFY(h.app.exists("Profiles/North/Stats/Pop/pop_7.txt"));
    QCOMPARE(h.main.Profile().DisplayMode(), "landscape");
    QCOMPARE(crlfLines(h.app.read("Profiles/North/Log/Ftp.log")).value(0),
             "\"127.0.0.1 Attempting connection...\"");
    QVERIFY(!w.Busy() && w.cmd[1]->isEnabled());
}

// A failure that the procedure passes up is shown with its source and
// description, logged to the chosen profile's Exceptions.log and written last
// in Ftp.log; the profile keeps its files and the window stays usable.
void TestFrmOCBComm::failureIsReported() {
    Harness h;
    OcbSim sim; // a board without zr.conf
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    saveFtpSettings(h.app.paths, sim.settings());
    frmOCBComm w(h.main);
    w.cmb->setCurrentText("South");
    w.opt[1]->click();
    const QByteArray before = h.app.read("Profiles/South/Config/zr.conf");
    h.prompts.answers = {Button::Yes};
    w.cmd[0]->click();
    QCOMPARE(h.prompts.informed.size(), 1);
    const auto error = h.prompts.informed.value(0);
    QCOMPARE(error.title, "Error");
    const QString source = error.text.section("\n\n", 0, 0), description = error.text.section("\n\n", 1);
    QVERIFY2(!source.isEmpty() && !description.isEmpty(), qPrintable(error.text));
    QCOMPARE(crlfLines(h.app.read("Profiles/South/Log/Ftp.log")).last(),
             "\"" + source + ": " + description + "\"");
    QVERIFY(h.app.read("Profiles/South/Log/Exceptions.log").contains(description.toLatin1()));
    QCOMPARE(h.app.read("Profiles/South/Config/zr.conf"), before);
    QVERIFY(!w.Busy());
    QVERIFY(w.cmd[0]->isEnabled() && w.cmd[1]->isEnabled() && w.cmb->isEnabled());
    QVERIFY(!w.lbl[4]->isVisible());
}

QTEST_MAIN(TestFrmOCBComm)
#include "tst_frmocbcomm.moc"
