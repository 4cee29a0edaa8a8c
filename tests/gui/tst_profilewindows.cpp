// The profile editor: rename, delete, copy by dragging, backup and restore.

#include "GuiHarness.h"
#include "TreeDrag.h"
#include "profiles/ProfileArchive.h"
#include "profiles/frmBackUpProfile.h"
#include "profiles/frmEditProfiles.h"

#include <QtWidgets>

using namespace zr;
using namespace zr::test;

namespace {

/// Complete profiles on disk, listed in the menus, North current; and the profile editor.
struct Harness : GuiHarness {
    explicit Harness(const QStringList& names = {"Alpha", "North", "South"}) {
        for (const QString& name : names) {
            main.Profile().setID(name);
            main.Profile().setIPAddress("127.0.0." + QString::number(name.size()));
            main.Profile().SaveProfile();
        }
        main.LoadProfiles();
        if (names.contains("North")) main.SelectProfile("North");
        w = std::make_unique<frmEditProfiles>(main);
    }
    QStringList rows() const {
        QStringList out;
        for (int i = 0; i < w->ProfileList->topLevelItemCount(); ++i)
            out << w->ProfileList->topLevelItem(i)->text(0);
        return out;
    }
    QTreeWidgetItem* item(const QString& name) const { return node(w->ProfileList, name); }
    std::unique_ptr<frmEditProfiles> w;
};

} // namespace

class TestProfiles : public QObject {
    Q_OBJECT
private slots:
    void renameAndDelete_data() {
        QTest::addColumn<QStringList>("profiles");
        QTest::addColumn<int>("button"); // 1: Rename, 3: Delete, on North
        QTest::addColumn<QString>("name"); // typed as the new name
        QTest::addColumn<QList<Button>>("answers");
        QTest::addColumn<QStringList>("rows"); // then listed, in the editor and the drop-down
        QTest::addColumn<QString>("current");
        QTest::addColumn<QStringList>("shown"); // questions, then messages
        const QStringList all{"Alpha", "North", "South"};
        const QString sure = "Are you sure you want to delete this profile?";
        using B = QList<Button>;
        // clang-format off
        QTest::newRow("rename: forty characters keep thirty-five") << all << 1 << QString(40, 'x') << B{} << QStringList{"Alpha", "South", QString(35, 'x')} << QString(35, 'x') << QStringList{};
        QTest::newRow("rename: name of another profile") << all << 1 << "south" << B{} << all << "North" << QStringList{"Profile already exists."};
        QTest::newRow("rename: cancelled") << all << 1 << QString() << B{} << all << "North" << QStringList{};
        QTest::newRow("delete: answered No") << all << 3 << QString() << B{Button::No} << all << "North" << QStringList{sure};
        QTest::newRow("delete: answered Yes") << all << 3 << QString() << B{Button::Yes} << QStringList{"Alpha", "South"} << "South" << QStringList{sure};
        QTest::newRow("delete: the last one, no new one made") << QStringList{"North"} << 3 << QString() << B{Button::Yes, Button::Cancel} << QStringList{} << "" << QStringList{sure, "Error creating new Profile."};
        // clang-format on
    }
    void renameAndDelete() {
        QFETCH(QStringList, profiles);
        QFETCH(QList<Button>, answers);
        QFETCH(QStringList, rows);
        QFETCH(QString, current);
        Harness h(profiles);
        h.w->ProfileList->setCurrentItem(h.item("North"));
        QFETCH(QString, name);
        h.dialogs.texts = {name};
        h.prompts.answers = answers;
        QTimer closer; // the new-profile window, when it comes, is given up
        connect(&closer, &QTimer::timeout, [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->objectName() == "frmNewProfile" && top->isVisible()) top->close();
        });
        closer.start(20);
        QFETCH(int, button);
        h.w->cmd[button]->click();
        QCOMPARE(h.rows(), rows);
        QCOMPARE(h.dropDownNames(), rows);
        QTEST(texts(h.prompts.asked + h.prompts.informed), "shown");
        QVERIFY(h.prompts.informed.isEmpty() || h.prompts.informed[0].title == "Error");
        QCOMPARE(h.app.exists("Profiles/North"), rows.contains("North"));
        QCOMPARE(h.ended, rows.isEmpty() ? 1 : 0);
        if (rows.isEmpty()) return;
        QCOMPARE(h.main.Profile().ID() + ' ' + h.main.Profile().IPAddress(), current + " 127.0.0.5");
        QVERIFY(h.app.exists("Profiles/" + current));
    }

    void backupAndRestore() {
        Harness h;
        QTemporaryDir target;
        {
            frmBackUpProfile backup(h.main, h.w.get());
            backup.cmd[0]->click();
            backup.cmd[2]->click(); // Select All
            backup.chooseFolder(h.app.path("Profiles/North"));
            backup.cmd[0]->click();
            backup.chooseFolder(target.path());
            backup.cmd[0]->click();
            QCOMPARE(texts(h.prompts.informed),
                     QStringList({"You must select at least one profile.",
                                  "Cannot back up files under the ZR5000FE Profiles directory.",
                                  "Backup completed successfully."}));
        }
        // The next backup starts where the last one went.
        QCOMPARE(frmBackUpProfile(h.main, h.w.get()).Path->text(), target.path());
        Harness fresh(QStringList{});
        fresh.app.write("crafted.zrp", "not a zip archive at all");
        fresh.dialogs.files = {target.path() + "/North.zrp", fresh.app.path("crafted.zrp")};
        fresh.w->cmd[6]->click();
        fresh.w->cmd[6]->click();
        QCOMPARE(fresh.prompts.informed.value(0).text, "Restore failed.");
        QCOMPARE(folderTree(fresh.app.path("Profiles/North")), folderTree(h.app.path("Profiles/North")));
        QCOMPARE(fresh.rows(), QStringList{"North"});
        QCOMPARE(fresh.dropDownNames(), QStringList{"North"});
    }

    void filesWrittenUnderTheCurrentProfileOutliveClosing_data() {
        QTest::addColumn<QString>("action");  // a restore, or a right drag "from>onto"
        QTest::addColumn<QString>("written"); // what the action writes, kept after closing
        QTest::addColumn<int>("asked");
        // clang-format off
        QTest::newRow("restore onto the current profile") << "restore" << "South" << 1;
        QTest::newRow("copy onto the current profile by a right drag") << "North>South" << "South/Config" << 1;
        QTest::newRow("a right drag onto itself copies nothing") << "South>South" << "South" << 0;
        QTest::newRow("a right drag onto empty space copies nothing") << "North>" << "South" << 0;
        // clang-format on
    }
    // The profile held in memory is saved when the program closes: it must have
    // been read again after its files were written behind it.
    void filesWrittenUnderTheCurrentProfileOutliveClosing() {
        QFETCH(QString, action);
        QFETCH(QString, written);
        QTemporaryDir saved;
        Harness h;
        Profiles& south = h.main.Profile();
        for (const char* name : {"North", "South"}) {
            south.setID(name);
            south.setDisplayMode("landscape");
            south.TotalScreen().setShowTotalScreen("no");
            south.SaveProfile();
        }
        ProfileOps::backUpProfile(h.app.paths, "South", saved.path());
        const auto landscape = folderTree(h.app.path("Profiles/" + written));
        south.setDisplayMode("portrait");
        south.SaveProfile();
        const auto portrait = folderTree(h.app.path("Profiles/" + written));
        h.prompts.answers = {Button::Yes};
        h.dialogs.files = {saved.path() + "/South.zrp"};
        h.w->resize(500, 400);
        h.w->show();
        if (action == "restore") h.w->cmd[6]->click();
        else rightDrag(h.w->ProfileList, h.item(action.section('>', 0, 0)), h.item(action.section('>', 1)));
        h.w.reset();
        QTEST(int(h.prompts.asked.size()), "asked");
        QVERIFY(h.main.close());
        QCOMPARE(folderTree(h.app.path("Profiles/" + written)),
                 h.prompts.asked.isEmpty() ? portrait : landscape);
    }
};

QTEST_MAIN(TestProfiles)
#include "tst_profilewindows.moc"
