// The main window: profile menus, the child-window registry, start and close.

#include "GuiHarness.h"
#include "comm/OcbTransfer.h"
#include "comm/frmOCBComm.h"
#include "model/ProfileStore.h"
#include "profiles/frmEditProfiles.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using namespace zr;
using namespace zr::test;

namespace {

/// The harness with two plain child windows, frmA and frmB.
struct Harness : GuiHarness {
    Harness() {
        for (const QString name : {"frmA", "frmB"})
            main.addWindow(name, [name](frmMain&) {
                auto* w = new QWidget;
                w->setObjectName(name);
                return w;
            });
    }
    frmMain& make() { return main; }
    void profile(const QString& name, const QByteArray& ip) { profileFolder(name, ip); }
};

/// The main window's ways into other windows, by objectName.
const QStringList EntryPoints{"mnuEditGeneral",    "ToolBar_Menu",      "mnuReportPopTrack", "mnuViewLocalConf",
                              "mnuUpdateItems",    "ToolBar_UpdateItems", "mnuEditProfiles_0", "mnuEditProfiles_1",
                              "ToolBar_Profiles",  "ProfilesDropDown",  "mnuToolsUpdate",    "ToolBar_Connect"};

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

QStringList entryTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << a->text();
    return texts;
}

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
private slots:
    void profileMenusListEveryFolderOnce();
    void startsWithTheRememberedProfile_data();
    void startsWithTheRememberedProfile();
    void firstStart_data();
    void firstStart();
    void registryBlocksProfilesAndConnect();
    void entryPointsFollowWhatIsOpen_data();
    void entryPointsFollowWhatIsOpen();
    void selectingTheCurrentProfileSavesAndReloads();
    void closingSavesListAndProfile();
    void windowsOfTheirOwnGoBeforeTheMainWindow();
    void imageUpdateCancelledRunsNothing();
    void imageUpdateRunsTheChosenTool_data();
    void imageUpdateRunsTheChosenTool();
};

void TestFrmMain::profileMenusListEveryFolderOnce() {
    Harness h;
    frmMain& m = h.make();
    m.LoadProfiles();
    QCOMPARE(entryTexts(m.profilesMenu()), QStringList{"&Edit Profiles"});
    h.profile("south", "10.0.0.2");
    h.profile("North", "10.0.0.1");
    m.LoadProfiles();
    m.LoadProfiles();
    QCOMPARE(entryTexts(m.profilesMenu()), (QStringList{"&Edit Profiles", "North", "south"}));
    QCOMPARE(entryTexts(m.profilesButton()->menu()), (QStringList{"North", "south"}));
}

void TestFrmMain::startsWithTheRememberedProfile_data() {
    QTest::addColumn<QByteArray>("ip");
    QTest::addColumn<QString>("caption");
    QTest::newRow("with an address") << QByteArray("10.77.77.85") << "North         10.77.77.85";
    QTest::newRow("empty address keeps the nine blanks") << QByteArray() << "North         ";
}

void TestFrmMain::startsWithTheRememberedProfile() {
    QFETCH(QByteArray, ip);
    QFETCH(QString, caption);
    Harness h;
    h.app.notFirstRun();
    h.profile("North", ip);
    ProfileStore::SaveProfileList(h.app.paths, "North");
    frmMain& m = h.make();
    h.prompts.answers = {Button::Yes}; // the folder has no zr.conf yet
    QVERIFY(m.LoadMain());
    QCOMPARE(m.windowTitle(), caption);
    QCOMPARE(m.Profile().ID(), "North");
    QVERIFY(h.app.exists("Profiles/North/Config/zr.conf"));
}

void TestFrmMain::firstStart_data() {
    QTest::addColumn<QList<bool>>("created");   // what each attempt to create the first profile gives
    QTest::addColumn<QList<Button>>("answers"); // to "Error creating new Profile."
    QTest::addColumn<bool>("runs");
    QTest::newRow("created at once") << QList<bool>{true} << QList<Button>{} << true;
    QTest::newRow("cancel, then retry") << QList<bool>{false, true} << QList<Button>{Button::Retry} << true;
    QTest::newRow("cancel ends the program") << QList<bool>{false} << QList<Button>{Button::Cancel} << false;
}

void TestFrmMain::firstStart() {
    QFETCH(QList<bool>, created);
    QFETCH(QList<Button>, answers);
    QFETCH(bool, runs);
    Harness h;
    frmMain& m = h.make();
    int attempts = 0;
    m.setFirstProfileFactory([&](frmMain&) { return created.value(attempts++, false); });
    h.prompts.answers = answers;
    QCOMPARE(m.LoadMain(), runs);
    QCOMPARE(attempts, created.size());
    QCOMPARE(h.ended, runs ? 0 : 1);
    for (const auto& shown : h.prompts.asked) {
        QCOMPARE(shown.title, "Error:");
        QCOMPARE(shown.text, "Error creating new Profile.");
    }
    QCOMPARE(h.prompts.asked.size(), answers.size());
}

void TestFrmMain::registryBlocksProfilesAndConnect() {
    Harness h;
    frmMain& m = h.make();
    m.show();
    QAction* connectButton = m.toolButton("Connect");
    m.addWindow("frmOCBComm", [](frmMain&) { return new QWidget; });
    QVERIFY(connectButton->isEnabled());
    m.openWindow("frmA");
    m.openWindow("frmA"); // a second open makes no second window
    QCOMPARE(m.mdiArea()->subWindowList().size(), 1);
    m.openWindow("frmB");
    QCOMPARE(m.ChildWindows().size(), 2);
    QVERIFY(!connectButton->isEnabled());
    QVERIFY(!m.profilesMenu()->menuAction()->isEnabled());
    QVERIFY(!m.profilesButton()->isEnabled());
    m.ChildWindows().value("frmA")->close();
    QTRY_COMPARE(m.ChildWindows().size(), 1);
    QVERIFY(!connectButton->isEnabled());
    m.ChildWindows().value("frmB")->close();
    QTRY_COMPARE(m.ChildWindows().size(), 0);
    QVERIFY(connectButton->isEnabled());
    QVERIFY(m.profilesMenu()->menuAction()->isEnabled());
    // Windows that do not exist yet cannot be opened.
    QVERIFY(!m.findChild<QAction*>("mnuEditPOPs")->isEnabled());
    QVERIFY(m.findChild<QAction*>("mnuViewLocalConf") != nullptr);
}

void TestFrmMain::entryPointsFollowWhatIsOpen_data() {
    QTest::addColumn<QString>("open");
    QTest::addColumn<QStringList>("expected");
    const QStringList windows{"mnuEditGeneral",    "ToolBar_Menu",        "mnuReportPopTrack",
                              "mnuViewLocalConf",  "mnuUpdateItems",      "ToolBar_UpdateItems"};
    QTest::newRow("nothing") << "" << EntryPoints;
    QTest::newRow("an editor") << "frmGeneral" << windows;
    QTest::newRow("a report") << "frmTrackPop" << windows;
    QTest::newRow("profile editor") << "frmEditProfiles" << QStringList{};
    QTest::newRow("profile editor after Add") << "Add, cancelled" << QStringList{};
    QTest::newRow("new profile window") << "Add, waiting" << QStringList{};
    QTest::newRow("communications") << "frmOCBComm" << QStringList{"mnuEditProfiles_1", "mnuToolsUpdate"};
    QTest::newRow("an update running") << "Update, running" << QStringList{"mnuToolsUpdate"};
}

// One table of what the main window offers: each open window or running
// command against each way into another window.
void TestFrmMain::entryPointsFollowWhatIsOpen() {
    QFETCH(QString, open);
    QFETCH(QStringList, expected);
    GuiHarness h;
    h.app.notFirstRun();
    saveFtpSettings(h.app.paths, FtpSettings{1, "zr", "qv", "127.0.0.1", 1});  // nothing listens there
    addProgramWindows(h.main);
    h.main.Profile().setID("North");
    h.main.LoadProfiles();
    h.main.show();
    QStringList seen{"<not looked>"};
    auto look = [&] {
        seen = reachable(h.main);
        // What is refused does not open either, whichever way it is asked for.
        const qsizetype before = h.main.ChildWindows().size();
        h.main.openWindow("frmEditOrderScreen");
        QCOMPARE(h.main.ChildWindows().size() > before, expected.contains("mnuEditGeneral"));
    };
    if (open.startsWith("Add")) {
        h.main.openWindow("frmEditProfiles");
        auto* editor = h.main.findChild<frmEditProfiles*>();
        QTimer::singleShot(0, [&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->objectName() == "frmNewProfile" && top->isVisible()) {
                    if (open.endsWith("waiting")) look();
                    top->close();
                }
        });
        editor->cmd[0]->click();
        if (open.endsWith("cancelled")) look();
    } else if (open.startsWith("Update")) {
        h.main.openWindow("frmOCBComm");
        auto* comm = h.main.findChild<frmOCBComm*>();
        h.prompts.answers = {Button::OK, Button::OK};
        h.clock.onWait = [&] {
            if (seen.value(0) == "<not looked>" && comm->Busy()) look();
        };
        comm->cmd[0]->click();
        h.clock.onWait = nullptr;
    } else {
        if (!open.isEmpty()) h.main.openWindow(open);
        look();
    }
    QCOMPARE(seen, expected);
}

void TestFrmMain::selectingTheCurrentProfileSavesAndReloads() {
    Harness h;
    frmMain& m = h.make();
    m.Profile().setID("North");
    m.Profile().setDisplayMode("landscape");
    h.app.write("Profiles/North/Config.conf", "IP = 10.9.9.9\r\n"); // changed on disk meanwhile
    m.SelectProfile("North");
    QCOMPARE(m.Profile().DisplayMode(), "landscape"); // saved before it was read again
    QCOMPARE(m.Profile().IPAddress(), "");            // the address held was saved over the file's
    QCOMPARE(m.windowTitle(), "North         ");
}

void TestFrmMain::closingSavesListAndProfile() {
    Harness h;
    frmMain& m = h.make();
    m.show();
    m.Profile().setID("North");
    m.Profile().setIPAddress("10.1.2.3");
    m.openWindow("frmA");
    QVERIFY(m.close());
    QCOMPARE(h.app.read("Profiles/Profiles.conf"),
             QByteArray("##### Name of the Current Profile #####\r\n\r\ncurrent_profile = \"North\"\r\n"));
    QCOMPARE(h.app.read("Profiles/North/Config.conf"), QByteArray("IP = 10.1.2.3\r\n"));
}

void TestFrmMain::windowsOfTheirOwnGoBeforeTheMainWindow() {
    // A window of its own that is still open when the program ends gives the
    // menus back as it goes: the main window must still be whole then.
    bool mainWhole = false;
    {
        auto h = std::make_unique<Harness>();
        h->main.addWindow("frmEditProfiles", [&mainWhole](frmMain& m) {
            auto* w = new QWidget(&m, Qt::Window);
            w->setObjectName("frmEditProfiles");
            QObject::connect(w, &QObject::destroyed,
                             [&mainWhole, &m] { mainWhole = qobject_cast<frmMain*>(&m); });
            return w;
        });
        h->main.openWindow("frmEditProfiles");
        QVERIFY(h->main.findChild<QWidget*>("frmEditProfiles"));
    }
    QVERIFY(mainWhole);
}

void TestFrmMain::imageUpdateCancelledRunsNothing() {
    Harness h;
    frmMain& m = h.make();
    m.UpdatePOPImages(); // the file dialog is cancelled
    QCOMPARE(h.dialogs.filters.size(), 1);
    QVERIFY(h.dialogs.filters.first().startsWith("POPs"));
    QVERIFY(h.prompts.asked.isEmpty());
    QCOMPARE(h.clock.waited, 0.0);
}

void TestFrmMain::imageUpdateRunsTheChosenTool_data() {
    QTest::addColumn<bool>("pops");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("POP images")
        << true << "ZRScreens/POP"
        << "Attention:"
        << "Updating of Pop's finished Successfully!\nWould you like to view them now?";
    QTest::newRow("item images")
        << false << "ZRScreens/Item"
        << "NOTICE:"
        << "Updating of Item Images's finished Successfully!\nWould you like to view them now?";
}

void TestFrmMain::imageUpdateRunsTheChosenTool() {
    QFETCH(bool, pops);
    QFETCH(QString, folder);
    QFETCH(QString, title);
    QFETCH(QString, text);
    Harness h;
    frmMain& m = h.make();
    // A stand-in tool in a folder with a blank: it copies a read-only picture into the folder it is given.
    h.app.write("my tools/tool.sh", "#!/bin/sh\n[ \"$1\" = /auto ] || exit 1\nmkdir -p \"$2\"\n"
                                    "printf jpg > \"$2/new.jpg\"\nchmod 444 \"$2/new.jpg\"\n");
    QFile::setPermissions(h.app.path("my tools/tool.sh"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    h.dialogs.files = {h.app.path("my tools/tool.sh")};
    h.prompts.answers = {Button::No};
    pops ? m.UpdatePOPImages() : m.UpdateItemImages();
    QCOMPARE(h.app.read(folder + "/new.jpg"), QByteArray("jpg"));
    QVERIFY(QFileInfo(h.app.path(folder + "/new.jpg")).permissions() & QFile::WriteOwner);
    QCOMPARE(h.prompts.asked.size(), 1);
    QCOMPARE(h.prompts.asked.first().title, title);
    QCOMPARE(h.prompts.asked.first().text, text);
    QCOMPARE(h.clock.waited, 1.0);
}

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
