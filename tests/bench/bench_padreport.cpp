// A pad file of 100,000 records (50,000 cars over two weeks, check numbers
// wrapping at 1000 so that numbers repeat): first the pad report read from
// disk, then the pad summary window opening it (reading, the list model, the
// speed-of-service summary and chart, and the first paint, offscreen). Prints
// the median of several runs and the resident memory growth of each, and the
// time for a file whose cars all have one check number.

#include "BenchSupport.h"
#include "GuiHarness.h"
#include "reports/PadReport.h"
#include "reports/ReportModel.h"
#include "reports/frmStats.h"

#include <QTreeView>

namespace {

/// Two weeks' cars, one every 24 s from 6:00, each with a pad-1 and a pad-2 record; check numbers
/// wrap at checkNumbers.
QByteArray padFile(int cars, int checkNumbers) {
    const auto stamp = [](const QDateTime& t) { return t.toString("M/d/yyyy H:mm:ss").toLatin1(); };
    QByteArray out;
    QDateTime t(QDate(2026, 11, 2), QTime(6, 0));
    for (int car = 0; car < cars; ++car, t = t.addSecs(24)) {
        const QByteArray n = QByteArray::number(car % checkNumbers + 1);
        const QByteArray cents = QByteArray::number(500 + car % 3000);
        out += "1," + n + ',' + stamp(t) + ',' + stamp(t.addSecs(70)) + ',' + stamp(t.addSecs(12)) + ',' +
               stamp(t.addSecs(60)) + ',' + cents + "\r\n";
        out += "2," + n + ',' + stamp(t.addSecs(100)) + ',' + stamp(t.addSecs(100 + car % 150)) + ",," +
               stamp(t.addSecs(150)) + ',' + cents + "\r\n";
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    zr::test::GuiHarness h;
    h.app.notFirstRun();
    h.app.write("big.pad", padFile(50000, 1000));
    h.app.write("same.pad", padFile(50000, 1));
    QList<double> reads, windows;
    long readGrowth = 0, windowGrowth = 0;
    int rows = 0, shown = 0, problems = 0;
    for (int run = 0; run < 5; ++run) {
        long before = residentKb();
        reads << ms([&] {
            const zr::Report report = zr::PadReport::read(h.app.path("big.pad"));
            rows = report.rowCount();
            problems += report.problems().size();
        });
        readGrowth = std::max(readGrowth, residentKb() - before);

        h.dialogs.files = QStringList{h.app.path("big.pad")};
        zr::frmStats window(h.main);
        window.show();
        QApplication::processEvents();
        before = residentKb();
        windows << ms([&] {
            window.FileSelect_Click();
            window.Statistics->scrollToBottom();
            window.repaint();
            QApplication::processEvents();
        });
        windowGrowth = std::max(windowGrowth, residentKb() - before);
        shown = window.model().rowCount();
    }
    if (problems > 0 || !h.prompts.informed.isEmpty()) return std::printf("the file has problems\n"), 1;
    std::printf("pad file of %lld bytes, 100000 records\npad report: %d rows, %s), resident growth %.1f MB\n",
                static_cast<long long>(h.app.read("big.pad").size()), rows, figures(reads).constData(),
                readGrowth / 1024.0);
    std::printf("pad summary window: %d rows, %s), resident growth %.1f MB\n", shown,
                figures(windows).constData(), windowGrowth / 1024.0);
    const double one = ms([&] { rows = zr::PadReport::read(h.app.path("same.pad")).rowCount(); });
    std::printf("one check number for every car: %d rows, %.1f ms\n", rows, one);
    return 0;
}
