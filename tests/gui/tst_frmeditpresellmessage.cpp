// The pre-sell message editor.

#include "GuiHarness.h"
#include "app/ProgramWindows.h"
#include "settings/frmEditPreSellMessage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace zr;
using namespace zr::test;

namespace {

frmEditPreSellMessage* openEditor(GuiHarness& h, const QStringList& lines,
                                  const std::function<void(PreSellMessage&)>& stored = {}) {
    addProgramWindows(h.main);
    h.main.Profile().setID("North");
    h.main.Profile().PreSellMessage().setMessageList(lines);
    if (stored) stored(h.main.Profile().PreSellMessage());
    h.main.openWindow("frmEditPreSellMessage");
    return h.main.findChild<frmEditPreSellMessage*>();
}

QStringList shownLines(const frmEditPreSellMessage* w) {
    QStringList lines;
    for (int i = 0; i < w->MessageList->topLevelItemCount(); ++i)
        lines << w->MessageList->topLevelItem(i)->text(0);
    return lines;
}

QStringList numbered(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QString("Line %1").arg(i);
    return lines;
}

} // namespace

class TestFrmEditPreSellMessage : public QObject {
    Q_OBJECT
private slots:
    void pastedLineIsCutOnce();
    void twentyLinesAtMost();
    void removingTheLastLine();
    void insertedLineIsTypedOver();
    void displayType_data();
    void displayType();
    void colours();
};

void TestFrmEditPreSellMessage::pastedLineIsCutOnce() {
    GuiHarness h;
    frmEditPreSellMessage* w = openEditor(h, {"Welcome"});
    QString pasted;
    for (int i = 0; i < 60; ++i)
        pasted += QChar('a' + i % 26);
    w->txt->selectAll();
    w->txt->insert(pasted);
    QCOMPARE(w->txt->text(), pasted.left(50));
    QCOMPARE(h.prompts.informed.size(), 1);
    QCOMPARE(h.prompts.informed.first().text, "Cannot exceed 50 characters.");
    QCOMPARE(shownLines(w), QStringList{pasted.left(50)});
    // The 50th character typed is taken; a 51st is refused.
    QTest::keyClick(w->txt, Qt::Key_Backspace);
    QTest::keyClicks(w->txt, "xy");
    QCOMPARE(w->txt->text(), pasted.left(49) + 'x');
    QCOMPARE(h.prompts.informed.size(), 2);
}

void TestFrmEditPreSellMessage::twentyLinesAtMost() {
    GuiHarness h;
    frmEditPreSellMessage* w = openEditor(h, numbered(19));
    QVERIFY(w->cmd[3]->isEnabled() && w->cmd[7]->isEnabled());
    w->cmd[3]->click(); // Add
    QCOMPARE(shownLines(w), numbered(19) << "New Line.");
    QVERIFY(!w->cmd[3]->isEnabled());
    QVERIFY(!w->cmd[7]->isEnabled());
    QVERIFY(w->cmd[4]->isEnabled());
    w->cmd[4]->click(); // Remove the new line
    QCOMPARE(shownLines(w), numbered(19));
    QVERIFY(w->cmd[3]->isEnabled() && w->cmd[7]->isEnabled());

    // A message stored with 20 lines opens full.
    GuiHarness full;
    frmEditPreSellMessage* f = openEditor(full, numbered(20));
    QVERIFY(!f->cmd[3]->isEnabled() && !f->cmd[7]->isEnabled());
    QVERIFY(f->txt->isEnabled());
}

void TestFrmEditPreSellMessage::removingTheLastLine() {
    GuiHarness h;
    frmEditPreSellMessage* w = openEditor(h, {"Only line"});
    QCOMPARE(w->txt->text(), "Only line");
    w->cmd[4]->click();
    QCOMPARE(w->MessageList->topLevelItemCount(), 0);
    QVERIFY(w->txt->text().isEmpty());
    QVERIFY(!w->txt->isEnabled());
    QVERIFY(!w->cmd[4]->isEnabled());
    QVERIFY(!w->cmd[7]->isEnabled());
    QVERIFY(w->cmd[3]->isEnabled());
    w->cmd[0]->click();
    QVERIFY(h.main.Profile().PreSellMessage().MessageList().isEmpty());
    QVERIFY(!crlfLines(h.app.read("Profiles/North/Config/zr.conf")).join('\n').contains("screen_saver_text"));
}

void TestFrmEditPreSellMessage::insertedLineIsTypedOver() {
    GuiHarness h;
    frmEditPreSellMessage* w = openEditor(h, {"A", "B", "C"});
    w->MessageList->setCurrentItem(w->MessageList->topLevelItem(0));
    w->cmd[7]->click(); // Insert below the selected line
    QCOMPARE(w->txt->selectedText(), "New Line.");
    w->txt->insert("Hot coffee"); // typing replaces the selected text
    QCOMPARE(shownLines(w), QStringList({"A", "Hot coffee", "B", "C"}));
    w->MessageList->setCurrentItem(w->MessageList->topLevelItem(2));
    QCOMPARE(w->txt->text(), "B");
    w->cmd[0]->click();
    QCOMPARE(h.main.Profile().PreSellMessage().MessageList(), QStringList({"A", "Hot coffee", "B", "C"}));
}

void TestFrmEditPreSellMessage::displayType_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("toggle");
    QTest::addColumn<QString>("written");
    QTest::newRow("smooth") << "smooth" << true << false << "smooth";
    QTest::newRow("random") << "random" << false << false << "random";
    QTest::newRow("anything else reads as random") << "wavy" << false << false << "random";
    QTest::newRow("random ticked") << "random" << false << true << "smooth";
    QTest::newRow("smooth cleared") << "smooth" << true << true << "random";
}

void TestFrmEditPreSellMessage::displayType() {
    QFETCH(QString, stored);
    QFETCH(bool, ticked);
    QFETCH(bool, toggle);
    QFETCH(QString, written);
    GuiHarness h;
    frmEditPreSellMessage* w = openEditor(h, {"Hello"}, [&](PreSellMessage& m) {
        m.setMessageDisplayType(stored);
        m.setMessageToPOPTime(4);
    });
    QCOMPARE(w->chk->isChecked(), ticked);
    QCOMPARE(w->cmb->currentText(), "4");
    QVERIFY(!w->Changed());
    if (toggle) w->chk->click();
    w->cmb->setCurrentIndex(10); // a change in any case, so that Apply writes
    w->cmd[0]->click();
    const QStringList conf = crlfLines(h.app.read("Profiles/North/Config/zr.conf"));
    QVERIFY(conf.contains("screen_saver_mode  = " + written));
    QVERIFY(conf.contains("screen_saver_pop_to  = 10"));
}

void TestFrmEditPreSellMessage::colours() {
    GuiHarness h;
    frmEditPreSellMessage* w = openEditor(h, {"Hello"}, [](PreSellMessage& m) {
        m.setForeColor(0xffffff);
        m.setBackColor(0x800000); // dark blue: red in the low byte
    });
    QCOMPARE(w->BackColor(), QColor(0, 0, 0x80));
    QCOMPARE(w->MessageList->palette().color(QPalette::Base), QColor(0, 0, 0x80));
    h.dialogs.colors << QColor(0x12, 0x34, 0x56);
    w->cmd[5]->click(); // text colour chosen
    w->cmd[6]->click(); // background: cancelled
    QCOMPARE(w->MessageList->palette().color(QPalette::Text), QColor(0x12, 0x34, 0x56));
    QCOMPARE(w->BackColor(), QColor(0, 0, 0x80));
    h.prompts.answers << Button::Yes;
    w->cmd[1]->click();
    QCOMPARE(h.prompts.asked.size(), 1);
    const QStringList conf = crlfLines(h.app.read("Profiles/North/Config/zr.conf"));
    QVERIFY(conf.contains(QString("screen_saver_fg = %1").arg(0x563412)));
    QVERIFY(conf.contains(QString("screen_saver_bg = %1").arg(0x800000)));
}

QTEST_MAIN(TestFrmEditPreSellMessage)
#include "tst_frmeditpresellmessage.moc"
