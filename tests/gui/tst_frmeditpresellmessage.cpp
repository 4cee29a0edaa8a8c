// The pre-sell message editor.

#include "GuiHarness.h"
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
    return h.open<frmEditPreSellMessage>("frmEditPreSellMessage", [&](Profiles& p) {
        p.PreSellMessage().setMessageList(lines);
        if (stored) stored(p.PreSellMessage());
    });
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
    void lineButtons_data();
    void lineButtons();
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

void TestFrmEditPreSellMessage::lineButtons_data() {
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QString>("clicks"); // a: Add, i: Insert, r: Remove, after choosing the first line
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("enabled"); // the field, Add, Insert, Remove
    QTest::newRow("19 lines plus Add") << numbered(19) << "a" << (numbered(19) << "New Line.") << "1001";
    QTest::newRow("then Remove") << numbered(19) << "ar" << numbered(19) << "1111";
    QTest::newRow("removing the last line") << QStringList{"Only"} << "r" << QStringList{} << "0100";
    QTest::newRow("insert below the chosen line")
        << QStringList{"A", "B"} << "i" << QStringList{"A", "New Line.", "B"} << "1111";
    QTest::newRow("add to an empty message") << QStringList{} << "a" << QStringList{"New Line."} << "1111";
}

void TestFrmEditPreSellMessage::lineButtons() {
    QFETCH(QStringList, stored);
    QFETCH(QString, clicks);
    QFETCH(QStringList, shown);
    QFETCH(QString, enabled);
    GuiHarness h;
    frmEditPreSellMessage* w = openEditor(h, stored);
    for (QChar click : clicks) {
        if (w->MessageList->topLevelItemCount() > 0 && click != 'r')
            w->MessageList->setCurrentItem(w->MessageList->topLevelItem(0));
        w->cmd[click == 'a' ? 3 : click == 'i' ? 7 : 4]->click();
    }
    QCOMPARE(shownLines(w), shown);
    const QString states = QString("%1%2%3%4")
                               .arg(w->txt->isEnabled())
                               .arg(w->cmd[3]->isEnabled())
                               .arg(w->cmd[7]->isEnabled())
                               .arg(w->cmd[4]->isEnabled());
    QCOMPARE(states, enabled);
    if (clicks.endsWith('r')) {
        const QTreeWidgetItem* now = w->MessageList->currentItem();
        QCOMPARE(w->txt->text(), now ? now->text(0) : QString());
    } else {
        QCOMPARE(w->txt->selectedText(), "New Line."); // typing replaces it
    }
    w->cmd[0]->click();
    QCOMPARE(h.main.Profile().PreSellMessage().MessageList(), shown);
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
    const QStringList conf = h.zrConf();
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
    const QStringList conf = h.zrConf();
    QVERIFY(conf.contains(QString("screen_saver_fg = %1").arg(0x563412)));
    QVERIFY(conf.contains(QString("screen_saver_bg = %1").arg(0x800000)));
}

QTEST_MAIN(TestFrmEditPreSellMessage)
#include "tst_frmeditpresellmessage.moc"
