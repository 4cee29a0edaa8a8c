// The menu items editor opened on an items file of 5,000 records, with picture
// catalogues of 200 product shots and 50 ads: the time from opening the
// window to its first row shown. Prints the median of several runs.

#include "app/Clock.h"
#include "app/Dialogs.h"
#include "app/ProgramWindows.h"
#include "app/Prompts.h"
#include "app/frmMain.h"
#include "menu/MenuItemsModel.h"
#include "menu/frmEditMenuItems.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <algorithm>
#include <cstdio>

namespace {

class SilentPrompts : public zr::Prompts {
public:
    zr::Button ask(const QString& title, const QString& text, zr::Buttons) override {
        std::printf("unexpected question: %s %s\n", qPrintable(title), qPrintable(text));
        return zr::Button::No;
    }
    void inform(const QString& title, const QString& text) override {
        std::printf("unexpected message: %s %s\n", qPrintable(title), qPrintable(text));
    }
};

bool pictures(const QString& folder, const QString& stem, int count) {
    QDir().mkpath(folder);
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    for (int n = 0; n < count; ++n)
        if (!image.save(folder + QString("/%1%2.jpg").arg(stem).arg(n), "JPG")) return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;
    const zr::AppPaths paths(dir.path());
    if (!pictures(paths.itemImages(), "item", 200) || !pictures(paths.popImages(), "pop", 50)) return 1;

    constexpr int Records = 5000;
    QByteArray items;
    for (int n = 0; n < Records; ++n)
        items +=
            QString(
                "\"Item %1\",\"Long descriptor of item %1\",\"item%2.jpg\",%3,\"TRUE\",\"%4\",\"FALSE\"\r\n")
                .arg(Records - n)
                .arg(n % 250) // some pictures are missing from the catalogue
                .arg(n % 6 * 10)
                .arg(n % 3 ? QString() : QString("pop%1.jpg").arg(n % 60))
                .toLatin1();
    QDir().mkpath(dir.path() + "/Profiles/Bench/Items");
    QFile file(dir.path() + "/Profiles/Bench/Items/items");
    if (!file.open(QIODevice::WriteOnly) || file.write(items) != items.size()) return 1;
    file.close();

    zr::SystemClock clock;
    SilentPrompts prompts;
    zr::QtDialogs dialogs;
    zr::frmMain main(paths, clock, prompts, dialogs);
    zr::addProgramWindows(main);
    main.Profile().setID("Bench");
    main.show();
    QApplication::processEvents();

    constexpr int Runs = 7;
    QList<double> times;
    int rows = 0;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        main.openWindow("frmEditMenuItems");
        auto* editor = main.findChild<zr::frmEditMenuItems*>();
        if (!editor) return 1;
        QApplication::processEvents(); // laid out and painted
        editor->MenuList->viewport()->repaint();
        times << timer.nsecsElapsed() / 1e6;
        rows = editor->items().rowCount();
        editor->cmd[2]->click();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    if (rows != Records) {
        std::printf("the editor shows %d of %d rows\n", rows, Records);
        return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "menu items editor on %d records, %d runs: median %.1f ms (min %.1f, max %.1f; aim < 500 ms)\n",
        Records, Runs, times.at(Runs / 2), times.first(), times.last());
    return 0;
}
