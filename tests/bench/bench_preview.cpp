// The board preview of a profile with 20 POPs in every day part and a menu of
// 500 items: drawing one frame of each state at the board's size, and opening
// the preview window until it is painted. Prints the medians of several runs.

#include "BenchSupport.h"
#include "GuiHarness.h"
#include "draw/BoardDrawing.h"
#include "preview/frmBoardPreview.h"

#include <QImage>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    zr::test::GuiHarness h;
    QDir().mkpath(h.app.paths.itemImages()), QDir().mkpath(h.app.paths.popImages());
    QImage image(640, 480, QImage::Format_RGB32);
    for (int n = 0; n < 20; ++n) {
        image.fill(QColor::fromHsv(n * 18, 200, 200));
        image.save(h.app.paths.popImages() + QString("/pop%1.jpg").arg(n), "JPG");
        image.save(h.app.paths.itemImages() + QString("/sugg%1.jpg").arg(n), "JPG");
    }
    QByteArray items;
    for (int n = 0; n < 500; ++n)
        items += "\"Item " + QByteArray::number(n) + "\",\"Long item " + QByteArray::number(n) + "\",\"x.jpg\"," +
                 QByteArray::number(n % 5 * 10 + 10) + ",\"TRUE\",\"\",\"FALSE\"\r\n";
    h.app.write("Profiles/Bench/Items/items", items);
    zr::Profiles& p = h.main.Profile();
    p.setID("Bench");
    for (zr::TimeOfWeek& week : p.Weeks())
        for (zr::TimeOfDay& day : week.Days) {
            day.POPs.clear();
            for (int n = 0; n < 20; ++n) day.POPs.append({QString("pop%1.jpg").arg(n), "3"});
        }
    for (zr::TimeOfDay& day : p.Week("week")->Days)
        for (int f = 1; f <= 5; ++f) day.Suggest.append({QString::number(f * 10), QString("sugg%1.jpg").arg(f), "Add one?"});
    zr::addProgramWindows(h.main);
    h.main.show();
    QApplication::processEvents();

    constexpr int Runs = 9;
    const zr::Moment moment{Qt::Friday, QTime(11, 30, 7), true};
    zr::BoardPictures pictures(h.app.paths.popImages(), h.app.paths.itemImages());
    QList<double> frames;
    for (int run = 0; run < Runs * 3; ++run) {
        frames << ms([&] {
            const zr::BoardPreview board = zr::previewAt(p, moment, {});
            zr::drawBoard(board, static_cast<zr::BoardState>(run % 3), board.elapsed + run * 3, zr::boardSize(false), pictures);
        });
    }
    QList<double> opens;
    for (int run = 0; run < Runs; ++run) {
        opens << ms([&] {
            h.main.openWindow("frmBoardPreview");
            QApplication::processEvents(); // laid out and painted
        });
        auto* window = h.main.findChild<zr::frmBoardPreview*>();
        if (!window || window->ItemList->count() != 500) return std::printf("the preview lists no 500 items\n"), 1;
        window->cmd[3]->click();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    std::printf("preview frame, 20 POPs a day part, %d frames: %s; aim < 30 ms)\n", Runs * 3, figures(frames).constData());
    std::printf("preview window with 500 items, %d runs: %s; aim < 300 ms)\n", Runs, figures(opens).constData());
    return 0;
}
