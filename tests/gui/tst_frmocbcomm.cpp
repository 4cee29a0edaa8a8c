// The OCB communications window: option rules, zr.ini, the command and its boxes.

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

QTEST_MAIN(TestFrmOCBComm)
#include "tst_frmocbcomm.moc"
