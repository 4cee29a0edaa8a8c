// The order and total screen editor, and the width measure of the OCB's messages.

#include "GuiHarness.h"
#include "app/TextWidth.h"
#include "settings/frmEditOrderScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace zr;
using namespace zr::test;

namespace {

frmEditOrderScreen* openEditor(GuiHarness& h, const std::function<void(Profiles&)>& stored = {}) {
    return h.open<frmEditOrderScreen>("frmEditOrderScreen", stored);
}

// The longest run of a letter that keeps the limit.
QString widest(QChar letter) {
    QString text;
    while (textWidthTwips(text + letter) <= frmEditOrderScreen::MessageWidthTwips)
        text += letter;
    return text;
}

} // namespace

class TestFrmEditOrderScreen : public QObject {
    Q_OBJECT
private slots:
    void widthIsMeasuredInArialBold();
    void checkBoxes_data();
    void checkBoxes();
    void exit_data();
    void exit();
    void messageWidth_data();
    void messageWidth();
    void windowsText();
};

void TestFrmEditOrderScreen::widthIsMeasuredInArialBold() {
    // Liberation Sans Bold has Arial's widths: "Arial" is 28.86 pixels at pixel size 13.
    QVERIFY(qAbs(textWidthTwips("Arial") - 28.86 * TwipsPerPixel) < TwipsPerPixel);
    QVERIFY(textWidthTwips("WWW") > textWidthTwips("iii"));
}

void TestFrmEditOrderScreen::checkBoxes_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QStringList>("hidden");
    QTest::addColumn<QString>("line");
    QTest::newRow("tax") << 0 << QStringList{"Tax"} << "show_tax = no";
    QTest::newRow("total") << 1 << QStringList{"Total"} << "show_total = no";
    QTest::newRow("line-item prices")
        << 2 << QStringList{"Price_0", "Price_1", "Price_2"} << "unit_price_enabled = no";
    QTest::newRow("total screen") << 3 << QStringList{} << "show_total_screen = no";
}

void TestFrmEditOrderScreen::checkBoxes() {
    QFETCH(int, box);
    QFETCH(QStringList, hidden);
    QFETCH(QString, line);
    GuiHarness h;
    frmEditOrderScreen* w = openEditor(h, [](Profiles& p) {
        p.OrderScreen().setShowTax("YES");
        p.OrderScreen().setShowTotal("Yes");
        p.OrderScreen().setShowUnitPrice("yes");
        p.TotalScreen().setShowTotalScreen("YES");
    });
    for (QCheckBox* c : w->chk)
        QVERIFY(c->isChecked());
    QVERIFY(!w->Changed());
    w->chk[box]->click();
    for (const char* name : {"Tax", "Total", "Price_0", "Price_1", "Price_2", "Message"}) {
        auto* label = w->Picture1->findChild<QLabel*>(name);
        QCOMPARE(label->isVisibleTo(w->Picture1), !hidden.contains(name));
    }
    w->cmd[0]->click();
    const QStringList conf = h.zrConf();
    QVERIFY(conf.contains(line));
    for (const QString flag : {"show_tax", "show_total", "unit_price_enabled", "show_total_screen"})
        if (!line.startsWith(flag + ' ')) QVERIFY2(conf.contains(flag + " = yes"), qPrintable(flag));
}

void TestFrmEditOrderScreen::exit_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("asked");
    QTest::newRow("at once") << "" << false;
    QTest::newRow("after a delay is chosen") << "delay" << true;
    QTest::newRow("after typing") << "typing" << true;
}

void TestFrmEditOrderScreen::exit() {
    QFETCH(QString, change);
    QFETCH(bool, asked);
    GuiHarness h;
    frmEditOrderScreen* w = openEditor(h);
    if (change == "delay") {
        w->Delay->setCurrentIndex(30);
        emit w->Delay->activated(30);
    } else if (change == "typing") {
        w->txt[1]->selectAll();
        QTest::keyClicks(w->txt[1], "Hi");
    }
    h.prompts.answers << Button::Yes;
    w->cmd[1]->click();
    QCOMPARE(h.prompts.asked.size(), asked ? 1 : 0);
    QTRY_VERIFY(!h.main.ChildWindows().contains("frmEditOrderScreen"));
    const QStringList conf = h.zrConf();
    QCOMPARE(conf.contains("idle_to_pop = 30"), change == "delay");
    QCOMPARE(conf.contains("message_lunch = \"Hi\""), change == "typing");
}

void TestFrmEditOrderScreen::messageWidth_data() {
    QTest::addColumn<bool>("paste");
    QTest::newRow("typing one letter too many") << false;
    QTest::newRow("pasting a long text") << true;
}

void TestFrmEditOrderScreen::messageWidth() {
    QFETCH(bool, paste);
    GuiHarness h;
    frmEditOrderScreen* w = openEditor(h);
    const QString fits = widest('W');
    QLineEdit* field = w->txt[0];
    field->selectAll();
    if (paste) {
        field->insert(QString(3 * fits.size(), 'W'));
    } else {
        QTest::keyClicks(field, fits + 'W');
    }
    QCOMPARE(field->text(), fits);
    QCOMPARE(h.prompts.informed.size(), 1);
    QCOMPARE(h.prompts.informed.first().text, "Message cannot exceed the width of the Order Screen.");
    QCOMPARE(w->Message->text(), fits);
    QVERIFY(w->Message->width() * TwipsPerPixel <= frmEditOrderScreen::MessageWidthTwips + TwipsPerPixel);
    w->cmd[0]->click();
    QVERIFY(h.zrConf().contains("message_break = \"" + fits + '"'));
}

void TestFrmEditOrderScreen::windowsText() {
    // zr.conf holds Windows-1252 bytes, one character each in the model.
    GuiHarness h;
    frmEditOrderScreen* w = openEditor(h, [](Profiles& p) {
        p.OrderScreen().setLunchMessage(QString::fromLatin1("Caf\xe9 \x80"
                                                            "5"));
    });
    QCOMPARE(w->txt[1]->text(), QString::fromUtf8("Café €5"));
    w->txt[1]->end(false);
    w->txt[1]->insert(QString::fromUtf8("€"));
    w->cmd[0]->click();
    QVERIFY(h.app.read("Profiles/North/Config/zr.conf")
                .contains("message_lunch = \"Caf\xe9 \x80"
                          "5\x80\""));
}

QTEST_MAIN(TestFrmEditOrderScreen)
#include "tst_frmeditorderscreen.moc"
