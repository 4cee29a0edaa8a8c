// The profile editor: rename, delete, copy by dragging, backup and restore.

#include "GuiHarness.h"
#include "profiles/ProfileArchive.h"
#include "profiles/frmBackUpProfile.h"
#include "profiles/frmEditProfiles.h"

#include <QAction>
#include <QDirIterator>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

using namespace zr;
using namespace zr::test;

namespace {

/// Complete profiles on disk, listed in the main window's menus.
struct Harness : GuiHarness {
    explicit Harness(const QStringList& names = {"Alpha", "North", "South"}) {
        for (const QString& name : names) {
            main.Profile().setID(name);
            main.Profile().setIPAddress("10.0.0." + QString::number(name.size()));
            main.Profile().SaveProfile();
        }
        main.LoadProfiles();
    }
    QStringList menuNames() const { return dropDownNames(); }
};

QStringList rows(const QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) out << list->topLevelItem(i)->text(0);
    return out;
}

void select(frmEditProfiles& w, const QString& name) {
    const auto found = w.ProfileList->findItems(name, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    w.ProfileList->setCurrentItem(found.first());
}

void rightDrag(frmEditProfiles& w, QTreeWidgetItem* from, QPoint to) {
    QWidget* view = w.ProfileList->viewport();
    const QPoint start = w.ProfileList->visualItemRect(from).center();
    QTest::mousePress(view, Qt::RightButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, Qt::RightButton, {});
    QCoreApplication::sendEvent(view, &move);
    QTest::mouseRelease(view, Qt::RightButton, {}, to);
}

} // namespace

class TestFrmEditProfiles : public QObject {
    Q_OBJECT
private slots:
    void rename_data();
    void rename();
    void deleteMakesAnotherProfileCurrent();
    void deletingTheLastProfileAsksForANewOne();
    void copyByRightDrag_data();
    void copyByRightDrag();
    void backupAndRestoreInAFreshFolder();
    void restoreRefusesACraftedArchive();
    void filesWrittenUnderTheCurrentProfileOutliveClosing_data();
    void filesWrittenUnderTheCurrentProfileOutliveClosing();
    void menusAreBlockedWhileOpen();
};

void TestFrmEditProfiles::rename_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("error");
    QTest::newRow("forty characters keep thirty-five")
        << QString(40, 'x') << QStringList{"Alpha", "South", QString(35, 'x')} << QString();
    QTest::newRow("name of another profile") << "south" << QStringList{"Alpha", "North", "South"}
                                             << "Profile already exists.";
    QTest::newRow("cancelled") << QString() << QStringList{"Alpha", "North", "South"} << QString();
}

void TestFrmEditProfiles::rename() {
    QFETCH(QString, answer);
    QFETCH(QStringList, expected);
    QFETCH(QString, error);
    Harness h;
    frmEditProfiles w(h.main);
    select(w, "North");
    h.dialogs.texts = {answer};
    w.cmd[1]->click();
    QCOMPARE(rows(w.ProfileList), expected);
    QCOMPARE(h.menuNames(), expected);
    QStringList folders = QDir(h.app.path("Profiles")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(folders.begin(), folders.end(), [](auto& a, auto& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    QCOMPARE(folders, expected);
    if (!error.isEmpty()) {
        QCOMPARE(h.prompts.informed.value(0).title, "Error");
        QCOMPARE(h.prompts.informed.value(0).text, error);
    } else if (!answer.isEmpty()) {
        QCOMPARE(h.main.Profile().ID(), QString(35, 'x'));
        QCOMPARE(h.main.Profile().IPAddress(), "10.0.0.5");
        QVERIFY(h.app.read("Profiles/Profiles.conf").contains(QString(35, 'x').toLatin1()));
    }
}

void TestFrmEditProfiles::deleteMakesAnotherProfileCurrent() {
    Harness h;
    frmEditProfiles w(h.main);
    select(w, "North");
    h.prompts.answers = {Button::No};
    w.cmd[3]->click();
    QVERIFY(h.app.exists("Profiles/North"));
    h.prompts.answers = {Button::Yes};
    w.cmd[3]->click();
    QCOMPARE(h.prompts.asked.last().title, "WARNING!");
    QCOMPARE(h.prompts.asked.last().text, "Are you sure you want to delete this profile?");
    QVERIFY(!h.app.exists("Profiles/North"));
    QCOMPARE(rows(w.ProfileList), (QStringList{"Alpha", "South"}));
    QCOMPARE(h.menuNames(), (QStringList{"Alpha", "South"}));
    QVERIFY(h.main.Profile().ID() != "North");
    QVERIFY(h.app.exists("Profiles/" + h.main.Profile().ID()));
}

void TestFrmEditProfiles::deletingTheLastProfileAsksForANewOne() {
    Harness h({"Only"});
    frmEditProfiles w(h.main);
    select(w, "Only");
    h.prompts.answers = {Button::Yes, Button::Cancel};
    // The new-profile window appears without the list; its user gives up.
    QTimer::singleShot(0, [] {
        QTRY_VERIFY(QApplication::activeModalWidget() || QApplication::topLevelWidgets().size());
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "frmNewProfile" && top->isVisible()) top->close();
    });
    QTimer::singleShot(50, [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "frmNewProfile" && top->isVisible()) top->close();
    });
    w.cmd[3]->click();
    QCOMPARE(h.prompts.asked.last().text, "Error creating new Profile.");
    QCOMPARE(h.ended, 1);
    QVERIFY(!h.app.exists("Profiles/Only"));
}

void TestFrmEditProfiles::copyByRightDrag_data() {
    QTest::addColumn<QString>("target");  // empty: dropped on empty space
    QTest::addColumn<bool>("asked");
    QTest::newRow("onto another profile") << "South" << true;
    QTest::newRow("onto itself") << "North" << false;
    QTest::newRow("onto empty space") << QString() << false;
}

void TestFrmEditProfiles::copyByRightDrag() {
    QFETCH(QString, target);
    QFETCH(bool, asked);
    Harness h;
    h.app.write("Profiles/North/Items/items", "\"Burger\",\"Burger\",\"b.jpg\",10,\"TRUE\",\"\",\"FALSE\"\r\n");
    h.app.write("Profiles/North/Config/zr.conf", "display_mode = landscape\r\n");
    const QByteArray southConf = h.app.read("Profiles/South/Config/zr.conf");
    h.main.SelectProfile("Alpha");  // the copy is not onto the current profile here
    frmEditProfiles w(h.main);
    w.resize(500, 400);
    w.show();
    QTreeWidgetItem* north = w.ProfileList->findItems("North", Qt::MatchExactly).first();
    const QPoint drop = target.isEmpty()
                            ? QPoint(10, w.ProfileList->viewport()->height() - 5)
                            : w.ProfileList->visualItemRect(w.ProfileList->findItems(target, Qt::MatchExactly).first())
                                  .center();
    h.prompts.answers = {Button::Yes};
    rightDrag(w, north, drop);
    QCOMPARE(h.prompts.asked.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(h.prompts.asked.first().text,
                 "Are you sure you want to overwrite the settings ofSouth with the settings of North?");
        QCOMPARE(h.app.read("Profiles/South/Config/zr.conf"), QByteArray("display_mode = landscape\r\n"));
        QCOMPARE(h.app.read("Profiles/South/Items/items"), h.app.read("Profiles/North/Items/items"));
        QCOMPARE(h.app.read("Profiles/South/Config.conf"), QByteArray("IP = 10.0.0.5\r\n"));
    } else {
        QCOMPARE(h.app.read("Profiles/South/Config/zr.conf"), southConf);
    }
}

void TestFrmEditProfiles::backupAndRestoreInAFreshFolder() {
    Harness h;
    QTemporaryDir target;
    const QString chosen = target.path() + "/a";
    QVERIFY(QDir().mkpath(chosen) && QDir().mkpath(target.path() + "/b"));
    frmEditProfiles w(h.main);
    {
        frmBackUpProfile backup(h.main, &w);
        QCOMPARE(backup.Path->text(), QDir::homePath());
        backup.cmd[0]->click();
        QCOMPARE(h.prompts.informed.last().text, "You must select at least one profile.");
        backup.cmd[2]->click();  // Select All
        backup.chooseFolder(h.app.path("Profiles/North"));
        backup.cmd[0]->click();
        QCOMPARE(h.prompts.informed.last().text, "Cannot back up files under the ZR5000FE Profiles directory.");
        QVERIFY(!backup.Path->text().contains("Profiles"));
        // The folder is chosen with the keyboard: up from "b" to "a".
        backup.show();
        backup.chooseFolder(target.path() + "/b");
        QTRY_COMPARE(backup.Directory->currentIndex().row(), 1);
        QTest::keyClick(backup.Directory, Qt::Key_Up);
        QCOMPARE(backup.Path->text(), chosen);
        backup.cmd[0]->click();
        QCOMPARE(h.prompts.informed.last().text, "Backup completed successfully.");
    }
    for (const char* name : {"Alpha", "North", "South"})
        QVERIFY(QFile::exists(chosen + "/" + name + ".zrp"));
    QCOMPARE(frmBackUpProfile(h.main, &w).Path->text(), chosen);  // opens where the last backup went

    Harness fresh(QStringList{});
    frmEditProfiles restore(fresh.main);
    fresh.dialogs.files = {chosen + "/Alpha.zrp", chosen + "/North.zrp", chosen + "/South.zrp"};
    for (int i = 0; i < 3; ++i) restore.cmd[6]->click();
    QMap<QString, QByteArray> original = folderTree(h.app.path("Profiles"));
    original.remove("Profiles.conf");
    QCOMPARE(folderTree(fresh.app.path("Profiles")), original);
    QCOMPARE(rows(restore.ProfileList), (QStringList{"Alpha", "North", "South"}));
    QCOMPARE(fresh.menuNames(), (QStringList{"Alpha", "North", "South"}));
    restore.cmd[6]->click();  // cancelled: nothing happens
    QVERIFY(fresh.prompts.informed.isEmpty());
}

void TestFrmEditProfiles::restoreRefusesACraftedArchive() {
    Harness h;
    h.app.write("evil.zrp", "not a zip archive at all");
    frmEditProfiles w(h.main);
    h.dialogs.files = {h.app.path("evil.zrp")};
    w.cmd[6]->click();
    QCOMPARE(h.prompts.informed.last().text, "Restore failed.");
    QCOMPARE(rows(w.ProfileList), (QStringList{"Alpha", "North", "South"}));
}

void TestFrmEditProfiles::filesWrittenUnderTheCurrentProfileOutliveClosing_data() {
    QTest::addColumn<bool>("restore");  // otherwise North's settings are copied onto South
    QTest::newRow("restore onto the current profile") << true;
    QTest::newRow("copy onto the current profile") << false;
}

// The profile held in memory is saved when the program closes: it must have
// been read again after its files were written behind it.
void TestFrmEditProfiles::filesWrittenUnderTheCurrentProfileOutliveClosing() {
    QFETCH(bool, restore);
    QTemporaryDir saved;
    QMap<QString, QByteArray> expected;
    {
        Harness h;
        Profiles& south = h.main.Profile();  // the last one made is current
        QCOMPARE(south.ID(), "South");
        for (const char* name : {"North", "South"}) {
            south.setID(name);
            south.setDisplayMode("landscape");
            south.TotalScreen().setShowTotalScreen("no");
            south.SaveProfile();
        }
        ProfileOps::backUpProfile(h.app.paths, "South", saved.path());
        expected = folderTree(h.app.path(restore ? "Profiles/South" : "Profiles/North/Config"));
        south.setDisplayMode("portrait");
        south.SaveProfile();
        {
            frmEditProfiles w(h.main);
            if (restore) {
                h.dialogs.files = {saved.path() + "/South.zrp"};
                h.prompts.answers = {Button::Yes};
                w.cmd[6]->click();
            } else {
                h.prompts.answers = {Button::Yes};
                w.CopySettings(w.ProfileList->findItems("North", Qt::MatchExactly).first(),
                               w.ProfileList->findItems("South", Qt::MatchExactly).first());
            }
        }
        QCOMPARE(south.DisplayMode(), "landscape");
        QVERIFY(h.main.close());
        QCOMPARE(folderTree(h.app.path(restore ? "Profiles/South" : "Profiles/South/Config")), expected);
    }
}

void TestFrmEditProfiles::menusAreBlockedWhileOpen() {
    Harness h;
    auto* w = new frmEditProfiles(h.main);
    QVERIFY(!h.main.findChild<QMenu*>("mnuEdit")->menuAction()->isEnabled());
    QVERIFY(!h.main.toolButton("Help")->isEnabled());
    delete w;
    QVERIFY(h.main.findChild<QMenu*>("mnuEdit")->menuAction()->isEnabled());
    QVERIFY(h.main.toolButton("Help")->isEnabled());
}

QTEST_MAIN(TestFrmEditProfiles)
#include "tst_frmeditprofiles.moc"
