// The day-part editors' own rules: the POP list and slideshow, the typed
// start times, and the suggestions' message, pictures and family order; and
// the board preview, which shows the day parts at a moment.

#include "GuiHarness.h"
#include "TreeDrag.h"
#include "dayparts/DayPartTree.h"
#include "draw/ScreenDrawing.h"
#include "dayparts/frmEditPOPs.h"
#include "dayparts/frmEditScheduling.h"
#include "dayparts/frmEditSuggestiveSales.h"
#include "preview/frmBoardPreview.h"

#include <QtWidgets>

using namespace zr;
using namespace zr::test;

namespace {

using Pops = QList<PopEntry>;

/// A day-part editor shown on the day-part profile, at a node of its tree.
template <class W>
struct Open : GuiHarness {
    explicit Open(const QString& at, const std::function<void(Profiles&)>& edit = {})
        : ready(dayParts(edit)), w(main) {
        w.resize(900, 700);
        w.show();
        select(at);
    }
    void select(const QString& path) {
        auto* tree = static_cast<QTreeWidget*>(w.copier->parent());
        tree->setCurrentItem(node(tree, path));
    }
    bool ready;
    W w;
};

void click(QListWidget* list, const QString& text) {
    QListWidgetItem* item = list->findItems(text, Qt::MatchExactly).value(0);
    QVERIFY(item);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

} // namespace

class TestDayParts : public QObject {
    Q_OBJECT
private slots:
    void popListLimits_data() {
        QTest::addColumn<Pops>("pops");
        QTest::addColumn<int>("row"); // selected, from 0
        QTest::addColumn<int>("button"); // -1: fri.jpg for 7 seconds chosen from the lists
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("message");
        const Pops three{{"a.jpg", "3"}, {"b.jpg", "1"}, {"c.jpg", "10"}};
        const Pops five = three + Pops{{"a.jpg", "5"}, {"b.jpg", "6"}};
        // clang-format off
        QTest::newRow("insert with five") << five << 4 << 4 << QStringList{"a.jpg 3", "b.jpg 1", "c.jpg 10", "a.jpg 5", "b.jpg 6"} << "Cannot have more than 5 POPs per Daypart.";
        QTest::newRow("remove the only one") << Pops{{"a.jpg", "3"}} << 0 << 5 << QStringList{"a.jpg 3"} << "You must have at least 1 POP per Daypart!";
        QTest::newRow("insert below row 2 of 3") << three << 1 << 4 << QStringList{"a.jpg 3", "b.jpg 1", "default.jpg 2", "c.jpg 10"} << "";
        QTest::newRow("insert into an empty list") << Pops{} << -1 << 4 << QStringList{"default.jpg 2"} << "";
        QTest::newRow("picture and time chosen") << three << 1 << -1 << QStringList{"a.jpg 3", "fri.jpg 7", "c.jpg 10"} << "";
        QTest::newRow("remove row 2 of 3") << three << 1 << 5 << QStringList{"a.jpg 3", "c.jpg 10"} << "";
        // clang-format on
    }
    void popListLimits() {
        QFETCH(Pops, pops);
        QFETCH(int, row);
        QFETCH(int, button);
        QFETCH(QStringList, expected);
        QFETCH(QString, message);
        Open<frmEditPOPs> h("Saturday/Lunch", [&](Profiles& p) { p.Week("sat")->Day("lunch")->POPs = pops; });
        h.w.POPList->setCurrentItem(h.w.POPList->topLevelItem(row));
        if (button < 0) click(h.w.ImageList, "fri.jpg");
        (button < 0) ? click(h.w.DurationList, "7") : h.w.cmd[button]->click();
        QCOMPARE(texts(h.prompts.informed), QStringList(message.isEmpty() ? 0 : 1, message));
        h.w.cmd[1]->click();
        QCOMPARE(h.confLines("pop_sat_lunch ").replaceInStrings("pop_sat_lunch = ", ""), expected);
    }

    void slideshowTiming() {
        Open<frmEditPOPs> h("Week/Breakfast");
        h.w.opt[1]->click();
        QVERIFY(h.w.Tmr->isActive());
        QString shown = QString::number(h.w.Tmr->interval()); // the first image after a second
        // The position is kept across day parts: the one-image list starts over.
        for (const QString at : {"", "", "", "", "Friday/Lunch", "Week/Breakfast"}) {
            if (!at.isEmpty()) h.select(at);
            h.w.SlideShowTick();
            shown += ' ' + h.w.shownImage() + ' ' + QString::number(h.w.Tmr->interval());
        }
        QCOMPARE(shown, "1000 a.jpg 3000 b.jpg 1000 c.jpg 10000 a.jpg 3000 fri.jpg 4000 b.jpg 1000");
        h.w.opt[0]->click();
        QVERIFY(!h.w.Tmr->isActive());
    }

    // The preview opens at the clock's moment, Saturday 08:05:07, on the
    // day-part profile whose week lunch shows the missing gone.jpg, with a
    // total screen of 2 s. acts: "at MOMENT", "click MOMENT" on the week strip,
    // "state N", "step", "tick", "pick ITEM", "check" (Check now).
    void boardPreview_data() {
        QTest::addColumn<QString>("acts");
        QTest::addColumn<QString>("shown"); // the day part, the position and the problems
        const QString fix = "The picture \"%1\" is not in ZRScreens/%2. Add it there with the image tools, or choose a picture that is there.";
        const QString tuesday = "Breakfast is in force, by the Week schedule, since Tuesday 06:00:00. / ";
        // clang-format off
        QTest::newRow("opens at the clock's moment") << "" << "Breakfast is in force, by the Saturday schedule, since Saturday 07:00:00. / POP 1 of 3: default.jpg, second 2 of 2 / ";
        QTest::newRow("a click on the strip") << "click fri 09:00" << "Breakfast is in force, by the Friday schedule, since Friday 06:00:00. / POP 1 of 1: fri.jpg, second 1 of 4 / ";
        QTest::newRow("steps loop round") << "at tue 06:00:00;step;step;step" << tuesday + "POP 1 of 3: a.jpg, second 1 of 3 / ";
        QTest::newRow("the clock ticks") << "at tue 06:00:00;tick;tick;tick;tick" << tuesday + "POP 3 of 3: c.jpg, second 1 of 10 / ";
        QTest::newRow("the total screen") << "at tue 06:00:05;state 2;tick" << tuesday + "Total screen: 2 of 2 s, then idle / ";
        QTest::newRow("then idle from its start") << "at tue 06:00:05;state 2;tick;tick" << tuesday + "POP 1 of 3: a.jpg, second 1 of 3 / ";
        QTest::newRow("problems are named") << "at wed 12:00:00;pick Fries;check" << "Lunch is in force, by the Week schedule, since Wednesday 10:30:00. / Order screen; idle: POP 1 of 1: gone.jpg, second 1 of 2 / Pictures drawn as placeholders:\nPOP gone.jpg: missing (" + fix.arg("gone.jpg", "POP") + ")\nSuggestion lunch30.jpg: missing (" + fix.arg("lunch30.jpg", "Item") + ")";
        // clang-format on
    }
    void boardPreview() {
        QFETCH(QString, acts);
        QFETCH(QString, shown);
        GuiHarness h;
        h.dayParts([](Profiles& p) {
            p.Week("week")->Day("lunch")->POPs = {{"gone.jpg", "2"}};
            p.TotalScreen().setShowTotalScreen("yes");
            p.TotalScreen().setTotalScreenDelay(2);
            p.PreSellMessage().setMessageToPOPTime(0);
        });
        h.app.write("Profiles/North/Items/items", "\"Burger\",\"Big Burger\",\"burger.jpg\",10,\"TRUE\",\"\",\"FALSE\"\r\n\"Fries\",\"Large Fries\",\"burger.jpg\",20,\"TRUE\",\"\",\"FALSE\"\r\n");
        addProgramWindows(h.main);
        h.main.show();
        h.main.toolButton("Preview")->trigger();
        auto* w = static_cast<frmBoardPreview*>(h.main.ChildWindows().value("frmBoardPreview")->widget());
        for (const QString& act : acts.split(';', Qt::SkipEmptyParts)) {
            const QString verb = act.section(' ', 0, 0), rest = act.section(' ', 1);
            if (verb == "at") w->setMoment(*parseMoment(rest));
            if (verb == "click") QTest::mouseClick(w->Strip, Qt::LeftButton, {}, w->Strip->pointOf(*parseMoment(rest)).toPoint());
            if (verb == "state") w->opt[rest.toInt()]->click();
            if (verb == "step") w->cmd[1]->click();
            if (verb == "tick") w->tick();
            if (verb == "check") w->cmd[2]->click();
            if (verb == "pick") w->ItemList->findItems(rest, Qt::MatchStartsWith).value(0)->setCheckState(Qt::Checked);
        }
        QCOMPARE(w->DayPartInfo->text() + " / " + w->Position->text() + " / " + w->Problems->text(), shown);
        QVERIFY(!w->frame().isNull() && w->opt[static_cast<int>(w->state())]->isChecked());
        QCOMPARE(h.dialogs.findingsShown.size(), acts.count("check"));
    }

    void slideshowFailureShownOnce_data() {
        QTest::addColumn<Pops>("pops");
        QTest::addColumn<QString>("logged");
        QTest::newRow("missing image") << Pops{{"gone.jpg", "1"}, {"a.jpg", "1"}} << "gone.jpg";
        QTest::newRow("time not a number") << Pops{{"a.jpg", "soon"}, {"b.jpg", "1"}} << "soon";
        QTest::newRow("longer than the timer takes") << Pops{{"a.jpg", "70"}, {"b.jpg", "1"}} << "70";
    }
    void slideshowFailureShownOnce() {
        QFETCH(Pops, pops);
        QFETCH(QString, logged);
        Open<frmEditPOPs> h("Week/Dinner", [&](Profiles& p) { p.Week("week")->Day("dinner")->POPs = pops; });
        h.w.Tmr->setInterval(5);
        h.w.opt[1]->click();
        QTRY_COMPARE(h.prompts.informed.size(), 1);
        QTest::qWait(50);
        QCOMPARE(h.prompts.informed.size(), 1);
        QVERIFY(h.prompts.informed.first().title == "Error" && h.prompts.informed.first().text.startsWith("View POPs as SlideShow"));
        QVERIFY(!h.w.Tmr->isActive() && h.w.opt[0]->isChecked());
        QVERIFY(h.app.read("Profiles/North/Log/Exceptions.log").contains(logged.toLatin1()));
    }

    void typedTime_data() {
        QTest::addColumn<QString>("dayPart");
        QTest::addColumn<QString>("typed"); // "^": the scroll bar's up arrow instead
        QTest::addColumn<bool>("leave");    // the field before Apply
        QTest::addColumn<QString>("line");  // written; empty when refused
        // clang-format off
        QTest::newRow("minute 61") << "Week/Dinner" << "05:61 PM" << true << "";
        QTest::newRow("half typed") << "Week/Dinner" << "05:1" << true << "";
        QTest::newRow("half typed, Apply in the field") << "Week/Dinner" << "05:1" << false << "";
        QTest::newRow("afternoon") << "Week/Dinner" << "05:15 pm" << true << "tod_week_dinner = 17:15";
        QTest::newRow("lunch before breakfast") << "Week/Lunch" << "04:45 AM" << true << "tod_week_lunch = 04:45";
        QTest::newRow("scrolled to AM") << "Saturday/Dinner" << "^" << true << "tod_sat_dinner = 05:00";
        QTest::newRow("scrolled, Apply in the field") << "Saturday/Dinner" << "^" << false << "tod_sat_dinner = 05:00";
        // clang-format on
    }
    void typedTime() {
        QFETCH(QString, dayPart);
        QFETCH(QString, typed);
        QFETCH(bool, leave);
        QFETCH(QString, line);
        Open<frmEditScheduling> h(dayPart);
        const QStringList before = h.confLines("tod_");
        h.w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.w));
        h.w.txtTime->setFocus();
        h.w.txtTime->selectAll();
        if (typed == "^") {
            QCOMPARE(h.w.txtTime->text(), "05:00 PM");
            h.w.Scroll->triggerAction(QAbstractSlider::SliderSingleStepSub);
            QCOMPARE(h.w.txtTime->text(), "05:00 AM");
        } else {
            QTest::keyClicks(h.w.txtTime, typed);
        }
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        if (leave) QCoreApplication::sendEvent(h.w.txtTime, &out);
        h.w.cmd[0]->click();
        const QStringList after = h.confLines("tod_");
        const QString format = "You must enter a time of the format \"hh:mm ?M\"\r\nwhere \"hh\" is a two-digit hour (ex. 09 or 12) and \"mm\" \r\nis a two-digit minute and \"?\" is \"A\" or \"P\" for \"AM\" or \"PM\".";
        QCOMPARE(texts(h.prompts.informed), QStringList(line.isEmpty() ? 1 : 0, format));
        QCOMPARE(after.size(), 16);
        QVERIFY(line.isEmpty() ? after == before : after.contains(line));
    }

    void handEditedSuggestionsWrittenInFamilyOrder() {
        Open<frmEditSuggestiveSales> h("Breakfast/Drink", [](Profiles& p) {
            p.Week("week")->Day("break")->Suggest = {{"30", "coffee.jpg", "Fresh coffee?"}, {"10", "biscuit.jpg", "Try a biscuit"}};
            p.Week("week")->Day("lunch")->Suggest.removeLast(); // four, in order
        });
        QCOMPARE(h.w.txt->text(), "Fresh coffee?");
        h.select("Breakfast/Side");
        QCOMPARE(h.w.txt->text(), "Thank you for your Order");
        QVERIFY(h.w.Changed());
        h.w.cmd[0]->click();
        const QString dflt = "greatchoice.jpg \"Thank you for your Order\"";
        QCOMPARE(h.confLines("sugg_break ").replaceInStrings("sugg_break = ", ""), (QStringList{"10 biscuit.jpg \"Try a biscuit\"", "20 " + dflt, "30 coffee.jpg \"Fresh coffee?\"", "40 " + dflt, "50 " + dflt}));
        QCOMPARE(h.confLines("sugg_lunch ").value(4), "sugg_lunch = 50 " + dflt);
        const QStringList events = crlfLines(h.app.read("Profiles/North/Log/Event.log")).filter("in family order");
        QVERIFY(events.size() == 2 && events.filter("sugg_lunch").size() == 1);
        QVERIFY(events.filter("sugg_break").value(0).endsWith("default suggestion given to family 20, 40, 50"));
        QVERIFY(!h.w.Changed()); // written once
    }

    void suggestionTextAndPictureTheFileCanHold_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("picture"); // chosen from the list, when given
        QTest::addColumn<QByteArray>("line"); // the Dinner/Side line of zr.conf after Apply
        QTest::addColumn<QString>("message");
        const QString unstorable = "The character \"%1\" cannot be stored: the board's files hold only Windows-1252 characters.";
        QString fits; // as wide as the order screen takes
        while (textWidthTwips(fits + "W") <= 2730)
            fits += "W";
        // clang-format off
        QTest::newRow("one letter too wide") << fits + "W" << "" << ("sugg_dinner = 20    dinner20.jpg    \"" + fits + "\"").toLatin1() << "Message cannot exceed width of the Order Screen.";
        QTest::newRow("euro sign as byte 0x80") << "\u20ac5 off" << "" << QByteArray("sugg_dinner = 20    dinner20.jpg    \"\x80" "5 off\"") << "";
        QTest::newRow("curly apostrophe and dash") << "Don\u2019t \u2014 wait" << "" << QByteArray("sugg_dinner = 20    dinner20.jpg    \"Don\x92t \x97 wait\"") << "";
        QTest::newRow("a character without a byte") << "Fries\u2192" << "" << QByteArray("sugg_dinner = 20    dinner20.jpg    \"Fries\"") << unstorable.arg("\u2192");
        QTest::newRow("beyond the first plane") << "Hi\U0001F600" << "" << QByteArray("sugg_dinner = 20    dinner20.jpg    \"Hi\"") << unstorable.arg("\U0001F600");
        QTest::newRow("a picture whose name holds a blank") << "" << "onion rings.jpg" << QByteArray("sugg_dinner = 20    dinner20.jpg    \"dinner 20\"") << "The picture name \"onion rings.jpg\" holds a blank, which the board's configuration file cannot store. Rename the picture without blanks (the image tools write \"_\" instead).";
        QTest::newRow("a picture without a blank") << "" << "pie.jpg" << QByteArray("sugg_dinner = 20    pie.jpg    \"dinner 20\"") << "";
        // clang-format on
    }
    void suggestionTextAndPictureTheFileCanHold() {
        QFETCH(QString, typed);
        QFETCH(QString, picture);
        QFETCH(QByteArray, line);
        QFETCH(QString, message);
        Open<frmEditSuggestiveSales> h("Dinner/Side", [&](Profiles&) { h.app.write("ZRScreens/Item/onion rings.jpg", "jpeg"); });
        if (!typed.isEmpty()) h.w.txt->clear();
        typeText(h.w.txt, typed);
        if (const int index = h.w.ImageList->findText(picture); !picture.isEmpty()) {
            h.w.ImageList->setCurrentIndex(index);
            emit h.w.ImageList->activated(index);
        }
        QCoreApplication::processEvents();
        QCOMPARE(texts(h.prompts.informed), QStringList(message.isEmpty() ? 0 : 1, message));
        h.w.cmd[0]->click();
        QVERIFY(crlfLines(h.app.read("Profiles/North/Config/zr.conf")).contains(QString::fromLatin1(line)));
    }
};

QTEST_MAIN(TestDayParts)
#include "tst_dayparts.moc"
