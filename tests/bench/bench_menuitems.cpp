// The menu items editor opened on an items file of 5,000 records, with picture
// catalogues of 200 product shots and 50 ads: the time from opening the
// window to its first row shown. Prints the median of several runs.

#include "BenchSupport.h"
#include "GuiHarness.h"
#include "menu/MenuItemsModel.h"
#include "menu/frmEditMenuItems.h"

#include <QImage>
#include <QPushButton>
#include <QTreeView>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    zr::test::GuiHarness h;
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QDir().mkpath(h.app.paths.itemImages()), QDir().mkpath(h.app.paths.popImages());
    for (int n = 0; n < 200; ++n) {
        image.save(h.app.paths.itemImages() + QString("/item%1.jpg").arg(n), "JPG");
        if (n < 50) image.save(h.app.paths.popImages() + QString("/pop%1.jpg").arg(n), "JPG");
    }

    constexpr int Records = 5000, Runs = 7;
    QByteArray items;
    for (int n = 0; n < Records; ++n) { // some pictures are missing from the catalogue
        const QByteArray item = "Item " + QByteArray::number(Records - n);
        items += '"' + item + "\",\"Long descriptor of " + item.toLower() + "\",\"item" +
                 QByteArray::number(n % 250) + ".jpg\"," + QByteArray::number(n % 6 * 10) + ",\"TRUE\",\"" +
                 (n % 3 ? "" : "pop" + QByteArray::number(n % 60) + ".jpg") + "\",\"FALSE\"\r\n";
    }
    h.app.write("Profiles/Bench/Items/items", items);
    zr::addProgramWindows(h.main);
    h.main.Profile().setID("Bench");
    h.main.show();
    QApplication::processEvents();

    QList<double> times;
    int rows = 0;
    for (int run = 0; run < Runs; ++run) {
        zr::frmEditMenuItems* editor = nullptr;
        times << ms([&] {
            h.main.openWindow("frmEditMenuItems");
            editor = h.main.findChild<zr::frmEditMenuItems*>();
            QApplication::processEvents(); // laid out and painted
            if (editor) editor->MenuList->viewport()->repaint();
        });
        if (!editor) return 1;
        rows = editor->items().rowCount();
        editor->cmd[2]->click();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    if (rows != Records || !h.prompts.informed.isEmpty() || !h.prompts.asked.isEmpty())
        return std::printf("the editor shows %d of %d rows, or asked or told something\n", rows, Records), 1;
    std::printf("menu items editor on %d records, %d runs: %s; aim < 500 ms)\n", Records, Runs,
                figures(times).constData());
    return 0;
}
