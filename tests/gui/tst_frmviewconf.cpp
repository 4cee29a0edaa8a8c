// The configuration and log file viewer.

#include "GuiHarness.h"
#include "app/ProgramWindows.h"
#include "profiles/frmViewConf.h"

#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>

using namespace zr;
using namespace zr::test;

class TestFrmViewConf : public QObject {
    Q_OBJECT
private slots:
    void showsTheChosenFile_data();
    void showsTheChosenFile();
    void refreshKeepsTheLineInView();
    void opensAsAChild();
};

void TestFrmViewConf::showsTheChosenFile_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("file");
    QTest::newRow("items") << 1 << "Items/items";
    QTest::newRow("exceptions") << 2 << "Log/Exceptions.log";
    QTest::newRow("ftp log in any letter case") << 3 << "Log/FTP.log";
    QTest::newRow("event log") << 4 << "Log/Event.log";
}

void TestFrmViewConf::showsTheChosenFile() {
    QFETCH(int, option);
    QFETCH(QString, file);
    GuiHarness h;
    auto [app, main, prompts] = std::tie(h.app, h.main, h.prompts);
    main.Profile().setID("North");
    app.write("Profiles/North/" + file, "first line\r\nsecond \xe9\x80\r\n");
    frmViewConf w(main);
    w.opt[option]->click();
    QCOMPARE(w.lst->count(), 2);
    QCOMPARE(w.lst->item(1)->text(), QString("second \u00e9\u20ac"));  // shown as Windows text
    QVERIFY(prompts.informed.isEmpty());
}

void TestFrmViewConf::refreshKeepsTheLineInView() {
    GuiHarness h;
    auto [app, main, prompts] = std::tie(h.app, h.main, h.prompts);
    main.Profile().setID("North");
    frmViewConf w(main);
    w.resize(400, 600);
    w.show();
    w.cmd[0]->click();  // nothing chosen yet
    QCOMPARE(prompts.informed.size(), 1);
    QCOMPARE(prompts.informed.first().text, "No file found.");
    w.opt[3]->click();  // a profile that never connected has no Ftp.log
    QCOMPARE(prompts.informed.size(), 2);
    QCOMPARE(w.lst->count(), 0);

    QByteArray log;
    for (int i = 0; i < 100; ++i) log += "status line " + QByteArray::number(i) + "\r\n";
    app.write("Profiles/North/Log/Ftp.log", log);
    w.cmd[0]->click();
    QCOMPARE(w.lst->count(), 100);
    w.lst->setCurrentRow(40);
    app.write("Profiles/North/Log/Ftp.log", log + "one more\r\n");
    w.cmd[0]->click();
    QCOMPARE(w.lst->count(), 101);
    QCOMPARE(w.lst->currentRow(), 40);
    const QRect view = w.lst->viewport()->rect();
    QVERIFY(view.intersects(w.lst->visualItemRect(w.lst->item(40))));
    QVERIFY(view.intersects(w.lst->visualItemRect(w.lst->item(50))));

    // Another profile made current: Refresh shows its file.
    main.SelectProfile("South");
    app.write("Profiles/South/Log/Ftp.log", "south\r\n");
    w.cmd[0]->click();
    QCOMPARE(w.lst->count(), 1);
}

void TestFrmViewConf::opensAsAChild() {
    GuiHarness h;
    auto [app, main, prompts] = std::tie(h.app, h.main, h.prompts);
    addProgramWindows(main);
    main.Profile().setID("North");
    app.notFirstRun();
    main.resize(1024, 720);
    main.show();
    main.findChild<QAction*>("mnuViewLocalConf")->trigger();
    QVERIFY(main.ChildWindows().contains("frmViewConf"));
    auto* viewer = main.findChild<frmViewConf*>();
    QVERIFY(viewer);
    // Room for the lines of zr.conf, and for a page of them.
    QVERIFY(viewer->lst->viewport()->width() >= 80 * viewer->lst->fontMetrics().horizontalAdvance('x'));
    QVERIFY(viewer->lst->viewport()->height() >= 20 * viewer->lst->fontMetrics().lineSpacing());
    viewer->cmd[1]->click();  // Exit
    QTRY_VERIFY(main.ChildWindows().isEmpty());
    QCOMPARE(app.read("zr.ini"), QByteArray("FirstRun = no\r\n"));  // the size was not changed
}

QTEST_MAIN(TestFrmViewConf)
#include "tst_frmviewconf.moc"
