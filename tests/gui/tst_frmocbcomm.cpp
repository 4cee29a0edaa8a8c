// The OCB communications window: option rules, zr.ini, the command and its boxes.

#include "OcbSim.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "app/frmMain.h"
#include "comm/frmOCBComm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolBar>

using namespace zr;
using namespace zr::test;

namespace {

/// Two complete profiles, "North" current; the FTP settings name a port of
/// this machine where nothing listens, or the simulated board.
struct Harness {
    TempApp app;
    FakeClock clock;
    ScriptedPrompts prompts;
    ScriptedDialogs dialogs;
    frmMain main{app.paths, clock, prompts, dialogs};

    explicit Harness(const OcbSim* board = nullptr) {
        app.notFirstRun();
        for (const char* name : {"South", "North"}) {
            main.Profile().setID(name);
            main.Profile().setIPAddress(name[0] == 'N' ? "10.0.0.5" : "10.0.0.6");
            main.Profile().SaveProfile();
        }
        main.LoadProfiles();
        FtpSettings ftp = board ? board->settings() : FtpSettings{1, "zr", "qv", "127.0.0.1", 1};
        saveFtpSettings(app.paths, ftp);
    }
    bool mainBlocked() const {
        return !main.toolBar()->isEnabled() &&
               !main.findChild<QMenu*>("mnuEdit")->menuAction()->isEnabled() &&
               !main.findChild<QMenu*>("mnuView")->menuAction()->isEnabled();
    }
};

/// The options in one line: selected and enabled options, the selective frame
/// and "Statistics" enabled, the five check boxes ticked, the command's caption.
QString state(const frmOCBComm& w) {
    QString selected, enabled, ticks;
    for (int i = 0; i < 5; ++i) {
        if (w.opt[i]->isChecked()) selected += QString::number(i);
        if (w.opt[i]->isEnabled()) enabled += QString::number(i);
        ticks += w.chk[i]->isChecked() ? '1' : '0';
    }
    return QString("sel %1 en %2 fra2 %3%4 chk %5 %6")
        .arg(selected, enabled)
        .arg(w.fra[2]->isEnabled())
        .arg(w.chk[2]->isEnabled())
        .arg(ticks, w.cmd[0]->text());
}

const QString Update = "sel 02 en 0124 fra2 00 chk 11111 &Update";

} // namespace

class TestFrmOCBComm : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheCurrentProfile();
    void optionRules_data();
    void optionRules();
    void loadCommSettings_data();
    void loadCommSettings();
    void closingIsRefusedWhileBusy();
    void closingBoxes_data();
    void closingBoxes();
    void updateAndRetrieveWithTheBoard();
};

void TestFrmOCBComm::opensOnTheCurrentProfile() {
    Harness h;
    h.app.write("Profiles/South/Config/zr.conf",
                "last_update = \"12/1/2026 9:15:00 AM\"\r\nlast_retrieval = x y\r\n");
    auto* w = new frmOCBComm(h.main);
    QCOMPARE(w->windowTitle(), "Order Confirmation Board Communications");
    QCOMPARE(w->cmb->count(), 2);
    QCOMPARE(w->cmb->currentText() + ' ' + w->IP->text(), "North 10.0.0.5");
    QVERIFY(h.mainBlocked());
    w->cmb->setCurrentText("South");
    QCOMPARE(w->IP->text(), "10.0.0.6");
    QCOMPARE(w->lblDate->text(), "Last Updated:     12/1/2026 9:15:00 AM");
    w->opt[1]->click();
    QCOMPARE(w->lblDate->text(), "Last Retrieved:   x y");
    QVERIFY(w->close());
    QVERIFY(h.main.toolBar()->isEnabled() && h.main.findChild<QMenu*>("mnuView")->menuAction()->isEnabled());
    delete w;
}

void TestFrmOCBComm::optionRules_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("expected");
    QTest::newRow("as created") << QList<int>{} << Update;
    QTest::newRow("selective retrieve") << QList<int>{1, 3} << "sel 13 en 0123 fra2 11 chk 11110 &Retrieve";
    QTest::newRow("efficient update, then retrieve")
        << QList<int>{4, 1} << "sel 12 en 0123 fra2 00 chk 11110 &Retrieve";
    QTest::newRow("selective retrieve, then update") << QList<int>{1, 3, 0} << Update;
    QTest::newRow("selective, then standard retrieve")
        << QList<int>{1, 3, 2} << "sel 12 en 0123 fra2 00 chk 11111 &Retrieve";
}

void TestFrmOCBComm::optionRules() {
    QFETCH(QList<int>, clicks);
    Harness h;
    frmOCBComm w(h.main);
    for (int i : clicks) {
        QVERIFY2(w.opt[i]->isEnabled(), qPrintable(QString("opt %1 disabled").arg(i)));
        w.opt[i]->click();
    }
    QTEST(state(w), "expected");
}

void TestFrmOCBComm::loadCommSettings_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no zr.ini") << QByteArray() << Update;
    QTest::newRow("selective retrieve, no config")
        << QByteArray("comm_type = retrieve\r\ntransfer_type = selective\r\ntransfer_config = no\r\n")
        << "sel 13 en 0123 fra2 11 chk 01110 &Retrieve";
    QTest::newRow("efficient update, menu and notify off")
        << QByteArray("comm_type = update\r\ntransfer_type = efficient\r\ntransfer_menu = No\r\n"
                      "notify_transfer_complete = NO\r\n")
        << "sel 04 en 0124 fra2 00 chk 10101 &Update";
    QTest::newRow("capital U is not recognised")
        << QByteArray("comm_type = Update\r\ntransfer_type = efficient\r\n") << Update;
    QTest::newRow("efficient is no retrieve type, empty values change nothing")
        << QByteArray("comm_type = retrieve\r\ntransfer_type = efficient\r\ntransfer_statistics =\r\n"
                      "notify_transfer_complete =\r\n")
        << "sel 12 en 0123 fra2 00 chk 11110 &Retrieve";
    QTest::newRow("a repeated key ends the reading")
        << QByteArray("comm_type = retrieve\r\ntransfer_type = selective\r\ntransfer_type = standard\r\n"
                      "transfer_config = no\r\n")
        << "sel 12 en 0123 fra2 00 chk 11110 &Retrieve";
    QTest::newRow("an unknown type is an update whose transfer type is not read")
        << QByteArray("comm_type = send\r\ntransfer_type = a\r\ntransfer_type = b\r\ntransfer_config = no\r\n")
        << "sel 02 en 0124 fra2 00 chk 01111 &Update";
}

// zr.ini as read on opening, and as written on closing and read again.
void TestFrmOCBComm::loadCommSettings() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, expected);
    Harness h;
    if (!ini.isEmpty())
        h.app.write("zr.ini", "FirstRun = no\r\n" + ini);
    else
        QFile::remove(h.app.path("zr.ini"));
    {
        frmOCBComm w(h.main);
        QCOMPARE(state(w), expected);
        QVERIFY(w.close());
    }
    // "Synchronize OCB time to PC" is not kept: it follows the option rules.
    const QRegularExpression sync("(chk \\d{4})\\d");
    frmOCBComm again(h.main);
    QCOMPARE(state(again).replace(sync, "\\1"), expected.replace(sync, "\\1"));
}

// While the command waits for the board, neither this window nor the main
// window can be closed, and the window takes no input.
void TestFrmOCBComm::closingIsRefusedWhileBusy() {
    Harness h;
    auto* w = new frmOCBComm(h.main);
    h.main.show();
    w->show();
    h.prompts.answers = {Button::OK};
    int waits = 0;
    h.clock.onWait = [&] {
        if (waits++) return;
        QVERIFY(w->Busy() && !w->close() && !h.main.close());
        QVERIFY(!w->cmd[0]->isEnabled() && !w->cmd[1]->isEnabled() && !w->cmb->isEnabled());
        QVERIFY(w->lbl[4]->isVisible() && w->ProgressBar->isVisible());
    };
    w->cmd[0]->click();
    QVERIFY(waits > 0 && !w->Busy() && w->isVisible());
    QVERIFY(w->cmd[0]->isEnabled() && w->cmd[1]->isEnabled());
    QVERIFY(!w->lbl[4]->isVisible() && !w->ProgressBar->isVisible());
    QVERIFY(w->close());
    delete w;
}

void TestFrmOCBComm::closingBoxes_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("notify");
    QTest::addColumn<QList<Button>>("answers");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("current"); // the main window's current profile
    QTest::newRow("failed update") << 0 << true << QList<Button>{}
                                   << QStringList{"Update of the OCB Failed."} << "North";
    QTest::newRow("failed update, quiet") << 0 << false << QList<Button>{} << QStringList{} << "North";
    QTest::newRow("failed retrieve") << 1 << true << QList<Button>{Button::Yes} << QStringList{} << "North";
    QTest::newRow("retrieve declined") << 1 << true << QList<Button>{Button::No} << QStringList{} << "North";
    QTest::newRow("current profile named in other letters")
        << 0 << true << QList<Button>{} << QStringList{"Update of the OCB Failed."} << "nORTH";
}

// No board answers: only a failed update has a closing box, and only with
// "Notify When Finished". The warning comes before every retrieve.
void TestFrmOCBComm::closingBoxes() {
    QFETCH(int, command);
    QFETCH(QList<Button>, answers);
    QFETCH(QString, current);
    Harness h;
    h.main.Profile().setID(current);
    frmOCBComm w(h.main);
    QCOMPARE(w.cmb->currentText(), "North");
    w.opt[command]->click();
    QFETCH(bool, notify);
    w.chk[3]->setChecked(notify);
    h.prompts.answers = answers;
    w.cmd[0]->click();
    QStringList shown;
    for (const auto& box : h.prompts.informed)
        shown << box.title + box.text;
    QTEST(shown, "boxes");
    QCOMPARE(h.prompts.asked.size(), command);
    if (command)
        QCOMPARE(h.prompts.asked[0].title + h.prompts.asked[0].text,
                 "WARNING:Warning: Retrieving OCB Settings will overwrite any changes to this profile you "
                 "have made.  "
                 "Are you sure you want to continue?");
    const QStringList log = crlfLines(h.app.read("Profiles/North/Log/Ftp.log"));
    QCOMPARE(log.value(0), answers.value(0) == Button::No ? "" : "\"127.0.0.1 Attempting connection...\"");
}

// Update, retrieve and a failed retrieve through the window against the
// simulated board. The retrieve brings the board's settings into the profile
// and reloads the current profile from them. A failure passed up is shown
// with its source, logged, and written last in Ftp.log; nothing is lost.
void TestFrmOCBComm::updateAndRetrieveWithTheBoard() {
    OcbSim sim({"--seed-stats"});
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    Harness h(&sim);
    h.app.write("Profiles/North/Items/items", testData("items/good"));
    frmOCBComm w(h.main);
    w.show();
    QStringList progress;
    h.clock.onWait = [&] {
        if (w.ProgressBar->isVisible())
            progress << QString("%1/%2").arg(w.ProgressBar->value()).arg(w.ProgressBar->maximum());
    };
    h.prompts.answers = {Button::OK};
    w.cmd[0]->click();
    QCOMPARE(h.prompts.informed.value(0).text, "Update of the OCB completed.");
    QCOMPARE(progress.value(0), "1/150");
    QVERIFY(sim.journal("CTRL").join('\n').contains("CTRL reload"));
    QCOMPARE(sim.remote("zr/var/items"), testData("items/good").replace("\r\n", "\n"));

    QByteArray onBoard = sim.remote("zr/var/zr.conf");
    QVERIFY(onBoard.contains("display_mode    =  portrait"));
    sim.putRemote("zr/var/zr.conf",
                  onBoard.replace("display_mode    =  portrait", "display_mode    =  landscape"));
    sim.putRemote("zr/var/pop_7", "\"12/04/2026 23:59:59\",\"default.jpg\",120,7\r\n");
    const QByteArray before = h.app.read("Profiles/North/Config/zr.conf");
    w.opt[1]->click();
    h.prompts.informed.clear();
    h.prompts.answers = {Button::Yes, Button::OK};
    w.cmd[0]->click();
    QCOMPARE(h.prompts.informed.value(0).text, "Retrieval from the OCB completed.");
    QCOMPARE(h.app.read("Profiles/North/Config/zr.conf.old"), before);
    QVERIFY(h.app.exists("Profiles/North/Stats/Pop/pop_7.txt"));
    QCOMPARE(h.main.Profile().DisplayMode(), "landscape");

    QFile::remove(sim.remotePath("zr/var/items"));
    const QByteArray items = h.app.read("Profiles/North/Items/items");
    h.prompts.informed.clear();
    h.prompts.answers = {Button::Yes};
    w.cmd[0]->click();
    QCOMPARE(h.prompts.informed.size(), 1);
    const auto error = h.prompts.informed[0];
    const QString source = error.text.section("\n\n", 0, 0), description = error.text.section("\n\n", 1);
    QVERIFY2(error.title == "Error" && !source.isEmpty() && !description.isEmpty(), qPrintable(error.text));
    QCOMPARE(crlfLines(h.app.read("Profiles/North/Log/Ftp.log")).last(),
             '"' + source + ": " + description + '"');
    QVERIFY(h.app.read("Profiles/North/Log/Exceptions.log").contains(description.toLatin1()));
    QCOMPARE(h.app.read("Profiles/North/Items/items"), items);
    QVERIFY(!w.Busy() && w.cmd[0]->isEnabled() && w.cmd[1]->isEnabled() && !w.lbl[4]->isVisible());
}

QTEST_MAIN(TestFrmOCBComm)
#include "tst_frmocbcomm.moc"
