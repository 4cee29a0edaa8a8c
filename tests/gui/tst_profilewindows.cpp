// The profile editor: rename, delete, copy by dragging, backup and restore.

#include "GuiHarness.h"
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
            main.Profile().setIPAddress("10.0.0." + QString::number(name.size()));
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
    QTreeWidgetItem* item(const QString& name) const {
        return w->ProfileList->findItems(name, Qt::MatchExactly).value(0);
    }
    /// Drags with the right mouse button from one profile onto another, or onto empty space.
    void rightDrag(const QString& from, const QString& to) const {
        QWidget* view = w->ProfileList->viewport();
        const QPoint drop =
            to.isEmpty() ? QPoint(10, view->height() - 5) : w->ProfileList->visualItemRect(item(to)).center();
        QTest::mousePress(view, Qt::RightButton, {}, w->ProfileList->visualItemRect(item(from)).center());
        QMouseEvent move(QEvent::MouseMove, drop, view->mapToGlobal(drop), Qt::NoButton, Qt::RightButton, {});
        QCoreApplication::sendEvent(view, &move);
        QTest::mouseRelease(view, Qt::RightButton, {}, drop);
    }
    std::unique_ptr<frmEditProfiles> w;
};

} // namespace

class TestProfiles : public QObject {
    Q_OBJECT
private slots:
    void rename_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("error");
        const QStringList all{"Alpha", "North", "South"};
        // clang-format off
        QTest::newRow("forty characters keep thirty-five") << QString(40, 'x') << QStringList{"Alpha", "South", QString(35, 'x')} << "";
        QTest::newRow("name of another profile") << "south" << all << "ErrorProfile already exists.";
        QTest::newRow("cancelled") << QString() << all << "";
        // clang-format on
    }
    void rename() {
        QFETCH(QString, answer);
        QFETCH(QStringList, expected);
        Harness h;
        h.w->ProfileList->setCurrentItem(h.item("North"));
        h.dialogs.texts = {answer};
        h.w->cmd[1]->click();
        QCOMPARE(h.rows(), expected);
        QCOMPARE(h.dropDownNames(), expected);
        QTEST(h.prompts.informed.isEmpty() ? "" : h.prompts.informed[0].title + h.prompts.informed[0].text,
              "error");
        const QString current = expected.contains("North") ? "North" : QString(35, 'x');
        QCOMPARE(h.main.Profile().ID() + ' ' + h.main.Profile().IPAddress(), current + " 10.0.0.5");
    }

    void deleteProfile_data() {
        QTest::addColumn<QStringList>("profiles");
        QTest::addColumn<QList<Button>>("answers");
        QTest::addColumn<QStringList>("remaining");
        const QStringList all{"Alpha", "North", "South"};
        // clang-format off
        QTest::newRow("answered No") << all << QList<Button>{Button::No} << all;
        QTest::newRow("answered Yes") << all << QList<Button>{Button::Yes} << QStringList{"Alpha", "South"};
        QTest::newRow("the last one, no new one made") << QStringList{"North"} << QList<Button>{Button::Yes, Button::Cancel} << QStringList{};
        // clang-format on
    }
    void deleteProfile() {
        QFETCH(QStringList, profiles);
        QFETCH(QStringList, remaining);
        Harness h(profiles);
        h.w->ProfileList->setCurrentItem(h.item("North"));
        QFETCH(QList<Button>, answers);
        h.prompts.answers = answers;
        QTimer closer; // the new-profile window, when it comes, is given up
        connect(&closer, &QTimer::timeout, [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->objectName() == "frmNewProfile" && top->isVisible()) top->close();
        });
        closer.start(20);
        h.w->cmd[3]->click();
        QCOMPARE(h.app.exists("Profiles/North"), remaining.contains("North"));
        QCOMPARE(h.rows(), remaining);
        QCOMPARE(h.dropDownNames(), remaining);
        QCOMPARE(h.ended, remaining.isEmpty() ? 1 : 0);
        const QString sure = "Are you sure you want to delete this profile?";
        QCOMPARE(texts(h.prompts.asked), remaining.isEmpty()
                                             ? QStringList({sure, "Error creating new Profile."})
                                             : QStringList({sure}));
        QVERIFY(remaining.isEmpty() || (remaining.contains(h.main.Profile().ID()) &&
                                        h.app.exists("Profiles/" + h.main.Profile().ID())));
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
        action == "restore" ? h.w->cmd[6]->click()
                            : h.rightDrag(action.section('>', 0, 0), action.section('>', 1));
        h.w.reset();
        QTEST(int(h.prompts.asked.size()), "asked");
        QVERIFY(h.main.close());
        QCOMPARE(folderTree(h.app.path("Profiles/" + written)),
                 h.prompts.asked.isEmpty() ? portrait : landscape);
    }
};

QTEST_MAIN(TestProfiles)
#include "tst_profilewindows.moc"
