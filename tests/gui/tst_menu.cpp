// The menu check, which walks the items file line by line for the items editor and repairs it.

#include "GuiHarness.h"
#include "menu/MenuItemsModel.h"
#include "menu/frmEditMenuItems.h"
#include "menu/frmMenuCheck.h"

#include <QtWidgets>

using namespace zr;
using namespace zr::test;

namespace {

const QString Good = R"("Fries","Large Fries","fries.jpg",20,"TRUE","","FALSE")";
const QString Good2 = R"("Cola","Cola","cola.jpg",30,"TRUE","","FALSE")";
const QString Bad = R"("Pie","Pie","pie.jpg",40,"true","","FALSE")";
const QString ItemsPath = "Profiles/North/Items/items";

QByteArray fileOf(const QStringList& lines) {
    return lines.join("\r\n").toLatin1() + "\r\n";
}

/// North's items editor opened on a file it cannot read, with Yes to the
/// repair question: the menu check is open and the editor waits for it.
struct Harness : GuiHarness {
    explicit Harness(const QStringList& lines) {
        main.Profile().setID("North");
        app.write(ItemsPath, fileOf(lines));
        addProgramWindows(main);
        prompts.answers = {Button::Yes};
        main.toolButton("Menu")->trigger();
        w = main.findChild<frmEditMenuItems*>();
        QTRY_VERIFY((check = main.findChild<frmMenuCheck*>()));
        prompts.asked.clear();
    }
    /// Closes the check window, or the whole program.
    void close(bool program = false) {
        if (program)
            QVERIFY(main.close());
        else
            check->cmd[1]->isEnabled() ? check->cmd[1]->click() : (void)check->close();
        QTRY_VERIFY(!main.ChildWindows().contains("frmMenuCheck"));
    }
    frmEditMenuItems* w = nullptr;
    frmMenuCheck* check = nullptr;
};

/// The index of the value box with the yellow background (9 to 16), or 0.
int yellowBox(const frmMenuCheck& w) {
    for (int i = 9; i <= 16; ++i)
        if (w.lbl[i]->styleSheet().contains("255, 255, 0")) return i;
    return 0;
}

} // namespace

class TestMenu : public QObject {
    Q_OBJECT
private slots:
    void checkMarksTheFirstBrokenField_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("yellow");
        QTest::addColumn<QString>("shown"); // in the yellow box
        // clang-format off
        QTest::newRow("an eighth field") << Good + R"(,"more")" << 16 << R"(,"more")";
        QTest::newRow("empty line") << "" << 9 << "";
        QTest::newRow("show in lower case") << Bad << 13 << "true";
        QTest::newRow("longer than a line edit holds by default") << QString(Good).replace("Large Fries", QString(40000, 'L')) << 0 << "";
        QTest::newRow("no quotes around the image") << QString(Good).replace(R"("fries.jpg")", "fries.jpg") << 11 << R"(fries.jpg,20,"TRUE")";
        // clang-format on
    }
    void checkMarksTheFirstBrokenField() {
        QFETCH(QString, line);
        QFETCH(int, yellow);
        Harness h({Bad, line, Good});
        frmMenuCheck& w = *h.check;
        QVERIFY(!h.w->isEnabled() && w.opt[0]->isChecked());
        w.cmd[0]->click();
        QCOMPARE(yellowBox(w), 13); // the first line, and the walk stops there
        QVERIFY(!w.cmd[0]->isEnabled() && !w.cmd[1]->isEnabled() && w.Img[1]->isVisibleTo(&w));
        w.txt->setText(Good2); // corrected in place
        QVERIFY(yellowBox(w) == 0 && w.cmd[0]->isEnabled());
        w.cmd[0]->click();
        QCOMPARE(w.txt->text(), line);
        QCOMPARE(yellowBox(w), yellow);
        QCOMPARE(w.cmd[0]->isEnabled(), yellow == 0);
        QCOMPARE(w.lbl[16]->isVisibleTo(&w), yellow == 16);
        if (yellow) QTEST(w.lbl[yellow]->text(), "shown");
        h.prompts.answers = {Button::No}; // not saved
        h.close();
        QVERIFY(h.w->isEnabled());
        QCOMPARE(h.app.read(ItemsPath), fileOf({Bad, line, Good}));
    }

    void checkSaves_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("edits"); // typed into each line walked, one edit per text line
        QTest::addColumn<bool>("program");      // the whole program closes, not only the check window
        QTest::addColumn<QList<Button>>("answers");
        QTest::addColumn<QStringList>("asked"); // first lines of the questions
        QTest::addColumn<QStringList>("saved");
        QTest::addColumn<QString>("loaded"); // by the editor afterwards: Fries' long descriptor
        const QString small = QString(Good).replace("Large", "Small"), twice = Good2 + '\n' + small;
        const QStringList halfWay{Good, Bad, Good2, Bad, ""},
            repair{"Do you want to save?", "Items File is not formatted correctly."};
        using B = QList<Button>;
        // clang-format off
        QTest::newRow("half-way, the last edit of a line and the lines not reached") << halfWay << QStringList{twice, Good2} << false << B{Button::Yes, Button::No} << repair << QStringList{small, Good2, Good2, Bad, ""} << "Small Fries";
        QTest::newRow("half-way, a line still broken as the file held it") << halfWay << QStringList{twice, "\"Cola"} << false << B{Button::Yes, Button::No} << repair << QStringList{small, Bad, Good2, Bad, ""} << "Small Fries";
        QTest::newRow("finish question answered No, asked again on closing") << QStringList{Bad} << QStringList{Good} << false << B{Button::No, Button::Yes} << QStringList{"Finished. File is now formatted correctly.", "Do you want to save?"} << QStringList{Good} << "Large Fries";
        QTest::newRow("the program closing; the editor going too loads nothing") << QStringList{Good, Bad} << QStringList{""} << true << B{Button::Yes} << QStringList{"Do you want to save?"} << QStringList{Good, Bad} << "";
        // clang-format on
    }
    // What the walk has accepted is saved in place; every other line is written as the file held it.
    void checkSaves() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, edits);
        QFETCH(bool, program);
        Harness h(lines);
        QFETCH(QList<Button>, answers);
        h.prompts.answers = answers;
        h.main.show();
        for (const QString& edit : edits) {
            h.check->cmd[0]->click();
            for (const QString& text : edit.split('\n', Qt::SkipEmptyParts))
                h.check->txt->setText(text);
        }
        h.close(program);
        QStringList asked;
        for (const QString& text : texts(h.prompts.asked))
            asked << text.section('\n', 0, 0);
        QTEST(asked, "asked");
        QTEST(crlfLines(h.app.read(ItemsPath)), "saved");
        if (!program) QTEST(h.w->items().item(h.w->items().find("Fries")).LongDescriptor, "loaded");
    }
};

QTEST_MAIN(TestMenu)
#include "tst_menu.moc"
