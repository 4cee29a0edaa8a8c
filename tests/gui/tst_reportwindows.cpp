// The four statistics report windows.

#include "GuiHarness.h"
#include "app/FrontEndSettings.h"
#include "reports/PadReport.h"
#include "reports/ReportModel.h"
#include "reports/frmASCIIPad.h"
#include "reports/frmFleetSpeed.h"
#include "reports/frmStats.h"
#include "reports/frmTrackPop.h"
#include "reports/frmTrackSuggestiveSell.h"

#include <QAbstractItemModelTester>
#include <QtCharts>
#include <QtWidgets>

using namespace zr;
using namespace zr::test;

namespace {

// A car on the pads: arrives at `at`, greeted after 10 s, leaves pad 2 after `total` seconds.
QByteArray car(int check, const QDateTime& at, int total) {
    const auto t = [&](int s) { return at.addSecs(s).toString("M/d/yyyy H:mm:ss").toLatin1(); };
    const QByteArray n = QByteArray::number(check);
    return "1," + n + ',' + t(0) + ',' + t(30) + ',' + t(10) + ',' + t(25) + ",1000\r\n" + "2," + n + ',' +
           t(total - 40) + ',' + t(total) + ",," + t(total - 20) + ",1000\r\n";
}

QStringList csvLines(const QByteArray& bytes) {
    return QString::fromLatin1(bytes).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class TestReportWindows : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void speedOfServiceAndGoal() {
        GuiHarness h;
        h.main.Profile().setID("North");
        // Friday's lunch starts at 12:05 in this profile, Saturday's at the usual time.
        h.main.Profile().Week("fri")->Day("lunch")->StartTime = QTime(12, 5);
        const QDate friday(2026, 12, 4), saturday(2026, 12, 5);
        const QByteArray cars =
            car(1, QDateTime(friday, QTime(12, 0)), 200) + car(2, QDateTime(friday, QTime(12, 10)), 100) +
            car(3, QDateTime(saturday, QTime(12, 0)), 160) + car(4, QDateTime(saturday, QTime(14, 30)), 300);
        h.app.write("sos.pad", cars);
        frmStats w(h.main);
        h.dialogs.files << h.app.path("sos.pad");
        w.FileSelect->click();
        w.Views->setCurrentIndex(1); // the speed of service tab exports its table
        h.dialogs.saves << h.app.path("sos-summary.csv");
        w.Export->click();
        QCOMPARE(csvLines(h.app.read("sos-summary.csv")),
                 QStringList({"Period,Cars,Greet,Pad1,Pad2,Total,Goal",
                              "All,4,10.0,30.0,40.0,190.0,Slower than goal",
                              "Breakfast,1,10.0,30.0,40.0,200.0,Slower than goal",
                              "Lunch,3,10.0,30.0,40.0,186.7,Slower than goal", "Dinner,0,-,-,-,-,",
                              "Closed,0,-,-,-,-,", "12:00,3,10.0,30.0,40.0,153.3,",
                              "14:00,1,10.0,30.0,40.0,300.0,Slower than goal"}));
        const auto marks = [&] {
            QString out;
            for (int r = 0; r < w.model().rowCount(); ++r)
                out += w.model().index(r, PadReport::ColumnCount).data().toString() + '|';
            return out;
        };
        QCOMPARE(marks(), "Slower than goal|||Slower than goal|");
        // Chart: the hours 12 to 14, with cars and the average total time; a lone hour shows its point.
        const auto* bars = qobject_cast<QBarSeries*>(w.Chart->chart()->series().value(0));
        QVERIFY(bars && bars->barSets().value(0)->count() == 3 && bars->barSets().value(0)->at(1) == 0);
        const auto* average = qobject_cast<QLineSeries*>(w.Chart->chart()->series().value(1));
        QVERIFY(average && average->pointsVisible());
        QCOMPARE(average->points(), (QList<QPointF>{{0, 460.0 / 3}, {2, 300}}));
        w.Goal->setValue(250); // a looser goal: fewer slower cars, kept in zr.ini
        QCOMPARE(marks(), "|||Slower than goal|");
        QCOMPARE(w.Summary->item(0, 6)->text(), QString());
        QCOMPARE(frmStats(h.main).Goal->value(), 250);
    }

    void goalKeptInZrIni_data() {
        QTest::addColumn<QByteArray>("goal"); // the value in zr.ini; none: no zr.ini
        QTest::addColumn<int>("read");
        // clang-format off
        QTest::newRow("no zr.ini") << QByteArray() << 180;
        QTest::newRow("a goal") << QByteArray("120") << 120;
        QTest::newRow("in quotes") << QByteArray("\"200\"") << 200;
        QTest::newRow("one second") << QByteArray("1") << 1;
        QTest::newRow("a day") << QByteArray("86400") << 86400;
        QTest::newRow("over a day") << QByteArray("86401") << 180;
        QTest::newRow("zero") << QByteArray("0") << 180;
        QTest::newRow("negative") << QByteArray("-5") << 180;
        QTest::newRow("no number") << QByteArray("abc") << 180;
        QTest::newRow("empty") << QByteArray("") << 180;
        // clang-format on
    }
    void goalKeptInZrIni() {
        QFETCH(QByteArray, goal);
        TempApp app;
        if (!goal.isNull()) app.write("zr.ini", "FirstRun = no\r\ntotal_time_goal = " + goal + "\r\n");
        QTEST(FrontEndSettings::TotalTimeGoal(app.paths), "read");
        // Saving replaces the line, and without zr.ini the next start is still a first run.
        FrontEndSettings::SaveTotalTimeGoal(app.paths, 95);
        FrontEndSettings::SaveTotalTimeGoal(app.paths, 60);
        QCOMPARE(FrontEndSettings::TotalTimeGoal(app.paths), 60);
        QCOMPARE(app.read("zr.ini").count("total_time_goal"), 1);
        QCOMPARE(FrontEndSettings::FirstRun(app.paths), goal.isNull());
    }

    void windows_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("file"); // below the profile, where the file dialog opens
        QTest::addColumn<QString>("shown");   // captions, file filter, rows and the last column
        QTest::addColumn<QByteArray>("kept"); // the line of zr.ini with the window's size
        QTest::addColumn<QSize>("opens");     // none: at the width of its columns, within the main window
        // clang-format off
        QTest::newRow("pop") << "mnuReportPopTrack" << "frmTrackPop" << "Stats/Pop/track.txt" << "Track POP|Pop Summary Report|*.txt|2|Hit Count" << QByteArray() << QSize();
        QTest::newRow("suggestive sell, at its kept size") << "mnuReportSuggSellSumm" << "frmTrackSuggestiveSell" << "Stats/Sugg/track.txt" << "Track Suggestive Sell|Suggestive Sell Summary Report|*.txt|2|Hit Count" << QByteArray("window_size_frmtracksuggestivesell = 700x450") << QSize(700, 450);
        QTest::newRow("pad, wider than the main window, with the goal") << "mnuEditStatistics" << "frmStats" << "Stats/lane.pad" << "Statistics|Pad Summary Report|*.pad;;*.txt|3|Goal" << QByteArray() << QSize();
        QTest::newRow("ascii pad, a kept size that is none") << "mnuASCIIPad" << "frmASCIIPad" << "Stats/ascii.pad" << "ASCII Pad Data|ASCII Pad Summary Report|*.pad;;*.txt|2|Order Total" << QByteArray("window_size_frmasciipad = 0x450") << QSize();
        // clang-format on
    }
    // Each report opens from its menu entry at a size that shows its columns,
    // also once a file is read, or at the size the user last gave it, kept from
    // the first resize on. It shows what the file gives, and exports its list.
    void windows() {
        QFETCH(QString, entry);
        QFETCH(QString, window);
        QFETCH(QString, file);
        QFETCH(QSize, opens);
        QFETCH(QByteArray, kept);
        GuiHarness h;
        addProgramWindows(h.main);
        h.main.Profile().setID("North");
        const QByteArray ini = "FirstRun = no\r\n" + kept + "\r\n";
        h.app.write("zr.ini", ini);
        h.app.write("Profiles/North/" + file, testData("stats/" + QFileInfo(file).fileName()));
        file = h.app.path("Profiles/North/" + file);
        h.main.resize(1024, 720);
        h.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.main));
        const auto open = [&] {
            h.main.findChild<QAction*>(entry)->trigger();
            return h.main.ChildWindows().value(window).data();
        };
        const auto close = [&](QMdiSubWindow* sub) {
            sub->close();
            QTRY_VERIFY(h.main.ChildWindows().isEmpty());
        };
        QMdiSubWindow* sub = open();
        auto* w = static_cast<ReportWindow*>(sub->widget());
        new QAbstractItemModelTester(&w->model(), QAbstractItemModelTester::FailureReportingMode::QtTest, w);
        const QSize room = h.main.mdiArea()->viewport()->size();
        const auto* list = w->findChild<QTreeView*>();
        const auto fits = [&] {
            return (list->header()->length() <= list->viewport()->width() || sub->width() == room.width()) &&
                   sub->width() <= room.width() && sub->height() <= room.height();
        };
        QVERIFY(opens.isValid() ? sub->size() == opens : fits());
        h.dialogs.files << file;
        w->FileSelect->click();
        w->FileSelect->click(); // cancelled: the report stays as it was
        QTRY_VERIFY(opens.isValid() ? sub->size() == opens : fits());
        QCOMPARE(h.dialogs.opened.value(1).title + h.dialogs.opened[1].folder,
                 "Open Statistics:" + QFileInfo(file).path() + '/');
        QStringList header;
        for (int c = 0; c < w->model().columnCount(); ++c)
            header << w->model().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        QTEST(QStringList({w->windowTitle(), w->Title->text(), h.dialogs.opened[0].filter,
                           QString::number(w->model().rowCount()), header.last()})
                  .join('|'),
              "shown");
        h.dialogs.saves << h.app.path("report"); // no suffix: ".csv" is added
        w->Export->click();
        QCOMPARE(h.dialogs.saved.value(0).folder, file.left(file.lastIndexOf('.')) + ".csv");
        const QStringList lines = csvLines(h.app.read("report.csv"));
        QCOMPARE(lines.value(0), header.join(','));
        QCOMPARE(lines.size(), w->model().rowCount() + 1);
        QVERIFY(h.prompts.informed.isEmpty());
        close(sub);
        QCOMPARE(h.app.read("zr.ini"), ini); // not resized: nothing kept
        sub = open();
        sub->resize(sub->size() - QSize(60, 40));
        const QSize given = sub->size();
        close(sub);
        QCOMPARE(open()->size(), given);
        QCOMPARE(h.app.read("zr.ini").count("window_size_"), 1);
    }

    // The fleet window from its menu entry: every store, sorted by a column as numbers (1000 after 210),
    // the chart in the same order with the goal line, and the export in that order.
    void fleetSpeed() {
        GuiHarness h;
        addProgramWindows(h.main);
        h.main.Profile().setID("North");
        h.profileFolder("South", "127.0.0.2");
        h.app.write("Profiles/North/Stats/Pad/lane.txt", testData("stats/lane.pad"));
        h.app.write("Profiles/West/Stats/Pad/w.pad", car(1, QDateTime(QDate(2026, 12, 4), QTime(12, 0)), 1000));
        h.main.findChild<QAction*>("mnuReportFleetSpeed")->trigger();
        auto* w = qobject_cast<frmFleetSpeed*>(h.main.ChildWindows().value("frmFleetSpeed")->widget());
        QVERIFY(w);
        new QAbstractItemModelTester(&w->sorted(), QAbstractItemModelTester::FailureReportingMode::QtTest, w);
        w->Stores->sortByColumn(6, Qt::DescendingOrder);
        auto* x = qobject_cast<QBarCategoryAxis*>(w->Chart->chart()->axes(Qt::Horizontal).value(0));
        QVERIFY(x);
        QCOMPARE(x->categories(), QStringList({"West", "North", "South"}));
        auto* goal = qobject_cast<QLineSeries*>(w->Chart->chart()->series().value(1));
        QVERIFY(goal && goal->at(0).y() == 180);
        h.dialogs.saves << h.app.path("fleet.csv");
        w->Export->click();
        const QStringList lines = csvLines(h.app.read("fleet.csv"));
        QCOMPARE(lines.size(), 4);
        QVERIFY2(lines[1].startsWith("West,1,1,10.0,30.0,40.0,1000.0,100.0,0,,,,,,1,") && lines[2].startsWith("North,1,3,") && lines[3].startsWith("South,0,0,"), qPrintable(lines.join('\n')));
        w->chkFrom->setChecked(true);
        w->From->setDate(QDate(2026, 12, 5)); // no car since: West has none left
        QCOMPARE(w->model().report().text(2, 2), QString("0"));
        QVERIFY(h.prompts.informed.isEmpty());
    }
};

QTEST_MAIN(TestReportWindows)
#include "tst_reportwindows.moc"
