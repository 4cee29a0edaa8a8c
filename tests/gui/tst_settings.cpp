// The settings editors' own rules: what each shows of the stored settings,
// what it refuses, and the lines it writes.

#include "GuiHarness.h"
#include "app/FrontEndSettings.h"
#include "app/TextWidth.h"
#include "settings/MockUps.h"
#include "settings/frmEditDefaultImages.h"
#include "settings/frmEditOrderScreen.h"
#include "settings/frmEditPreSellMessage.h"
#include "settings/frmGeneral.h"
#include "settings/frmPOS.h"

#include <QtWidgets>

using namespace zr;
using namespace zr::test;

namespace {

using Setup = std::function<void(GuiHarness&)>;

QStringList texts(const QComboBox* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->itemText(i);
    return out;
}

void choose(QComboBox* list, const QString& entry) { list->setCurrentIndex(list->findText(entry)); }

Setup orderScreenAllShown = [](GuiHarness& h) {
    h.main.Profile().OrderScreen().setShowTax("YES");
    h.main.Profile().OrderScreen().setShowTotal("Yes");
    h.main.Profile().OrderScreen().setShowUnitPrice("yes");
    h.main.Profile().TotalScreen().setShowTotalScreen("YES");
};

Setup preSell(const QString& mode) {
    return [mode](GuiHarness& h) {
        h.main.Profile().PreSellMessage().setMessageDisplayType(mode);
        h.main.Profile().PreSellMessage().setMessageToPOPTime(4);
    };
}

Setup images(const QString& item, const QString& pop) {
    return [item, pop](GuiHarness& h) {
        for (const QString name : {"burger.jpg", "Fries.jpg"})
            h.picture(h.app.paths.itemImages(), name);
        h.picture(h.app.paths.popImages(), "summer.jpg");
        h.app.write("ZRScreens/POP/broken.jpg", "not a picture");
        h.app.write("ZRScreens/POP/summer sale.jpg", "jpeg");
        h.main.Profile().setDefaultItem(item);
        h.main.Profile().setDefaultPOP(pop);
    };
}

/// An editor, its stored settings, what is done in it, and the lines of the
/// file then written, with the message last shown.
// Rows leave out the last check when they need none.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
struct Edit {
    QString window;
    Setup setup;
    std::function<void(QWidget*)> act;
    QString file;
    QStringList lines;
    QString message;
    std::function<void(GuiHarness&)> then; // checked last
};

const QString NotAnAddress = "Not a valid IP Address!";

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    // Each row opens the editor on the stored settings, acts, then leaves by
    // Exit answering Yes; the file then holds the lines. Only a refused
    // address keeps the window open.
    void editAndExit_data() {
        QTest::addColumn<Edit>("edit");
        const QString conf = "Profiles/North/Config/zr.conf", ini = "zr.ini";
        const Setup none = [](GuiHarness&) {}, ip = [](GuiHarness& h) { h.main.Profile().setIPAddress("127.1.1.1"); };
        QString fits; // as wide as the order screen takes
        while (textWidthTwips(fits + 'W') <= frmEditOrderScreen::MessageWidthTwips)
            fits += 'W';
        const QString tooWide = "Message cannot exceed the width of the Order Screen.";
        const QString pasted = "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefgh";
        const QString unstorable = "The character \"\u2192\" cannot be stored: the board's files hold only Windows-1252 characters.";
        const QStringList shown{"show_tax = yes", "show_total = yes", "unit_price_enabled = yes", "show_total_screen = yes"};
        const auto but = [&](int i, const QString& line) { QStringList l = shown; l[i] = line; return l; };
        const auto posLogged = [](GuiHarness& h) { // the visit and the change, in Event.log
            QCOMPARE(h.prompts.informed.value(0).text, "Warning: Changing these settings could result in the malfunction of your OCB. Do not change these settings unless you know what you are doing.");
            const QString log = QString::fromLatin1(h.app.read("Profiles/North/Log/Event.log"));
            const QString values = "               IP ADDRESS    = 127.1.1.1\r\n               POS SYSTEM    = %1\r\n               POS MODE      = video\r\n                POS VERSION   = \r\n               COMM TYPE     = socket\r\n               STATS TYPE    = binary\r\n               MASK REGISTER = %2\r\n\r\n";
            QVERIFY(log.contains("POS Editor Entered:\r\n     Current Settings:\r\n               PROFILE       = North\r\n" + values.arg("Compris", "")));
            QVERIFY(log.endsWith("POS Editor Used to Change Settings:\r\n     New Settings:\r\n          PROFILE       = North\r\n" + values.arg("PAR GT", "1 2 3")));
            QCOMPARE(log.count("POS Editor"), 2);
        };
        // clang-format off
        QTest::newRow("order: tax") << Edit{"frmEditOrderScreen", orderScreenAllShown, on<frmEditOrderScreen>([](auto& w) { w.chk[0]->click(); QVERIFY(!w.Tax->isVisibleTo(w.Picture1)); }), conf, but(0, "show_tax = no"), ""};
        QTest::newRow("order: total") << Edit{"frmEditOrderScreen", orderScreenAllShown, on<frmEditOrderScreen>([](auto& w) { w.chk[1]->click(); QVERIFY(!w.Total->isVisibleTo(w.Picture1)); }), conf, but(1, "show_total = no"), ""};
        QTest::newRow("order: prices") << Edit{"frmEditOrderScreen", orderScreenAllShown, on<frmEditOrderScreen>([](auto& w) { w.chk[2]->click(); QVERIFY(!w.Price[2]->isVisibleTo(w.Picture1) && w.Tax->isVisibleTo(w.Picture1)); }), conf, but(2, "unit_price_enabled = no"), ""};
        QTest::newRow("order: total screen") << Edit{"frmEditOrderScreen", orderScreenAllShown, on<frmEditOrderScreen>([](auto& w) { w.chk[3]->click(); }), conf, but(3, "show_total_screen = no"), ""};
        QTest::newRow("order: one letter too wide") << Edit{"frmEditOrderScreen", none, on<frmEditOrderScreen>([fits](auto& w) { w.txt[0]->selectAll(); QTest::keyClicks(w.txt[0], fits + 'W'); QCOMPARE(w.Message->text(), fits); }), conf, QStringList{"message_break = \"" + fits + '"'}, tooWide};
        QTest::newRow("order: pasted too wide") << Edit{"frmEditOrderScreen", none, on<frmEditOrderScreen>([fits](auto& w) { w.txt[0]->selectAll(); w.txt[0]->insert(fits + fits + fits); }), conf, QStringList{"message_break = \"" + fits + '"'}, tooWide};
        QTest::newRow("order: Windows text") << Edit{"frmEditOrderScreen", Setup([](GuiHarness& h) { h.main.Profile().OrderScreen().setLunchMessage(QString::fromLatin1("Caf\xe9 \x80" "5")); }), on<frmEditOrderScreen>([](auto& w) { QCOMPARE(w.txt[1]->text(), "Café €5"); w.txt[1]->end(false); w.txt[1]->insert("€"); }), conf, QStringList{QString::fromLatin1("message_lunch = \"Caf\xe9 \x80" "5\x80\"")}, ""};
        QTest::newRow("order: text the file cannot hold") << Edit{"frmEditOrderScreen", none, on<frmEditOrderScreen>([](auto& w) { w.txt[2]->clear(); typeText(w.txt[2], "Go\u2192"); QCoreApplication::processEvents(); }), conf, QStringList{"message_dinner = \"Go\""}, unstorable};
        QTest::newRow("pre-sell: smooth kept") << Edit{"frmEditPreSellMessage", preSell("smooth"), on<frmEditPreSellMessage>([](auto& w) { QCOMPARE(w.cmb->currentText(), "4"); w.cmb->setCurrentIndex(10); }), conf, QStringList{"screen_saver_mode  = smooth", "screen_saver_pop_to  = 10"}, ""};
        QTest::newRow("pre-sell: random kept") << Edit{"frmEditPreSellMessage", preSell("random"), on<frmEditPreSellMessage>([](auto& w) { w.cmb->setCurrentIndex(10); }), conf, QStringList{"screen_saver_mode  = random"}, ""};
        QTest::newRow("pre-sell: other mode is random") << Edit{"frmEditPreSellMessage", preSell("wavy"), on<frmEditPreSellMessage>([](auto& w) { w.cmb->setCurrentIndex(10); }), conf, QStringList{"screen_saver_mode  = random"}, ""};
        QTest::newRow("pre-sell: random ticked") << Edit{"frmEditPreSellMessage", preSell("random"), on<frmEditPreSellMessage>([](auto& w) { w.chk->click(); }), conf, QStringList{"screen_saver_mode  = smooth"}, ""};
        QTest::newRow("pre-sell: smooth cleared") << Edit{"frmEditPreSellMessage", preSell("smooth"), on<frmEditPreSellMessage>([](auto& w) { w.chk->click(); }), conf, QStringList{"screen_saver_mode  = random"}, ""};
        QTest::newRow("pre-sell: pasted line cut") << Edit{"frmEditPreSellMessage", none, on<frmEditPreSellMessage>([pasted](auto& w) { w.txt->selectAll(); w.txt->insert(pasted); }), conf, QStringList{"screen_saver_text = \"" + pasted.left(50) + '"'}, "Cannot exceed 50 characters."};
        QTest::newRow("pre-sell: 51st letter typed") << Edit{"frmEditPreSellMessage", none, on<frmEditPreSellMessage>([pasted](auto& w) { w.txt->setText(pasted.left(49)); QTest::keyClicks(w.txt, "xy"); }), conf, QStringList{"screen_saver_text = \"" + pasted.left(49) + "x\""}, "Cannot exceed 50 characters."};
        QTest::newRow("pre-sell: colours") << Edit{"frmEditPreSellMessage", Setup([](GuiHarness& h) { h.main.Profile().PreSellMessage().setBackColor(0x800000); h.dialogs.colors << QColor(0x12, 0x34, 0x56); }), on<frmEditPreSellMessage>([](auto& w) { QCOMPARE(w.BackColor(), QColor(0, 0, 0x80)); w.cmd[5]->click(); w.cmd[6]->click(); QCOMPARE(w.MessageList->palette().color(QPalette::Text), QColor(0x12, 0x34, 0x56)); }), conf, QStringList{"screen_saver_fg = 5649426", "screen_saver_bg = 8388608"}, ""};
        QTest::newRow("general: address") << Edit{"frmGeneral", ip, on<frmGeneral>([](auto& w) { w.txt->setText("127.77.77.85"); }), "Profiles/North/Config.conf", QStringList{"IP = 127.77.77.85"}, ""};
        QTest::newRow("general: address refused") << Edit{"frmGeneral", ip, on<frmGeneral>([](auto& w) { w.txt->setText("127.256.1.1"); }), "Profiles/North/Config.conf", QStringList{}, NotAnAddress};
        QTest::newRow("general: landscape") << Edit{"frmGeneral", ip, on<frmGeneral>([](auto& w) { QCOMPARE(w.shp[0]->BorderColor(), QColor(Qt::red)); QTest::mouseClick(w.Img[1], Qt::LeftButton); QCOMPARE(w.shp[1]->BorderColor(), QColor(Qt::red)); QCOMPARE(w.shp[0]->BorderColor(), QColor(Qt::black)); }), conf, QStringList{"display_mode    =  landscape"}, ""};
        QTest::newRow("general: language") << Edit{"frmGeneral", ip, on<frmGeneral>([](auto& w) { QCOMPARE(w.cmb->currentIndex(), 0); w.cmb->setCurrentIndex(1); }), conf, QStringList{"language        = Swedish"}, ""};
        QTest::newRow("general: a font only changes the sample") << Edit{"frmGeneral", ip, on<frmGeneral>([](auto& w) { w.lst->setCurrentRow(w.lst->count() - 1); QCOMPARE(w.lbl->font().family(), w.lst->currentItem()->text()); }), conf, QStringList{}, ""};
        QTest::newRow("POS: names from the file") << Edit{"frmPOS", Setup([](GuiHarness& h) { h.app.write("Translators", "PAR TC              zrpartc\r\n                    zrnothing\r\n  Compris           zrcom\r\n\r\n"); }), on<frmPOS>([](auto& w) { QCOMPARE(texts(w.cmb[0]), (QStringList{"PAR TC", "Compris"})); }), conf, QStringList{}, ""};
        QTest::newRow("POS: stored name the file lacks") << Edit{"frmPOS", Setup([](GuiHarness& h) { h.app.write("Translators", "ALOHA               zraloha\r\n"); }), on<frmPOS>([](auto& w) { QCOMPARE(texts(w.cmb[0]), (QStringList{"ALOHA", "Compris"})); }), conf, QStringList{}, ""};
        QTest::newRow("POS: no file, built-in names") << Edit{"frmPOS", none, on<frmPOS>([](auto& w) { QVERIFY(texts(w.cmb[0]).contains("PAN 2 +")); QCOMPARE(w.cmb[0]->currentText(), "Compris"); QVERIFY(!w.txt->isEnabled() && !w.cmb[2]->isEnabled()); }), conf, QStringList{}, ""};
        QTest::newRow("POS: PAR GT fields") << Edit{"frmPOS", none, on<frmPOS>([](auto& w) { choose(w.cmb[0], "PAR GT"); QVERIFY(w.txt->isEnabled() && w.cmb[2]->isEnabled() && !w.cmb[1]->isEnabled()); }), conf, QStringList{"start zrpargtx      # register port (translator)"}, ""};
        QTest::newRow("POS: PAN 2 + fields") << Edit{"frmPOS", none, on<frmPOS>([](auto& w) { choose(w.cmb[0], "PAN 2 +"); QVERIFY(w.txt->isEnabled() && !w.cmb[2]->isEnabled()); }), conf, QStringList{"translator_type    = \"PAN 2 +\""}, ""};
        QTest::newRow("POS: ALOHA fields") << Edit{"frmPOS", none, on<frmPOS>([](auto& w) { choose(w.cmb[0], "ALOHA"); QVERIFY(!w.txt->isEnabled() && !w.cmb[2]->isEnabled()); }), conf, QStringList{"translator_type    = \"ALOHA\""}, ""};
        QTest::newRow("POS: sniffing driver") << Edit{"frmPOS", none, on<frmPOS>([](auto& w) { choose(w.cmb[0], "PAR GT"); choose(w.cmb[3], "sniff"); }), conf, QStringList{"start zrpartc      # register port (translator)"}, ""};
        QTest::newRow("POS: the site's own driver") << Edit{"frmPOS", Setup([](GuiHarness& h) { h.app.write("Translators", "House POS           zrhouse\r\n"); }), on<frmPOS>([](auto& w) { choose(w.cmb[0], "House POS"); }), conf, QStringList{"translator_type    = \"House POS\"", "start zrhouse      # register port (translator)"}, ""};
        QTest::newRow("POS: stored values kept") << Edit{"frmPOS", Setup([](GuiHarness& h) { POS& p = h.main.Profile().POS(); p.setID("PAR TC"); p.setVersion("4.2"); p.setMode("REGISTERS"); p.setCommType("sniff"); p.setStats("weird"); p.setTill("7"); }), on<frmPOS>([](auto& w) { QCOMPARE(texts(w.cmb[2]), (QStringList{"video", "registers", "REGISTERS"})); QCOMPARE(texts(w.cmb[4]), (QStringList{"binary", "ascii", "weird"})); choose(w.cmb[4], "ascii"); }), conf, QStringList{"translator_type    = \"PAR TC\"", "pos_version        = \"4.2\"", "pos_mode           = registers", "cod_com_port       = sniff", "statistics_type    = ascii", "till_number        = \"7\""}, ""};
        QTest::newRow("POS: the visit and the change logged") << Edit{"frmPOS", ip, on<frmPOS>([](auto& w) { choose(w.cmb[0], "PAR GT"); w.txt->setText("1 2 3"); }), conf, QStringList{"translator_type    = \"PAR GT\""}, "", posLogged};
        QTest::newRow("images: chosen, any letter case") << Edit{"frmEditDefaultImages", images("fries.jpg", "summer.jpg"), on<frmEditDefaultImages>([](auto& w) { QCOMPARE(w.lst[0]->currentItem()->text(), "Fries.jpg"); QVERIFY(!w.Img[1]->pixmap().isNull()); w.lst[0]->setCurrentRow(0); w.lst[1]->setCurrentRow(1); QCOMPARE(w.lbl[3]->text(), "broken.jpg"); QVERIFY(w.Img[1]->pixmap().isNull()); }), ini, QStringList{"default_item_image = burger.jpg", "default_pop_image = broken.jpg"}, ""};
        QTest::newRow("images: empty POP entry") << Edit{"frmEditDefaultImages", images("burger.jpg", "summer.jpg"), on<frmEditDefaultImages>([](auto& w) { w.lst[1]->setCurrentRow(0); }), ini, QStringList{"default_item_image = burger.jpg", "default_pop_image ="}, ""};
        QTest::newRow("images: name with a blank") << Edit{"frmEditDefaultImages", images("burger.jpg", "summer.jpg"), on<frmEditDefaultImages>([](auto& w) { w.lst[1]->setCurrentRow(2); QCOMPARE(w.lst[1]->currentItem()->text(), "summer.jpg"); }), ini, QStringList{}, "The picture name \"summer sale.jpg\" holds a blank, which the board's configuration file cannot store. Rename the picture without blanks (the image tools write \"_\" instead)."};
        QTest::newRow("images: kept by the rewrites of zr.ini, read at the next start") << Edit{"frmEditDefaultImages", images("x", "x"), on<frmEditDefaultImages>([](auto& w) { w.lst[0]->setCurrentRow(0); w.lst[1]->setCurrentRow(3); }), ini, QStringList{"default_item_image = burger.jpg", "default_pop_image = summer.jpg"}, "", [](GuiHarness& h) { FrontEndSettings::SaveCommSettings(h.app.paths, {}); Profiles next(h.app.paths, h.clock, h.prompts); next.setID("North"); QCOMPARE(next.DefaultItem() + ' ' + next.DefaultPOP(), "burger.jpg summer.jpg"); }};
        QTest::newRow("images: stored item missing") << Edit{"frmEditDefaultImages", images("gone.jpg", "summer.jpg"), on<frmEditDefaultImages>([](auto& w) { QVERIFY(!w.lst[0]->currentItem()); QCOMPARE(w.lbl[2]->text(), "GreatChoice.jpg"); }), ini, QStringList{"default_item_image ="}, ""};
        // clang-format on
    }
    void editAndExit() {
        QFETCH(Edit, edit);
        const auto& [window, setup, act, file, lines, message, then] = edit;
        GuiHarness h;
        h.open<QWidget>(window, [&](Profiles&) { setup(h); });
        auto* w = h.main.findChild<QWidget*>(window);
        const qsizetype opened = h.prompts.informed.size();
        QFile::remove(h.app.path(file));
        act(w);
        h.prompts.answers = {Button::Yes};
        w->findChild<QPushButton*>("cmd_1")->click();
        QCOMPARE(h.prompts.informed.size() > opened ? h.prompts.informed.last().text : QString(), message);
        const QStringList written = crlfLines(h.app.read(file));
        for (const QString& line : lines)
            QVERIFY2(written.contains(line), qPrintable(line));
        if (lines.isEmpty()) QVERIFY(!h.app.exists(file));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(h.main.ChildWindows().contains(window), message == NotAnAddress);
        if (then) then(h);
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
