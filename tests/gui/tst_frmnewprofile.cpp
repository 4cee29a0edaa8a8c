// The new-profile window: validation, typing rules, copying an address.

#include "GuiHarness.h"
#include "profiles/frmNewProfile.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

using namespace zr;
using namespace zr::test;

namespace {

struct Harness : GuiHarness {
    void profile(const QString& name, const QByteArray& ip) { profileFolder(name, ip); }
};

/// Types into whichever box has the focus, key by key, as a user would.
void typeKeys(const QString& keys) {
    for (const QChar c : keys) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        if (c == '\b')
            QTest::keyClick(focus, Qt::Key_Backspace);
        else if (c == '\n')
            QTest::keyClick(focus, Qt::Key_Return);
        else
            QTest::keyClick(focus, c.toLatin1());
    }
}

/// Runs the window's entry point and, once it shows, the user's part.
bool runWindow(frmNewProfile& w, bool first, const std::function<void()>& user) {
    QTimer::singleShot(0, &w, [&] {
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        user();
        if (w.isVisible()) w.close();  // a user who gives up
    });
    return first ? w.CreateFirstProfile(false) : w.CreateNewProfile();
}

void fill(frmNewProfile& w, const QString& name, const QStringList& ip) {
    w.txt[0]->setText(name);
    for (int i = 1; i <= 4; ++i) w.txt[i]->setText(ip.value(i - 1));
}

} // namespace

class TestFrmNewProfile : public QObject {
    Q_OBJECT
private slots:
    void validation_data();
    void validation();
    void typingRules();
    void createsTheFirstProfile();
    void newProfileWithACopiedAddress();
};

void TestFrmNewProfile::validation_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("ip");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");
    QTest::newRow("existing name in other case") << "north" << QStringList{"1", "2", "3", "4"}
                                                 << "Profile already exists." << 0;
    QTest::newRow("existing name with blanks") << "  North " << QStringList{"1", "2", "3", "4"}
                                               << "Profile already exists." << 0;
    QTest::newRow("blanks only") << "   " << QStringList{"1", "2", "3", "4"} << "Invalid Profile Name." << 0;
    QTest::newRow("empty address box") << "South" << QStringList{"1", "", "3", "4"}
                                       << "Invalid Value for IP Address." << 2;
    QTest::newRow("256") << "South" << QStringList{"1", "2", "3", "256"} << "Value must be in range 0 - 255." << 4;
}

void TestFrmNewProfile::validation() {
    QFETCH(QString, name);
    QFETCH(QStringList, ip);
    QFETCH(QString, message);
    QFETCH(int, focus);
    Harness h;
    h.profile("North", "10.0.0.1");
    frmNewProfile w(h.main);
    const bool created = runWindow(w, false, [&] {
        fill(w, "x", {"1", "2", "3", "4"});  // every box typed once, so Accept is enabled
        fill(w, name, ip);
        w.cmd[0]->click();
        QCOMPARE(QApplication::focusWidget(), w.txt[focus]);
        if (message == "Profile already exists.") QCOMPARE(w.txt[0]->text(), QString());
    });
    QVERIFY(!created);
    QCOMPARE(h.prompts.informed.size(), 1);
    QCOMPARE(h.prompts.informed.first().title, "Error");
    QCOMPARE(h.prompts.informed.first().text, message);
    QVERIFY(!h.app.exists("Profiles/South"));
}

void TestFrmNewProfile::typingRules() {
    Harness h;
    frmNewProfile w(h.main);
    runWindow(w, true, [&] {
        QVERIFY(w.txt[0]->text().isEmpty());  // empty for the first profile
        QVERIFY(!w.cmd[0]->isEnabled());
        w.txt[1]->setFocus();
        typeKeys("10.0.0.7");
        QCOMPARE(w.txt[1]->text(), "10");
        QCOMPARE(w.txt[2]->text(), "0");
        QCOMPARE(w.txt[3]->text(), "0");
        QCOMPARE(w.txt[4]->text(), "7");
        typeKeys("\b\b");  // emptied, then back into the box before
        QCOMPARE(QApplication::focusWidget(), w.txt[3]);
        typeKeys("+-");  // digits only
        QCOMPARE(w.txt[3]->text(), "0");
        QVERIFY(!w.cmd[0]->isEnabled());  // no name yet
        w.txt[0]->setFocus();
        typeKeys("East");
        // All four boxes were filled once: Accept stays enabled and checks the boxes itself.
        QVERIFY(w.cmd[0]->isEnabled());
        w.txt[0]->setFocus();
        typeKeys("\n");  // Enter accepts
        QCOMPARE(h.prompts.informed.value(0).text, "Invalid Value for IP Address.");
    });
}

void TestFrmNewProfile::createsTheFirstProfile() {
    Harness h;
    addProgramWindows(h.main);
    h.main.setFirstProfileFactory([](frmMain& m) {
        frmNewProfile w(m);
        return runWindow(w, true, [&] {
            fill(w, " First ", {"10", "77", "77", "85"});
            w.cmd[0]->click();
        });
    });
    QVERIFY(h.main.LoadMain());
    QCOMPARE(h.main.windowTitle(), "First         10.77.77.85");
    QCOMPARE(h.app.read("Profiles/First/Config.conf"), QByteArray("IP = 10.77.77.85\r\n"));
    QVERIFY(h.app.read("Profiles/Profiles.conf").endsWith("current_profile = \"First\"\r\n"));
    QVERIFY(h.app.exists("Profiles/First/Stats/Pad"));
    QCOMPARE(h.main.profilesButton()->menu()->actions().size(), 1);
    QVERIFY(h.main.toolButton("Profiles")->isEnabled());
}

void TestFrmNewProfile::newProfileWithACopiedAddress() {
    Harness h;
    h.profile("North", "10.1.2.3");
    h.profile("Alpha", "192.168.0.9");
    frmNewProfile w(h.main);
    const bool created = runWindow(w, false, [&] {
        QCOMPARE(w.txt[0]->text(), "New Profile");
        QCOMPARE(w.ProfileList->topLevelItemCount(), 2);
        w.Opt[1]->click();  // nothing selected: nothing copied
        QVERIFY(w.txt[1]->text().isEmpty());
        w.ProfileList->setCurrentItem(w.ProfileList->topLevelItem(1));
        w.Opt[0]->click();
        w.Opt[1]->click();
        QCOMPARE(w.txt[1]->text() + '|' + w.txt[4]->text(), "10|3");
        w.txt[0]->setText("South");
        w.cmd[0]->click();
    });
    QVERIFY(created);
    QCOMPARE(h.app.read("Profiles/South/Config.conf"), QByteArray("IP = 10.1.2.3\r\n"));
    QCOMPARE(h.dropDownNames(), (QStringList{"Alpha", "North", "South"}));
}

QTEST_MAIN(TestFrmNewProfile)
#include "tst_frmnewprofile.moc"
