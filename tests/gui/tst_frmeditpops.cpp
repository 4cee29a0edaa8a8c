// The POP slideshow editor: the list limits, the preview, copying by dragging, and saving.

#include "GuiHarness.h"
#include "TreeDrag.h"
#include "app/ProgramWindows.h"
#include "dayparts/DayPartTree.h"
#include "dayparts/frmEditPOPs.h"

#include <QImage>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace zr;
using namespace zr::test;

namespace {

using Pops = QList<PopEntry>;

/// A saved profile with pictures in the POP folder; the week's breakfast
/// shows a.jpg, b.jpg and c.jpg for 3, 1 and 10 seconds, every Friday part fri.jpg.
struct Harness : GuiHarness {
    Harness() {
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "fri.jpg", "default.jpg"}) {
            QImage picture(64, 48, QImage::Format_RGB32);
            picture.fill(QColor::fromHsv(qHash(QByteArray(name)) % 360, 200, 200));
            QDir().mkpath(app.paths.popImages());
            picture.save(app.paths.popImages() + "/" + name, "JPG");
        }
        main.Profile().setID("North");
        day("week", "break") = {{"a.jpg", "3"}, {"b.jpg", "1"}, {"c.jpg", "10"}};
        for (TimeOfDay& d : main.Profile().Week("fri")->Days)
            d.POPs = {{"fri.jpg", "4"}};
        main.Profile().SaveProfile();
    }
    Pops& day(const QString& week, const QString& part) { return main.Profile().Week(week)->Day(part)->POPs; }
    /// The pop_ lines of zr.conf for one schedule and day part.
    QStringList popLines(const QString& suffix) const {
        return crlfLines(app.read("Profiles/North/Config/zr.conf"))
            .filter(QRegularExpression("^pop_" + suffix + " "));
    }
};

struct Window {
    explicit Window(Harness& h) : w(h.main) {
        w.resize(900, 700);
        w.show();
    }
    void select(const QString& path) { w.POPTree->setCurrentItem(node(w.POPTree, path)); }
    QStringList rows() const {
        QStringList out;
        for (int i = 0; i < w.POPList->topLevelItemCount(); ++i)
            out << w.POPList->topLevelItem(i)->text(0) + " " + w.POPList->topLevelItem(i)->text(1);
        return out;
    }
    frmEditPOPs w;
};

} // namespace

class TestFrmEditPOPs : public QObject {
    Q_OBJECT
private slots:
    void treeKeys();
    void insertAndRemove_data();
    void insertAndRemove();
    void chooseImageAndTime();
    void dragCopies_data();
    void dragCopies();
    void slideshowTiming();
    void slideshowFailureShowsOnce_data();
    void slideshowFailureShowsOnce();
    void exitAsks_data();
    void exitAsks();
    void opensFromTheMainWindow_data();
    void opensFromTheMainWindow();
};

void TestFrmEditPOPs::treeKeys() {
    Harness h;
    Window win(h);
    QCOMPARE(node(win.w.POPTree, "Week")->data(0, Qt::UserRole).toString(), "week");
    QCOMPARE(node(win.w.POPTree, "Week/Breakfast")->data(0, Qt::UserRole).toString(), "Week.Breakfast");
    QCOMPARE(node(win.w.POPTree, "Sunday/Closed")->data(0, Qt::UserRole).toString(), "Sunday.Closed");
    QVERIFY(!win.w.cmd[4]->isEnabled());
    win.select("Week/Breakfast");
    QVERIFY(win.w.cmd[4]->isEnabled() && win.w.ImageList->isEnabled());
    QCOMPARE(win.w.shownImage(), "a.jpg");
    QCOMPARE(win.w.ImageList->count(), 5);
    win.select("Week");
    QVERIFY(!win.w.cmd[4]->isEnabled() && !win.w.opt[1]->isEnabled());
    QCOMPARE(win.w.POPList->topLevelItemCount(), 0);
}

void TestFrmEditPOPs::insertAndRemove_data() {
    QTest::addColumn<Pops>("pops");
    QTest::addColumn<int>("row"); // selected, from 0
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("message");
    const Pops three{{"a.jpg", "3"}, {"b.jpg", "1"}, {"c.jpg", "10"}};
    const Pops five = three + Pops{{"a.jpg", "5"}, {"b.jpg", "6"}};
    QTest::newRow("insert with five")
        << five << 4 << 4 << QStringList{"a.jpg 3", "b.jpg 1", "c.jpg 10", "a.jpg 5", "b.jpg 6"}
        << "Cannot have more than 5 POPs per Daypart.";
    QTest::newRow("remove the only one") << Pops{{"a.jpg", "3"}} << 0 << 5 << QStringList{"a.jpg 3"}
                                         << "You must have at least 1 POP per Daypart!";
    QTest::newRow("insert below row 2 of 3")
        << three << 1 << 4 << QStringList{"a.jpg 3", "b.jpg 1", "default.jpg 2", "c.jpg 10"} << QString();
    QTest::newRow("insert into an empty list")
        << Pops{} << -1 << 4 << QStringList{"default.jpg 2"} << QString();
    QTest::newRow("remove row 2 of 3") << three << 1 << 5 << QStringList{"a.jpg 3", "c.jpg 10"} << QString();
}

void TestFrmEditPOPs::insertAndRemove() {
    QFETCH(Pops, pops);
    QFETCH(int, row);
    QFETCH(int, button);
    QFETCH(QStringList, expected);
    QFETCH(QString, message);
    Harness h;
    h.day("sat", "lunch") = pops;
    h.main.Profile().SaveProfile();
    Window win(h);
    win.select("Saturday/Lunch");
    win.w.POPList->setCurrentItem(win.w.POPList->topLevelItem(row));
    win.w.cmd[button]->click();
    QCOMPARE(win.rows(), expected);
    QCOMPARE(h.prompts.informed.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(h.prompts.informed.first().text, message);
        QCOMPARE(h.prompts.informed.first().title, button == 5 ? "Attention:" : "");
    }
    // The list and the working copy keep the same order.
    win.w.cmd[1]->click();
    QStringList written;
    for (const QString& entry : expected)
        written << "pop_sat_lunch = " + entry.section(' ', 0, 0) + "    " + entry.section(' ', 1);
    QCOMPARE(h.popLines("sat_lunch"), written);
}

void TestFrmEditPOPs::chooseImageAndTime() {
    Harness h;
    h.app.write("ZRScreens/POP/summer sale.jpg", "jpeg");
    Window win(h);
    win.select("Week/Breakfast");
    win.w.POPList->setCurrentItem(win.w.POPList->topLevelItem(1));
    auto click = [](QListWidget* list, const QString& text) {
        QListWidgetItem* item = list->findItems(text, Qt::MatchExactly).value(0);
        QVERIFY(item);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    };
    // A name with a blank would split its pop_ line: refused, with the reason.
    click(win.w.ImageList, "summer sale.jpg");
    QCOMPARE(h.prompts.informed.size(), 1);
    QVERIFY(h.prompts.informed.first().text.startsWith("The picture name \"summer sale.jpg\" holds a blank"));
    QCOMPARE(win.rows(), (QStringList{"a.jpg 3", "b.jpg 1", "c.jpg 10"}));
    QVERIFY(!win.w.Changed());
    click(win.w.ImageList, "fri.jpg");
    click(win.w.DurationList, "7");
    QCOMPARE(win.rows(), (QStringList{"a.jpg 3", "fri.jpg 7", "c.jpg 10"}));
    QCOMPARE(win.w.shownImage(), "fri.jpg");
    QVERIFY(win.w.Changed());
    win.w.cmd[1]->click();
    QCOMPARE(h.popLines("week_break"),
             (QStringList{"pop_week_break = a.jpg    3", "pop_week_break = fri.jpg    7",
                          "pop_week_break = c.jpg    10"}));
    QVERIFY(!win.w.Changed());
}

void TestFrmEditPOPs::dragCopies_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QList<Button>>("answers");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("sundayBreak");
    const QStringList unchanged{"pop_sun_break = default.jpg    2", "pop_sun_break = default.jpg    2",
                                "pop_sun_break = default.jpg    2"};
    QTest::newRow("Friday onto Sunday")
        << "Friday"
        << "Sunday" << QList{Button::Yes}
        << "Are you sure you want to overwrite the current settings of Sunday?"
        << QStringList{"pop_sun_break = fri.jpg    4"};
    QTest::newRow("Friday onto Sunday, No")
        << "Friday"
        << "Sunday" << QList{Button::No}
        << "Are you sure you want to overwrite the current settings of Sunday?" << unchanged;
    QTest::newRow("day part onto day part")
        << "Week/Breakfast"
        << "Sunday/Breakfast" << QList{Button::Yes}
        << "Are you sure you want to apply these settings to Breakfast?"
        << QStringList{"pop_sun_break = a.jpg    3", "pop_sun_break = b.jpg    1",
                       "pop_sun_break = c.jpg    10"};
    QTest::newRow("onto itself") << "Sunday/Breakfast"
                                 << "Sunday/Breakfast" << QList<Button>{} << QString() << unchanged;
    QTest::newRow("Week onto its Lunch")
        << "Week"
        << "Week/Lunch" << QList<Button>{} << "Cannot copy from a week part to a day part." << unchanged;
}

void TestFrmEditPOPs::dragCopies() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QList<Button>, answers);
    QFETCH(QString, shown);
    QFETCH(QStringList, sundayBreak);
    Harness h;
    h.prompts.answers = answers;
    Window win(h);
    QTreeWidgetItem* target = node(win.w.POPTree, to);
    QCOMPARE(rightDrag(win.w.POPTree, node(win.w.POPTree, from), target,
                       [&] { return win.w.copier->dropTarget(); }),
             target);
    QVERIFY(h.prompts.answers.isEmpty());
    const auto all = h.prompts.asked + h.prompts.informed;
    QCOMPARE(all.size(), shown.isEmpty() ? 0 : 1);
    if (!shown.isEmpty()) QCOMPARE(all.first().text, shown);
    // The target is selected and shown.
    QCOMPARE(win.w.POPTree->currentItem(), target);
    QVERIFY(!win.w.copier->dropTarget());
    if (target->parent()) QCOMPARE(win.rows().size(), win.w.POPList->topLevelItemCount());
    win.w.cmd[1]->click();
    QCOMPARE(h.popLines("sun_break"), sundayBreak);
    if (from == "Friday" && answers == QList{Button::Yes})
        QCOMPARE(h.popLines("sun_closed"), QStringList{"pop_sun_closed = fri.jpg    4"});
}

void TestFrmEditPOPs::slideshowTiming() {
    Harness h;
    Window win(h);
    win.select("Week/Breakfast");
    win.w.opt[1]->click();
    QVERIFY(win.w.Tmr->isActive());
    QCOMPARE(win.w.Tmr->interval(), 1000); // the first image after a second
    const QList<std::pair<QString, int>> shows{
        {"a.jpg", 3000}, {"b.jpg", 1000}, {"c.jpg", 10000}, {"a.jpg", 3000}};
    for (const auto& [image, interval] : shows) {
        win.w.SlideShowTick();
        QCOMPARE(win.w.shownImage(), image);
        QCOMPARE(win.w.Tmr->interval(), interval);
    }
    // The position is kept across day parts: the one-image list starts over.
    win.select("Friday/Lunch");
    win.w.SlideShowTick();
    QCOMPARE(win.w.shownImage(), "fri.jpg");
    QCOMPARE(win.w.Tmr->interval(), 4000);
    win.select("Week/Breakfast");
    win.w.SlideShowTick();
    QCOMPARE(win.w.shownImage(), "b.jpg");
    win.w.opt[0]->click();
    QVERIFY(!win.w.Tmr->isActive());
}

void TestFrmEditPOPs::slideshowFailureShowsOnce_data() {
    QTest::addColumn<Pops>("pops");
    QTest::addColumn<QString>("logged");
    QTest::newRow("missing image") << Pops{{"gone.jpg", "1"}, {"a.jpg", "1"}} << "gone.jpg";
    QTest::newRow("time not a number") << Pops{{"a.jpg", "soon"}, {"b.jpg", "1"}} << "soon";
    QTest::newRow("longer than the timer takes") << Pops{{"a.jpg", "70"}, {"b.jpg", "1"}} << "70";
}

void TestFrmEditPOPs::slideshowFailureShowsOnce() {
    QFETCH(Pops, pops);
    QFETCH(QString, logged);
    Harness h;
    h.day("week", "dinner") = pops;
    Window win(h);
    win.select("Week/Dinner");
    win.w.Tmr->setInterval(5);
    win.w.opt[1]->click();
    QTRY_COMPARE(h.prompts.informed.size(), 1);
    QTest::qWait(50);
    QCOMPARE(h.prompts.informed.size(), 1);
    QCOMPARE(h.prompts.informed.first().title, "Error");
    QVERIFY(h.prompts.informed.first().text.startsWith("View POPs as SlideShow"));
    QVERIFY(!win.w.Tmr->isActive());
    QVERIFY(win.w.opt[0]->isChecked());
    QVERIFY(h.app.read("Profiles/North/Log/Exceptions.log").contains(logged.toLatin1()));
    // Still usable: the list can be edited.
    win.w.cmd[4]->click();
    QCOMPARE(win.rows().size(), 3);
}

void TestFrmEditPOPs::exitAsks_data() {
    QTest::addColumn<bool>("edit");
    QTest::addColumn<Button>("answer");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("open");
    QTest::newRow("no change") << false << Button::None << false << false;
    QTest::newRow("Yes") << true << Button::Yes << true << false;
    QTest::newRow("Cancel") << true << Button::Cancel << false << true;
}

void TestFrmEditPOPs::exitAsks() {
    QFETCH(bool, edit);
    QFETCH(Button, answer);
    QFETCH(bool, saved);
    QFETCH(bool, open);
    Harness h;
    QFile::remove(h.app.path("Profiles/North/Config/zr.conf"));
    if (answer != Button::None) h.prompts.answers = {answer};
    Window win(h);
    win.select("Week/Dinner");
    if (edit) win.w.cmd[4]->click();
    win.w.cmd[2]->click();
    QCOMPARE(h.prompts.asked.size(), edit ? 1 : 0);
    if (edit) QCOMPARE(h.prompts.asked.first().text, "Do you wish to save your changes?");
    QCOMPARE(h.app.exists("Profiles/North/Config/zr.conf"), saved);
    QCOMPARE(win.w.isVisible(), open);
}

void TestFrmEditPOPs::opensFromTheMainWindow_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("window");
    QTest::newRow("POPs") << "mnuEditPOPs"
                          << "frmEditPOPs";
    QTest::newRow("scheduling") << "mnuScheduling"
                                << "frmEditScheduling";
    QTest::newRow("suggestive sales") << "mnuEditSuggestiveSales"
                                      << "frmEditSuggestiveSales";
    QTest::newRow("POP images updated") << QString() << "frmEditPOPs";
}

void TestFrmEditPOPs::opensFromTheMainWindow() {
    QFETCH(QString, entry);
    QFETCH(QString, window);
    Harness h;
    addProgramWindows(h.main);
    if (entry.isEmpty()) {
        h.dialogs.files = {"/bin/true"}; // a tool that does nothing
        h.prompts.answers = {Button::Yes};
        h.main.UpdatePOPImages();
    } else {
        h.main.findChild<QAction*>(entry)->trigger();
    }
    QVERIFY(h.main.ChildWindows().contains(window));
    QWidget* opened = h.main.ChildWindows().value(window)->widget();
    QCOMPARE(opened->objectName(), window);
    opened->findChild<QPushButton*>(window == "frmEditPOPs" ? "cmd_3" : "cmd_2")->click(); // Cancel
    QTRY_VERIFY(h.main.ChildWindows().isEmpty());
}

QTEST_MAIN(TestFrmEditPOPs)
#include "tst_frmeditpops.moc"
