// The pad summary window opening a pad file of 100,000 records (50,000 cars
// over two weeks): reading, the list model, the speed-of-service summary and
// chart, and the first paint, offscreen. Prints the median of several runs and
// the resident memory growth.

#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/Dialogs.h"
#include "app/Prompts.h"
#include "app/frmMain.h"
#include "reports/ReportModel.h"
#include "reports/frmStats.h"

#include "BenchSupport.h"
#include <QApplication>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeView>
#include <algorithm>
#include <cstdio>

namespace {

QByteArray padFile(int cars) {
    const auto stamp = [](const QDateTime& t) { return t.toString("M/d/yyyy H:mm:ss").toLatin1(); };
    QByteArray out;
    out.reserve(cars * 170);
    QDateTime t(QDate(2026, 11, 2), QTime(6, 0));
    for (int car = 0; car < cars; ++car) {
        const QByteArray n = QByteArray::number(car % 1000 + 1);
        out += "1," + n + ',' + stamp(t) + ',' + stamp(t.addSecs(70)) + ',' + stamp(t.addSecs(12)) + ',' +
               stamp(t.addSecs(60)) + ',' + QByteArray::number(500 + car % 3000) + "\r\n";
        out += "2," + n + ',' + stamp(t.addSecs(100)) + ',' + stamp(t.addSecs(100 + car % 150)) + ",," +
               stamp(t.addSecs(150)) + ',' + QByteArray::number(500 + car % 3000) + "\r\n";
        t = t.addSecs(24);
    }
    return out;
}

class Silent : public zr::Prompts {
public:
    int shown = 0;
    zr::Button ask(const QString&, const QString&, zr::Buttons) override { return zr::Button::Cancel; }
    void inform(const QString&, const QString&) override { ++shown; }
};

class OneFile : public zr::Dialogs {
public:
    QString file;
    QString openFile(QWidget*, const QString&, const QString&, const QString&) override { return file; }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString chooseFolder(QWidget*, const QString&, const QString&) override { return {}; }
    std::optional<QString> inputText(QWidget*, const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;
    {
        QFile f(dir.filePath("zr.ini"));
        if (!f.open(QIODevice::WriteOnly) || f.write("FirstRun = no\r\n") < 0) return 1;
    }
    const QString path = dir.filePath("big.pad");
    {
        QFile f(path);
        const QByteArray bytes = padFile(50000);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) return 1;
        std::printf("pad file: %lld bytes, 100000 records\n", static_cast<long long>(bytes.size()));
    }
    zr::AppPaths paths(dir.path());
    zr::SystemClock clock;
    Silent prompts;
    OneFile dialogs;
    dialogs.file = path;
    zr::frmMain main(paths, clock, prompts, dialogs);

    QList<double> times;
    long growth = 0;
    int rows = 0;
    for (int run = 0; run < 5; ++run) {
        zr::frmStats window(main);
        window.show();
        QApplication::processEvents();
        const long before = residentKb();
        QElapsedTimer timer;
        timer.start();
        window.FileSelect_Click();
        window.Statistics->scrollToBottom();
        window.repaint();
        QApplication::processEvents();
        times << timer.nsecsElapsed() / 1e6;
        growth = std::max(growth, residentKb() - before);
        rows = window.model().rowCount();
        if (prompts.shown > 0) return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("pad summary window: %d rows, median %.1f ms (best %.1f ms), resident growth %.1f MB\n", rows,
                times.at(times.size() / 2), times.first(), growth / 1024.0);
    return 0;
}
