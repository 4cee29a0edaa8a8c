#include "PreviewCommand.h"

#include "CliPrompts.h"
#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/WindowsText.h"
#include "menu/ItemsFile.h"
#include "model/ConfigReader.h"
#include "model/FileManager.h"
#include "model/ProfileStore.h"
#include "model/Profiles.h"
#include "preview/BoardMoment.h"

#ifdef ZR_WITH_DRAW
#include "draw/BoardDrawing.h"
#endif

#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>
#include <cstring>

namespace zr::PreviewCommand {

namespace {

enum Exit { Ok = 0, Failure = 1 };

void write(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, bytes.size(), stream);
}

int fail(const QString& message) {
    write(stderr, "zrctl: " + message + '\n');
    return Failure;
}

QString quoted(const QString& stored) {
    return '"' + shownText(stored) + '"';
}

QStringList orderLines(const OrderScreenView& order) {
    QStringList out;
    for (int i = 0; i < order.lines.size(); ++i) {
        const OrderLine& line = order.lines[i];
        out << QString("Order line %1: %2, %3, %4, %5")
                   .arg(i + 1)
                   .arg(shownText(line.item.ShortDescriptor), shownText(line.item.LongDescriptor), line.item.Family,
                        order.showUnitPrice ? SamplePrices::money(line.unitCents) : "unit price hidden");
    }
    if (order.lines.isEmpty()) out << "Order: none";
    out << "Tax: " + (order.showTax ? SamplePrices::money(order.taxCents) : "hidden");
    out << "Total: " + (order.showTotal ? SamplePrices::money(order.totalCents) : "hidden");
    if (order.suggestion)
        out << QString("Suggestion: family %1, %2, %3")
                   .arg(order.suggestion->Family, order.suggestion->Picture, quoted(order.suggestion->Message));
    else
        out << "Suggestion: none";
    out << "Order-screen message: " + quoted(order.message);
    return out;
}

} // namespace

bool wantsDrawing(int argc, char** argv) {
    bool preview = false, png = false;
    for (int i = 1; i < argc; ++i) {
        preview = preview || std::strcmp(argv[i], "preview") == 0;
        png = png || std::strncmp(argv[i], "--png", 5) == 0;
    }
    return preview && png;
}

int run(const AppPaths& paths, const Options& o) {
    if (!ProfileStore::isValidName(o.profile) || !QFileInfo(paths.profileFolder(o.profile)).isDir())
        return fail("There is no profile " + o.profile + ".");
    const std::optional<Moment> moment = parseMoment(o.at);
    if (!moment)
        return fail("The moment \"" + o.at +
                    "\" is not a weekday and a 24-hour time, such as \"fri 11:30\" or \"fri 11:30:15\".");
    QSize size;
    if (!o.size.isEmpty()) {
        static const QRegularExpression form(R"(^(\d{2,4})x(\d{2,4})$)");
        const QRegularExpressionMatch m = form.match(o.size);
        if (!m.hasMatch()) return fail("The size \"" + o.size + "\" is not WIDTHxHEIGHT, such as 480x640.");
        size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
    }

    // Only read: the profile does not become current, and nothing is written.
    SystemClock clock;
    CliPrompts prompts(true);
    Profiles profile(paths, clock, prompts);
    ConfigReader(profile).readOnly(o.profile);
    const FileManager itemImages = pictureCatalogue(paths.itemImages());
    const FileManager popImages = pictureCatalogue(paths.popImages());
    const ItemsLoadResult items =
        loadItemsFile(paths.itemsFile(o.profile), itemImages, popImages, profile.DefaultItem(), true);
    const QList<MenuItem> shown = shownItems(items.rows);
    QList<MenuItem> order = defaultOrder(shown);
    if (o.orderGiven) {
        QString unknown;
        order = orderOf(shown, o.order, &unknown);
        if (!unknown.isNull())
            return fail("There is no item \"" + unknown + "\" on the board of " + o.profile +
                        " (the short descriptor of an item the board shows).");
    }

    const BoardPreview board = previewAt(profile, *moment, order);
    QStringList out;
    out << "Moment: " + momentText(board.moment);
    out << "Schedule: " + board.scheduleKey() + " (" + ScheduleNames[board.schedule] + ")";
    out << "Day part: " + board.dayPartKey() + " (" + DayPartNames[board.dayPart.part] + "), started " +
               momentText({board.dayPart.startWeekday, board.dayPart.start});
    out << QString("Pre-sell message: %1 line(s), %2, %3 s before the POPs")
               .arg(board.messageLines.size())
               .arg(board.messageDisplayType)
               .arg(board.messageSeconds);
    for (int i = 0; i < board.pops.size(); ++i)
        out << QString("POP %1: %2, %3 s").arg(i + 1).arg(board.pops[i].Picture, board.pops[i].Time);
    if (moment->withSeconds) {
        const std::optional<SlideAt> slide = board.idleSlide(board.elapsed);
        QString showing;
        if (board.elapsed < board.messageSeconds)
            showing = QString("the pre-sell message, second %1 of %2").arg(board.elapsed).arg(board.messageSeconds);
        else if (!slide)
            showing = "no POP";
        else
            showing = QString("POP %1 %2, second %3 of %4")
                          .arg(slide->index + 1)
                          .arg(board.pops[slide->index].Picture)
                          .arg(slide->second + 1)
                          .arg(slide->seconds > 0 ? QString::number(slide->seconds) : QString("(stays)"));
        out << QString("Showing at %1 s into the day part: %2").arg(board.elapsed).arg(showing);
    }
    out << orderLines(board.order);
    out << (board.totalScreen ? QString("Total screen: yes, %1 s").arg(board.totalSeconds)
                              : QString("Total screen: no"));
    out << "State: " + o.state;

    // Pictures the board would show that cannot be shown.
    for (const PopEntry& pop : board.pops)
        if (const QString problem = pictureProblem(paths.popImages(), pop.Picture); !problem.isEmpty())
            out << "Problem: POP " + pop.Picture + ": " + problem;
    if (board.order.suggestion)
        if (const QString problem = pictureProblem(paths.itemImages(), board.order.suggestion->Picture);
            !problem.isEmpty())
            out << "Problem: suggestion " + board.order.suggestion->Picture + ": " + problem;

    out.removeDuplicates();
    if (!o.png.isEmpty()) {
#ifdef ZR_WITH_DRAW
        const BoardState state = o.state == "order"   ? BoardState::Order
                                 : o.state == "total" ? BoardState::Total
                                                      : BoardState::Idle;
        BoardPictures pictures(paths.popImages(), paths.itemImages());
        if (!size.isValid()) size = boardSize(board.landscape);
        const QImage image = drawBoard(board, state, board.elapsed, size, pictures);
        if (!image.save(o.png, "PNG")) return fail("Cannot write the drawing to " + o.png + ".");
        out << QString("Drawing: %1, %2x%3. %4").arg(o.png).arg(size.width()).arg(size.height()).arg(ApproximationNote);
#else
        return fail("This zrctl was built without drawing; --png is not available.");
#endif
    }
    write(stdout, out.join('\n') + '\n');
    return Ok;
}

} // namespace zr::PreviewCommand
