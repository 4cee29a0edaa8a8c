// The default images editor.

#include "GuiHarness.h"
#include "app/FrontEndSettings.h"
#include "settings/frmEditDefaultImages.h"

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace zr;
using namespace zr::test;

namespace {

void picture(const TempApp& app, const QString& relative) {
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QDir().mkpath(QFileInfo(app.path(relative)).absolutePath());
    QVERIFY(image.save(app.path(relative), "JPG"));
}

frmEditDefaultImages* openEditor(GuiHarness& h, const QString& item, const QString& pop) {
    picture(h.app, "ZRScreens/Item/burger.jpg");
    picture(h.app, "ZRScreens/Item/Fries.jpg");
    picture(h.app, "ZRScreens/POP/summer.jpg");
    h.app.write("ZRScreens/POP/broken.jpg", "not a picture");
    return h.open<frmEditDefaultImages>("frmEditDefaultImages", [&](Profiles& p) {
        p.setDefaultItem(item);
        p.setDefaultPOP(pop);
    });
}

QStringList entries(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

} // namespace

class TestFrmEditDefaultImages : public QObject {
    Q_OBJECT
private slots:
    void listsAndPreviews();
    void missingDefaultItem();
    void emptyPopEntry();
    void choiceKeptInZrIni();
};

void TestFrmEditDefaultImages::listsAndPreviews() {
    GuiHarness h;
    frmEditDefaultImages* w = openEditor(h, "fries.jpg", "summer.jpg"); // names match in any letter case
    QCOMPARE(entries(w->lst[0]), QStringList({"burger.jpg", "Fries.jpg"}));
    QCOMPARE(entries(w->lst[1]), QStringList({"", "broken.jpg", "summer.jpg"}));
    QCOMPARE(w->lst[0]->currentItem()->text(), "Fries.jpg");
    QCOMPARE(w->lbl[2]->text(), "Fries.jpg");
    QVERIFY(!w->Changed());
    QVERIFY(!w->Img[0]->pixmap().isNull());
    QVERIFY(!w->Img[1]->pixmap().isNull());
    w->lst[1]->setCurrentRow(1); // a file that is no picture clears the preview
    QCOMPARE(w->lbl[3]->text(), "broken.jpg");
    QVERIFY(w->Img[1]->pixmap().isNull());
    QVERIFY(h.prompts.informed.isEmpty());
    w->lst[0]->setCurrentRow(0);
    w->cmd[0]->click();
    QCOMPARE(h.main.Profile().DefaultItem(), "burger.jpg");
    QCOMPARE(h.main.Profile().DefaultPOP(), "broken.jpg");
}

void TestFrmEditDefaultImages::missingDefaultItem() {
    GuiHarness h;
    frmEditDefaultImages* w = openEditor(h, "gone.jpg", "summer.jpg");
    QVERIFY(!w->lst[0]->currentItem());
    QCOMPARE(w->lbl[2]->text(), "GreatChoice.jpg");
    h.prompts.answers << Button::Cancel;
    w->cmd[1]->click(); // Exit asks: the empty choice differs from the stored name
    QCOMPARE(h.prompts.asked.size(), 1);
    QCOMPARE(h.prompts.asked.first().text, "Do you want to save your changes?");
    QVERIFY(h.main.ChildWindows().contains("frmEditDefaultImages"));
    w->cmd[2]->click();
    QTRY_VERIFY(!h.main.ChildWindows().contains("frmEditDefaultImages"));
    QCOMPARE(h.main.Profile().DefaultItem(), "gone.jpg");
}

void TestFrmEditDefaultImages::emptyPopEntry() {
    GuiHarness h;
    frmEditDefaultImages* w = openEditor(h, "burger.jpg", "summer.jpg");
    QVERIFY(!w->Changed());
    w->lst[1]->setCurrentRow(0);
    QVERIFY(w->Img[1]->pixmap().isNull());
    QVERIFY(w->Changed());
    w->cmd[0]->click();
    QCOMPARE(h.main.Profile().DefaultPOP(), "default.jpg"); // the model's own default
    QCOMPARE(h.main.Profile().DefaultItem(), "burger.jpg");
}

void TestFrmEditDefaultImages::choiceKeptInZrIni() {
    GuiHarness h;
    h.app.notFirstRun();
    picture(h.app, "ZRScreens/POP/summer sale.jpg");
    frmEditDefaultImages* w = openEditor(h, "GreatChoice.jpg", "default.jpg");
    const QByteArray ini = h.app.read("zr.ini");
    const QByteArray conf = h.app.read("Profiles/North/Config/zr.conf");

    // A name with a blank is refused, with the reason; the list keeps its choice.
    QCOMPARE(entries(w->lst[1]), QStringList({"", "broken.jpg", "summer sale.jpg", "summer.jpg"}));
    w->lst[1]->setCurrentRow(2);
    QCOMPARE(h.prompts.informed.size(), 1);
    QVERIFY(h.prompts.informed.first().text.startsWith("The picture name \"summer sale.jpg\" holds a blank"));
    QVERIFY(!w->lst[1]->currentItem());

    // No choice applied: zr.ini stays as it was, byte for byte.
    h.prompts.answers << Button::No;
    w->cmd[1]->click();
    QTRY_VERIFY(!h.main.ChildWindows().contains("frmEditDefaultImages"));
    QCOMPARE(h.app.read("zr.ini"), ini);

    w = openEditor(h, "GreatChoice.jpg", "default.jpg");
    w->lst[0]->setCurrentRow(0);
    w->lst[1]->setCurrentRow(3);
    w->cmd[0]->click();
    QCOMPARE(h.app.read("zr.ini"), ini +
                                       "\r\n#    Default pictures: an item without its own picture, a newly "
                                       "inserted POP\r\n\r\ndefault_item_image = burger.jpg\r\n"
                                       "default_pop_image = summer.jpg\r\n");
    QCOMPARE(h.app.read("Profiles/North/Config/zr.conf"), conf);

    // Kept by the rewrites of zr.ini, and read again at the next start.
    FrontEndSettings::SaveCommSettings(h.app.paths, {});
    QByteArray rewritten = h.app.read("zr.ini");
    h.app.write("zr.ini", rewritten.replace("FirstRun = no", "FirstRun = yes"));
    QVERIFY(FrontEndSettings::FirstRun(h.app.paths));
    Profiles next(h.app.paths, h.clock, h.prompts);
    next.setID("North");
    QCOMPARE(next.DefaultItem(), "burger.jpg");
    QCOMPARE(next.DefaultPOP(), "summer.jpg");

    // The empty POP entry is kept as chosen; the model gives its own default.
    w->lst[1]->setCurrentRow(0);
    w->cmd[0]->click();
    QVERIFY(h.app.read("zr.ini").endsWith("default_item_image = burger.jpg\r\ndefault_pop_image =\r\n"));
    next.setID("North");
    QCOMPARE(next.DefaultPOP(), "default.jpg");
}

QTEST_MAIN(TestFrmEditDefaultImages)
#include "tst_frmeditdefaultimages.moc"
