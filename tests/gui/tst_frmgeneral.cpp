// The general settings editor.

#include "GuiHarness.h"
#include "app/Translation.h"
#include "settings/MockUps.h"
#include "settings/frmGeneral.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTranslator>

using namespace zr;
using namespace zr::test;

namespace {

frmGeneral* openGeneral(GuiHarness& h) {
    return h.open<frmGeneral>("frmGeneral", [](Profiles& p) { p.setIPAddress("10.1.1.1"); });
}

} // namespace

class TestFrmGeneral : public QObject {
    Q_OBJECT
private slots:
    void address_data();
    void address();
    void exitAnswers_data();
    void exitAnswers();
    void landscapeIsFramedAndStored();
    void languageCaptions_data();
    void languageCaptions();
    void fontChoiceOnlyChangesTheSample();
};

void TestFrmGeneral::address_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    // The rules themselves are the core's; this proves the window applies them.
    QTest::newRow("four parts") << "10.77.77.85" << true;
    QTest::newRow("256") << "10.256.1.1" << false;
}

void TestFrmGeneral::address() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    GuiHarness h;
    frmGeneral* w = openGeneral(h);
    QVERIFY(w);
    w->txt->setText(typed);
    w->cmd[0]->click();
    QCOMPARE(h.main.Profile().IPAddress(), accepted ? typed : QString("10.1.1.1"));
    QCOMPARE(w->lblIP->text(), h.main.Profile().IPAddress());
    QCOMPARE(h.prompts.informed.size(), accepted ? 0 : 1);
    if (!accepted) QCOMPARE(h.prompts.informed.first().text, "Not a valid IP Address!");
    QCOMPARE(!typed.isEmpty() && h.app.read("Profiles/North/Config.conf").contains(typed.toLatin1()),
             accepted);
}

void TestFrmGeneral::exitAnswers_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<bool>("closed");
    QTest::newRow("nothing changed") << "10.1.1.1" << int(Button::None) << false << true;
    QTest::newRow("yes") << "10.2.2.2" << int(Button::Yes) << true << true;
    QTest::newRow("yes, address refused: stays open") << "10.2.2" << int(Button::Yes) << false << false;
    QTest::newRow("no") << "10.2.2.2" << int(Button::No) << false << true;
    QTest::newRow("cancel") << "10.2.2.2" << int(Button::Cancel) << false << false;
}

void TestFrmGeneral::exitAnswers() {
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(bool, stored);
    QFETCH(bool, closed);
    GuiHarness h;
    frmGeneral* w = openGeneral(h);
    if (answer != int(Button::None)) h.prompts.answers << Button(answer);
    w->txt->setText(typed);
    w->cmd[1]->click();
    QCOMPARE(h.prompts.asked.size(), answer == int(Button::None) ? 0 : 1);
    if (!h.prompts.asked.isEmpty()) {
        QCOMPARE(h.prompts.asked.first().title, "Attention:");
        QCOMPARE(h.prompts.asked.first().text, "Do you wish to save your changes?");
    }
    QCOMPARE(h.main.Profile().IPAddress(), stored ? typed : QString("10.1.1.1"));
    QTRY_COMPARE(!h.main.ChildWindows().contains("frmGeneral"), closed);
}

void TestFrmGeneral::landscapeIsFramedAndStored() {
    GuiHarness h;
    frmGeneral* w = openGeneral(h);
    QCOMPARE(w->shp[0]->BorderColor(), QColor(Qt::red));
    QCOMPARE(w->shp[1]->BorderColor(), QColor(Qt::black));
    QTest::mouseClick(w->Img[1], Qt::LeftButton);
    QCOMPARE(w->shp[1]->BorderColor(), QColor(Qt::red));
    QCOMPARE(w->shp[0]->BorderColor(), QColor(Qt::black));
    QVERIFY(w->Changed());
    w->cmd[0]->click();
    QVERIFY(h.zrConf().contains("display_mode    =  landscape"));

    // Opened again on a landscape profile, the landscape picture is the framed one.
    w->cmd[2]->click();
    QTRY_VERIFY(!h.main.ChildWindows().contains("frmGeneral"));
    h.main.openWindow("frmGeneral");
    w = h.main.findChild<frmGeneral*>();
    QCOMPARE(w->shp[1]->BorderColor(), QColor(Qt::red));
    QVERIFY(!w->Changed());
}

void TestFrmGeneral::languageCaptions_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("captions"); // languages, Yes, No, Apply, Exit, Cancel
    QTest::newRow("Swedish") << QLocale(QLocale::Swedish, QLocale::Sweden)
                             << QStringList{"Engelsk", "Svensk", "Ja", "Nej", "Tillämpa", "Utgång", "Avlysa"};
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates)
                             << QStringList{"English", "Swedish", "Yes", "No", "Apply", "Exit", "Cancel"};
    QTest::newRow("no texts of its own")
        << QLocale(QLocale::German, QLocale::Germany)
        << QStringList{"English", "Swedish", "Yes", "No", "Apply", "Exit", "Cancel"};
}

void TestFrmGeneral::languageCaptions() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, captions);
    QTranslator* translator = installTranslation(locale);
    QCOMPARE(translator != nullptr, locale.language() == QLocale::Swedish);
    GuiHarness h;
    frmGeneral* w = openGeneral(h);
    QCOMPARE(QStringList({w->cmb->itemText(0), w->cmb->itemText(1), w->opt[0]->text(), w->opt[1]->text(),
                          w->cmd[0]->text(), w->cmd[1]->text(), w->cmd[2]->text()}),
             captions);
    QCOMPARE(w->cmb->currentIndex(), 0); // a new profile's language is English
    w->cmb->setCurrentIndex(1);
    w->cmd[0]->click();
    QCOMPARE(h.main.Profile().Language(), "Swedish");
    QVERIFY(h.zrConf().contains("language        = Swedish"));
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

void TestFrmGeneral::fontChoiceOnlyChangesTheSample() {
    GuiHarness h;
    frmGeneral* w = openGeneral(h);
    QVERIFY(w->lst->count() > 0);
    const int last = w->lst->count() - 1;
    w->lst->setCurrentRow(last);
    QCOMPARE(w->lbl->font().family(), w->lst->item(last)->text());
    QCOMPARE(w->lbl->font().pointSize(), 12);
    QCOMPARE(w->lbl->text(), "Sample Text");
    QVERIFY(!w->Changed());
    w->cmd[1]->click();
    QVERIFY(h.prompts.asked.isEmpty());
    QTRY_VERIFY(!h.main.ChildWindows().contains("frmGeneral"));
}

QTEST_MAIN(TestFrmGeneral)
#include "tst_frmgeneral.moc"
