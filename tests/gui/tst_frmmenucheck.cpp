// The menu check: walking the items file, marking the broken field, and
// writing the repaired file back for the editor.

#include "GuiHarness.h"
#include "app/ProgramWindows.h"
#include "menu/MenuItemsModel.h"
#include "menu/frmEditMenuItems.h"
#include "menu/frmMenuCheck.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace zr;
using namespace zr::test;

namespace {

const QString Good = R"("Fries","Large Fries","fries.jpg",20,"TRUE","","FALSE")";
const QString Good2 = R"("Cola","Cola","cola.jpg",30,"TRUE","","FALSE")";
const QString Bad = R"("Pie","Pie","pie.jpg",40,"true","","FALSE")";

QByteArray fileOf(const QStringList& lines) {
    return lines.join("\r\n").toLatin1() + "\r\n";
}

/// The editor opened on a file it cannot read, with Yes to the repair question.
struct Harness : GuiHarness {
    explicit Harness(const QStringList& lines) {
        main.Profile().setID("North");
        app.write(itemsPath, fileOf(lines));
        addProgramWindows(main);
        prompts.answers = {Button::Yes};
        main.openWindow("frmEditMenuItems");
        editor = main.findChild<frmEditMenuItems*>();
        QTRY_VERIFY(main.findChild<frmMenuCheck*>());
        check = main.findChild<frmMenuCheck*>();
        prompts.asked.clear();
    }
    /// Closes the check window with these answers; true when it went.
    void close(QList<Button> answers) {
        prompts.asked.clear();
        prompts.answers = answers;
        check->cmd[1]->isEnabled() ? check->cmd[1]->click() : (void)check->close();
        QTRY_VERIFY(!main.ChildWindows().contains("frmMenuCheck"));
    }
    QStringList fileLines() const { return crlfLines(app.read(itemsPath)); }
    const QString itemsPath = "Profiles/North/Items/items";
    frmEditMenuItems* editor = nullptr;
    frmMenuCheck* check = nullptr;
};

/// The index of the value box with the yellow background (9 to 16), or 0.
int yellowBox(const frmMenuCheck& w) {
    for (int i = 9; i <= 16; ++i)
        if (w.lbl[i]->styleSheet().contains("255, 255, 0")) return i;
    return 0;
}

} // namespace

class TestFrmMenuCheck : public QObject {
    Q_OBJECT
private slots:
    void marksTheFirstBrokenField_data();
    void marksTheFirstBrokenField();
    void stopsOnlyAtProblems();
    void finishQuestionThenCloseAsksAgain();
    void savingHalfWayKeepsTheRest_data();
    void savingHalfWayKeepsTheRest();
    void closingTheProgramAsksToo();
};

void TestFrmMenuCheck::marksTheFirstBrokenField_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("yellow");
    QTest::addColumn<QString>("shown"); // in the yellow box
    QTest::newRow("an eighth field") << Good + R"(,"more")" << 16 << R"(,"more")";
    QTest::newRow("empty line") << "" << 9 << "";
    QTest::newRow("show in lower case") << Bad << 13 << "true";
    QTest::newRow("longer than a line edit holds by default")
        << QString(Good).replace("Large Fries", QString(40000, 'L')) << 0 << "";
    QTest::newRow("no quotes around the image")
        << QString(Good).replace(R"("fries.jpg")", "fries.jpg") << 11 << R"(fries.jpg,20,"TRUE")";
    QTest::newRow("family 7 passes") << QString(Good).replace("20", "7") << 0 << "";
    QTest::newRow("upper-case JPG passes, as the loader reads it")
        << QString(Good).replace("fries.jpg", "FRIES.JPG") << 0 << "";
}

void TestFrmMenuCheck::marksTheFirstBrokenField() {
    QFETCH(QString, line);
    QFETCH(int, yellow);
    QFETCH(QString, shown);
    Harness h({Bad, line, Good});
    frmMenuCheck& w = *h.check;
    QVERIFY(!h.editor->isEnabled());
    QVERIFY(w.opt[0]->isChecked());
    w.cmd[0]->click();
    QCOMPARE(yellowBox(w), 13); // the first line, and the walk stops there
    QVERIFY(!w.cmd[0]->isEnabled());
    QVERIFY(!w.cmd[1]->isEnabled());
    QVERIFY(w.Img[1]->isVisibleTo(&w));
    w.txt->setText(Good2); // corrected in place
    QCOMPARE(yellowBox(w), 0);
    QVERIFY(w.cmd[0]->isEnabled());

    w.cmd[0]->click();
    QCOMPARE(w.txt->text(), line);
    QCOMPARE(yellowBox(w), yellow);
    QCOMPARE(w.cmd[0]->isEnabled(), yellow == 0);
    QCOMPARE(w.lbl[16]->isVisibleTo(&w), yellow == 16);
    if (yellow) QCOMPARE(w.lbl[yellow]->text(), shown);
    // "Reload Current Record" undoes an edit.
    w.txt->setText(Good);
    QCOMPARE(yellowBox(w), 0);
    w.cmd[2]->click();
    QCOMPARE(w.txt->text(), line);
    QCOMPARE(yellowBox(w), yellow);
    h.close({Button::No});
    QVERIFY(h.editor->isEnabled());
}

void TestFrmMenuCheck::stopsOnlyAtProblems() {
    Harness h({Good, Good2, Bad, Good, Good2});
    frmMenuCheck& w = *h.check;
    w.opt[1]->click();
    w.cmd[0]->click();
    QCOMPARE(w.txt->text(), Bad);
    w.txt->setText(QString(Bad).replace("true", "TRUE"));
    h.prompts.answers = {Button::Yes}; // the finish question
    w.cmd[0]->click();
    QCOMPARE(h.prompts.asked.size(), 1);
    QCOMPARE(h.prompts.asked.first().text, "Finished. File is now formatted correctly.\nWould you like to "
                                           "Save your changes before exiting the form?");
    QVERIFY(!w.txt->isEnabled() && !w.cmd[0]->isEnabled() && !w.cmd[2]->isEnabled() && w.cmd[1]->isEnabled());
    QVERIFY(w.Img[2]->isVisibleTo(&w));
    h.close({}); // saved already: no question, the editor loads the repaired file
    QCOMPARE(h.prompts.asked.size(), 0);
    QCOMPARE(h.fileLines(), QStringList({Good, Good2, QString(Bad).replace("true", "TRUE"), Good, Good2}));
    QCOMPARE(h.editor->items().rowCount(), 3);
    QVERIFY(h.editor->txt->isEnabled());
}

void TestFrmMenuCheck::finishQuestionThenCloseAsksAgain() {
    Harness h({Bad});
    frmMenuCheck& w = *h.check;
    w.cmd[0]->click();
    h.prompts.answers = {Button::No};
    w.txt->setText(Good); // the last line is now correct
    QCOMPARE(h.prompts.asked.size(), 1);
    QVERIFY(!w.txt->isEnabled());
    h.close({Button::Yes});
    QCOMPARE(h.prompts.asked.size(), 1);
    QCOMPARE(h.prompts.asked.first().text, "Do you want to save?");
    QCOMPARE(h.fileLines(), QStringList{Good});
    QCOMPARE(h.editor->items().item(0).ShortDescriptor, "Fries");
}

void TestFrmMenuCheck::savingHalfWayKeepsTheRest_data() {
    QTest::addColumn<QString>("typed");  // into the second line before closing
    QTest::addColumn<QString>("second"); // written for it
    QTest::newRow("corrected") << Good2 << Good2;
    QTest::newRow("still broken") << R"("Cola)" << Bad;
}

void TestFrmMenuCheck::savingHalfWayKeepsTheRest() {
    QFETCH(QString, typed);
    QFETCH(QString, second);
    Harness h({Good, Bad, Good2, Bad, ""});
    frmMenuCheck& w = *h.check;
    w.cmd[0]->click();
    w.txt->setText(Good2); // accepted, then replaced by the next edit of the same line
    w.txt->setText(QString(Good).replace("Large", "Small"));
    w.cmd[0]->click();
    w.txt->setText(typed);
    // Yes to saving, then No to repairing the file, which is still broken further on.
    h.close({Button::Yes, Button::No});
    QCOMPARE(h.fileLines(), QStringList({QString(Good).replace("Large", "Small"), second, Good2, Bad, ""}));
    QCOMPARE(h.prompts.asked.size(), 2);
    QVERIFY(h.prompts.asked.at(1).text.startsWith("Items File is not formatted correctly."));
    QVERIFY(h.editor->isEnabled());
    QVERIFY(!h.editor->txt->isEnabled());
    QCOMPARE(h.editor->items().item(h.editor->items().find("Fries")).LongDescriptor, "Small Fries");
}

void TestFrmMenuCheck::closingTheProgramAsksToo() {
    Harness h({Good, Bad});
    h.main.show();
    h.check->cmd[0]->click();
    h.prompts.answers = {Button::Yes};
    QVERIFY(h.main.close());
    // Saved, and the editor, which is going too, does not load the file again.
    QCOMPARE(h.prompts.asked.size(), 1);
    QCOMPARE(h.prompts.asked.first().text, "Do you want to save?");
    QCOMPARE(h.fileLines(), QStringList({Good, Bad}));
}

QTEST_MAIN(TestFrmMenuCheck)
#include "tst_frmmenucheck.moc"
