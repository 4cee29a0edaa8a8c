// The OCB communications window: option rules, zr.ini, and the commands against a board;
// the fleet window against a simulated fleet.

#include "GuiHarness.h"
#include "OcbSim.h"
#include "app/ProgramWindows.h"
#include "app/FindingsDialog.h"
#include "comm/frmOCBComm.h"
#include "fleet/frmFleet.h"

#include <QtWidgets>

using namespace zr;
using namespace zr::test;

namespace {

/// Two complete profiles, "North" current; the FTP settings name a port of
/// this machine where nothing listens, or the simulated board.
struct Harness : GuiHarness {
    explicit Harness(const OcbSim* board = nullptr) {
        app.notFirstRun();
        for (const char* name : {"South", "North"}) {
            main.Profile().setID(name);
            main.Profile().setIPAddress(name[0] == 'N' ? "127.0.0.5" : "127.0.0.6");
            main.Profile().SaveProfile();
        }
        main.LoadProfiles();
        saveFtpSettings(app.paths, board ? board->settings() : FtpSettings{1, "zr", "qv", "127.0.0.1", 1});
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

class TestComm : public QObject {
    Q_OBJECT
private slots:
    void options_data() {
        QTest::addColumn<QByteArray>("ini"); // after "FirstRun = no"; none: no zr.ini
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("expected");
        using C = QList<int>;
        // clang-format off
        QTest::newRow("no zr.ini") << QByteArray() << C{} << Update;
        QTest::newRow("selective retrieve") << QByteArray("") << C{1, 3} << "sel 13 en 0123 fra2 11 chk 11110 &Retrieve";
        QTest::newRow("efficient update, then retrieve") << QByteArray("") << C{4, 1} << "sel 12 en 0123 fra2 00 chk 11110 &Retrieve";
        QTest::newRow("selective retrieve, then update") << QByteArray("") << C{1, 3, 0} << Update;
        QTest::newRow("selective, then standard retrieve") << QByteArray("") << C{1, 3, 2} << "sel 12 en 0123 fra2 00 chk 11111 &Retrieve";
        QTest::newRow("read: selective retrieve, no config") << QByteArray("comm_type = retrieve\r\ntransfer_type = selective\r\ntransfer_config = no\r\n") << C{} << "sel 13 en 0123 fra2 11 chk 01110 &Retrieve";
        QTest::newRow("read: efficient update, menu and notify off") << QByteArray("comm_type = update\r\ntransfer_type = efficient\r\ntransfer_menu = No\r\nnotify_transfer_complete = NO\r\n") << C{} << "sel 04 en 0124 fra2 00 chk 10101 &Update";
        QTest::newRow("read: capital U is not recognised") << QByteArray("comm_type = Update\r\ntransfer_type = efficient\r\n") << C{} << Update;
        QTest::newRow("read: efficient is no retrieve type, empty values change nothing") << QByteArray("comm_type = retrieve\r\ntransfer_type = efficient\r\ntransfer_statistics =\r\nnotify_transfer_complete =\r\n") << C{} << "sel 12 en 0123 fra2 00 chk 11110 &Retrieve";
        QTest::newRow("read: a repeated key ends the reading") << QByteArray("comm_type = retrieve\r\ntransfer_type = selective\r\ntransfer_type = standard\r\ntransfer_config = no\r\n") << C{} << "sel 12 en 0123 fra2 00 chk 11110 &Retrieve";
        QTest::newRow("read: an unknown type is an update whose transfer type is not read") << QByteArray("comm_type = send\r\ntransfer_type = a\r\ntransfer_type = b\r\ntransfer_config = no\r\n") << C{} << "sel 02 en 0124 fra2 00 chk 01111 &Update";
        // clang-format on
    }
    // Which options may be chosen together, as clicked and as read from zr.ini;
    // what closing writes is read back the same on the next opening.
    void options() {
        QFETCH(QByteArray, ini);
        QFETCH(QList<int>, clicks);
        QFETCH(QString, expected);
        Harness h;
        if (ini.isNull())
            QFile::remove(h.app.path("zr.ini"));
        else
            h.app.write("zr.ini", "FirstRun = no\r\n" + ini);
        {
            frmOCBComm w(h.main);
            for (int i : clicks) {
                QVERIFY2(w.opt[i]->isEnabled(), qPrintable(QString("opt %1 disabled").arg(i)));
                w.opt[i]->click();
            }
            QCOMPARE(state(w), expected);
            QVERIFY(w.close());
        }
        // "Synchronize OCB time to PC" is not kept: it follows the option rules.
        const QRegularExpression sync("(chk \\d{4})\\d");
        frmOCBComm again(h.main);
        QCOMPARE(state(again).replace(sync, "\\1"), expected.replace(sync, "\\1"));
    }

    // Update, retrieve and a failed retrieve against the simulated board. While
    // a command runs, neither window can be closed and this one takes no input.
    // The retrieve reloads the current profile from the board's settings. A
    // failure passed up is shown with its source, logged, and written last in
    // Ftp.log; nothing is lost.
    void updateAndRetrieveWithTheBoard() {
        OcbSim sim({"--seed-stats"});
        QVERIFY2(sim.start(), qPrintable(sim.error()));
        Harness h(&sim);
        h.app.write("Profiles/North/Items/items", testData("items/good"));
        frmOCBComm w(h.main);
        h.main.show();
        w.show();
        QStringList progress;
        h.clock.onWait = [&] {
            if (progress.isEmpty()) {
                QVERIFY(w.Busy() && !w.close() && !h.main.close());
                QVERIFY(!w.cmd[0]->isEnabled() && !w.cmd[1]->isEnabled() && !w.cmb->isEnabled());
                QVERIFY(w.lbl[4]->isVisible());
            }
            if (w.ProgressBar->isVisible())
                progress << QString("%1/%2").arg(w.ProgressBar->value()).arg(w.ProgressBar->maximum());
        };
        // The profile names pictures that are not there: Cancel sends nothing, "Send anyway" sends.
        w.cmd[0]->click();
        QVERIFY(h.dialogs.findingsShown.size() == 1 && h.dialogs.findingsShown[0].hasErrors());
        QVERIFY(progress.isEmpty() && sim.journal().isEmpty() && !h.app.exists("Profiles/North/Log/Ftp.log"));
        for (CheckResult found : {h.dialogs.findingsShown[0], CheckResult{{{Finding::Severity::Warning, "P", "T", {}}}}}) {
            FindingsDialog list(found, FindingsDialog::Use::BeforeUpdate);
            QCOMPARE(list.FindingsList->rowCount(), found.findings.size());
            QCOMPARE(list.cmdGo->text() + (list.cmdCancel->isDefault() ? " Cancel" : ""),
                     found.hasErrors() ? "&Send anyway Cancel" : "&Continue");
        }
        h.dialogs.sendAnyway = {true};
        h.prompts.answers = {Button::OK};
        w.cmd[0]->click();
        QCOMPARE(progress.value(0), "1/150");

        QByteArray onBoard = sim.remote("zr/var/zr.conf");
        sim.putRemote("zr/var/zr.conf",
                      onBoard.replace("display_mode    =  portrait", "display_mode    =  landscape"));
        w.opt[1]->click();
        h.prompts.answers = {Button::Yes, Button::OK};
        w.cmd[0]->click();
        QCOMPARE(texts(h.prompts.informed),
                 QStringList({"Update of the OCB completed.", "Retrieval from the OCB completed."}));
        QCOMPARE(h.main.Profile().DisplayMode(), "landscape");

        QFile::remove(sim.remotePath("zr/var/items"));
        const QByteArray items = h.app.read("Profiles/North/Items/items");
        h.prompts.answers = {Button::Yes};
        w.cmd[0]->click();
        QCOMPARE(h.prompts.informed.size(), 3);
        const auto error = h.prompts.informed[2];
        const QString source = error.text.section("\n\n", 0, 0), description = error.text.section("\n\n", 1);
        QVERIFY2(error.title == "Error" && !source.isEmpty() && !description.isEmpty(),
                 qPrintable(error.text));
        QCOMPARE(crlfLines(h.app.read("Profiles/North/Log/Ftp.log")).last(),
                 '"' + source + ": " + description + '"');
        QVERIFY(h.app.read("Profiles/North/Log/Exceptions.log").contains(description.toLatin1()));
        QCOMPARE(h.app.read("Profiles/North/Items/items"), items);
        QVERIFY(!w.Busy() && w.cmd[0]->isEnabled() && w.cmd[1]->isEnabled() && w.isVisible());
        QVERIFY(!w.lbl[4]->isVisible() && !w.ProgressBar->isVisible());
        h.clock.onWait = nullptr;
    }

    // The fleet window: its selection, what it keeps off in the main window, Stop, and
    // closing during a run, which asks and then stops.
    void fleetWindow() {
        OcbSim sim({"--boards", "2", "--latency", "100"});
        QVERIFY2(sim.start(), qPrintable(sim.error()));
        Harness h;
        for (const char* name : {"South", "North"}) {
            h.main.Profile().setID(name);
            h.main.Profile().setIPAddress(name[0] == 'N' ? "127.0.0.2" : "127.0.0.3");
            h.main.Profile().SaveProfile();
        }
        saveFtpSettings(h.app.paths, FtpSettings{sim.port(), "zr", "qv", QString(), 2});
        addProgramWindows(h.main);
        h.main.show();
        h.main.openWindow("frmFleet");
        QPointer<frmFleet> w = h.main.findChild<frmFleet*>();
        QVERIFY(w && !h.main.isAvailable("frmOCBComm") && !h.main.toolBar()->isEnabled());
        w->setWorkerProgram(ZRCTL_PATH);
        w->FleetTable->item(1, frmFleet::ProfileColumn)->setCheckState(Qt::Unchecked);
        QCOMPARE(w->selectedProfiles(), QStringList{"North"});
        w->FleetTable->item(1, frmFleet::ProfileColumn)->setCheckState(Qt::Checked);
        // The check finds errors in these bare profiles: an update sends neither board.
        w->cmdUpdate->click();
        QTRY_VERIFY_WITH_TIMEOUT(!w->isRunning(), 10000);
        QVERIFY2(w->Summary->toPlainText().startsWith("0 of 2 boards updated.\nNorth (127.0.0.2): skipped. The check found errors.") && w->FleetTable->item(1, frmFleet::CheckColumn)->text() == "errors" && w->FleetTable->item(1, frmFleet::ResultColumn)->text() == "skipped", qPrintable(w->Summary->toPlainText()));

        for (const bool byClosing : {false, true}) {
            h.prompts.answers = {Button::Yes};
            w->cmdRetrieve->click();
            QVERIFY(w->isRunning() && !w->cmdUpdate->isEnabled() && !w->cmdCheck->isEnabled() && w->cmdStop->isEnabled());
            h.prompts.answers = {Button::No}; // closing the main window asks, and No keeps the run
            QVERIFY(!h.main.findChild<QMenu*>("mnuProfiles")->menuAction()->isEnabled() && !h.main.close());
            QTRY_VERIFY_WITH_TIMEOUT(w->FleetTable->item(1, frmFleet::ResultColumn)->text().contains("Attempting"), 20000);
            h.prompts.answers = {Button::Yes};
            if (byClosing) {
                QVERIFY(!w->close() && w->isRunning()); // it closes once the boards have stopped
                QTRY_VERIFY_WITH_TIMEOUT(!w, 30000);
                break;
            }
            w->cmdStop->click();
            QTRY_VERIFY_WITH_TIMEOUT(!w->isRunning(), 30000);
            QVERIFY2(w->Summary->toPlainText().contains("0 of 2 boards retrieved.\nNorth (127.0.0.2): interrupted. Stopped after: "), qPrintable(w->Summary->toPlainText()));
        }
        QVERIFY(h.main.isAvailable("frmOCBComm") && h.main.findChild<QMenu*>("mnuProfiles")->menuAction()->isEnabled());
    }
};

QTEST_MAIN(TestComm)
#include "tst_comm.moc"
