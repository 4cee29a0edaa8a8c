// What every editor window shares: how it is opened, its Apply, Exit and Cancel
// buttons with the save question, and copying by right-dragging in the day-part trees.

#include "GuiHarness.h"
#include "TreeDrag.h"
#include "dayparts/DayPartTree.h"
#include "dayparts/frmEditPOPs.h"
#include "dayparts/frmEditScheduling.h"
#include "dayparts/frmEditSuggestiveSales.h"
#include "menu/frmEditMenuItems.h"
#include "settings/frmEditDefaultImages.h"
#include "settings/frmEditOrderScreen.h"
#include "settings/frmEditPreSellMessage.h"
#include "settings/frmGeneral.h"
#include "settings/frmPOS.h"

#include <QtWidgets>

using namespace zr;
using namespace zr::test;

namespace {

/// An editor: its menu entry and toolbar button, the verb of its save
/// question, a change, and the files that change is written to, one of them
/// holding the text.
struct Editor {
    QString window, menu, button, verb;
    std::function<void(QWidget*)> change;
    QStringList files;
    QByteArray written;
};

const QList<Editor>& editors() {
    const QStringList conf{"Profiles/North/Config.conf", "Profiles/North/Config/zr.conf"}; // a saved profile
    // clang-format off
    static const QList<Editor> all{
        {"frmEditMenuItems", "mnuEditMenuItems", "Menu", "want", on<frmEditMenuItems>([](auto& w) { w.txt->setText("Zesty"); }), {"Profiles/North/Items/items"}, "Zesty"},
        {"frmEditScheduling", "mnuScheduling", "Scheduling", "want", on<frmEditScheduling>([](auto& w) { w.TimeTree->setCurrentItem(node(w.TimeTree, "Week/Lunch")); w.txtTime->setText("04:45 AM"); }), conf, "tod_week_lunch   = 04:45"},
        {"frmEditPOPs", "mnuEditPOPs", "POPs", "wish", on<frmEditPOPs>([](auto& w) { w.POPTree->setCurrentItem(node(w.POPTree, "Week/Breakfast")); w.cmd[4]->click(); }), conf, "pop_week_break = default.jpg"},
        {"frmEditSuggestiveSales", "mnuEditSuggestiveSales", "Suggestive Sales", "want", on<frmEditSuggestiveSales>([](auto& w) { w.SuggTree->setCurrentItem(node(w.SuggTree, "Dinner/Side")); w.txt->setText("Zesty"); }), conf, "\"Zesty\""},
        {"frmGeneral", "mnuEditGeneral", "", "wish", on<frmGeneral>([](auto& w) { w.txt->setText("127.2.2.2"); }), conf, "127.2.2.2"},
        {"frmEditOrderScreen", "mnuEditOrderScreen", "OrderScreen", "want", on<frmEditOrderScreen>([](auto& w) { w.chk[0]->click(); }), conf, "show_tax = no"},
        {"frmEditPreSellMessage", "mnuEditPreSellMessage", "PreSell Message", "want", on<frmEditPreSellMessage>([](auto& w) { w.cmb->setCurrentIndex(10); }), conf, "screen_saver_pop_to  = 10"},
        {"frmPOS", "mnuEditPOS", "", "want", on<frmPOS>([](auto& w) { w.cmb[0]->setCurrentIndex(w.cmb[0]->findText("PAR GT")); }), conf, "translator_type    = \"PAR GT\""},
        {"frmEditDefaultImages", "mnuEditDefaultImages", "", "want", on<frmEditDefaultImages>([](auto& w) { w.lst[0]->setCurrentItem(w.lst[0]->findItems("burger.jpg", Qt::MatchExactly).value(0)); }), conf + QStringList{"zr.ini"}, "default_item_image = burger.jpg"},
    };
    // clang-format on
    return all;
}

/// A main window on the day-part profile, with menu items, showing.
struct Harness : GuiHarness {
    Harness() {
        addProgramWindows(main);
        dayParts();
        picture(app.paths.itemImages(), "GreatChoice.jpg");
        app.write("Profiles/North/Items/items", "\"Fries\",\"Large Fries\",\"burger.jpg\",20,\"TRUE\",\"\",\"FALSE\"\r\n");
        main.resize(1400, 1000);
        main.show();
    }
    /// The files the program writes: below the profiles (but for logs) and zr.ini.
    QStringList files() const {
        QStringList found;
        for (const QString& name : folderTree(app.dir.path()).keys())
            if (QFileInfo(app.path(name)).isFile() && (name == "zr.ini" || name.startsWith("Profiles/")) &&
                !name.contains("/Log/"))
                found << name;
        return found;
    }
};

QPushButton* button(QWidget* w, const QString& caption) {
    for (QPushButton* b : w->findChildren<QPushButton*>())
        if (b->text().remove('&') == caption) return b;
    qFatal("no button %s", qPrintable(caption));
}

/// A right-drag in an editor's tree, the question or refusal shown, and the
/// zr.conf lines with the key then written.
struct Drag {
    QString window, from, to;
    Button answer;
    QString shown, key, lines;
};

DragCopyTree* copier(QWidget* w) {
    if (auto* e = qobject_cast<frmEditPOPs*>(w)) return e->copier;
    if (auto* e = qobject_cast<frmEditScheduling*>(w)) return e->copier;
    return static_cast<frmEditSuggestiveSales*>(w)->copier;
}

} // namespace

class TestEditors : public QObject {
    Q_OBJECT
private slots:
    // Every row opens the editor from its menu entry or, every other row, from
    // its toolbar button, then acts: "change" makes the editor's change.
    void buttons_data() {
        QTest::addColumn<int>("editor");
        QTest::addColumn<QString>("trigger"); // a menu entry, or the key of a toolbar button
        QTest::addColumn<QString>("acts");
        QTest::addColumn<Button>("answer"); // to the save question; None: not asked
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("open");
        for (int i = 0; i < editors().size(); ++i) {
            int n = 0;
            const auto row = [&](const char* name) -> QTestData& {
                const Editor& e = editors()[i];
                return QTest::newRow(qPrintable(e.window + ": " + name)) << i << (n++ % 2 && !e.button.isEmpty() ? e.button : e.menu);
            };
            // clang-format off
            row("Apply after a change") << "change Apply" << Button::None << true << true;
            row("Apply without a change") << "Apply" << Button::None << false << true;
            row("Exit without a change") << "Exit" << Button::None << false << false;
            row("Exit after Apply") << "change Apply Exit" << Button::None << true << false;
            row("Exit, Yes") << "change Exit" << Button::Yes << true << false;
            row("Exit, No") << "change Exit" << Button::No << false << false;
            row("Exit, Cancel") << "change Exit" << Button::Cancel << false << true;
            row("Cancel after a change") << "change Cancel" << Button::None << false << false;
            // clang-format on
        }
    }
    void buttons() {
        QFETCH(int, editor);
        QFETCH(QString, trigger);
        QFETCH(QString, acts);
        QFETCH(Button, answer);
        QFETCH(bool, saved);
        QFETCH(bool, open);
        const Editor& e = editors()[editor];
        Harness h;
        (trigger.startsWith("mnu") ? h.main.findChild<QAction*>(trigger) : h.main.toolButton(trigger))->trigger();
        const QPointer<QMdiSubWindow> sub = h.main.ChildWindows().value(e.window);
        QWidget* w = sub->widget();
        h.prompts.informed.clear();
        for (const QString& name : h.files())
            QFile::remove(h.app.path(name));
        if (answer != Button::None) h.prompts.answers = {answer};
        for (const QString& act : acts.split(' '))
            act == "change" ? e.change(w) : button(w, act)->click();
        QCOMPARE(texts(h.prompts.asked), QStringList(answer == Button::None ? 0 : 1, "Do you " + e.verb + " to save your changes?"));
        if (answer != Button::None) QCOMPARE(h.prompts.asked.first().title, "Attention:");
        QCOMPARE(sub && sub->isVisible(), open);
        QCOMPARE(h.files(), saved ? e.files : QStringList());
        QByteArray all;
        for (const QString& name : h.files())
            all += h.app.read(name);
        QCOMPARE(all.contains(e.written), saved);
        QVERIFY(h.prompts.informed.isEmpty());
    }

    void rightDragCopies_data() {
        QTest::addColumn<Drag>("drag");
        const QString sure = "Are you sure you want to overwrite the current settings of ";
        const QString pops = "frmEditPOPs", times = "frmEditScheduling", sugg = "frmEditSuggestiveSales";
        const QString dflt = "pop_sun_break = default.jpg 2|pop_sun_break = default.jpg 2|pop_sun_break = default.jpg 2";
        const QString sunday = "tod_sun_break = 06:30|tod_sun_lunch = 11:00|tod_sun_dinner = 16:30|tod_sun_closed = 22:30";
        const QString dinner = "sugg_dinner = 10 dinner10.jpg \"dinner 10\"|sugg_dinner = 20 dinner20.jpg \"dinner 20\"|sugg_dinner = 30 dinner30.jpg \"dinner 30\"|sugg_dinner = 40 dinner40.jpg \"dinner 40\"|sugg_dinner = 50 dinner50.jpg \"dinner 50\"";
        // clang-format off
        QTest::newRow("POPs: Friday onto Sunday") << Drag{pops, "Friday", "Sunday", Button::Yes, sure + "Sunday?", "pop_sun_", "pop_sun_break = fri.jpg 4|pop_sun_lunch = fri.jpg 4|pop_sun_dinner = fri.jpg 4|pop_sun_closed = fri.jpg 4"};
        QTest::newRow("POPs: answered No") << Drag{pops, "Friday", "Sunday", Button::No, sure + "Sunday?", "pop_sun_break", dflt};
        QTest::newRow("POPs: day part onto day part") << Drag{pops, "Week/Breakfast", "Sunday/Breakfast", Button::Yes, "Are you sure you want to apply these settings to Breakfast?", "pop_sun_break", "pop_sun_break = a.jpg 3|pop_sun_break = b.jpg 1|pop_sun_break = c.jpg 10"};
        QTest::newRow("POPs: onto itself") << Drag{pops, "Sunday/Breakfast", "Sunday/Breakfast", Button::None, "", "pop_sun_break", dflt};
        QTest::newRow("POPs: week onto day part") << Drag{pops, "Week", "Week/Lunch", Button::None, "Cannot copy from a week part to a day part.", "pop_sun_break", dflt};
        QTest::newRow("times: Saturday onto Sunday") << Drag{times, "Saturday", "Sunday", Button::Yes, sure + "Sunday?", "tod_sun_", "tod_sun_break = 07:00|tod_sun_lunch = 11:30|tod_sun_dinner = 17:00|tod_sun_closed = 23:00"};
        QTest::newRow("times: day part onto day part") << Drag{times, "Saturday/Closed", "Sunday/Lunch", Button::Yes, sure + "Lunch?", "tod_sun_", "tod_sun_break = 06:30|tod_sun_lunch = 23:00|tod_sun_dinner = 16:30|tod_sun_closed = 22:30"};
        QTest::newRow("times: day part onto week") << Drag{times, "Week/Breakfast", "Sunday", Button::None, "Cannot copy a daypart to a week part", "tod_sun_", sunday};
        QTest::newRow("times: week onto day part") << Drag{times, "Saturday", "Sunday/Lunch", Button::None, "Cannot copy a week part to a daypart", "tod_sun_", sunday};
        QTest::newRow("times: onto itself") << Drag{times, "Sunday", "Sunday", Button::None, "", "tod_sun_", sunday};
        QTest::newRow("sugg: family onto family") << Drag{sugg, "Dinner/Drink", "Dinner/Special", Button::Yes, sure + "Special?", "sugg_dinner", QString(dinner).replace("50 dinner50.jpg \"dinner 50", "50 dinner30.jpg \"dinner 30")};
        QTest::newRow("sugg: other day part's family") << Drag{sugg, "Lunch/Drink", "Dinner/Entree", Button::Yes, sure + "Entree?", "sugg_dinner", QString(dinner).replace("10 dinner10.jpg \"dinner 10", "10 lunch30.jpg \"lunch 30")};
        QTest::newRow("sugg: day part onto day part") << Drag{sugg, "Breakfast", "Dinner", Button::Yes, sure + "Dinner?", "sugg_dinner", QString(dinner).replace("dinner", "break").replace("sugg_break", "sugg_dinner")};
        QTest::newRow("sugg: answered Cancel") << Drag{sugg, "Breakfast", "Dinner", Button::Cancel, sure + "Dinner?", "sugg_dinner", dinner};
        QTest::newRow("sugg: family onto day part") << Drag{sugg, "Lunch/Side", "Dinner", Button::None, "Cannot copy a family part to a daypart!", "sugg_dinner", dinner};
        // clang-format on
    }
    void rightDragCopies() {
        QFETCH(Drag, drag);
        const auto& [window, from, to, answer, shown, key, lines] = drag;
        Harness h;
        h.main.openWindow(window);
        h.main.ChildWindows().value(window)->showMaximized();
        QWidget* w = h.main.ChildWindows().value(window)->widget();
        if (answer != Button::None) h.prompts.answers = {answer};
        DragCopyTree* c = copier(w);
        auto* tree = static_cast<QTreeWidget*>(c->parent());
        QTreeWidgetItem* target = node(tree, to);
        QCOMPARE(rightDrag(tree, node(tree, from), target, [&] { return c->dropTarget(); }), target);
        QVERIFY(!c->dropTarget());
        const auto all = h.prompts.asked + h.prompts.informed;
        QCOMPARE(all.size(), shown.isEmpty() ? 0 : 1);
        if (!shown.isEmpty()) QCOMPARE(all.first().text, shown);
        button(w, "Apply")->click();
        QCOMPARE(h.confLines(key).join('|'), lines);
    }
};

QTEST_MAIN(TestEditors)
#include "tst_editors.moc"
