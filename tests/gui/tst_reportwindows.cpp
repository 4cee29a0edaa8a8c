// The four statistics report windows.

#include "GuiHarness.h"
#include "app/FrontEndSettings.h"
#include "app/ProgramWindows.h"
#include "reports/PadReport.h"
#include "reports/ReportModel.h"
#include "reports/frmASCIIPad.h"
#include "reports/frmStats.h"
#include "reports/frmTrackPop.h"
#include "reports/frmTrackSuggestiveSell.h"

#include <QAbstractItemModelTester>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeView>
#include <memory>

using namespace zr;
using namespace zr::test;

namespace {

std::unique_ptr<ReportWindow> makeWindow(const QString& name, frmMain& main) {
    if (name == "frmStats") return std::make_unique<frmStats>(main);
    if (name == "frmTrackPop") return std::make_unique<frmTrackPop>(main);
    if (name == "frmTrackSuggestiveSell") return std::make_unique<frmTrackSuggestiveSell>(main);
    return std::make_unique<frmASCIIPad>(main);
}

QString cell(const ReportWindow& w, int row, int column, int role = Qt::DisplayRole) {
    return w.model().index(row, column).data(role).toString();
}

// A car on the pads: arrives at `at`, greeted after 10 s, leaves pad 2 after `total` seconds.
QByteArray car(int check, const QDateTime& at, int total) {
    const auto t = [&](int s) { return at.addSecs(s).toString("M/d/yyyy H:mm:ss").toLatin1(); };
    const QByteArray n = QByteArray::number(check);
    return "1," + n + ',' + t(0) + ',' + t(30) + ',' + t(10) + ',' + t(25) + ",1000\r\n" + "2," + n + ',' +
           t(total - 40) + ',' + t(total) + ",," + t(total - 20) + ",1000\r\n";
}

} // namespace

class TestReportWindows : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void fileDialog_data();
    void fileDialog();
    void shownAndExported_data();
    void shownAndExported();
    void moneyInTheUsersCurrency_data();
    void moneyInTheUsersCurrency();
    void problemMessages_data();
    void problemMessages();
    void leavingTheFileNameBuildsPadReports();
    void speedOfServiceAndGoal();
    void goalSurvivesRewritesOfZrIni();
    void exportDialog();
    void menuEntriesOpenTheWindows_data();
    void menuEntriesOpenTheWindows();
};

void TestReportWindows::fileDialog_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("data");
    QTest::newRow("pad") << "frmStats"
                         << "Stats/"
                         << "*.pad;;*.txt"
                         << "Statistics"
                         << "Pad Summary Report"
                         << "lane.pad";
    QTest::newRow("pop") << "frmTrackPop"
                         << "Stats/Pop/"
                         << "*.txt"
                         << "Track POP"
                         << "Pop Summary Report"
                         << "track.txt";
    QTest::newRow("suggestive sell") << "frmTrackSuggestiveSell"
                                     << "Stats/Sugg/"
                                     << "*.txt"
                                     << "Track Suggestive Sell"
                                     << "Suggestive Sell Summary Report"
                                     << "track.txt";
    QTest::newRow("ascii pad") << "frmASCIIPad"
                               << "Stats/"
                               << "*.pad;;*.txt"
                               << "ASCII Pad Data"
                               << "ASCII Pad Summary Report"
                               << "ascii.pad";
}

void TestReportWindows::fileDialog() {
    QFETCH(QString, window);
    QFETCH(QString, folder);
    QFETCH(QString, filter);
    QFETCH(QString, caption);
    QFETCH(QString, heading);
    QFETCH(QString, data);
    GuiHarness h;
    h.main.Profile().setID("North");
    h.app.write("Profiles/North/" + folder + data, testData("stats/" + data));
    auto w = makeWindow(window, h.main);
    QCOMPARE(w->windowTitle(), caption);
    QCOMPARE(w->Title->text(), heading);

    h.dialogs.files << h.app.path("Profiles/North/" + folder + data);
    w->FileSelect->click();
    QCOMPARE(h.dialogs.opened.size(), 1);
    QCOMPARE(h.dialogs.opened[0].title, "Open Statistics:");
    QCOMPARE(h.dialogs.opened[0].folder, h.app.path("Profiles/North/" + folder));
    QCOMPARE(h.dialogs.opened[0].filter, filter);
    QCOMPARE(w->UserFileName->text(), h.app.path("Profiles/North/" + folder + data));
    const int rows = w->model().rowCount();
    QVERIFY(rows > 0);

    w->FileSelect->click(); // cancelled: the report stays as it was
    QCOMPARE(h.dialogs.opened.size(), 2);
    QCOMPARE(w->model().rowCount(), rows);
    QCOMPARE(w->UserFileName->text(), h.app.path("Profiles/North/" + folder + data));
    QVERIFY(h.prompts.informed.isEmpty());
}

void TestReportWindows::shownAndExported_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("golden");
    QTest::addColumn<QString>("listName");
    QTest::newRow("pad, with the goal column") << "frmStats"
                                               << "lane.pad"
                                               << "lane.csv"
                                               << "Statistics";
    QTest::newRow("pop") << "frmTrackPop"
                         << "track.txt"
                         << "track.csv"
                         << "Pop";
    QTest::newRow("suggestive sell") << "frmTrackSuggestiveSell"
                                     << "track.txt"
                                     << "track.csv"
                                     << "SSell";
    QTest::newRow("ascii pad") << "frmASCIIPad"
                               << "ascii.pad"
                               << "ascii.csv"
                               << "Statistics";
}

// The list shows the file's rows and columns, and the export writes them as CSV.
void TestReportWindows::shownAndExported() {
    QFETCH(QString, window);
    QFETCH(QString, data);
    QFETCH(QString, golden);
    QFETCH(QString, listName);
    GuiHarness h;
    h.main.Profile().setID("North");
    h.app.write("in/" + data, testData("stats/" + data));
    auto w = makeWindow(window, h.main);
    QAbstractItemModelTester tester(&w->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    h.dialogs.files << h.app.path("in/" + data);
    w->FileSelect->click();

    QStringList expected = QString::fromLatin1(testData("stats/" + golden)).split('\n', Qt::SkipEmptyParts);
    if (window == "frmStats") {
        // The first car took 210 s, over the default goal of 180 s.
        expected[0] += ",Goal";
        expected[1] += ",Slower than goal";
        expected[2] += ',';
        expected[3] += ',';
    }
    auto* list = w->findChild<QTreeView*>(listName);
    QVERIFY(list);
    QCOMPARE(list->model(), &w->model());
    QCOMPARE(w->model().rowCount(), expected.size() - 1);
    QCOMPARE(w->model().columnCount(), expected[0].count(',') + 1);
    QStringList headers;
    for (int c = 0; c < w->model().columnCount(); ++c)
        headers << w->model().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    QCOMPARE(headers.join(','), expected[0]);

    h.dialogs.saves << h.app.path("out/report"); // no suffix: ".csv" is added
    QDir().mkpath(h.app.path("out"));
    w->Export->click();
    QCOMPARE(h.dialogs.saved.size(), 1);
    QCOMPARE(h.dialogs.saved[0].folder, h.app.path("in/" + QFileInfo(data).completeBaseName() + ".csv"));
    QCOMPARE(QString::fromLatin1(h.app.read("out/report.csv")).split('\n', Qt::SkipEmptyParts), expected);
    QVERIFY(h.prompts.informed.isEmpty());
}

void TestReportWindows::moneyInTheUsersCurrency_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("positive");
    QTest::addColumn<QString>("negative");
    QTest::newRow("United States") << QLocale(QLocale::English, QLocale::UnitedStates) << "$12.34"
                                   << "($0.05)"; // the locale's own form of a negative amount
    QTest::newRow("Sweden") << QLocale(QLocale::Swedish, QLocale::Sweden)
                            << QString::fromUtf8("12,34\u00a0kr") << QString::fromUtf8("\u22120,05\u00a0kr");
}

void TestReportWindows::moneyInTheUsersCurrency() {
    QFETCH(QLocale, locale);
    QFETCH(QString, positive);
    QFETCH(QString, negative);
    QLocale::setDefault(locale);
    GuiHarness h;
    h.app.write("ascii.pad", testData("stats/ascii.pad"));
    frmASCIIPad w(h.main);
    h.dialogs.files << h.app.path("ascii.pad");
    w.FileSelect->click();
    QCOMPARE(cell(w, 0, 5), positive);
    QCOMPARE(cell(w, 1, 5), negative);
    QCOMPARE(cell(w, 0, 5, ReportModel::PlainTextRole), "12.34");
    QCOMPARE(cell(w, 0, 3), QString()); // an empty time cell stays empty
}

void TestReportWindows::problemMessages_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("message");
    QTest::newRow("truncated pad file")
        << "frmStats" << testData("stats/truncated.pad") << 1 << ReportMessages::FileProblem;
    QTest::newRow("bad time stamps, one message for the file")
        << "frmStats"
        << QByteArray("1,1,1/5/2003 9:00,1/5/2003 9:01:00,,,0\r\n1,2,1/5/2003 x,1/5/2003 9:01:00,,,0\r\n")
        << 2 << ReportMessages::TimeFormatProblem;
    QTest::newRow("short last pop record")
        << "frmTrackPop" << testData("stats/short.txt") << 1 << ReportMessages::FileProblem;
    QTest::newRow("amount that is no number")
        << "frmASCIIPad" << QByteArray("7,a,b,c,d,12\r\n8,a,b,c,d,1x\r\n") << 1
        << ReportMessages::FileProblem;
}

void TestReportWindows::problemMessages() {
    QFETCH(QString, window);
    QFETCH(QByteArray, file);
    QFETCH(int, rows);
    QFETCH(QString, message);
    GuiHarness h;
    h.app.write("stats.txt", file);
    auto w = makeWindow(window, h.main);
    h.dialogs.files << h.app.path("stats.txt");
    w->FileSelect->click();
    QCOMPARE(w->model().rowCount(), rows);
    QCOMPARE(h.prompts.informed.size(), 1);
    QCOMPARE(h.prompts.informed[0].title, QString());
    QCOMPARE(h.prompts.informed[0].text, message);
}

void TestReportWindows::leavingTheFileNameBuildsPadReports() {
    GuiHarness h;
    h.app.write("lane.pad", testData("stats/lane.pad"));
    h.app.write("ascii.pad", testData("stats/ascii.pad"));
    frmStats pad(h.main);
    frmTrackPop pop(h.main);
    QVERIFY(pop.UserFileName->isReadOnly());
    pad.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pad));
    pad.UserFileName->setFocus();
    QTest::keyClicks(pad.UserFileName, h.app.path("lane.pad"));
    QTest::keyClick(pad.UserFileName, Qt::Key_Return);
    QCOMPARE(pad.model().rowCount(), 3);

    // Leaving again without typing builds nothing; a name typed over it does.
    pad.model().clear();
    QTest::keyClick(pad.UserFileName, Qt::Key_Return);
    QCOMPARE(pad.model().rowCount(), 0);
    pad.UserFileName->selectAll();
    QTest::keyClicks(pad.UserFileName, h.app.path("ascii.pad"));
    pad.Export->setFocus();                      // leaving by focus
    QTRY_VERIFY(h.prompts.informed.size() == 1); // not a pad file of seven fields
    QCOMPARE(h.prompts.informed[0].text, ReportMessages::FileProblem);

    // An emptied name empties the report without a message.
    pad.UserFileName->setFocus();
    pad.UserFileName->selectAll();
    QTest::keyClick(pad.UserFileName, Qt::Key_Delete);
    QTest::keyClick(pad.UserFileName, Qt::Key_Return);
    QCOMPARE(pad.model().rowCount(), 0);
    QCOMPARE(h.prompts.informed.size(), 1);

    // A name of a file that is not there: the error is shown, the window stays.
    QTest::keyClicks(pad.UserFileName, h.app.path("missing.pad"));
    QTest::keyClick(pad.UserFileName, Qt::Key_Return);
    QCOMPARE(h.prompts.informed.size(), 2);
    QCOMPARE(h.prompts.informed[1].title, "Error");
    QCOMPARE(pad.model().rowCount(), 0);
    QCOMPARE(pad.Summary->item(0, 1)->text(), "0");
}

void TestReportWindows::speedOfServiceAndGoal() {
    GuiHarness h;
    h.main.Profile().setID("North");
    // Friday's lunch starts at 12:05 in this profile, Saturday's at the usual time.
    h.main.Profile().Week("fri")->Day("lunch")->StartTime = QTime(12, 5);
    h.main.Profile().Week("sat")->Day("lunch")->StartTime = QTime(10, 30);
    const QDate friday(2026, 12, 4), saturday(2026, 12, 5);
    h.app.write("sos.pad", car(1, QDateTime(friday, QTime(12, 0)), 200) +
                               car(2, QDateTime(friday, QTime(12, 10)), 100) +
                               car(3, QDateTime(saturday, QTime(12, 0)), 160) +
                               car(4, QDateTime(saturday, QTime(14, 30)), 300));
    frmStats w(h.main);
    h.dialogs.files << h.app.path("sos.pad");
    w.FileSelect->click();

    QStringList rows;
    for (int r = 0; r < w.Summary->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < w.Summary->columnCount(); ++c)
            cells << w.Summary->item(r, c)->text();
        rows << cells.join('|');
    }
    QCOMPARE(rows, QStringList({"All|4|10.0|30.0|40.0|190.0|Slower than goal",
                                "Breakfast|1|10.0|30.0|40.0|200.0|Slower than goal",
                                "Lunch|3|10.0|30.0|40.0|186.7|Slower than goal", "Dinner|0|-|-|-|-|",
                                "Closed|0|-|-|-|-|", "12:00|3|10.0|30.0|40.0|153.3|",
                                "14:00|1|10.0|30.0|40.0|300.0|Slower than goal"}));
    const auto goalColumn = [&] {
        QStringList marks;
        for (int r = 0; r < w.model().rowCount(); ++r)
            marks << cell(w, r, PadReport::ColumnCount);
        return marks;
    };
    QCOMPARE(goalColumn(), QStringList({"Slower than goal", "", "", "Slower than goal"}));
    QVERIFY(w.model().index(0, 0).data(Qt::BackgroundRole).isValid());
    QVERIFY(!w.model().index(1, 0).data(Qt::BackgroundRole).isValid());

    // Chart: the hours 12 to 14, with cars and the average total time.
    QChart* chart = w.Chart->chart();
    auto bars = chart->series().value(0);
    QVERIFY(qobject_cast<QBarSeries*>(bars));
    QBarSet* cars = static_cast<QBarSeries*>(bars)->barSets().value(0);
    QCOMPARE(cars->count(), 3);
    QCOMPARE((QList<double>{cars->at(0), cars->at(1), cars->at(2)}), (QList<double>{3, 0, 1}));
    auto* average = qobject_cast<QLineSeries*>(chart->series().value(1));
    QVERIFY(average);
    QCOMPARE(average->points(), (QList<QPointF>{{0, 460.0 / 3}, {2, 300}}));
    QVERIFY(average->pointsVisible()); // a single hour has no line to draw

    // A looser goal: fewer slower cars, kept in zr.ini.
    w.Goal->setValue(250);
    QCOMPARE(goalColumn(), QStringList({"", "", "", "Slower than goal"}));
    QCOMPARE(w.Summary->item(0, 6)->text(), QString());
    QCOMPARE(FrontEndSettings::TotalTimeGoal(h.app.paths), 250);
    frmStats again(h.main);
    QCOMPARE(again.Goal->value(), 250);
    // Before any car is marked, the goal column has room for the mark.
    QVERIFY(again.Statistics->columnWidth(PadReport::ColumnCount) >
            again.Statistics->fontMetrics().horizontalAdvance(ReportModel::SlowerThanGoal));

    // The speed of service tab exports its table.
    w.Views->setCurrentIndex(1);
    h.dialogs.saves << h.app.path("sos-summary.csv");
    w.Export->click();
    QCOMPARE(h.dialogs.saved.last().folder, h.app.path("sos-summary.csv"));
    const QStringList lines =
        QString::fromLatin1(h.app.read("sos-summary.csv")).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 8);
    QCOMPARE(lines[0], "Period,Cars,Greet,Pad1,Pad2,Total,Goal");
    QCOMPARE(lines[7], "14:00,1,10.0,30.0,40.0,300.0,Slower than goal");
}

void TestReportWindows::goalSurvivesRewritesOfZrIni() {
    GuiHarness h;
    h.app.notFirstRun();
    QCOMPARE(FrontEndSettings::TotalTimeGoal(h.app.paths), 180);
    FrontEndSettings::SaveTotalTimeGoal(h.app.paths, 95);
    FrontEndSettings::SaveTotalTimeGoal(h.app.paths, 120); // replaces the line
    QCOMPARE(h.app.read("zr.ini").count("total_time_goal"), 1);
    FrontEndSettings::SaveCommSettings(h.app.paths, {});
    QCOMPARE(FrontEndSettings::TotalTimeGoal(h.app.paths), 120);
    QVERIFY(h.app.read("zr.ini").startsWith("# Configuration settings"));

    // A first run asked for by zr.ini rewrites it with its defaults and the goal.
    QByteArray ini = h.app.read("zr.ini");
    ini.replace("FirstRun = no", "FirstRun = yes");
    h.app.write("zr.ini", ini);
    QVERIFY(FrontEndSettings::FirstRun(h.app.paths));
    QCOMPARE(FrontEndSettings::TotalTimeGoal(h.app.paths), 120);
    QVERIFY(!FrontEndSettings::FirstRun(h.app.paths));

    // Without zr.ini, saving the goal still leaves the next start a first run.
    QFile::remove(h.app.path("zr.ini"));
    FrontEndSettings::SaveTotalTimeGoal(h.app.paths, 60);
    QVERIFY(FrontEndSettings::FirstRun(h.app.paths));
    QCOMPARE(FrontEndSettings::TotalTimeGoal(h.app.paths), 60);

    // Values that are no goal give the default.
    for (const char* bad : {"0", "-5", "abc", "", "90000"}) {
        h.app.write("zr.ini", QByteArray("FirstRun = no\r\ntotal_time_goal = ") + bad + "\r\n");
        QCOMPARE(FrontEndSettings::TotalTimeGoal(h.app.paths), 180);
    }
    h.app.write("zr.ini", "FirstRun = no\r\ntotal_time_goal = \"200\"\r\n");
    QCOMPARE(FrontEndSettings::TotalTimeGoal(h.app.paths), 200);
}

void TestReportWindows::exportDialog() {
    GuiHarness h;
    h.main.Profile().setID("North");
    frmTrackPop w(h.main);
    w.Export->click(); // nothing loaded, cancelled: nothing written
    QCOMPARE(h.dialogs.saved.size(), 1);
    QCOMPARE(h.dialogs.saved[0].title, "Export to CSV:");
    QCOMPARE(h.dialogs.saved[0].folder, h.app.path("Profiles/North/Stats/Pop/frmTrackPop.csv"));
    QCOMPARE(h.dialogs.saved[0].filter, "CSV files (*.csv)");
    QVERIFY(!h.app.exists("Profiles/North/Stats/Pop/frmTrackPop.csv"));

    // A file that cannot be written: the error is shown and the window stays.
    h.dialogs.saves << h.app.path("no/such/folder/x.csv");
    w.Export->click();
    QCOMPARE(h.prompts.informed.size(), 1);
    QCOMPARE(h.prompts.informed[0].title, "Error");

    // Bytes of the file come back unchanged in the export.
    h.app.write("pop.txt", "\"p\xe9riode\",\"caf\x80.jpg\",1,2\r\n");
    h.dialogs.files << h.app.path("pop.txt");
    w.FileSelect->click();
    QCOMPARE(cell(w, 0, 2), QString::fromUtf8("caf\u20ac.jpg")); // shown as Windows text
    h.dialogs.saves << h.app.path("pop.csv");
    w.Export->click();
    QCOMPARE(h.app.read("pop.csv"), QByteArray("Record #,Period Ending,Graphic Name,Display Count,Hit Count\n"
                                               "1,p\xe9riode,caf\x80.jpg,1,2\n"));
}

void TestReportWindows::menuEntriesOpenTheWindows_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QByteArray>("kept"); // the line of zr.ini with the window's size
    QTest::addColumn<QSize>("opens");     // none: at the width of its columns, within the main window
    QTest::newRow("pop") << "mnuReportPopTrack" << "frmTrackPop" << "track.txt" << QByteArray() << QSize();
    QTest::newRow("suggestive sell, at its kept size")
        << "mnuReportSuggSellSumm" << "frmTrackSuggestiveSell" << "track.txt"
        << QByteArray("window_size_frmtracksuggestivesell = 700x450") << QSize(700, 450);
    QTest::newRow("pad, wider than the main window")
        << "mnuEditStatistics" << "frmStats" << "lane.pad" << QByteArray() << QSize();
    QTest::newRow("ascii pad, a kept size that is none")
        << "mnuASCIIPad" << "frmASCIIPad" << "ascii.pad" << QByteArray("window_size_frmasciipad = 0x450")
        << QSize();
}

// Each report opens at a size that shows its columns, also once a file is
// read, or at the size the user last gave it, which zr.ini keeps from the
// first resize on.
void TestReportWindows::menuEntriesOpenTheWindows() {
    QFETCH(QString, entry);
    QFETCH(QString, window);
    QFETCH(QString, data);
    QFETCH(QByteArray, kept);
    QFETCH(QSize, opens);
    GuiHarness h;
    addProgramWindows(h.main);
    h.main.Profile().setID("North");
    h.app.write("zr.ini", "FirstRun = no\r\n" + kept + "\r\n");
    h.app.write(data, testData("stats/" + data));
    const QByteArray ini = h.app.read("zr.ini");
    h.main.resize(1024, 720);
    h.main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.main));
    const auto open = [&] {
        auto* action = h.main.findChild<QAction*>(entry);
        if (action && action->isEnabled()) action->trigger();
        return h.main.ChildWindows().value(window).data();
    };
    const auto close = [&](QMdiSubWindow* sub) {
        sub->close();
        QTRY_VERIFY(h.main.ChildWindows().isEmpty());
    };
    QMdiSubWindow* sub = open();
    QVERIFY(sub);
    const QSize room = h.main.mdiArea()->viewport()->size();
    const auto* list = sub->widget()->findChild<QTreeView*>();
    const auto showsColumns = [&] {
        return list->header()->length() <= list->viewport()->width() || sub->width() == room.width();
    };
    if (opens.isValid()) {
        QCOMPARE(sub->size(), opens);
    } else {
        QVERIFY(showsColumns());
        h.dialogs.files << h.app.path(data);
        static_cast<ReportWindow*>(sub->widget())->FileSelect->click();
        QTRY_VERIFY(showsColumns());
        QVERIFY(sub->width() <= room.width() && sub->height() <= room.height());
    }
    close(sub);
    QCOMPARE(h.app.read("zr.ini"), ini);

    sub = open();
    sub->resize(sub->size() - QSize(60, 40));
    const QSize given = sub->size();
    close(sub);
    sub = open();
    QCOMPARE(sub->size(), given);
    QCOMPARE(FrontEndSettings::WindowSize(h.app.paths, window), given);
    QCOMPARE(h.app.read("zr.ini").count("window_size_"), 1);
}

QTEST_MAIN(TestReportWindows)
#include "tst_reportwindows.moc"
