// The main window: start, the profile menus, what may be opened when, and closing.

#include "GuiHarness.h"
#include "comm/frmOCBComm.h"
#include "model/ProfileStore.h"
#include "profiles/frmEditProfiles.h"

#include <QtWidgets>

using namespace zr;
using namespace zr::test;

namespace {

/// The main window's ways into other windows, by objectName: the first six open child windows.
// clang-format off
const QStringList EntryPoints{"mnuEditGeneral", "ToolBar_Menu", "mnuReportPopTrack", "mnuViewLocalConf", "mnuUpdateItems", "ToolBar_UpdateItems",
                              "mnuEditProfiles_0", "mnuEditProfiles_1", "ToolBar_Profiles", "ProfilesDropDown", "mnuToolsUpdate", "ToolBar_Connect"};
// clang-format on
const QStringList ChildEntries = EntryPoints.mid(0, 6);

/// The entry points that take input now: enabled, and in a menu that is enabled.
QStringList reachable(const frmMain& m) {
    QStringList names;
    for (const QString& name : EntryPoints) {
        bool on = false;
        if (name == "ProfilesDropDown") {
            on = m.profilesButton()->isEnabled() && m.findChild<QMenu*>(name)->isEnabled();
        } else if (const auto* action = m.findChild<QAction*>(name)) {
            on = action->isEnabled();
            for (QObject* in : action->associatedObjects())
                if (auto* menu = qobject_cast<QMenu*>(in)) on = on && menu->menuAction()->isEnabled();
        }
        if (on) names << name;
    }
    return names;
}

} // namespace

class TestApp : public QObject {
    Q_OBJECT
private slots:
    void start_data() {
        QTest::addColumn<QByteArray>("ip");         // North's address; none: no profile yet, a first start
        QTest::addColumn<QList<bool>>("created");   // what each attempt to create the first profile gives
        QTest::addColumn<QList<Button>>("answers"); // to the questions asked
        QTest::addColumn<QString>("caption");       // empty: the program ends
        using B = QList<Button>;
        // clang-format off
        QTest::newRow("remembered, with an address") << QByteArray("127.77.77.85") << QList<bool>{} << B{Button::Yes} << "North         127.77.77.85";
        QTest::newRow("remembered, empty address keeps the blanks") << QByteArray("") << QList<bool>{} << B{Button::Yes} << "North         ";
        QTest::newRow("first start, created at once") << QByteArray() << QList<bool>{true} << B{} << "runs";
        QTest::newRow("first start, retried") << QByteArray() << QList<bool>{false, true} << B{Button::Retry} << "runs";
        QTest::newRow("first start, cancelled") << QByteArray() << QList<bool>{false} << B{Button::Cancel} << "";
        // clang-format on
    }
    void start() {
        QFETCH(QByteArray, ip);
        QFETCH(QList<bool>, created);
        QFETCH(QList<Button>, answers);
        QFETCH(QString, caption);
        GuiHarness h;
        h.app.notFirstRun();
        if (!ip.isNull()) {
            h.profileFolder("south", "127.0.0.2");
            h.profileFolder("North", ip); // without zr.conf: one question
            ProfileStore::SaveProfileList(h.app.paths, "North");
        }
        int attempts = 0;
        h.main.setFirstProfileFactory([&](frmMain&) { return created.value(attempts++, false); });
        h.prompts.answers = answers;
        QCOMPARE(h.main.LoadMain(), !caption.isEmpty());
        QCOMPARE(attempts, created.size());
        QCOMPARE(h.ended, caption.isEmpty() ? 1 : 0);
        QCOMPARE(h.prompts.asked.size(), answers.size());
        if (ip.isNull())
            QCOMPARE(texts(h.prompts.asked), QStringList(answers.size(), "Error creating new Profile."));
        if (ip.isNull()) return;
        QCOMPARE(h.main.windowTitle(), caption);
        h.main.LoadProfiles(); // listed again: still once each
        QCOMPARE(h.main.profilesMenu()->actions().size(), 3);
        QCOMPARE(h.dropDownNames(), (QStringList{"North", "south"}));
    }

    void availability_data() {
        QTest::addColumn<QString>("open");
        QTest::addColumn<QStringList>("expected");
        // clang-format off
        QTest::newRow("nothing") << "" << EntryPoints;
        QTest::newRow("an editor") << "frmGeneral" << ChildEntries;
        QTest::newRow("an editor, closed again") << "frmGeneral, closed" << EntryPoints;
        QTest::newRow("a report") << "frmTrackPop" << ChildEntries;
        QTest::newRow("profile editor") << "frmEditProfiles" << QStringList{};
        QTest::newRow("profile editor, closed again") << "frmEditProfiles, closed" << EntryPoints;
        QTest::newRow("profile editor after Add") << "Add, cancelled" << QStringList{};
        QTest::newRow("new profile window") << "Add, waiting" << QStringList{};
        QTest::newRow("communications") << "frmOCBComm" << QStringList{"mnuEditProfiles_1", "mnuToolsUpdate"};
        QTest::newRow("an update running") << "Update, running" << QStringList{"mnuToolsUpdate"};
        // clang-format on
    }
    // Each open window or running command against each way into another window.
    void availability() {
        QFETCH(QString, open);
        QFETCH(QStringList, expected);
        GuiHarness h;
        h.app.notFirstRun();
        saveFtpSettings(h.app.paths, FtpSettings{1, "zr", "qv", "127.0.0.1", 1}); // nothing listens there
        addProgramWindows(h.main);
        h.main.Profile().setID("North");
        h.main.LoadProfiles();
        h.main.show();
        QStringList seen{"<not looked>"};
        auto look = [&] {
            seen = reachable(h.main);
            // What is refused does not open by name either; what opens, opens once.
            const qsizetype before = h.main.ChildWindows().size();
            h.main.openWindow("frmEditOrderScreen");
            h.main.openWindow("frmEditOrderScreen");
            QCOMPARE(h.main.ChildWindows().size() - before, expected.contains("mnuEditGeneral") ? 1 : 0);
        };
        if (open.startsWith("Add")) {
            h.main.openWindow("frmEditProfiles");
            QTimer::singleShot(0, [&] {
                for (QWidget* top : QApplication::topLevelWidgets())
                    if (top->objectName() == "frmNewProfile" && top->isVisible()) {
                        if (open.endsWith("waiting")) look();
                        top->close();
                    }
            });
            h.main.findChild<frmEditProfiles*>()->cmd[0]->click();
            if (open.endsWith("cancelled")) look();
        } else if (open.startsWith("Update")) {
            h.main.openWindow("frmOCBComm");
            auto* comm = h.main.findChild<frmOCBComm*>();
            h.prompts.answers = {Button::OK, Button::OK};
            h.dialogs.sendAnyway = {true}; // past the check's findings: the profile has no address
            h.clock.onWait = [&] {
                if (seen.value(0) == "<not looked>" && comm->Busy()) look();
            };
            comm->cmd[0]->click();
            h.clock.onWait = nullptr;
        } else {
            if (!open.isEmpty()) h.main.openWindow(open.section(',', 0, 0));
            if (open.endsWith("closed")) delete h.main.findChild<QWidget*>(open.section(',', 0, 0));
            QTRY_VERIFY(!open.endsWith("closed") || h.main.ChildWindows().isEmpty());
            look();
        }
        QCOMPARE(seen, expected);
    }
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
