// The suggestive sales editor: the message width, the pictures, copying by dragging, and saving.

#include "GuiHarness.h"
#include "TreeDrag.h"
#include "dayparts/DayPartTree.h"
#include "dayparts/ScreenDrawing.h"
#include "dayparts/frmEditSuggestiveSales.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace zr;
using namespace zr::test;

namespace {

using Suggestions = QList<SuggestEntry>;

/// A saved profile whose week day parts have suggestions named after the
/// day part and the family ("lunch40.jpg", "Lunch 40"), and item pictures.
struct Harness : GuiHarness {
    Harness() {
        QDir().mkpath(app.paths.itemImages());
        for (const char* name : {"burger.jpg", "lunch40.jpg", "pie.jpg"}) {
            QImage picture(40, 30, QImage::Format_RGB32);
            picture.fill(Qt::darkRed);
            picture.save(app.paths.itemImages() + "/" + name, "JPG");
        }
        main.Profile().setID("North");
        for (const QString part : {"break", "lunch", "dinner"}) {
            Suggestions& list = day(part);
            list.clear();
            for (const QString code : {"10", "20", "30", "40", "50"})
                list.append({code, part + code + ".jpg", part + " " + code});
        }
        main.Profile().SaveProfile();
    }
    Suggestions& day(const QString& part) { return main.Profile().Week("week")->Day(part)->Suggest; }
    QStringList suggLines(const QString& part) const {
        return crlfLines(app.read("Profiles/North/Config/zr.conf"))
            .filter(QRegularExpression("^sugg_" + part + " "));
    }
};

struct Window {
    explicit Window(Harness& h) : w(h.main) {
        w.resize(800, 600);
        w.show();
    }
    void select(const QString& path) { w.SuggTree->setCurrentItem(node(w.SuggTree, path)); }
    frmEditSuggestiveSales w;
};

} // namespace

class TestFrmEditSuggestiveSales : public QObject {
    Q_OBJECT
private slots:
    void messageWidthLimit_data();
    void messageWidthLimit();
    void familyNodeShowsItsSuggestion_data();
    void familyNodeShowsItsSuggestion();
    void dragCopies_data();
    void dragCopies();
    void handEditedListsAreWrittenInFamilyOrder();
    void textsAndPicturesTheFileCanHold_data();
    void textsAndPicturesTheFileCanHold();
};

void TestFrmEditSuggestiveSales::messageWidthLimit_data() {
    QTest::addColumn<int>("over");
    QTest::addColumn<bool>("paste");
    QTest::newRow("one character typed") << 1 << false;
    QTest::newRow("three characters pasted") << 3 << true;
}

void TestFrmEditSuggestiveSales::messageWidthLimit() {
    QFETCH(int, over);
    QFETCH(bool, paste);
    QString fits;
    while (textWidthTwips(fits + "W") <= 2730)
        fits += "W";
    QVERIFY(fits.size() > 10);
    Harness h;
    Window win(h);
    win.select("Dinner/Side");
    win.w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&win.w));
    win.w.txt->setFocus();
    win.w.txt->setText(fits);
    QVERIFY(h.prompts.informed.isEmpty());
    win.w.txt->end(false);
    if (paste) {
        QApplication::clipboard()->setText(QString(over, 'W'));
        win.w.txt->paste();
    } else {
        QTest::keyClicks(win.w.txt, "W");
    }
    QCOMPARE(h.prompts.informed.size(), over);
    QCOMPARE(h.prompts.informed.first().text, "Message cannot exceed width of the Order Screen.");
    QCOMPARE(win.w.txt->text(), fits);
    QCOMPARE(win.w.Message->text(), fits);
    QVERIFY(win.w.Message->x() >= 0 && win.w.Message->geometry().right() < win.w.Picture1->width());
    win.w.cmd[0]->click();
    QCOMPARE(h.suggLines("dinner").value(1), "sugg_dinner = 20    dinner20.jpg    \"" + fits + "\"");
}

void TestFrmEditSuggestiveSales::familyNodeShowsItsSuggestion_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("picture"); // as held in the profile
    QTest::addColumn<QString>("listed");  // the ImageList entry then selected
    QTest::addColumn<QString>("message");
    QTest::newRow("Lunch/Dessert is the fourth") << "Lunch/Dessert"
                                                 << "lunch40.jpg"
                                                 << "lunch40.jpg"
                                                 << "lunch 40";
    QTest::newRow("picture in other letter case") << "Breakfast/Entree"
                                                  << "BURGER.JPG"
                                                  << "burger.jpg"
                                                  << "break 10";
    QTest::newRow("picture not listed") << "Dinner/Special"
                                        << "nothere.jpg"
                                        << "pie.jpg"
                                        << "dinner 50";
}

void TestFrmEditSuggestiveSales::familyNodeShowsItsSuggestion() {
    QFETCH(QString, path);
    QFETCH(QString, picture);
    QFETCH(QString, listed);
    QFETCH(QString, message);
    Harness h;
    h.day("break")[0].Picture = "BURGER.JPG";
    h.day("dinner")[4].Picture = "nothere.jpg";
    Window win(h);
    win.w.ImageList->setCurrentIndex(win.w.ImageList->findText("pie.jpg"));
    win.select(path);
    QVERIFY(win.w.txt->isEnabled() && win.w.ImageList->isEnabled());
    QCOMPARE(win.w.ImageList->currentText(), listed);
    QCOMPARE(win.w.txt->text(), message);
    QCOMPARE(win.w.Message->text(), message);
    QVERIFY(!win.w.Changed());
    win.select(path.section('/', 0, 0));
    QVERIFY(!win.w.txt->isEnabled() && win.w.txt->text().isEmpty());
    QVERIFY(!win.w.Changed());
}

void TestFrmEditSuggestiveSales::dragCopies_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QList<Button>>("answers");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("dinner");
    QStringList dinner;
    for (const QString code : {"10", "20", "30", "40", "50"})
        dinner << "sugg_dinner = " + code + "    dinner" + code + ".jpg    \"dinner " + code + "\"";
    QStringList drinkSpecial = dinner;
    drinkSpecial[4] = "sugg_dinner = 50    dinner30.jpg    \"dinner 30\"";
    QStringList fromBreakfast;
    for (const QString code : {"10", "20", "30", "40", "50"})
        fromBreakfast << "sugg_dinner = " + code + "    break" + code + ".jpg    \"break " + code + "\"";
    QStringList lunchDrink = dinner;
    lunchDrink[0] = "sugg_dinner = 10    lunch30.jpg    \"lunch 30\"";
    const QString sure = "Are you sure you want to overwrite the current settings of ";
    QTest::newRow("Drink onto Special")
        << "Dinner/Drink"
        << "Dinner/Special" << QList{Button::Yes} << sure + "Special?" << drinkSpecial;
    QTest::newRow("family of another day part")
        << "Lunch/Drink"
        << "Dinner/Entree" << QList{Button::Yes} << sure + "Entree?" << lunchDrink;
    QTest::newRow("Breakfast onto Dinner")
        << "Breakfast"
        << "Dinner" << QList{Button::Yes} << sure + "Dinner?" << fromBreakfast;
    QTest::newRow("family onto a day part")
        << "Lunch/Side"
        << "Dinner" << QList<Button>{} << "Cannot copy a family part to a daypart!" << dinner;
}

void TestFrmEditSuggestiveSales::dragCopies() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QList<Button>, answers);
    QFETCH(QString, shown);
    QFETCH(QStringList, dinner);
    Harness h;
    h.prompts.answers = answers;
    Window win(h);
    QTreeWidgetItem* target = node(win.w.SuggTree, to);
    QCOMPARE(rightDrag(win.w.SuggTree, node(win.w.SuggTree, from), target,
                       [&] { return win.w.copier->dropTarget(); }),
             target);
    QVERIFY(!win.w.copier->dropTarget());
    const auto all = h.prompts.asked + h.prompts.informed;
    QCOMPARE(all.size(), 1);
    QCOMPARE(all.first().text, shown);
    win.w.cmd[0]->click();
    QCOMPARE(h.suggLines("dinner"), dinner);
}

void TestFrmEditSuggestiveSales::handEditedListsAreWrittenInFamilyOrder() {
    Harness h;
    h.day("break") = {{"30", "coffee.jpg", "Fresh coffee?"}, {"10", "biscuit.jpg", "Try a biscuit"}};
    h.day("lunch").removeLast(); // four, in order
    Window win(h);
    win.select("Breakfast/Drink");
    QCOMPARE(win.w.txt->text(), "Fresh coffee?");
    win.select("Breakfast/Entree");
    QCOMPARE(win.w.txt->text(), "Try a biscuit");
    win.select("Breakfast/Side");
    QCOMPARE(win.w.txt->text(), "Thank you for your Order");
    QVERIFY(win.w.Changed());
    win.w.cmd[0]->click();
    QCOMPARE(h.suggLines("break"),
             (QStringList{"sugg_break = 10     biscuit.jpg    \"Try a biscuit\"",
                          "sugg_break = 20     greatchoice.jpg    \"Thank you for your Order\"",
                          "sugg_break = 30     coffee.jpg    \"Fresh coffee?\"",
                          "sugg_break = 40     greatchoice.jpg    \"Thank you for your Order\"",
                          "sugg_break = 50     greatchoice.jpg    \"Thank you for your Order\""}));
    QCOMPARE(h.suggLines("lunch").size(), 5);
    QVERIFY(h.suggLines("lunch").last().startsWith("sugg_lunch = 50     greatchoice.jpg"));
    const QStringList events =
        crlfLines(h.app.read("Profiles/North/Log/Event.log")).filter("in family order");
    QCOMPARE(events.filter("sugg_break").size(), 1);
    QVERIFY(events.filter("sugg_break").first().endsWith("default suggestion given to family 20, 40, 50"));
    QCOMPARE(events.filter("sugg_lunch").size(), 1);
    QVERIFY(events.filter("sugg_dinner").isEmpty());
    // Written once: nothing differs now, and Apply writes nothing more.
    QVERIFY(!win.w.Changed());
    QFile::remove(h.app.path("Profiles/North/Config/zr.conf"));
    win.w.cmd[0]->click();
    QVERIFY(!h.app.exists("Profiles/North/Config/zr.conf"));
}

void TestFrmEditSuggestiveSales::textsAndPicturesTheFileCanHold_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("picture"); // chosen from ImageList, when given
    QTest::addColumn<QByteArray>("line"); // the Dinner/Side line of zr.conf after Apply
    QTest::addColumn<QString>("message");
    const QString unstorable = "The character \"%1\" cannot be stored: the board's files hold only "
                               "Windows-1252 characters.";
    QTest::newRow("euro sign as byte 0x80") << "\u20ac5 off" << QString()
                                            << QByteArray("sugg_dinner = 20    dinner20.jpg    \"\x80"
                                                          "5 off\"")
                                            << QString();
    QTest::newRow("curly apostrophe and dash")
        << "Don\u2019t \u2014 wait" << QString()
        << QByteArray("sugg_dinner = 20    dinner20.jpg    \"Don\x92t \x97 wait\"") << QString();
    QTest::newRow("a character without a byte is refused")
        << "Fries\u2192" << QString() << QByteArray("sugg_dinner = 20    dinner20.jpg    \"Fries\"")
        << unstorable.arg("\u2192");
    QTest::newRow("beyond the first plane")
        << "Hi\U0001F600" << QString() << QByteArray("sugg_dinner = 20    dinner20.jpg    \"Hi\"")
        << unstorable.arg("\U0001F600");
    QTest::newRow("a picture whose name holds a blank")
        << QString() << "onion rings.jpg" << QByteArray("sugg_dinner = 20    dinner20.jpg    \"dinner 20\"")
        << "The picture name \"onion rings.jpg\" holds a blank, which the board's configuration file cannot "
           "store. Rename the picture without blanks (the image tools write \"_\" instead).";
    QTest::newRow("a picture without a blank")
        << QString() << "pie.jpg" << QByteArray("sugg_dinner = 20    pie.jpg    \"dinner 20\"") << QString();
}

void TestFrmEditSuggestiveSales::textsAndPicturesTheFileCanHold() {
    QFETCH(QString, typed);
    QFETCH(QString, picture);
    QFETCH(QByteArray, line);
    QFETCH(QString, message);
    Harness h;
    h.app.write("ZRScreens/Item/onion rings.jpg", "jpeg");
    Window win(h);
    win.select("Dinner/Side");
    if (!typed.isEmpty()) {
        win.w.txt->clear();
        typeText(win.w.txt, typed);
    }
    if (!picture.isEmpty()) {
        const int index = win.w.ImageList->findText(picture);
        QVERIFY(index >= 0);
        win.w.ImageList->setCurrentIndex(index);
        emit win.w.ImageList->activated(index);
    }
    QCoreApplication::processEvents();
    QCOMPARE(h.prompts.informed.isEmpty() ? QString() : h.prompts.informed.first().text, message);
    QVERIFY(h.prompts.informed.size() <= 1);
    win.w.cmd[0]->click();
    QCOMPARE(h.suggLines("dinner").value(1), QString::fromLatin1(line));
}

QTEST_MAIN(TestFrmEditSuggestiveSales)
#include "tst_frmeditsuggestivesales.moc"
