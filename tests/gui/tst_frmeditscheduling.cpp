// The day-part scheduling editor: the time field, copying by dragging, and saving.

#include "GuiHarness.h"
#include "TreeDrag.h"
#include "dayparts/DayPartTree.h"
#include "dayparts/frmEditScheduling.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

using namespace zr;
using namespace zr::test;

namespace {

const QString BadTime = "You must enter a time of the format \"hh:mm ?M\"\r\n"
                        "where \"hh\" is a two-digit hour (ex. 09 or 12) and \"mm\" \r\n"
                        "is a two-digit minute and \"?\" is \"A\" or \"P\" for \"AM\" or \"PM\".";

/// A saved profile whose Saturday and Sunday differ everywhere.
struct Harness : GuiHarness {
    Harness() {
        main.Profile().setID("North");
        const QList<QTime> sat{{7, 0}, {11, 30}, {17, 0}, {23, 0}};
        for (int d = 0; d < 4; ++d) {
            main.Profile().Week("sat")->Days[d].StartTime = sat[d];
            main.Profile().Week("sun")->Days[d].StartTime = sat[d].addSecs(-1800);
        }
        main.Profile().SaveProfile();
    }
    QStringList todLines() const {
        return crlfLines(app.read("Profiles/North/Config/zr.conf")).filter(QRegularExpression("^tod_"));
    }
};

void leaveField(QLineEdit* field) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(field, &out);
}

} // namespace

class TestFrmEditScheduling : public QObject {
    Q_OBJECT
private slots:
    void typedTime_data();
    void typedTime();
    void scrollSetsAmOrPm_data();
    void scrollSetsAmOrPm();
    void dragCopies_data();
    void dragCopies();
    void copyToMenuAsksTheSameQuestion();
    void nothingChangedSavesNothing();
};

void TestFrmEditScheduling::typedTime_data() {
    QTest::addColumn<QString>("dayPart");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("line"); // the written line; empty when refused
    QTest::newRow("minute 61") << "Week/Dinner"
                               << "05:61 PM" << QString();
    QTest::newRow("half typed") << "Week/Dinner"
                                << "05:1" << QString();
    QTest::newRow("afternoon") << "Week/Dinner"
                               << "05:15 pm"
                               << "tod_week_dinner   = 17:15";
    QTest::newRow("lunch before breakfast") << "Week/Lunch"
                                            << "04:45 AM"
                                            << "tod_week_lunch   = 04:45";
}

void TestFrmEditScheduling::typedTime() {
    QFETCH(QString, dayPart);
    QFETCH(QString, typed);
    QFETCH(QString, line);
    Harness h;
    const QStringList before = h.todLines();
    frmEditScheduling w(h.main);
    w.show();
    w.TimeTree->setCurrentItem(node(w.TimeTree, dayPart));
    QVERIFY(w.txtTime->isVisible());
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.txtTime->setFocus();
    w.txtTime->selectAll();
    QTest::keyClicks(w.txtTime, typed);
    leaveField(w.txtTime);
    w.cmd[0]->click();
    if (line.isEmpty()) {
        QCOMPARE(h.prompts.informed.size(), 1);
        QCOMPARE(h.prompts.informed.first().text, BadTime);
        QCOMPARE(h.todLines(), before);
    } else {
        QVERIFY(h.prompts.informed.isEmpty());
        QVERIFY(h.todLines().contains(line));
        QCOMPARE(h.todLines().size(), 16);
    }
}

void TestFrmEditScheduling::scrollSetsAmOrPm_data() {
    QTest::addColumn<bool>("leave");
    QTest::newRow("stored on leaving the field") << true;
    QTest::newRow("stored by Apply while in the field") << false;
}

void TestFrmEditScheduling::scrollSetsAmOrPm() {
    QFETCH(bool, leave);
    Harness h;
    frmEditScheduling w(h.main);
    w.show();
    w.TimeTree->setCurrentItem(node(w.TimeTree, "Saturday/Dinner"));
    QCOMPARE(w.txtTime->text(), "05:00 PM");
    QCOMPARE(w.Scroll->value(), 1);
    w.Scroll->triggerAction(QAbstractSlider::SliderSingleStepSub); // the up arrow
    QCOMPARE(w.txtTime->text(), "05:00 AM");
    QVERIFY(!w.Changed()); // stored only when the field is checked
    if (leave) leaveField(w.txtTime);
    w.cmd[0]->click();
    QVERIFY(h.todLines().contains("tod_sat_dinner   = 05:00"));
    // A schedule node hides the field, and leaving it then stores nothing and shows nothing.
    w.TimeTree->setCurrentItem(node(w.TimeTree, "Saturday"));
    QVERIFY(!w.txtTime->isVisible() && !w.Scroll->isVisible());
    w.txtTime->setText("99:99 XX");
    QVERIFY(w.ValidateTime());
    QVERIFY(h.prompts.informed.isEmpty());
    QVERIFY(!w.Changed());
}

void TestFrmEditScheduling::dragCopies_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QList<Button>>("answers");
    QTest::addColumn<QString>("shown"); // the question or refusal
    QTest::addColumn<QStringList>("sunday");
    const QString sure = "Are you sure you want to overwrite the current settings of ";
    const QStringList sunday{"06:30", "11:00", "16:30", "22:30"};
    const QStringList copied{"07:00", "11:30", "17:00", "23:00"};
    QTest::newRow("Saturday onto Sunday") << "Saturday"
                                          << "Sunday" << QList{Button::Yes} << sure + "Sunday?" << copied;
    QTest::newRow("day part onto day part") << "Saturday/Closed"
                                            << "Sunday/Lunch" << QList{Button::Yes} << sure + "Lunch?"
                                            << QStringList{"06:30", "23:00", "16:30", "22:30"};
    QTest::newRow("Breakfast onto Sunday")
        << "Week/Breakfast"
        << "Sunday" << QList<Button>{} << "Cannot copy a daypart to a week part" << sunday;
    QTest::newRow("onto itself") << "Sunday"
                                 << "Sunday" << QList<Button>{} << QString() << sunday;
}

void TestFrmEditScheduling::dragCopies() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QList<Button>, answers);
    QFETCH(QString, shown);
    QFETCH(QStringList, sunday);
    Harness h;
    h.prompts.answers = answers;
    frmEditScheduling w(h.main);
    w.resize(420, 700);
    w.show();
    QTreeWidgetItem* target = node(w.TimeTree, to);
    QCOMPARE(rightDrag(w.TimeTree, node(w.TimeTree, from), target, [&] { return w.copier->dropTarget(); }),
             target);
    QVERIFY(!w.copier->dropTarget());
    QVERIFY(h.prompts.answers.isEmpty());
    const auto all = h.prompts.asked + h.prompts.informed;
    QCOMPARE(all.size(), shown.isEmpty() ? 0 : 1);
    if (!shown.isEmpty()) QCOMPARE(all.first().text, shown);
    w.cmd[0]->click();
    const QStringList lines = h.todLines().filter("tod_sun_");
    QCOMPARE(lines.size(), 4);
    for (int d = 0; d < 4; ++d)
        QVERIFY2(lines[d].endsWith("= " + sunday[d]), qPrintable(lines[d]));
}

void TestFrmEditScheduling::copyToMenuAsksTheSameQuestion() {
    Harness h;
    frmEditScheduling w(h.main);
    std::unique_ptr<QMenu> menu(w.copier->copyMenu(node(w.TimeTree, "Saturday"), &w));
    auto* copyTo = menu->findChild<QMenu*>("copyTo");
    QVERIFY(copyTo);
    QStringList offered;
    QAction* sunday = nullptr;
    for (QAction* a : copyTo->actions()) {
        offered << a->text();
        if (a->text() == "Sunday") sunday = a;
    }
    QCOMPARE(offered, (QStringList{"Week", "Friday", "Sunday"}));
    h.prompts.answers = {Button::Yes};
    sunday->trigger();
    QCOMPARE(h.prompts.asked.value(0).text,
             "Are you sure you want to overwrite the current settings of Sunday?");
    QVERIFY(w.Changed());
}

void TestFrmEditScheduling::nothingChangedSavesNothing() {
    Harness h;
    QFile::remove(h.app.path("Profiles/North/Config/zr.conf"));
    frmEditScheduling w(h.main);
    w.show();
    w.TimeTree->setCurrentItem(node(w.TimeTree, "Week/Lunch"));
    leaveField(w.txtTime); // the shown time stored again is no change
    w.cmd[0]->click();
    w.cmd[1]->click(); // Exit without a question
    QVERIFY(h.prompts.asked.isEmpty());
    QVERIFY(!h.app.exists("Profiles/North/Config/zr.conf"));
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(TestFrmEditScheduling)
#include "tst_frmeditscheduling.moc"
