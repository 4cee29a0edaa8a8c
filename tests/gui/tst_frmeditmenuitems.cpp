// The menu items editor: the list, the edit fields, adding, deleting and saving.

#include "GuiHarness.h"
#include "app/ProgramWindows.h"
#include "menu/MenuItemsModel.h"
#include "menu/frmEditMenuItems.h"
#include "menu/frmMenuCheck.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTreeView>

using namespace zr;
using namespace zr::test;

namespace {

const QByteArray Items = "\"Fries\",\"Large Fries\",\"fries.jpg\",20,\"TRUE\",\"\",\"FALSE\"\r\n"
                         "\"burger\",\"Big Burger\",\"BURGER.JPG\",10,\"TRUE\",\"pop1.jpg\",\"TRUE\"\r\n"
                         "\"Cola\",\"Cola\",\"gone.jpg\",30,\"FALSE\",\"gone.jpg\",\"FALSE\"\r\n";

/// A main window whose profile "North" has pictures and the items above.
struct Harness : GuiHarness {
    explicit Harness(const QByteArray& items = Items) {
        main.Profile().setID("North");
        for (const char* name : {"burger.jpg", "fries.jpg", "GreatChoice.jpg"})
            picture("ZRScreens/Item/", name);
        for (const char* name : {"pop1.jpg", "pop2.jpg"})
            picture("ZRScreens/POP/", name);
        if (!items.isNull()) app.write(itemsPath, items);
        addProgramWindows(main);
    }
    void picture(const QString& folder, const QString& name) const {
        QDir().mkpath(app.path(folder));
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::darkRed);
        image.save(app.path(folder + name), "JPG");
    }
    frmEditMenuItems* open() {
        main.toolButton("Menu")->trigger();
        return main.findChild<frmEditMenuItems*>();
    }
    QStringList fileLines() const { return crlfLines(app.read(itemsPath)); }
    const QString itemsPath = "Profiles/North/Items/items";
};

QStringList names(const frmEditMenuItems& w) {
    QStringList out;
    for (const MenuItem& item : w.items().items())
        out << item.ShortDescriptor;
    return out;
}

void pressDelete(frmEditMenuItems& w) {
    QTest::keyClick(w.MenuList, Qt::Key_Delete);
}

} // namespace

class TestFrmEditMenuItems : public QObject {
    Q_OBJECT
private slots:
    void showsTheSortedList();
    void exitAsksOnlyAfterAChange_data();
    void exitAsksOnlyAfterAChange();
    void addItem_data();
    void addItem();
    void deleteKeepsANeighbourSelected_data();
    void deleteKeepsANeighbourSelected();
    void editFieldsWriteTheRow();
    void loadOutcomes_data();
    void loadOutcomes();
};

void TestFrmEditMenuItems::showsTheSortedList() {
    Harness h;
    h.main.findChild<QAction*>("mnuEditMenuItems")->trigger();
    auto* w = h.main.findChild<frmEditMenuItems*>();
    QVERIFY(w);
    QVERIFY(h.main.ChildWindows().contains("frmEditMenuItems"));
    QCOMPARE(names(*w), QStringList({"burger", "Cola", "Fries"})); // without regard to case
    const QAbstractItemModel* model = w->MenuList->model();
    QCOMPARE(model->data(model->index(0, 3), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
    QCOMPARE(model->data(model->index(1, 6), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 0));
    QCOMPARE(model->data(model->index(2, 0), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
    QCOMPARE(w->MenuList->palette().color(QPalette::Base), QColor(192, 192, 192));
    // The first row is selected and shown, its picture found in any letter case.
    QCOMPARE(w->selectedRow(), 0);
    QCOMPARE(w->lblShort->text(), "burger");
    QCOMPARE(w->txt->text(), "Big Burger");
    QCOMPARE(w->ItemPicList->currentText(), "burger.jpg");
    QCOMPARE(w->FamilyList->currentText(), "Entree");
    QCOMPARE(w->POPList->currentText(), "pop1.jpg");
    QVERIFY(!w->ItemPic->pixmap().isNull());
    QVERIFY(!w->POPPic->pixmap().isNull());
    // Pictures missing from the catalogues: the default item image, no POP.
    w->MenuList->setCurrentIndex(model->index(1, 0));
    QCOMPARE(w->ItemPicList->currentText(), "GreatChoice.jpg");
    QCOMPARE(w->POPList->currentIndex(), 0);
    QVERIFY(w->POPPic->pixmap().isNull());
    QVERIFY(!w->changed());
}

void TestFrmEditMenuItems::exitAsksOnlyAfterAChange_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QList<Button>>("answers");
    QTest::addColumn<bool>("stillOpen");
    QTest::addColumn<bool>("saved");
    using B = QList<Button>;
    QTest::newRow("only looking at rows") << "look" << B{} << false << false;
    QTest::newRow("a change and a change back, Yes") << "change back" << B{Button::Yes} << false << true;
    QTest::newRow("a change, No") << "family" << B{Button::No} << false << false;
    QTest::newRow("a change, Cancel") << "family" << B{Button::Cancel} << true << false;
    QTest::newRow("a change, Apply first") << "apply" << B{} << false << true;
}

void TestFrmEditMenuItems::exitAsksOnlyAfterAChange() {
    QFETCH(QString, action);
    QFETCH(QList<Button>, answers);
    QFETCH(bool, stillOpen);
    QFETCH(bool, saved);
    Harness h;
    frmEditMenuItems* w = h.open();
    h.prompts.answers = answers;
    for (int row : {2, 1, 0})
        w->MenuList->setCurrentIndex(w->MenuList->model()->index(row, 0));
    if (action == "change back") {
        w->ShowItem->setCurrentText("FALSE");
        w->ShowItem->setCurrentText("TRUE");
    } else if (action != "look") {
        w->FamilyList->setCurrentText("Dessert");
    }
    if (action == "apply") w->cmd[0]->click();
    w->cmd[1]->click();
    QCOMPARE(h.prompts.asked.size(), answers.size());
    if (!answers.isEmpty()) QCOMPARE(h.prompts.asked.first().title, "Attention:");
    QTRY_COMPARE(h.main.ChildWindows().contains("frmEditMenuItems"), stillOpen);
    // A save writes the sorted list, pictures in lower case, families as codes.
    const QStringList expected{action == "apply"
                                   ? R"("burger","Big Burger","burger.jpg",40,"TRUE","pop1.jpg","TRUE")"
                                   : R"("burger","Big Burger","burger.jpg",10,"TRUE","pop1.jpg","TRUE")",
                               R"("Cola","Cola","greatchoice.jpg",30,"FALSE","","FALSE")",
                               R"("Fries","Large Fries","fries.jpg",20,"TRUE","","FALSE")"};
    QCOMPARE(h.fileLines() == expected, saved);
}

void TestFrmEditMenuItems::addItem_data() {
    QTest::addColumn<std::optional<QString>>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("rows");
    const QStringList before{"burger", "Cola", "Fries"};
    QTest::newRow("new item") << std::optional<QString>("Apple Pie") << ""
                              << QStringList{"Apple Pie", "burger", "Cola", "Fries"};
    QTest::newRow("duplicate") << std::optional<QString>("Cola")
                               << "Cannot have more than one item with the same name." << before;
    QTest::newRow("duplicate with blanks around")
        << std::optional<QString>(" Cola ") << "Cannot have more than one item with the same name." << before;
    // Letter case tells items apart, as in the loader.
    QTest::newRow("other letter case")
        << std::optional<QString>("COLA") << "" << QStringList{"burger", "COLA", "Cola", "Fries"};
    QTest::newRow("double quote") << std::optional<QString>("Big \"Mac\"")
                                  << "A descriptor cannot hold a double quote (\")." << before;
    QTest::newRow("a character Windows-1252 cannot hold")
        << std::optional<QString>("Caf\u2192")
        << "The character \"\u2192\" cannot be stored: the board's files hold only Windows-1252 characters."
        << before;
    QTest::newRow("blank") << std::optional<QString>("  ") << "" << before;
    QTest::newRow("cancelled") << std::optional<QString>() << "" << before;
}

void TestFrmEditMenuItems::addItem() {
    QFETCH(std::optional<QString>, typed);
    QFETCH(QString, message);
    QFETCH(QStringList, rows);
    Harness h;
    frmEditMenuItems* w = h.open();
    h.dialogs.texts = {typed};
    w->cmd[3]->click();
    QCOMPARE(names(*w), rows);
    QCOMPARE(h.prompts.informed.isEmpty() ? QString() : h.prompts.informed.first().text, message);
    const bool added = rows.size() == 4;
    QCOMPARE(w->changed(), added);
    if (!added) return;
    // The new row is selected, and saved with its defaults after a reload.
    QCOMPARE(w->lblShort->text(), *typed);
    w->cmd[0]->click();
    QVERIFY(
        h.fileLines().contains(QString(R"("%1","%1","greatchoice.jpg",0,"TRUE","","FALSE")").arg(*typed)));
    w->LoadItemsFile();
    QCOMPARE(names(*w), rows);
}

void TestFrmEditMenuItems::deleteKeepsANeighbourSelected_data() {
    QTest::addColumn<QByteArray>("items");
    QTest::addColumn<int>("row");
    QTest::addColumn<Button>("answer");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("selected");
    QTest::newRow("first row") << Items << 0 << Button::Yes << QStringList{"Cola", "Fries"} << "Cola";
    QTest::newRow("last row") << Items << 2 << Button::Yes << QStringList{"burger", "Cola"} << "Cola";
    QTest::newRow("answered No") << Items << 1 << Button::No << QStringList{"burger", "Cola", "Fries"}
                                 << "Cola";
    QTest::newRow("only row") << Items.left(Items.indexOf('\n') + 1) << 0 << Button::Yes << QStringList{}
                              << "";
}

void TestFrmEditMenuItems::deleteKeepsANeighbourSelected() {
    QFETCH(QByteArray, items);
    QFETCH(int, row);
    QFETCH(Button, answer);
    QFETCH(QStringList, rows);
    QFETCH(QString, selected);
    Harness h(items);
    frmEditMenuItems* w = h.open();
    w->MenuList->setCurrentIndex(w->MenuList->model()->index(row, 0));
    h.prompts.answers = {answer};
    pressDelete(*w);
    QCOMPARE(h.prompts.asked.size(), 1);
    QCOMPARE(h.prompts.asked.first().title, "ATTENTION:");
    QCOMPARE(h.prompts.asked.first().text, "Are you sure you want to delete the selected record?");
    QCOMPARE(names(*w), rows);
    QCOMPARE(w->lblShort->text(), selected);
    QCOMPARE(w->changed(), answer == Button::Yes);
    // An emptied list is not saved: the file keeps its rows.
    w->cmd[0]->click();
    QCOMPARE(h.app.read(h.itemsPath) == items, rows.isEmpty() || answer == Button::No);
    QCOMPARE(w->txt->isEnabled(), !rows.isEmpty());
}

void TestFrmEditMenuItems::editFieldsWriteTheRow() {
    Harness h;
    frmEditMenuItems* w = h.open();
    QCOMPARE(w->lblShort->text(), "burger");
    // A double quote is refused as it is typed; the rest of the text stays.
    w->txt->setFocus();
    w->txt->setCursorPosition(3);
    QTest::keyClicks(w->txt, "\"x");
    QCOMPARE(w->txt->text(), "Bigx Burger");
    QCOMPARE(h.prompts.informed.size(), 1);
    QCOMPARE(w->items().item(0).LongDescriptor, "Bigx Burger");
    typeText(w->txt, "\u2192"); // no byte in Windows-1252: refused too
    QTRY_COMPARE(h.prompts.informed.size(), 2);
    QCOMPARE(w->txt->text(), "Bigx Burger");
    QCOMPARE(w->items().item(0).LongDescriptor, "Bigx Burger");
    w->txt->setText("Caf\u00e9 \u20ac1"); // kept as Windows-1252 bytes
    // The empty POP entry: no preview, an empty POP.
    w->POPList->setCurrentIndex(0);
    QVERIFY(w->POPPic->pixmap().isNull());
    w->ItemPicList->setCurrentText("fries.jpg");
    w->FamilyList->setCurrentText("(none)");
    w->TrackList->setCurrentText("FALSE");
    QVERIFY(w->changed());
    w->cmd[0]->click();
    QVERIFY(!w->changed());
    QCOMPARE(h.app.read(h.itemsPath).left(h.app.read(h.itemsPath).indexOf('\r')),
             QByteArray("\"burger\",\"Caf\xe9 \x80"
                        "1\",\"fries.jpg\",0,\"TRUE\",\"\",\"FALSE\""));
}

void TestFrmEditMenuItems::loadOutcomes_data() {
    QTest::addColumn<QByteArray>("items");
    QTest::addColumn<Button>("answer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<bool>("editable");
    const QByteArray bad = Items + "\"Pie\",\"Pie\",\"pie.jpg\",10,\"true\",\"\",\"FALSE\"\r\n" + Items;
    const QString badMessage =
        "Items File is not formatted correctly.\nWould you like to attemp to repair the error?"
        "\n\nSaying no will allow you to edit the file up to the point of data corruption,\n"
        "but you will lose any data after the point of failure.";
    const QStringList first{"burger", "Cola", "Fries"};
    QTest::newRow("no file")
        << QByteArray() << Button::None
        << "No Items File found for this profile.\nRetrieve your system information from your OCB."
        << QStringList{} << false;
    QTest::newRow("empty file") << QByteArray("") << Button::None << "" << QStringList{} << false;
    QTest::newRow("bad record, No") << bad << Button::No << badMessage << first << false;
    QTest::newRow("bad record, Yes") << bad << Button::Yes << badMessage << first << false;
    QTest::newRow("ends inside a record, No")
        << Items + "\"Pie\",\"Pie\"" << Button::No
        << "Items File is not formatted correctly.\nWould you like to find the error?" << first << true;
}

void TestFrmEditMenuItems::loadOutcomes() {
    QFETCH(QByteArray, items);
    QFETCH(Button, answer);
    QFETCH(QString, message);
    QFETCH(QStringList, rows);
    QFETCH(bool, editable);
    Harness h(items);
    if (answer != Button::None) h.prompts.answers = {answer};
    frmEditMenuItems* w = h.open();
    QVERIFY(w);
    const QList<ScriptedPrompts::Shown> shown = h.prompts.asked + h.prompts.informed;
    QCOMPARE(shown.isEmpty() ? QString() : shown.first().text, message);
    QCOMPARE(names(*w), rows);
    QCOMPARE(w->txt->isEnabled(), editable);
    QCOMPARE(h.app.exists(h.itemsPath), !items.isEmpty()); // an empty file is deleted
    // Yes opens the check window and disables the editor until it closes.
    QTRY_COMPARE(h.main.findChild<frmMenuCheck*>() != nullptr, answer == Button::Yes);
    QCOMPARE(w->isEnabled(), answer != Button::Yes);
    if (answer != Button::Yes) return;
    QVERIFY(!h.main.ChildWindows().value("frmEditMenuItems")->isEnabled());
    h.prompts.answers = {Button::No}; // "Do you want to save?"
    h.main.findChild<frmMenuCheck*>()->cmd[1]->click();
    QTRY_VERIFY(!h.main.ChildWindows().contains("frmMenuCheck"));
    QVERIFY(w->isEnabled());
    QCOMPARE(h.app.read(h.itemsPath), items);
}

QTEST_MAIN(TestFrmEditMenuItems)
#include "tst_frmeditmenuitems.moc"
