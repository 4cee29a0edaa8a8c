// The statistics report builders: pairing of pad records, durations, money,
// the problem messages with the rows read before them kept, and the CSV of whole files.

#include "TestSupport.h"
#include "reports/AsciiPadReport.h"
#include "reports/FleetReport.h"
#include "reports/PadReport.h"
#include "reports/PadSummary.h"
#include "reports/TrackingReport.h"

using namespace zr;
using namespace zr::PadReport;

namespace {

const QString FileProblem = ReportMessages::FileProblem;
const QString TimeProblem = ReportMessages::TimeFormatProblem;

// A pad record: kind, check, then on, off, start, finish as times of 1/5/2003 (empty stays empty), cents.
QString pad(int kind, int check, const char* on, const char* off, const char* start, const char* finish, qint64 cents) {
    const auto at = [](const char* t) { return *t ? QStringLiteral("1/5/2003 ") + t : QString(); };
    return QStringLiteral("%1,%2,%3,%4,%5,%6,%7\r\n").arg(kind).arg(check).arg(at(on), at(off), at(start), at(finish)).arg(cents);
}
QString o(int check, int cents) { return pad(1, check, "9:00:00", "", "", "", cents); }
QString p2(int check, int cents) { return pad(2, check, "9:05:00", "", "", "", cents); }

enum Builder { Pad, Durations, Tracking, AsciiPad };

} // namespace

class TestReports : public QObject {
    Q_OBJECT
private slots:
    // Rows of a builder, the chosen columns '|' between cells, and its problems.
    void rows_data() {
        QTest::addColumn<int>("builder");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("problems");
        const QString order12 = pad(1, 12, "9:00:00", "9:01:00", "9:00:10", "9:00:50", 1234);
        const QStringList none, bad{FileProblem};
        // clang-format off
        // Pad: Index|Car #|Check #|Order|Tender|Difference
        QTest::newRow("pad 1 and pad 2 of one check") << +Pad << order12 + pad(2, 12, "9:02:00", "9:03:30", "", "9:03:00", 1500) << QStringList{"1|1|12|12.34|15.00|-2.66"} << none;
        QTest::newRow("empty on-pad time: same car") << +Pad << order12 + pad(1, 13, "", "9:01:10", "9:01:00", "9:01:05", 100) << QStringList{"1|1|12|12.34||", "2|1|13|1.00||"} << none;
        QTest::newRow("pad 2 without pad 1: a car of its own") << +Pad << order12 + pad(2, 40, "9:04:00", "9:04:20", "", "9:04:10", 250) << QStringList{"1|1|12|12.34||", "2|2|40| |2.50|-2.50"} << none;
        QTest::newRow("pad 2 row takes the car count as its index") << +Pad << order12 + pad(1, 13, "", "", "", "", 100) + pad(2, 40, "9:04:00", "9:04:20", "", "9:04:10", 250) << QStringList{"1|1|12|12.34||", "2|1|13|1.00||", "2|2|40| |2.50|-2.50"} << none;
        QTest::newRow("second pad 1 of a check goes 100 on with a mark") << +Pad << order12 + pad(1, 12, "9:01:30", "9:02:00", "9:01:35", "9:01:50", 500) + pad(2, 12, "9:02:00", "9:03:30", "", "9:03:00", 1234) + pad(2, 12, "9:03:40", "9:04:00", "", "9:03:50", 600) << QStringList{"1|1|12|12.34|12.34|0.00", "2|2|?112|5.00|6.00|-1.00"} << none;
        QTest::newRow("third pad 1 of a check goes 200 on") << +Pad << order12 + pad(1, 12, "9:01:30", "", "", "", 1) + pad(1, 12, "9:02:30", "", "", "", 2) << QStringList{"1|1|12|12.34||", "2|2|?112|0.01||", "3|3|?212|0.02||"} << none;
        QTest::newRow("full row: pad 2 goes on to the numbered row 100 on") << +Pad << order12 + pad(1, 112, "9:01:30", "", "", "", 700) + pad(2, 12, "9:02:00", "", "", "", 1234) + pad(2, 12, "9:03:00", "", "", "", 700) << QStringList{"1|1|12|12.34|12.34|0.00", "2|2|112|7.00|7.00|0.00"} << none;
        QTest::newRow("pad 2 walks past full rows to a new one") << +Pad << o(12, 1) + o(112, 2) + o(212, 3) + p2(12, 1) + p2(12, 2) + p2(12, 3) + p2(12, 4) << QStringList{"1|1|12|0.01|0.01|0.00", "2|2|112|0.02|0.02|0.00", "3|3|212|0.03|0.03|0.00", "4|4|312| |0.04|-0.04"} << none;
        QTest::newRow("a marked row on a walked number stops the next walk") << +Pad << o(12, 1) + o(112, 2) + p2(12, 1) + p2(12, 2) + o(11, 5) + o(0, 3) + p2(12, 3) << QStringList{"1|1|12|0.01|0.01|0.00", "2|2|112|0.02|0.02|0.00", "3|3|11|0.05||", "4|4|?12|0.03|0.03|0.00"} << none;
        QTest::newRow("missing check numbers follow the last one with a mark") << +Pad << order12 + pad(1, 0, "9:01:30", "", "", "", 500) + pad(2, 12, "9:02:00", "", "", "", 1234) + pad(2, -1, "9:03:00", "", "", "", 500) << QStringList{"1|1|12|12.34|12.34|0.00", "2|2|?13|5.00|5.00|0.00"} << none;
        QTest::newRow("other record kinds are skipped") << +Pad << pad(3, 12, "9:00:00", "", "", "", 1) + order12 + pad(0, 12, "", "", "", "", 1) << QStringList{"1|1|12|12.34||"} << none;
        QTest::newRow("file cut inside a record keeps the rows before") << +Pad << order12 + "2,12,1/5/2003 9:02:00\r\n" << QStringList{"1|1|12|12.34||"} << bad;
        QTest::newRow("a number field that is not a number") << +Pad << order12 + "x,12,,,,,1\r\n" + order12 << QStringList{"1|1|12|12.34||"} << bad;
        QTest::newRow("final blank lines end nothing short") << +Pad << order12 + "\r\n\r\n  \r\n" << QStringList{"1|1|12|12.34||"} << none;
        QTest::newRow("empty pad file") << +Pad << QString() << none << none;
        // Durations: Greet|Pad1 Time|Pad2 Time|Total Time
        QTest::newRow("one car") << +Durations << pad(1, 1, "9:00:00", "9:01:00", "9:00:10", "9:00:50", 1) + pad(2, 1, "9:02:00", "9:03:30", "", "9:03:00", 1) << QStringList{"10|60|90|210"} << none;
        QTest::newRow("across the hour") << +Durations << pad(1, 1, "9:59:50", "10:00:10", "10:00:00", "", 1) << QStringList{"10|20||"} << none;
        QTest::newRow("hours apart count whole") << +Durations << pad(1, 1, "9:00:00", "11:00:00", "9:00:05", "", 1) << QStringList{"5|7200||"} << none;
        QTest::newRow("across midnight") << +Durations << "1,1,1/5/2003 23:59:30,1/6/2003 0:00:15,1/5/2003 23:59:40,,1\r\n2,1,1/6/2003 0:01:00,1/6/2003 0:02:00,,,1\r\n" << QStringList{"10|45|60|150"} << none;
        QTest::newRow("running backwards") << +Durations << pad(1, 1, "9:00:10", "9:00:05", "9:00:00", "", 1) << QStringList{"-10|-5||"} << none;
        QTest::newRow("later rows measure from the last arrival") << +Durations << pad(1, 1, "9:00:00", "9:00:30", "9:00:10", "", 1) + pad(1, 2, "", "9:01:00", "9:00:40", "", 1) + pad(2, 2, "9:02:00", "9:02:30", "", "", 1) + pad(2, 1, "", "9:03:00", "", "", 1) << QStringList{"10|30|60|180", "40|60|30|150"} << none;
        QTest::newRow("empty times leave blanks") << +Durations << pad(1, 1, "", "9:01:00", "", "", 1) + pad(2, 1, "", "", "", "", 1) << QStringList{" | | | "} << none;
        QTest::newRow("unreadable stamps: blanks and one message") << +Durations << "1,1,9:00:00,1/5/2003 9:01:00,1/5/2003 9:00:10,,1\r\n1,2,1/5/2003 9:00:00,1/5/2003 9:x:00,13/1/2003 9:00:10,,1\r\n2,2,1/5/2003 9:02:00,1/5/2003 9:02:30,,,1\r\n" << QStringList{" | ||", " | |30|150"} << QStringList{TimeProblem};
        // Tracking: all five columns
        QTest::newRow("records as read") << +Tracking << "\"12/31/2002\",\"pop1.jpg\",120,7\r\nP2, Pop 2.jpg ,x,\r\n" << QStringList{"1|12/31/2002|pop1.jpg|120|7", "2|P2|Pop 2.jpg|x|"} << none;
        QTest::newRow("a record across lines") << +Tracking << "a,b\r\nc,d\r\n" << QStringList{"1|a|b|c|d"} << none;
        QTest::newRow("a quoted field across CR LF") << +Tracking << "\"12/31/2002\",\"Great\r\nDeal.jpg\",120,7\r\nP2,p.jpg,1,2\r\n" << QStringList{"1|12/31/2002|Great\r\nDeal.jpg|120|7", "2|P2|p.jpg|1|2"} << none;
        QTest::newRow("a quoted field across LF") << +Tracking << "a,\"b\n\nc\",3,4\ne,f,g,h\n" << QStringList{"1|a|b\n\nc|3|4", "2|e|f|g|h"} << none;
        QTest::newRow("an unclosed quote runs to the end of the file") << +Tracking << "a,b,c,d\r\ne,\"f,g,h\r\n" << QStringList{"1|a|b|c|d"} << bad;
        QTest::newRow("an unclosed quote in the last field takes the line end") << +Tracking << "a,b,c,d\r\ne,f,g,\"h\r\n" << QStringList{"1|a|b|c|d", "2|e|f|g|h\r\n"} << none;
        QTest::newRow("short last line") << +Tracking << "a,b,c,d\r\ne,f\r\n" << QStringList{"1|a|b|c|d"} << bad;
        QTest::newRow("blank lines at the end") << +Tracking << "a,b,c,d\n\n\n" << QStringList{"1|a|b|c|d"} << none;
        // ASCII pad: all six columns
        QTest::newRow("empty time cell, cents") << +AsciiPad << "7,1/5/2003 9:00:00,1/5/2003 9:01:00,,9:00:50,1234\r\n" << QStringList{"7|1/5/2003 9:00:00|1/5/2003 9:01:00||9:00:50|12.34"} << none;
        QTest::newRow("bad car number") << +AsciiPad << "7,a,b,c,d,1\r\nx,a,b,c,d,1\r\n" << QStringList{"7|a|b|c|d|0.01"} << bad;
        QTest::newRow("a quoted field across CR LF is one record") << +AsciiPad << "7,\"a\r\nb\",c,d,e,1\r\n8,a,b,c,d,2\r\n" << QStringList{"7|a\r\nb|c|d|e|0.01", "8|a|b|c|d|0.02"} << none;
        QTest::newRow("cut short") << +AsciiPad << "7,a,b,c,d,1\r\n8,a,b\r\n" << QStringList{"7|a|b|c|d|0.01"} << bad;
        // clang-format on
    }
    void rows() {
        QFETCH(int, builder);
        QFETCH(QString, file);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, problems);
        const QString text = StatsText::withoutTrailingBlankLines(file);
        const Report report = builder == Tracking ? TrackingReport::build(text) : builder == AsciiPad ? AsciiPadReport::build(text) : build(text);
        const QList<int> columns = builder == Pad ? QList<int>{Index, Car, Check, OrderTotal, TenderTotal, TotalDifference}
                                 : builder == Durations ? QList<int>{GreetTime, Pad1Time, Pad2Time, TotalTime}
                                                        : QList<int>{0, 1, 2, 3, 4, 5}.mid(0, report.columnCount());
        QStringList got;
        for (int r = 0; r < report.rowCount(); ++r) {
            QStringList cells;
            for (int c : columns)
                cells << report.text(r, c);
            got << cells.join('|');
        }
        QCOMPARE(got, expected);
        QCOMPARE(report.problems(), problems);
    }

    void padHiddenValues() {
        const Report r = build(pad(1, 5, "9:00:00", "9:01:00", "9:00:10", "9:00:50", 1234) + pad(2, 5, "9:02:00", "9:03:30", "", "9:03:00", -66));
        QCOMPARE(r.columns().size(), 17);
        QCOMPARE(r.cell(0, OrderTotal), QString());
        QCOMPARE(r.value(0, OrderTotal), 1234);
        QCOMPARE(r.value(0, TotalDifference), 1300);
        QCOMPARE(r.value(0, TotalTime), 210);
        QCOMPARE(r.value(0, OnPad2) - r.value(0, OnPad1), 120);
        QCOMPARE(r.cell(0, OnPad1), QString("1/5/2003 9:00:00"));
        QCOMPARE(r.text(0, TenderTotal), QString("-0.66"));
        for (const auto& [cents, text] : std::initializer_list<std::pair<qint64, QString>>{{-500, "-5.00"}, {-5, "-0.05"}, {0, "0.00"}, {123456789012, "1234567890.12"}})
            QCOMPARE(centsText(cents), text);
    }

    // Whole statistics files against the CSV the program gives for them.
    void golden_data() {
        QTest::addColumn<int>("builder");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("csv");
        QTest::newRow("pad") << +Pad << "lane.pad" << "lane.csv";
        QTest::newRow("ascii pad") << +AsciiPad << "ascii.pad" << "ascii.csv";
        QTest::newRow("tracking, a quoted comma") << +Tracking << "track.txt" << "track.csv";
    }
    void golden() {
        QFETCH(int, builder);
        QFETCH(QString, file);
        QFETCH(QString, csv);
        const QString path = QStringLiteral(ZR_TEST_DATA) + "/stats/" + file;
        const Report r = builder == Pad ? PadReport::read(path) : builder == AsciiPad ? AsciiPadReport::read(path) : TrackingReport::read(path);
        QCOMPARE(r.toCsv().toUtf8(), zr::test::testData("stats/" + csv));
        QCOMPARE(r.problems(), QStringList());
    }

    void summary_data() {
        QTest::addColumn<int>("group"); // 0 overall, 1 to 4 the day parts, 5 + h the hour h
        QTest::addColumn<qint64>("cars");
        QTest::addColumn<QString>("greet");
        QTest::addColumn<QString>("total");
        QTest::newRow("overall") << 0 << qint64(6) << "10.0" << "280.0";
        QTest::newRow("breakfast: Friday 10:30 and Saturday 11:30") << 1 << qint64(2) << "10.0" << "150.0";
        QTest::newRow("lunch: Saturday 12:30") << 2 << qint64(1) << "10.0" << "500.0";
        QTest::newRow("dinner: none") << 3 << qint64(0) << "-" << "-";
        QTest::newRow("closed: Friday 22:30, Saturday 1:00 and a pickup-only car") << 4 << qint64(3) << "10.0" << "300.0";
        QTest::newRow("hour 10: a car with two orders counts once") << 5 + 10 << qint64(1) << "10.0" << "100.0";
        QTest::newRow("hour 1") << 5 + 1 << qint64(1) << "10.0" << "400.0";
        QTest::newRow("hour 23: the pickup-only car") << 5 + 23 << qint64(1) << "-" << "-";
    }
    void summary() {
        QFETCH(int, group);
        QFETCH(qint64, cars);
        QFETCH(QString, greet);
        QFETCH(QString, total);
        // A car arriving at the time given, greeted after 10 s, leaving pad 2 after the total time.
        const auto car = [](int check, const QString& day, const QTime& at, int totalSeconds) {
            const auto t = [&](int s) { return day + ' ' + at.addSecs(s).toString("H:mm:ss"); };
            return QStringLiteral("1,%1,%2,%3,%4,,0\r\n2,%1,%5,%6,,,0\r\n").arg(check).arg(t(0), t(30), t(10), t(totalSeconds - 20), t(totalSeconds));
        };
        const QString friday = "12/4/2026", saturday = "12/5/2026";
        const QString file = car(1, friday, {10, 30}, 100) + "1,9,,12/4/2026 10:31:00,12/4/2026 10:30:40,,0\r\n" + car(2, friday, {22, 30}, 200) + car(3, saturday, {1, 0}, 400) +
                             car(4, saturday, {11, 30}, 200) + car(5, saturday, {12, 30}, 500) + "2,77,12/5/2026 23:00:00,12/5/2026 23:01:00,,,0\r\n";
        ScheduleStarts starts;
        starts[1] = {{7, 0}, {11, 0}, {17, 0}, {22, 0}};
        starts[2] = {{8, 0}, {12, 0}, {18, 0}, {22, 45}};
        const PadSummary s = summarize(build(file), starts);
        const SpeedOfService& g = group == 0 ? s.overall : group <= 4 ? s.dayParts[group - 1] : s.hours[group - 5];
        const auto figure = [](std::optional<double> v) { return v ? QString::number(*v, 'f', 1) : QString("-"); };
        QCOMPARE(g.cars, cars);
        QCOMPARE(figure(g.average(SpeedOfService::Greet)), greet);
        QCOMPARE(figure(g.average(SpeedOfService::Total)), total);
    }

    // Every store's pad files summed as they are read: Store, Files, then Cars, Greet, Pad1, Pad2, Total and
    // Over Goal % overall and for Breakfast, Lunch, Dinner and Closed. North has the files, South none.
    void fleet_data() {
        QTest::addColumn<QStringList>("files"); // path below North's folder, then its text, and so on
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QStringList>("expected");
        const auto t = [](const QString& day, const QTime& at, int s) { return day + ' ' + at.addSecs(s).toString("H:mm:ss"); };
        // Greeted after 10 s, off pad 1 after 30, on pad 2 for the last 20 s of the total time.
        const auto car = [&](int check, const QString& day, const QTime& at, int total) {
            return QStringLiteral("1,%1,%2,%3,%4,,0\r\n2,%1,%5,%6,,,0\r\n").arg(check).arg(t(day, at, 0), t(day, at, 30), t(day, at, 10), t(day, at, total - 20), t(day, at, total));
        };
        const QString fri = "12/4/2026", sat = "12/5/2026";
        const QString friday = car(1, fri, {10, 30}, 100) + "1,9,,12/4/2026 10:31:00,12/4/2026 10:30:40,,0\r\n" + car(2, fri, {22, 30}, 200);
        const QString saturday = car(3, sat, {1, 0}, 400) + car(4, sat, {11, 30}, 200) + car(5, sat, {12, 30}, 500) + "2,77,12/5/2026 23:00:00,12/5/2026 23:01:00,,,0\r\n";
        const QString none = ",0,,,,,";
        const QString south = "South,0,0,,,,," + none + none + none + none;
        const QString pads = "Stats/Pad/";
        // clang-format off
        QTest::newRow("a fetched and a converted file; an order row without its own arrival; a pickup alone") << QStringList{pads + "drive_1.txt", friday, pads + "0412.zrs.pad", saturday, pads + "0412.zrs", "binary, not read"} << QDate() << QDate()
            << QStringList{"North,2,6,10.0,30.0,26.7,280.0,80.0" + none + ",3,10.0,30.0,20.0,266.7,66.7,1,10.0,30.0,20.0,200.0,100.0,2,10.0,30.0,40.0,400.0,100.0", south};
        QTest::newRow("from a day: the car at 1:00 counts on its own date") << QStringList{pads + "a.txt", friday, pads + "b.txt", saturday} << QDate(2026, 12, 5) << QDate()
            << QStringList{"North,2,4,10.0,30.0,30.0,366.7,100.0" + none + ",2,10.0,30.0,20.0,350.0,100.0" + none + ",2,10.0,30.0,40.0,400.0,100.0", south};
        QTest::newRow("to a day") << QStringList{pads + "a.txt", friday + saturday} << QDate() << QDate(2026, 12, 4)
            << QStringList{"North,1,2,10.0,30.0,20.0,150.0,50.0" + none + ",1,10.0,30.0,20.0,100.0,0.0,1,10.0,30.0,20.0,200.0,100.0" + none, south};
        QTest::newRow("the store's own day parts") << QStringList{pads + "a.txt", friday, "Config/zr.conf", "tod_fri_lunch = 11:00\r\ntod_fri_dinner = 23:00\r\n"} << QDate() << QDate()
            << QStringList{"North,1,2,10.0,30.0,20.0,150.0,50.0,1,10.0,30.0,20.0,100.0,0.0,1,10.0,30.0,20.0,200.0,100.0" + none + none, south};
        QTest::newRow("a file cut short keeps the cars before") << QStringList{pads + "a.txt", friday + "1,3,12/4/2026"} << QDate() << QDate()
            << QStringList{"North,1,2,10.0,30.0,20.0,150.0,50.0" + none + ",1,10.0,30.0,20.0,100.0,0.0,1,10.0,30.0,20.0,200.0,100.0" + none, south, "North: a.txt: " + FileProblem};
        // clang-format on
    }
    void fleet() {
        QFETCH(QStringList, files);
        zr::test::TempApp app;
        app.write("Profiles/South/Config.conf", "IP = 127.0.0.2\r\n");
        for (int i = 0; i + 1 < files.size(); i += 2)
            app.write("Profiles/North/" + files[i], files[i + 1].toLatin1());
        zr::test::ScriptedPrompts prompts;
        FleetReport::Options options;
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        options.from = from;
        options.to = to;
        Report report = FleetReport::emptyReport();
        QStringList got = FleetReport::read(app.paths, prompts, options, [&](const FleetReport::Store& store) { FleetReport::addRow(report, store); });
        for (int r = report.rowCount() - 1; r >= 0; --r)
            got.prepend(report.csvLine(r).chopped(1));
        QTEST(got, "expected");
        QCOMPARE(report.csvHeader().count(',') + 1, 32);
    }
};

QTEST_GUILESS_MAIN(TestReports)
#include "tst_reports.moc"
