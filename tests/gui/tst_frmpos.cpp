// The POS settings editor.

#include "GuiHarness.h"
#include "settings/frmPOS.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace zr;
using namespace zr::test;

namespace {

const char* const Warning = "Warning: Changing these settings could result in the malfunction of your OCB."
                            " Do not change these settings unless you know what you are doing.";

frmPOS* openEditor(GuiHarness& h, const std::function<void(POS&)>& stored = {}) {
    return h.open<frmPOS>("frmPOS", [&](Profiles& p) {
        p.setIPAddress("10.77.77.85");
        if (stored) stored(p.POS());
    });
}

QStringList entries(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

void choose(QComboBox* list, const QString& entry) {
    const int at = list->findText(entry);
    QVERIFY2(at >= 0, qPrintable(entry));
    list->setCurrentIndex(at);
}

// Event.log lines without their time stamps, which come first on the first line of an entry.
QStringList eventLines(const TempApp& app) {
    QStringList lines = crlfLines(app.read("Profiles/North/Log/Event.log"));
    for (QString& line : lines)
        if (line.contains("POS Editor")) line = line.mid(line.indexOf("POS Editor"));
    return lines;
}

} // namespace

class TestFrmPOS : public QObject {
    Q_OBJECT
private slots:
    void names_data();
    void names();
    void enablingRule_data();
    void enablingRule();
    void visitAndChangeAreLogged();
    void storedValuesAreShownAndKept();
    void driverAfterApply_data();
    void driverAfterApply();
};

void TestFrmPOS::names_data() {
    QTest::addColumn<QByteArray>("translators"); // empty: no file
    QTest::addColumn<QStringList>("first");      // the first entries of the name list
    QTest::addColumn<QString>("last");
    QTest::newRow("from the file") << QByteArray("PAR TC              zrpartc\r\n"
                                                 "                    zrnothing\r\n"
                                                 "  Compris           zrcom\r\n"
                                                 "\r\n")
                                   << QStringList{"PAR TC", "Compris"} << "Compris";
    QTest::newRow("a stored name the file lacks is offered")
        << QByteArray("ALOHA               zraloha\r\n") << QStringList{"ALOHA", "Compris"} << "Compris";
    QTest::newRow("no file: the built-in types")
        << QByteArray() << QStringList{"ALOHA", "EMAPS"} << "Compris";
}

void TestFrmPOS::names() {
    QFETCH(QByteArray, translators);
    QFETCH(QStringList, first);
    QFETCH(QString, last);
    GuiHarness h;
    if (!translators.isEmpty()) h.app.write("Translators", translators);
    frmPOS* w = openEditor(h);
    const QStringList names = entries(w->cmb[0]);
    QCOMPARE(names.mid(0, first.size()), first);
    QCOMPARE(names.last(), last);
    QCOMPARE(names.count("Compris"), 1);
    QCOMPARE(w->cmb[0]->currentText(), "Compris");
    if (translators.isEmpty()) QVERIFY(names.contains("PAR GT") && names.contains("PAN 2 +"));
}

void TestFrmPOS::enablingRule_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("till");
    QTest::addColumn<bool>("mode");
    QTest::newRow("PAR GT") << "PAR GT" << true << true;
    QTest::newRow("PAR TC") << "PAR TC" << true << true;
    QTest::newRow("PAN 2 +") << "PAN 2 +" << true << false;
    QTest::newRow("ALOHA") << "ALOHA" << false << false;
}

void TestFrmPOS::enablingRule() {
    QFETCH(QString, name);
    QFETCH(bool, till);
    QFETCH(bool, mode);
    GuiHarness h;
    frmPOS* w = openEditor(h);
    QVERIFY(!w->txt->isEnabled() && !w->cmb[1]->isEnabled() && !w->cmb[2]->isEnabled()); // Compris
    choose(w->cmb[0], name);
    QCOMPARE(w->txt->isEnabled(), till);
    QCOMPARE(w->cmb[2]->isEnabled(), mode);
    QVERIFY(!w->cmb[1]->isEnabled());
}

void TestFrmPOS::visitAndChangeAreLogged() {
    GuiHarness h;
    frmPOS* w = openEditor(h);
    QCOMPARE(h.prompts.informed.size(), 1);
    QCOMPARE(h.prompts.informed.first().text, Warning);
    w->cmd[2]->click(); // Cancel
    QTRY_VERIFY(!h.main.ChildWindows().contains("frmPOS"));
    const QStringList entered{"POS Editor Entered:",
                              "     Current Settings:",
                              "               PROFILE       = North",
                              "               IP ADDRESS    = 10.77.77.85",
                              "               POS SYSTEM    = Compris",
                              "               POS MODE      = video",
                              "                POS VERSION   = ",
                              "               COMM TYPE     = socket",
                              "               STATS TYPE    = binary",
                              "               MASK REGISTER = ",
                              ""};
    const QStringList before = eventLines(h.app);
    QCOMPARE(before.mid(before.size() - entered.size()), entered);
    QCOMPARE(before.count("POS Editor Entered:"), 1);

    h.main.openWindow("frmPOS");
    w = h.main.findChild<frmPOS*>();
    choose(w->cmb[0], "PAR GT");
    choose(w->cmb[2], "registers");
    w->txt->setText("1 2 3");
    w->cmd[0]->click(); // Apply
    // The entry after Apply: its own heading and indent, and the values now stored.
    QStringList changed = entered;
    changed[0] = "POS Editor Used to Change Settings:";
    changed[1] = "     New Settings:";
    changed[2] = "          PROFILE       = North";
    changed[4] = "               POS SYSTEM    = PAR GT";
    changed[5] = "               POS MODE      = registers";
    changed[9] = "               MASK REGISTER = 1 2 3";
    const QStringList after = eventLines(h.app);
    QCOMPARE(after.mid(before.size()), entered + changed);
}

void TestFrmPOS::storedValuesAreShownAndKept() {
    GuiHarness h;
    frmPOS* w = openEditor(h, [](POS& pos) {
        pos.setID("PAR TC");
        pos.setVersion("4.2");
        pos.setMode("REGISTERS");
        pos.setCommType("sniff");
        pos.setStats("weird");
        pos.setTill("7");
    });
    QCOMPARE(w->cmb[1]->currentText(), "4.2");
    QCOMPARE(w->cmb[2]->currentText(), "REGISTERS");
    QCOMPARE(entries(w->cmb[2]), QStringList({"video", "registers", "REGISTERS"}));
    QCOMPARE(entries(w->cmb[3]), QStringList({"socket", "sniff"}));
    QCOMPARE(w->cmb[3]->currentText(), "sniff");
    QCOMPARE(entries(w->cmb[4]), QStringList({"binary", "ascii", "weird"}));
    QCOMPARE(w->txt->text(), "7");
    QVERIFY(!w->Changed());
    choose(w->cmb[4], "ascii");
    w->cmd[0]->click();
    const QStringList conf = h.zrConf();
    for (const char* line :
         {"translator_type    = \"PAR TC\"", "pos_version        = \"4.2\"", "pos_mode           = registers",
          "cod_com_port       = sniff", "statistics_type    = ascii", "till_number        = \"7\""})
        QVERIFY2(conf.contains(line), line);
}

void TestFrmPOS::driverAfterApply_data() {
    QTest::addColumn<QByteArray>("translators");
    QTest::addColumn<QStringList>("chosen"); // name and port, and the driver they give
    QTest::newRow("PAR GT on a socket") << QByteArray() << QStringList{"PAR GT", "socket", "zrpargtx"};
    QTest::newRow("PAR GT sniffing") << QByteArray() << QStringList{"PAR GT", "sniff", "zrpartc"};
    QTest::newRow("the site's own") << QByteArray("House POS           zrhouse\r\n")
                                    << QStringList{"House POS", "socket", "zrhouse"};
}

void TestFrmPOS::driverAfterApply() {
    QFETCH(QByteArray, translators);
    QFETCH(QStringList, chosen);
    GuiHarness h;
    if (!translators.isEmpty()) h.app.write("Translators", translators);
    frmPOS* w = openEditor(h);
    choose(w->cmb[0], chosen[0]);
    choose(w->cmb[3], chosen[1]);
    w->cmd[0]->click();
    QCOMPARE(h.main.Profile().POS().Driver(), chosen[2]);
    QVERIFY(h.zrConf().contains("start " + chosen[2] + "      # register port (translator)"));
}

QTEST_MAIN(TestFrmPOS)
#include "tst_frmpos.moc"
